#include "sprites/ui/sprite_window.h"

#include <array>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/slider.h>
#include <wx/weakref.h>

#include "project/naming.h"
#include "project/removal.h"
#include "sprites/collision_editor.h"
#include "sprites/frames.h"
#include "sprites/sprite_preview.h"
#include "sprites/ui/frames_editor.h"
#include "sprites/ui/shape_editor_window.h"
#include "sprites/ui/strip_import_window.h"
#include "ui/form_layout.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& sprite) { return "sprite:" + sprite; }

constexpr size_t kNoSprite = Table<Sprite>::npos;

struct CollisionRow {
    CollisionField field;
    const char* caption;
    const char* name;
};
constexpr std::array<CollisionRow, 5> kCollisionRows = {{{CollisionField::Radius, "Radius", "radius"},
                                                          {CollisionField::Left, "Left", "left"},
                                                          {CollisionField::Right, "Right", "right"},
                                                          {CollisionField::Top, "Top", "top"},
                                                          {CollisionField::Bottom, "Bottom", "bottom"}}};

class SpriteWindow : public StudioWindow {
public:
    SpriteWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> rebuildPanel)
        : StudioWindow(studio, mainWindow, toWx("Sprite properties - " + sprite), windowKey(sprite), WindowLock::None,
                       wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxRESIZE_BORDER),
          sprite_(sprite), mainWindow_(mainWindow), rebuildPanel_(std::move(rebuildPanel)) {
        whenClosed(rebuildPanel_);
        const Sprite& s = studio.project.sprites[index()];
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        // The left column: name and the picture commands.
        auto* left = new wxBoxSizer(wxVERTICAL);
        name_ = formField(panel, toWx(s.name), 100, "name");
        left->Add(name_, 0, wxEXPAND | wxBOTTOM, 5);
        auto* load = formButton(panel, "Load...", wxSize(100, 25), "load");
        auto* save = formButton(panel, "Save as PNG...", wxSize(100, 25), "save");
        auto* edit = formButton(panel, "Edit", wxSize(100, 25), "edit");
        for (wxButton* b : {load, save, edit}) left->Add(b, 0, wxEXPAND | wxBOTTOM, 5);
        size_ = new wxStaticText(panel, wxID_ANY, "Size: 0 x 0", wxDefaultPosition, wxDefaultSize, 0, "size");
        left->Add(size_, 0, wxTOP, 5);

        // The middle: the preview and its settings.
        auto* middle = new wxBoxSizer(wxVERTICAL);
        preview_ = new RegionCanvas(
            panel, wxSize(300, 300), 32,
            [this](Rect visible) {
                const size_t i = index();
                return i == kNoSprite ? Image(visible.width, visible.height)
                                      : renderSpritePreview(studio_.project, i, visible);
            },
            "preview");
        middle->Add(preview_, 1, wxEXPAND);
        auto* settings = new wxBoxSizer(wxHORIZONTAL);
        showCollision_ = new wxCheckBox(panel, wxID_ANY, "Show collision shape", wxDefaultPosition, wxDefaultSize, 0,
                                        wxDefaultValidator, "show-collision");
        showCollision_->SetValue(s.spritewindow.showcollision);
        settings->Add(showCollision_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 5);
        settings->AddStretchSpacer();
        settings->AddSpacer(10);
        speed_ = formField(panel, wxString::Format("%d", s.spritewindow.speed), 50, "speed", true);
        settings->Add(captionedRow(panel, "Preview speed", 0, speed_), 0, wxALIGN_CENTER_VERTICAL);
        middle->Add(settings, 0, wxEXPAND | wxTOP, 10);
        zoom_ = new wxSlider(panel, wxID_ANY, s.spritewindow.zoom, 1, 64, wxDefaultPosition, wxSize(260, -1),
                             wxSL_HORIZONTAL | wxSL_AUTOTICKS, wxDefaultValidator, "zoom");
        zoom_->SetTickFreq(4);
        middle->Add(captionedRow(panel, "Zoom", 35, zoom_), 0, wxEXPAND | wxTOP, 5);

        // The right column: origin and collision shape.
        auto* right = new wxBoxSizer(wxVERTICAL);
        const int captions = captionColumnWidth(
            panel, {"Origin X", "Origin Y", "Collision", "Radius", "Left", "Right", "Top", "Bottom"}, 45);
        originX_ = formField(panel, "", 50, "origin-x");
        originY_ = formField(panel, "", 50, "origin-y");
        right->Add(captionedRow(panel, "Origin X", captions, originX_), 0, wxEXPAND | wxBOTTOM, 5);
        right->Add(captionedRow(panel, "Origin Y", captions, originY_), 0, wxEXPAND | wxBOTTOM, 5);
        auto* center = formButton(panel, "Center", wxSize(100, 25), "center");
        right->Add(center, 0, wxEXPAND | wxBOTTOM, 15);
        collision_ = new wxChoice(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                  wxDefaultValidator, "collision");
        for (const char* shape : kCollisionShapes) collision_->Append(shape);
        // A shape this program does not know stays as it is until another is chosen.
        if (collision_->FindString(toWx(s.collisionshape), true) == wxNOT_FOUND) collision_->Append(toWx(s.collisionshape));
        collision_->SetStringSelection(toWx(s.collisionshape));
        right->Add(captionedRow(panel, "Collision", captions, collision_), 0, wxEXPAND | wxBOTTOM, 5);
        for (size_t k = 0; k < kCollisionRows.size(); ++k) {
            const CollisionRow& row = kCollisionRows[k];
            collisionFields_[k] = formField(panel, "", 50, row.name, row.field == CollisionField::Radius);
            right->Add(captionedRow(panel, row.caption, captions, collisionFields_[k]), 0, wxEXPAND | wxBOTTOM, 5);
        }
        auto* shape = formButton(panel, "Shape...", wxSize(100, 25), "shape");
        right->Add(shape, 0, wxEXPAND | wxTOP, 5);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(left, 0, wxALL, 10);
        columns->Add(middle, 1, wxEXPAND | wxTOP | wxBOTTOM, 10);
        columns->Add(right, 0, wxALL, 10);

        // The bottom row.
        const RecordButtons buttons = recordButtonRow(panel, toWx(s.keywords));
        auto* remove = buttons.remove;
        keywords_ = buttons.keywords;
        auto* done = buttons.done;
        layOutAboveButtonRow(this, panel, columns, buttons, wxSize(540, 450));
        showFields();

        load->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { loadStrip(); });
        save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            saveSpriteAsPngStrip(studio_.project, studio_.dialogs, sprite_, studio_.root);
        });
        edit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { editFrames(); });
        shape->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { editShape(); });
        center->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (const size_t i = index(); i != kNoSprite && centerOrigin(studio_.project, i)) showOrigin();
        });
        remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { deleteThisSprite(); });
        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (apply()) leave();
        });
        originX_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            withSprite([&](size_t i) { setOriginX(studio_.project, i, fromWx(originX_->GetValue())); });
        });
        originY_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            withSprite([&](size_t i) { setOriginY(studio_.project, i, fromWx(originY_->GetValue())); });
        });
        collision_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            withSprite([&](size_t i) { setCollisionShape(studio_.project, i, fromWx(collision_->GetStringSelection())); });
        });
        for (size_t k = 0; k < kCollisionRows.size(); ++k) {
            collisionFields_[k]->Bind(wxEVT_TEXT, [this, k](wxCommandEvent&) {
                withSprite([&](size_t i) {
                    setCollisionField(studio_.project, i, kCollisionRows[k].field,
                                      fromWx(collisionFields_[k]->GetValue()));
                });
            });
        }
        showCollision_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            withSprite([&](size_t i) { setShowCollision(studio_.project, i, showCollision_->GetValue()); });
        });
        speed_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            const size_t i = index();
            if (i != kNoSprite && setPreviewSpeed(studio_.project, i, fromWx(speed_->GetValue()))) restartTimer();
        });
        zoom_->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) {
            withSprite([&](size_t i) { setPreviewZoom(studio_.project, i, zoom_->GetValue()); });
        });
        preview_->onPress = [this](int x, int y) {
            const size_t i = index();
            if (i != kNoSprite && pressPreview(studio_.project, i, x, y)) showOrigin(), showPreview();
        };
        preview_->onDrag = [this](int x, int y) {
            const size_t i = index();
            if (i != kNoSprite && dragPreview(studio_.project, i, x, y)) showOrigin(), showPreview();
        };
        preview_->onRelease = [this](int, int) {
            if (const size_t i = index(); i != kNoSprite) releasePreview(studio_.project, i);
        };
        CentreOnScreen();
        Show();
        tick();
        restartTimer();
    }

    // The pre-save commit: the name and keywords are applied, the window stays open.
    void commitBeforeSave() override { apply(); }

protected:
    // The close box leaves the name and keywords as they were; what acted at once stays.
    void onCloseBox() override { leave(); }

private:
    size_t index() const { return studio_.project.sprites.find(sprite_); }

    // Runs `change` on the sprite's index, then draws the preview again.
    template <class Change>
    void withSprite(Change change) {
        const size_t i = index();
        if (i == kNoSprite) return;
        change(i);
        showPreview();
    }

    void showOrigin() {
        const Sprite& s = studio_.project.sprites[index()];
        originX_->ChangeValue(wxString::Format("%d", s.centerx));
        originY_->ChangeValue(wxString::Format("%d", s.centery));
    }

    void showFields() {
        const size_t i = index();
        if (i == kNoSprite) return;
        showOrigin();
        const Sprite& s = studio_.project.sprites[i];
        for (size_t k = 0; k < kCollisionRows.size(); ++k)
            collisionFields_[k]->ChangeValue(wxString::Format("%d", collisionField(s, kCollisionRows[k].field)));
    }

    void restartTimer() {
        const size_t i = index();
        if (i == kNoSprite) return;
        startTimer(previewInterval(studio_.project.sprites[i].spritewindow.speed), [this] { tick(); });
    }

    // The frame at the animation position, the size text and the canvas size.
    void showPreview() {
        const size_t i = index();
        if (i == kNoSprite || closing()) return;
        const Project& p = studio_.project;
        const wxString size = toWx(spriteSizeText(p, i));
        if (size_->GetLabel() != size) size_->SetLabel(size);
        preview_->setCanvasSize({spritePreviewWidth(p, i), spritePreviewHeight(p, i)});
        preview_->Update();
    }

    // The preview timer: the frame at the animation position is shown, then the
    // position moves on.
    void tick() {
        const size_t i = index();
        if (i == kNoSprite || closing()) return;
        updateSpritePreview(studio_.project, i);
        showPreview();
        advanceSpritePreview(studio_.project, i);
    }

    // The name and keywords through the naming checks; each refusal is shown.
    bool apply() {
        Project& p = studio_.project;
        const size_t i = index();
        Sprite fields = i == kNoSprite ? Sprite{} : p.sprites[i];
        fields.name = fromWx(name_->GetValue());
        fields.keywords = fromWx(keywords_->GetValue());
        const ApplyResult result = applySprite(p, i == kNoSprite ? p.sprites.size() : i, fields);
        for (const std::string& e : result.errors) studio_.dialogs.error(e);
        if (!result.ok()) return false;
        if (fields.name != sprite_) {
            sprite_ = fields.name;
            setKey(windowKey(sprite_));
            SetTitle(toWx("Sprite properties - " + sprite_));
        }
        return true;
    }

    void leave() { finish(); }

    void deleteThisSprite() {
        if (!deleteRecord(studio_.project, studio_.dialogs, ResourceKind::Sprite, sprite_)) return;
        leave();
    }

    // After one of the image tools closed: its changes show in the fields, the preview
    // and the resource panel.
    std::function<void()> afterTool() {
        return [self = wxWeakRef<SpriteWindow>(this)] {
            if (!self || self->closing()) return;
            self->showFields();
            self->tick();
            if (self->rebuildPanel_) self->rebuildPanel_();
        };
    }

    void loadStrip() { openStripImportWindow(studio_, mainWindow_, sprite_, afterTool()); }
    void editFrames() { openFramesEditor(studio_, mainWindow_, sprite_, afterTool()); }
    void editShape() { openShapeEditor(studio_, mainWindow_, sprite_, afterTool()); }

    std::string sprite_;
    wxWindow* mainWindow_;
    std::function<void()> rebuildPanel_;
    wxTextCtrl* name_ = nullptr;
    wxTextCtrl* keywords_ = nullptr;
    wxStaticText* size_ = nullptr;
    RegionCanvas* preview_ = nullptr;
    wxCheckBox* showCollision_ = nullptr;
    wxTextCtrl* speed_ = nullptr;
    wxSlider* zoom_ = nullptr;
    wxTextCtrl* originX_ = nullptr;
    wxTextCtrl* originY_ = nullptr;
    wxChoice* collision_ = nullptr;
    std::array<wxTextCtrl*, kCollisionRows.size()> collisionFields_{};
};

} // namespace

void openSpriteWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite,
                      std::function<void()> rebuildPanel) {
    if (raiseStudioWindow(windowKey(sprite))) return;
    if (!studio.project.sprites.contains(sprite)) {
        studio.dialogs.error("The sprite " + sprite + " no longer exists.");
        return;
    }
    new SpriteWindow(studio, mainWindow, sprite, std::move(rebuildPanel));
}

bool isSpriteWindowOpen(const std::string& sprite) { return findStudioWindow(windowKey(sprite)) != nullptr; }

wxFrame* findSpriteWindow(const std::string& sprite) { return findStudioWindow(windowKey(sprite)); }

} // namespace pondaro::ui
