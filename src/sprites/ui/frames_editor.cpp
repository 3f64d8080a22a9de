#include "sprites/ui/frames_editor.h"

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/weakref.h>

#include "base/integer_reader.h"
#include "sprites/effect_dialog.h"
#include "sprites/frame_strip.h"
#include "sprites/frames.h"
#include "sprites/frames_editor_commands.h"
#include "sprites/ui/frame_tools.h"
#include "ui/form_layout.h"
#include "ui/icon_button.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"
#include "ui/widget_looks.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& sprite) { return "sprite-frames:" + sprite; }

constexpr int kFirstCommandId = wxID_HIGHEST + 300;

void finishDialog(wxDialog& dialog, wxSizer* content, wxSize least) {
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(content, 1, wxEXPAND | wxALL, 10);
    all->Add(cancelAndOkRow(&dialog), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    layOutWindow(&dialog, &dialog, all, least);
    dialog.CentreOnParent();
}

// "Create new sprite": the size of the one transparent frame the sprite starts again
// with. OK with a size that cannot be a frame's says why, and the dialog stays open.
class CreateSpriteDialog : public wxDialog {
public:
    CreateSpriteDialog(wxWindow* parent, Dialogs& dialogs)
        : wxDialog(parent, wxID_ANY, "Create new sprite", wxDefaultPosition, wxDefaultSize, wxCAPTION,
                   "create-sprite"),
          dialogs_(dialogs) {
        width_ = formField(this, "40", 80, "width", true);
        height_ = formField(this, "40", 80, "height", true);
        auto* rows = new wxBoxSizer(wxVERTICAL);
        rows->Add(captionedRow(this, "Width", 90, width_), 0, wxEXPAND | wxBOTTOM, 5);
        rows->Add(captionedRow(this, "Height", 90, height_), 0, wxEXPAND);
        // Wider than its fields need, so that the title bar holds the whole title.
        finishDialog(*this, rows, wxSize(std::max(200, GetTextExtent(GetTitle()).x + 140), 120));
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { accept(); }, wxID_OK);
        width_->SetFocus();
        width_->SelectAll();
    }

    int width() const { return readInteger(fromWx(width_->GetValue())); }
    int height() const { return readInteger(fromWx(height_->GetValue())); }

private:
    void accept() {
        if (const std::string problem = frameSizeProblem(width(), height()); !problem.empty()) {
            dialogs_.error(problem);
            return;
        }
        EndModal(wxID_OK);
    }

    Dialogs& dialogs_;
    wxTextCtrl* width_;
    wxTextCtrl* height_;
};

// "Adding new frame": what to do when the new image's size differs from the frames'.
class AddFrameDialog : public wxDialog {
public:
    AddFrameDialog(wxWindow* parent, const AddFrameQuestion& question)
        : wxDialog(parent, wxID_ANY, kAddFrameTitle, wxDefaultPosition, wxDefaultSize, wxCAPTION, "adding-frame") {
        auto* rows = new wxBoxSizer(wxVERTICAL);
        rows->Add(new wxStaticText(this, wxID_ANY, kAddFrameTexts[0]));
        rows->Add(new wxStaticText(this, wxID_ANY, kAddFrameTexts[1]), 0, wxBOTTOM, 10);
        keep_ = new wxRadioButton(this, wxID_ANY, toWx(question.keepSizeCaption()), wxDefaultPosition, wxDefaultSize,
                                  wxRB_GROUP, wxDefaultValidator, "keep-size");
        resize_ = new wxRadioButton(this, wxID_ANY, toWx(question.resizeAllCaption()), wxDefaultPosition,
                                    wxDefaultSize, 0, wxDefaultValidator, "resize-all");
        resize_->SetValue(true);
        rows->Add(keep_, 0, wxBOTTOM, 5);
        rows->Add(resize_, 0, wxBOTTOM, 15);
        rows->Add(new wxStaticText(this, wxID_ANY, kAddFrameTexts[2]), 0, wxBOTTOM, 10);
        const char* names[] = {"left-top", "centre", "stretch"};
        for (int k = 0; k < 3; ++k) {
            placements_[k] = new wxRadioButton(this, wxID_ANY, kPlacementCaptions[k], wxDefaultPosition, wxDefaultSize,
                                               k == 0 ? wxRB_GROUP : 0, wxDefaultValidator, names[k]);
            rows->Add(placements_[k], 0, wxBOTTOM, 5);
        }
        placements_[2]->SetValue(true);
        finishDialog(*this, rows, wxSize(300, 300));
    }

    AddFrameChoice choice() const {
        AddFrameChoice c;
        c.size = keep_->GetValue() ? NewFrameSize::KeepOriginal : NewFrameSize::ResizeAll;
        c.placement = placements_[0]->GetValue()   ? NewFramePlacement::LeftTop
                      : placements_[1]->GetValue() ? NewFramePlacement::Centre
                                                   : NewFramePlacement::Stretch;
        return c;
    }

private:
    wxRadioButton* keep_;
    wxRadioButton* resize_;
    wxRadioButton* placements_[3];
};

class FramesEditor : public StudioWindow {
public:
    FramesEditor(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed)
        : StudioWindow(studio, mainWindow, "Edit sprite frames", windowKey(sprite), WindowLock::AllOthers),
          sprite_(sprite), current_(firstFrameIndex(studio.project, sprite)) {
        whenClosed(std::move(closed));
        buildMenus();
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        auto* tools = new wxBoxSizer(wxHORIZONTAL);
        int x = 0;
        for (const FramesToolButton& b : framesEditorToolbar()) {
            // The toolbar keeps the gaps between its groups.
            if (b.x > x) tools->AddSpacer(b.x - x);
            auto* button = new IconButton(panel, commandId(b.command), iconOf(b.command), wxDefaultPosition,
                                          wxSize(25, 25), b.toolTip);
            button->Bind(wxEVT_BUTTON, [this, c = b.command](wxCommandEvent&) { run(c); });
            tools->Add(button);
            x = b.x + 25;
        }

        strip_ = new RegionCanvas(
            panel, wxSize(780, 440), 16,
            [this](Rect visible) { return renderFrameStrip(studio_.project, sprite_, current_, visible); }, "strip");
        strip_->onPress = [this](int px, int py) {
            const int frame = frameAtStripPoint(layoutFrameStrip(studio_.project, sprite_), px, py);
            if (frame < 0) return;
            current_ = frame;
            rebuildStrip();
        };
        auto* done = formButton(panel, "Done", wxSize(65, 25), "done");
        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { leave(); });

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(tools, 0, wxTOP | wxRIGHT, 10);  // the buttons' x include the left margin
        all->Add(strip_, 1, wxEXPAND | wxALL, 10);
        all->Add(done, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 10);
        // The desktop's client area leaves the menu bar out.
        layOutWindow(this, panel, all, wxSize(800, 560));
        CentreOnParent();
        rebuildStrip();
        Show();
        strip_->SetFocus();
    }

    // Every command of the menus and the toolbar.
    void run(FramesCommand c) {
        Project& p = studio_.project;
        Dialogs& dialogs = studio_.dialogs;
        switch (c) {
        case FramesCommand::NewSprite: {
            CreateSpriteDialog dialog(this, dialogs);
            if (dialog.ShowModal() != wxID_OK) break;
            if (std::string problem = createNewSprite(p, sprite_, dialog.width(), dialog.height(), current_);
                !problem.empty())
                dialogs.error(problem);
            break;
        }
        case FramesCommand::AddFrame:
            current_ = addNewFrameFromFile(p, dialogs, sprite_, current_, [this](const AddFrameQuestion& q) {
                AddFrameDialog dialog(this, q);
                return dialog.ShowModal() == wxID_OK ? std::optional(dialog.choice()) : std::nullopt;
            });
            break;
        case FramesCommand::SaveStrip: saveSpriteAsPngStrip(p, dialogs, sprite_, studio_.root); break;
        case FramesCommand::Duplicate: current_ = duplicateFrame(p, sprite_, current_); break;
        case FramesCommand::MoveLeft: current_ = moveFrameLeft(p, sprite_, current_); break;
        case FramesCommand::MoveRight: current_ = moveFrameRight(p, sprite_, current_); break;
        case FramesCommand::DeleteFrame: current_ = deleteFrame(p, sprite_, current_); break;
        default: {
            wxWeakRef<FramesEditor> self(this);
            openFrameTool(c, FrameToolCall{studio_, this, sprite_, current_, [self](int current) {
                                               if (!self || self->closing()) return;
                                               self->current_ = current;
                                               self->rebuildStrip();
                                           }});
            return;
        }
        }
        rebuildStrip();
    }

protected:
    // The frames changed in place already: the close box commits like " Done ".
    void onCloseBox() override { leave(); }

private:
    static int commandId(FramesCommand c) { return kFirstCommandId + int(c); }
    static wxBitmap iconOf(FramesCommand c) { return toBitmap(drawIcon(framesCommandIcon(c), 16)); }

    void buildMenus() {
        auto* bar = new wxMenuBar;
        wxMenu* menu = nullptr;
        std::string current;
        for (const FramesMenuEntry& e : framesEditorMenu()) {
            if (current != e.menu) {
                if (menu) bar->Append(menu, toWx(current));
                menu = new wxMenu;
                current = e.menu;
            }
            wxString caption = toWx(e.caption).BeforeFirst('\t');
            if (*e.shortcut) caption += "\t" + wxString(e.shortcut);
            auto* item = new wxMenuItem(menu, commandId(e.command), caption);
            item->SetBitmap(iconOf(e.command));
            menu->Append(item);
            if (e.separatorAfter) menu->AppendSeparator();
        }
        if (menu) bar->Append(menu, toWx(current));
        SetMenuBar(bar);
        showMenuPictures(*bar);
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) { run(FramesCommand(e.GetId() - kFirstCommandId)); },
             commandId(FramesCommand::NewSprite), commandId(FramesCommand::MakeOpaque));
    }

    void rebuildStrip() {
        const FrameStripLayout layout = layoutFrameStrip(studio_.project, sprite_);
        strip_->setCanvasSize({layout.innerWidth, layout.innerHeight});
        if (const StripCanvas* c = canvasOfFrame(layout, current_)) strip_->showArea({c->x, c->y, c->width, c->height});
    }

    void leave() {
        commitFrameEdits(studio_.project, sprite_);
        finish();
    }

    std::string sprite_;
    int current_;
    RegionCanvas* strip_ = nullptr;
};

} // namespace

void openFramesEditor(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed) {
    if (raiseStudioWindow(windowKey(sprite))) return;
    if (!studio.project.sprites.contains(sprite)) return;
    new FramesEditor(studio, mainWindow, sprite, std::move(closed));
}

wxFrame* findFramesEditor(const std::string& sprite) { return findStudioWindow(windowKey(sprite)); }

} // namespace pondaro::ui
