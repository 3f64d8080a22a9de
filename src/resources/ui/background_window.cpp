#include "resources/ui/background_window.h"

#include <array>

#include <wx/checkbox.h>
#include <wx/stattext.h>

#include "resources/background_window.h"
#include "resources/ui/record_window.h"
#include "ui/form_layout.h"
#include "ui/region_canvas.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

constexpr std::array<const char*, 6> kTileFieldNames = {"tile-width",    "tile-height",  "tile-x-offset",
                                                        "tile-y-offset", "tile-x-space", "tile-y-space"};

class BackgroundWindow : public RecordWindow {
public:
    BackgroundWindow(Studio& studio, wxWindow* mainWindow, const Background& b, std::function<void()> rebuildPanel)
        : RecordWindow(studio, mainWindow, ResourceKind::Background, b.name, b.keywords, std::move(rebuildPanel)),
          draft_(backgroundDraft(studio.project, studio.root, b)) {
        file_ = new wxStaticText(panel(), wxID_ANY, toWx(fileLabel(draft_)), wxDefaultPosition, wxSize(200, -1),
                                 wxST_ELLIPSIZE_MIDDLE, "file");
        auto* select = formButton(panel(), "Select image...", wxSize(110, 25), "select-image");
        preview_ = new RegionCanvas(
            panel(), wxSize(400, 300), 16,
            [this](Rect visible) { return renderBackgroundPreview(draft_.picture, shown_.grid, visible); }, "preview");
        tile_ = new wxCheckBox(panel(), wxID_ANY, "Use as tile set", wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "tile");
        tile_->SetValue(b.tile != 0);

        auto* fields = new wxFlexGridSizer(2, 5, 5);
        const int captions = captionColumnWidth(panel(), {kTileFieldCaptions[0], kTileFieldCaptions[1], kTileFieldCaptions[2],
                                                          kTileFieldCaptions[3], kTileFieldCaptions[4], kTileFieldCaptions[5]});
        const std::array<int, 6> values = tileGridValues(tileGridOf(b));
        for (size_t k = 0; k < tileFields_.size(); ++k) {
            tileFields_[k] = formField(panel(), wxString::Format("%d", values[k]), 60, kTileFieldNames[k]);
            fields->Add(captionedRow(panel(), kTileFieldCaptions[k], captions, tileFields_[k]), 0, wxEXPAND);
        }
        tileFieldsSizer_ = fields;

        auto* left = left_ = new wxBoxSizer(wxVERTICAL);
        left->Add(select, 0, wxEXPAND | wxBOTTOM, 10);
        left->Add(tile_, 0, wxBOTTOM, 10);
        left->Add(fields, 0);
        auto* right = new wxBoxSizer(wxVERTICAL);
        right->Add(file_, 0, wxEXPAND | wxBOTTOM, 5);
        right->Add(preview_, 1, wxEXPAND);
        auto* content = new wxBoxSizer(wxHORIZONTAL);
        content->Add(left, 0, wxRIGHT, 10);
        content->Add(right, 1, wxEXPAND);
        layOut(content, wxSize(800, 600));
        showTileFields();

        select->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (!selectBackgroundImage(draft_, studio_.dialogs)) return;
            file_->SetLabel(toWx(fileLabel(draft_)));
            tick();
        });
        tile_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { showTileFields(); });
        tick();
        startTimer(33, [this] { tick(); });
    }

protected:
    bool applyFields(const std::string& name, const std::string& keywords) override {
        Project& p = studio_.project;
        const size_t index = p.backgrounds.find(record());
        Background fields = index == Table<Background>::npos ? Background{} : p.backgrounds[index];
        fields.name = name;
        fields.keywords = keywords;
        fields.tile = tile_->GetValue() ? 1 : 0;
        const TileGrid grid = typedGrid();
        fields.tilewidth = grid.width, fields.tileheight = grid.height;
        fields.tilexoffset = grid.xoffset, fields.tileyoffset = grid.yoffset;
        fields.tilexspace = grid.xspace, fields.tileyspace = grid.yspace;
        const bool applied = applyBackgroundWindow(p, studio_.dialogs, studio_.root, record(), fields, draft_);
        file_->SetLabel(toWx(fileLabel(draft_)));
        return applied;
    }

private:
    TileGrid typedGrid() const {
        std::array<std::string, 6> texts;
        for (size_t k = 0; k < texts.size(); ++k) texts[k] = fromWx(tileFields_[k]->GetValue());
        return readTileGrid(texts);
    }

    // The six fields are there only while the background is used as a tile set.
    void showTileFields() {
        left_->Show(tileFieldsSizer_, tile_->GetValue(), true);
        panel()->Layout();
    }

    // What the preview shows now; drawn again only when it differs from what was drawn.
    void tick() {
        if (closing()) return;
        BackgroundPreviewState now;
        now.picture = draft_.picture.image.get();
        if (tile_->GetValue()) now.grid = typedGrid();
        if (now == shown_ && drawnOnce_) return;
        const bool newPicture = now.picture != shown_.picture || !drawnOnce_;
        shown_ = now;
        drawnOnce_ = true;
        if (newPicture) preview_->setCanvasSize(previewCanvasSize(draft_.picture));
        else preview_->redraw();
    }

    BackgroundDraft draft_;
    BackgroundPreviewState shown_;
    bool drawnOnce_ = false;
    wxStaticText* file_ = nullptr;
    RegionCanvas* preview_ = nullptr;
    wxCheckBox* tile_ = nullptr;
    std::array<wxTextCtrl*, 6> tileFields_{};
    wxSizer* tileFieldsSizer_ = nullptr;
    wxSizer* left_ = nullptr;
};

} // namespace

void openBackgroundWindow(Studio& studio, wxWindow* mainWindow, const std::string& name,
                          std::function<void()> rebuildPanel) {
    if (raiseOrRefuse(studio, ResourceKind::Background, name)) return;
    new BackgroundWindow(studio, mainWindow, studio.project.backgrounds[studio.project.backgrounds.find(name)],
                         std::move(rebuildPanel));
}

} // namespace pondaro::ui
