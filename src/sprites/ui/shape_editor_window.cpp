#include "sprites/ui/shape_editor_window.h"

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/slider.h>

#include "sprites/collision_editor.h"
#include "sprites/frames.h"
#include "sprites/sprite_preview.h"
#include "ui/form_layout.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& sprite) { return "sprite-shape:" + sprite; }

class ShapeEditorWindow : public StudioWindow {
public:
    ShapeEditorWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed)
        : StudioWindow(studio, mainWindow, toWx("Sprite collision shape editor - " + sprite), windowKey(sprite),
                       WindowLock::AllOthers, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER),
          sprite_(sprite) {
        whenClosed(std::move(closed));
        const Project& p = studio.project;
        const size_t i = index();
        const CollisionEditorState& st = p.sprites[i].shapeeditor;
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        auto* header = new wxBoxSizer(wxHORIZONTAL);
        auto* pointList = new wxStaticText(panel, wxID_ANY, "Point list");
        pointList->SetMinSize(wxSize(100, -1));
        header->Add(pointList, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
        header->Add(new wxStaticText(panel, wxID_ANY, toWx(shapeFrameCountText(p, i)), wxDefaultPosition,
                                     wxDefaultSize, 0, "frame-count"),
                    0, wxALIGN_CENTER_VERTICAL);
        header->AddStretchSpacer();
        // The frame buttons only when there is another frame to show.
        if (spriteFrameIndices(p, sprite).size() > 1) {
            auto* previous = new wxButton(panel, wxID_ANY, "<", wxDefaultPosition, wxSize(25, 25), wxBU_EXACTFIT,
                                          wxDefaultValidator, "previous");
            auto* next = new wxButton(panel, wxID_ANY, ">", wxDefaultPosition, wxSize(25, 25), wxBU_EXACTFIT,
                                      wxDefaultValidator, "next");
            header->Add(previous, 0, wxRIGHT, 5);
            header->Add(next);
            previous->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act(showPreviousShapeFrame); });
            next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act(showNextShapeFrame); });
        }

        auto* left = new wxBoxSizer(wxVERTICAL);
        list_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(100, 250), 0, nullptr, wxLB_SINGLE,
                              wxDefaultValidator, "points");
        left->Add(list_, 1, wxEXPAND | wxBOTTOM, 10);
        auto* remove = formButton(panel, "Delete", wxSize(100, 25), "delete");
        left->Add(remove, 0, wxEXPAND | wxBOTTOM, 5);
        snap_ = new wxCheckBox(panel, wxID_ANY, "Snap to grid", wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "snap");
        snap_->SetValue(st.snap);
        left->Add(snap_, 0, wxBOTTOM, 5);
        gridWidth_ = formField(panel, wxString::Format("%d", st.gridwidth), 30, "grid-width");
        gridHeight_ = formField(panel, wxString::Format("%d", st.gridheight), 30, "grid-height");
        left->Add(captionedRow(panel, "Width", 60, gridWidth_), 0, wxEXPAND | wxBOTTOM, 5);
        left->Add(captionedRow(panel, "Height", 60, gridHeight_), 0, wxEXPAND);

        auto* right = new wxBoxSizer(wxVERTICAL);
        canvas_ = new RegionCanvas(
            panel, wxSize(350, 350), 16,
            [this](Rect visible) {
                const size_t s = index();
                return s == Table<Sprite>::npos ? Image(visible.width, visible.height)
                                                : renderShapeCanvas(studio_.project, s, visible);
            },
            "canvas");
        right->Add(canvas_, 1, wxEXPAND);
        zoom_ = new wxSlider(panel, wxID_ANY, st.zoom, 1, 8, wxDefaultPosition, wxSize(270, -1),
                             wxSL_HORIZONTAL | wxSL_AUTOTICKS, wxDefaultValidator, "zoom");
        zoom_->SetTickFreq(1);
        right->Add(captionedRow(panel, "Zoom", 50, zoom_), 0, wxEXPAND | wxTOP, 5);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(left, 0, wxEXPAND | wxRIGHT, 10);
        columns->Add(right, 1, wxEXPAND);
        auto* done = formButton(panel, " Done ", wxSize(65, 25), "done");

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(header, 0, wxEXPAND | wxALL, 10);
        all->Add(columns, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
        all->Add(done, 0, wxALIGN_RIGHT | wxALL, 10);
        layOutWindow(this, panel, all, wxSize(480, 480));

        canvas_->onPress = [this](int x, int y) { act([&](Project& pr, size_t s) { pressShapeCanvas(pr, s, x, y); }); };
        canvas_->onDrag = [this](int x, int y) { act([&](Project& pr, size_t s) { dragShapeCanvas(pr, s, x, y); }); };
        canvas_->onRelease = [this](int, int) { act(releaseShapeCanvas); };
        list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
            act([&](Project& pr, size_t s) { selectVertexRow(pr, s, list_->GetSelection()); });
        });
        remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act(deleteSelectedVertex); });
        snap_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            act([&](Project& pr, size_t s) { setShapeSnap(pr, s, snap_->GetValue()); });
        });
        for (wxTextCtrl* field : {gridWidth_, gridHeight_}) {
            field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
                act([&](Project& pr, size_t s) {
                    setShapeGrid(pr, s, fromWx(gridWidth_->GetValue()), fromWx(gridHeight_->GetValue()));
                });
            });
        }
        zoom_->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) {
            act([&](Project& pr, size_t s) { setShapeZoom(pr, s, zoom_->GetValue()); });
        });
        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(); });

        CentreOnParent();
        showPoints();
        repaint();
        Show();
        startTimer(previewInterval(p.sprites[i].spritewindow.speed), [this] { repaint(); });
    }

private:
    size_t index() const { return studio_.project.sprites.find(sprite_); }

    // Runs a core operation on the sprite, then shows the points and the canvas anew.
    template <class Operation>
    void act(Operation operation) {
        const size_t i = index();
        if (i == Table<Sprite>::npos) return;
        operation(studio_.project, i);
        showPoints();
        repaint();
    }

    void showPoints() {
        const size_t i = index();
        if (i == Table<Sprite>::npos) return;
        const std::vector<std::string> rows = vertexListRows(studio_.project, i);
        bool same = list_->GetCount() == rows.size();
        for (size_t r = 0; same && r < rows.size(); ++r) same = list_->GetString(unsigned(r)) == toWx(rows[r]);
        if (!same) {
            wxArrayString items;
            for (const std::string& r : rows) items.Add(toWx(r));
            list_->Set(items);
        }
        const int selected = studio_.project.sprites[i].shapeeditor.selectedrow;
        if (selected >= 0 && selected < int(rows.size())) list_->SetSelection(selected);
        else list_->SetSelection(wxNOT_FOUND);
    }

    // The window's timer, and every change: the canvas takes the shown frame's size at
    // the zoom and is drawn again.
    void repaint() {
        const size_t i = index();
        if (i == Table<Sprite>::npos || closing()) return;
        canvas_->setCanvasSize({shapeCanvasWidth(studio_.project, i), shapeCanvasHeight(studio_.project, i)});
    }

    std::string sprite_;
    wxListBox* list_ = nullptr;
    wxCheckBox* snap_ = nullptr;
    wxTextCtrl* gridWidth_ = nullptr;
    wxTextCtrl* gridHeight_ = nullptr;
    RegionCanvas* canvas_ = nullptr;
    wxSlider* zoom_ = nullptr;
};

} // namespace

void openShapeEditor(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed) {
    if (raiseStudioWindow(windowKey(sprite))) return;
    const size_t index = studio.project.sprites.find(sprite);
    if (index == Table<Sprite>::npos || !mayOpenShapeEditor(studio.project, index, studio.dialogs)) return;
    new ShapeEditorWindow(studio, mainWindow, sprite, std::move(closed));
}

wxFrame* findShapeEditor(const std::string& sprite) { return findStudioWindow(windowKey(sprite)); }

} // namespace pondaro::ui
