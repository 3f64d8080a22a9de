#include "app/ui/resource_page.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "app/ui/panel_host.h"
#include "app/ui/studio_art.h"
#include "ui/icon_button.h"
#include "ui/widget_looks.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

constexpr size_t kBitmapCacheLimit = 600;
constexpr int kScrollStep = 10;

wxColour toColour(Rgba c) { return wxColour(c.r, c.g, c.b); }

} // namespace

// ---- The canvas --------------------------------------------------------------------------

ResourceCanvas::ResourceCanvas(ResourcePage* page, PanelHost& host, PanelCategory category)
    : wxScrolled<wxWindow>(page, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxWANTS_CHARS),
      page_(page), host_(host), category_(category), background_(200, 200, 200) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetScrollRate(0, kScrollStep);
    Bind(wxEVT_PAINT, &ResourceCanvas::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ResourceCanvas::onMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &ResourceCanvas::onMouse, this);
    Bind(wxEVT_SIZE, &ResourceCanvas::onSize, this);
}

void ResourceCanvas::setRecords(std::vector<size_t> shown, Rgba background) {
    shown_ = std::move(shown);
    background_ = toColour(background);
    bitmaps_.clear();
    relayout();
}

void ResourceCanvas::relayout() {
    const int width = GetClientSize().x;
    columns_ = gridColumns(width > 0 ? width : kCellWidth * 4);
    const int height = pageHeight(cellCount(), columns_) - kHeaderHeight + 10;
    SetVirtualSize(-1, height);
    Refresh();
}

void ResourceCanvas::onSize(wxSizeEvent& e) {
    // A wider page takes more thumbnails in a row.
    const int before = columns_;
    columns_ = gridColumns(GetClientSize().x);
    if (columns_ != before) relayout();
    e.Skip();
}

const wxBitmap& ResourceCanvas::pictureOf(size_t index) {
    const StudioArt& art = host_.art();
    if (const wxBitmap* card = art.kindCard(category_)) return *card;
    auto it = bitmaps_.find(index);
    if (it != bitmaps_.end()) return it->second;
    if (bitmaps_.size() >= kBitmapCacheLimit) bitmaps_.clear();
    const Image& picture = recordPicture(host_.studio(), category_, index, art.cards);
    if (&picture == &art.cards.noImage) return art.noImage;
    if (&picture == &art.cards.object) return art.object;
    if (&picture == &art.cards.scene) return art.scene;
    return bitmaps_.emplace(index, toBitmap(picture)).first->second;
}

void ResourceCanvas::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    dc.SetBackground(wxBrush(background_));
    dc.Clear();

    const Project& p = host_.studio().project;
    const StudioArt& art = host_.art();
    const int records = int(recordCount(p, category_));
    int viewX = 0, viewY = 0;
    GetViewStart(&viewX, &viewY);
    const int top = viewY * kScrollStep + kHeaderHeight;
    const CellRange range = visibleCells(top, top + GetClientSize().y, columns_, cellCount());

    dc.SetFont(art.headingFont);
    dc.SetTextForeground(wxColour(20, 20, 28));
    for (int cell = range.first; cell < range.last; ++cell) {
        Rect t = thumbnailRect(cell, columns_);
        Rect l = labelRect(cell, columns_);
        t.y -= kHeaderHeight;
        l.y -= kHeaderHeight;
        if (cell == int(shown_.size())) {
            dc.DrawBitmap(art.addTile, t.x, t.y, true);
            continue;
        }
        const size_t index = shown_[cell];
        // The project may have changed since the last rebuild (a rebuild follows).
        if (int(index) >= records) continue;
        dc.DrawBitmap(pictureOf(index), t.x, t.y, true);
        const std::string& name = recordName(p, category_, index);
        if (!selected_.empty() && name == selected_) {
            dc.SetPen(wxPen(wxColour(30, 90, 200), 3));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRoundedRectangle(t.x - 2, t.y - 2, t.width + 4, t.height + 4, 12);
        }
        const wxString label = wxControl::Ellipsize(toWx(name), dc, wxELLIPSIZE_END, l.width - 4);
        dc.DrawLabel(label, wxRect(l.x, l.y, l.width, l.height), wxALIGN_CENTER);
    }
}

void ResourceCanvas::onMouse(wxMouseEvent& e) {
    SetFocus();
    const wxPoint at = CalcUnscrolledPosition(e.GetPosition());
    clickAt(at.x, at.y + kHeaderHeight, e.GetEventType() == wxEVT_RIGHT_DOWN);
}

void ResourceCanvas::clickAt(int pageX, int pageY, bool right) {
    const GridHit hit = hitTest(pageX, pageY, columns_, cellCount());
    if (hit.part != GridHit::Part::Thumbnail) return;  // a name label does nothing
    Studio& studio = host_.studio();
    if (hit.cell == int(shown_.size())) {
        if (right) return;
        // The add tile: a new record with the next default name, then its window.
        const std::string name = addRecord(studio, category_);
        selected_ = name;
        host_.rebuildPanel();
        host_.editRecord(category_, name);
        return;
    }
    const size_t index = shown_[hit.cell];
    if (index >= recordCount(studio.project, category_)) return;
    const std::string name = recordName(studio.project, category_, index);
    if (right) {
        if (host_.hasOpenWindow(category_, name)) return;
        selected_ = name;
        Refresh();
        showMenu(name);
        return;
    }
    selected_ = name;
    Refresh();
    host_.editRecord(category_, name);
}

void fillResourceMenu(wxMenu& menu, PanelCategory category, const StudioArt& art) {
    const auto items = resourceMenu(category);
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i]) {
            menu.AppendSeparator();
            continue;
        }
        auto* item = new wxMenuItem(&menu, int(i) + 1, actionCaption(*items[i]));
        if (auto icon = art.actionIcons.find(*items[i]); icon != art.actionIcons.end()) item->SetBitmap(icon->second);
        menu.Append(item);
    }
    showMenuPictures(menu);
}

void ResourceCanvas::showMenu(const std::string& name) {
    wxMenu menu;
    fillResourceMenu(menu, category_, host_.art());
    const auto items = resourceMenu(category_);
    const int picked = GetPopupMenuSelectionFromUser(menu);
    if (picked <= 0 || picked > int(items.size()) || !items[picked - 1]) return;
    const PanelActionResult result = applyPanelAction(host_.studio(), category_, name, *items[picked - 1]);
    if (result.rebuild) host_.rebuildPanel();
    if (result.openEditor) host_.editRecord(category_, name);
}

// ---- The page ----------------------------------------------------------------------------

ResourcePage::ResourcePage(wxWindow* parent, PanelHost& host, PanelCategory category)
    : wxPanel(parent, wxID_ANY), host_(host), category_(category) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const StudioArt& art = host.art();
    Studio& studio = host.studio();

    filter_ = new wxTextCtrl(this, wxID_ANY, toWx(studio.panelFilters[size_t(category)]));
    filter_->SetFont(art.headingFont);
    filter_->SetToolTip("Enter keywords to refine results.");
    keywords_ = new wxChoice(this, wxID_ANY);
    keywords_->SetToolTip("Select a keyword to refine results.");
    const char* tips[3] = {"Reset order", "Sort by names in ascending order", "Sort by names in descending order"};
    for (int i = 0; i < 3; ++i) {
        sort_[i] = new IconButton(this, wxID_ANY, art.sortIcons[i], wxDefaultPosition, wxSize(25, 25), tips[i]);
    }
    if (category == PanelCategory::Functions) {
        export_ = new wxButton(this, wxID_ANY, "Export...", wxDefaultPosition, wxSize(60, 25), wxBU_EXACTFIT);
        import_ = new wxButton(this, wxID_ANY, "Import...", wxDefaultPosition, wxSize(60, 25), wxBU_EXACTFIT);
        export_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { host_.exportFunctions(); });
        import_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { host_.importFunctions(); });
    }
    canvas_ = new ResourceCanvas(this, host, category);

    filter_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        host_.studio().panelFilters[size_t(category_)] = fromWx(filter_->GetValue());
        rebuild();
    });
    keywords_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        const int row = keywords_->GetSelection();
        if (row != wxNOT_FOUND) filter_->SetValue(keywords_->GetString(row));
    });
    sort_[0]->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { sort(SortOrder::ByUid); });
    sort_[1]->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { sort(SortOrder::Ascending); });
    sort_[2]->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { sort(SortOrder::Descending); });
    Bind(wxEVT_PAINT, &ResourcePage::onPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        layoutHeader();
        e.Skip();
    });
}

void ResourcePage::layoutHeader() {
    const wxSize size = GetClientSize();
    const HeaderLayout h = headerLayout(size.x, category_ == PanelCategory::Functions);
    auto place = [](wxWindow* w, const Rect& r) {
        if (w) w->SetSize(r.x, r.y, r.width, r.height);
    };
    place(filter_, h.filter);
    place(keywords_, h.keywordList);
    place(sort_[0], h.resetOrder);
    place(sort_[1], h.ascending);
    place(sort_[2], h.descending);
    place(export_, h.exportButton);
    place(import_, h.importButton);
    canvas_->SetSize(0, kHeaderHeight, size.x, std::max(0, size.y - kHeaderHeight));
    Refresh(false, nullptr);
}

void ResourcePage::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.DrawBitmap(host_.art().headerStrip, 0, 0);
    const wxSize size = GetClientSize();
    dc.SetFont(host_.art().headingFont);
    dc.SetTextForeground(wxColour(60, 64, 80));
    // The page's name and how many of its records the filter shows.
    const size_t total = recordCount(host_.studio().project, category_);
    const size_t shown = canvas_->shown().size();
    wxString caption = toWx(tabCaption(category_)).Trim().Trim(false);
    if (category_ == PanelCategory::Objects) {
        size_t templates = 0;
        for (const auto& o : host_.studio().project.objects)
            if (o.isTemplate()) ++templates;
        caption += wxString::Format(": %zu of %zu", shown, templates);
    } else {
        caption += wxString::Format(": %zu of %zu", shown, total);
    }
    const int right = category_ == PanelCategory::Functions ? 230 : std::min(size.x, 390);
    dc.DrawLabel(wxControl::Ellipsize(caption, dc, wxELLIPSIZE_END, right - 20), wxRect(10, 10, right - 20, 25),
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

void ResourcePage::sort(SortOrder order) {
    sortCategory(host_.studio(), category_, order);
    host_.rebuildPanel();
}

void ResourcePage::rebuild() {
    Studio& studio = host_.studio();
    const std::string& filterText = studio.panelFilters[size_t(category_)];
    if (fromWx(filter_->GetValue()) != filterText) filter_->ChangeValue(toWx(filterText));
    canvas_->setRecords(shownRecords(studio.project, category_, filterText), pageBackground(filterText));

    // The keyword list keeps the row it showed when that keyword is still there.
    const wxString before = keywords_->GetStringSelection();
    wxArrayString rows;
    for (const auto& k : keywordRows(studio.project, category_)) rows.Add(toWx(k));
    keywords_->Set(rows);
    const int again = before.empty() ? wxNOT_FOUND : keywords_->FindString(before, true);
    if (again != wxNOT_FOUND) keywords_->SetSelection(again);
    Refresh(false, nullptr);
}

} // namespace pondaro::ui
