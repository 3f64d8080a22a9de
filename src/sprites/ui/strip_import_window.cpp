#include "sprites/ui/strip_import_window.h"

#include <algorithm>

#include <wx/panel.h>
#include <wx/spinbutt.h>

#include "base/integer_reader.h"
#include "sprites/strip_import.h"
#include "ui/form_layout.h"
#include "ui/picture_box.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& sprite) { return "strip-import:" + sprite; }

constexpr Size kPreviewBox{100, 100};
constexpr int kPreviewMilliseconds = 60;

class StripImportWindow : public StudioWindow {
public:
    StripImportWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite, StripImport import,
                      std::function<void()> closed)
        : StudioWindow(studio, mainWindow, "Importing image strips", windowKey(sprite), WindowLock::AllOthers,
                       wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER),
          import_(std::move(import)) {
        whenClosed(std::move(closed));
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        auto* top = new wxBoxSizer(wxHORIZONTAL);
        columns_ = formField(panel, toWx(import_.columnsText), 50, "columns");
        rows_ = formField(panel, toWx(import_.rowsText), 50, "rows");
        top->Add(numberWithArrows(panel, "Columns", 40, columns_, columnArrows_), 0, wxRIGHT, 10);
        top->Add(numberWithArrows(panel, "Rows", 40, rows_, rowArrows_), 0, wxRIGHT, 30);
        top->Add(new wxStaticText(panel, wxID_ANY, toWx(sheetDimensionsText(import_)), wxDefaultPosition,
                                  wxDefaultSize, 0, "dimensions"),
                 0, wxALIGN_CENTER_VERTICAL);

        auto* middle = new wxBoxSizer(wxHORIZONTAL);
        sheet_ = new RegionCanvas(
            panel, wxSize(400, 300), 32, [this](Rect visible) { return renderStripSheet(import_, visible); }, "sheet");
        sheet_->setCanvasSize({import_.sheet.width(), import_.sheet.height()});
        middle->Add(sheet_, 1, wxEXPAND | wxRIGHT, 10);
        preview_ = new PictureBox(panel, wxDefaultPosition, wxSize(kPreviewBox.width + 2, kPreviewBox.height + 2));
        preview_->SetName("preview");
        middle->Add(preview_, 0, wxALIGN_TOP);

        auto* importButton = formButton(panel, " Import! ", wxSize(65, 25), "import");

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(top, 0, wxALL, 10);
        all->Add(middle, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
        all->Add(importButton, 0, wxALL, 10);
        layOutWindow(this, panel, all, wxSize(550, 400));

        columns_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { gridTyped(); });
        rows_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { gridTyped(); });
        importButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (importStrip(studio_.project, studio_.dialogs, import_)) leave();
        });

        CentreOnParent();
        showPreview();
        Show();
        startTimer(kPreviewMilliseconds, [this] {
            advanceStripPreview(import_);
            showPreview();
        });
    }

protected:
    void onCloseBox() override { leave(); }

private:
    // A number field with arrows that step it within the fields' range.
    wxSizer* numberWithArrows(wxWindow* panel, const wxString& caption, int captionWidth, wxTextCtrl* field,
                              wxSpinButton*& arrows) {
        arrows = new wxSpinButton(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL,
                                  field->GetName() + "-arrows");
        arrows->SetRange(1, kMaxStripCells);
        arrows->SetValue(std::clamp(readInteger(fromWx(field->GetValue())), 1, kMaxStripCells));
        // The arrows type their number into the field, which then acts as typing does.
        arrows->Bind(wxEVT_SPIN, [field, arrows](wxSpinEvent&) {
            field->SetValue(wxString::Format("%d", arrows->GetValue()));
        });
        auto* row = captionedRow(panel, caption, captionWidth, field);
        row->Add(arrows, 0, wxALIGN_CENTER_VERTICAL);
        return row;
    }

    void gridTyped() {
        setStripGrid(import_, fromWx(columns_->GetValue()), fromWx(rows_->GetValue()));
        // The arrows go on from the number typed, when it lies in their range.
        for (auto [field, arrows] : {std::pair{columns_, columnArrows_}, std::pair{rows_, rowArrows_}}) {
            const int v = readInteger(fromWx(field->GetValue()));
            if (v >= 1 && v <= kMaxStripCells) arrows->SetValue(v);
        }
        showPreview();
    }

    void showPreview() { preview_->setPicture(toBitmap(renderStripPreview(import_, kPreviewBox)), false); }

    void leave() { finish(); }

    StripImport import_;
    wxTextCtrl* columns_ = nullptr;
    wxTextCtrl* rows_ = nullptr;
    wxSpinButton* columnArrows_ = nullptr;
    wxSpinButton* rowArrows_ = nullptr;
    RegionCanvas* sheet_ = nullptr;
    PictureBox* preview_ = nullptr;
};

} // namespace

void openStripImportWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite,
                           std::function<void()> closed) {
    if (raiseStudioWindow(windowKey(sprite))) return;
    const size_t index = studio.project.sprites.find(sprite);
    if (index == Table<Sprite>::npos) return;
    std::optional<StripImport> import = openStripImport(studio.project, studio.dialogs, index);
    if (!import) return;
    new StripImportWindow(studio, mainWindow, sprite, std::move(*import), std::move(closed));
}

wxFrame* findStripImportWindow(const std::string& sprite) { return findStudioWindow(windowKey(sprite)); }

} // namespace pondaro::ui
