#include "scene/ui/scene_window.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include <wx/bmpbuttn.h>
#include <wx/bmpcbox.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/tglbtn.h>

#include "base/integer_reader.h"
#include "code/ui/code_windows.h"
#include "scene/scene_canvas.h"
#include "scene/scene_layers.h"
#include "scene/scene_pictures.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "scene/tile_picker.h"
#include "scene/ui/pointer_canvas.h"
#include "scene/ui/scene_dialogs.h"
#include "ui/form_layout.h"
#include "ui/icon_button.h"
#include "ui/picture_box.h"
#include "ui/studio_window.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& scene) { return "scene:" + scene; }
wxString windowTitle(const std::string& scene) { return toWx("Scene properties - " + scene); }

constexpr int kRedrawMs = 50;
constexpr int kIconSize = 16;
constexpr int kTabsWidth = 300;

wxColour colourOf(int c) { return wxColour(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

std::optional<CanvasKey> canvasKey(int code) {
    switch (code) {
    case WXK_SPACE: return CanvasKey::Space;
    case WXK_ESCAPE: return CanvasKey::Escape;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: return CanvasKey::Left;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: return CanvasKey::Right;
    case WXK_UP:
    case WXK_NUMPAD_UP: return CanvasKey::Up;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: return CanvasKey::Down;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE: return CanvasKey::Delete;
    default: return std::nullopt;
    }
}

// The instance list: a virtual list that asks core for the rows it shows.
class InstanceList : public wxListCtrl {
public:
    InstanceList(wxWindow* parent, const Project& project, const SceneEditor& editor)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxSize(kTabsWidth - 20, 150),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_HEADER | wxBORDER_THEME, wxDefaultValidator, "instances"),
          project_(project), editor_(editor) {
        AppendColumn("");
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            SetColumnWidth(0, std::max(50, GetClientSize().x));
            e.Skip();
        });
    }

    // The rows again: their count, their texts, and the selection as the records hold it.
    // The cost follows the rows whose selection changed and the rows in view, not the
    // length of the list: asking the control whether each row is selected costs a
    // search of its selection per row, so the rows it shows selected are kept here.
    void refresh() {
        const long count = long(instanceRowCount(project_, editor_));
        if (GetItemCount() != count) {
            SetItemCount(count);
            // The control forgets the selection of rows past the end.
            shown_.erase(std::lower_bound(shown_.begin(), shown_.end(), count), shown_.end());
        }
        // A selection made in the list and not yet taken by the records: read it back.
        if (size_t(GetSelectedItemCount()) != shown_.size()) shown_ = selectedRows();
        const std::vector<size_t> wanted = selectedInstanceRows(project_, editor_);
        // Only the rows whose selection differs are touched: both lists are ascending.
        size_t w = 0, s = 0;
        while (w < wanted.size() || s < shown_.size()) {
            if (s == shown_.size() || (w < wanted.size() && long(wanted[w]) < shown_[s])) {
                SetItemState(long(wanted[w++]), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            } else if (w == wanted.size() || shown_[s] < long(wanted[w])) {
                SetItemState(shown_[s++], 0, wxLIST_STATE_SELECTED);
            } else {
                ++w, ++s;
            }
        }
        shown_.assign(wanted.begin(), wanted.end());
        // Only the rows in view are drawn again, each read from the records.
        Refresh();
    }

    // The table indexes of the instances whose rows are selected, as the user left them.
    std::vector<size_t> selectedIndexes() {
        shown_ = selectedRows();
        std::vector<size_t> indexes;
        for (long row : shown_) indexes.push_back(instanceRowAt(project_, editor_, size_t(row)).index);
        return indexes;
    }

private:
    wxString OnGetItemText(long row, long) const override {
        return toWx(instanceRowAt(project_, editor_, size_t(row)).text);
    }

    std::vector<long> selectedRows() const {
        std::vector<long> rows;
        for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
             row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
            rows.push_back(row);
        return rows;
    }

    const Project& project_;
    const SceneEditor& editor_;
    // The rows the control shows selected, ascending.
    std::vector<long> shown_;
};

class SceneWindow : public StudioWindow {
public:
    SceneWindow(Studio& studio, wxWindow* mainWindow, const std::string& scene, std::function<void()> rebuildPanel)
        : StudioWindow(studio, mainWindow, windowTitle(scene), windowKey(scene), WindowLock::None),
          mainWindow_(mainWindow), rebuildPanel_(std::move(rebuildPanel)),
          editor_(openEditor(studio, scene)) {
        whenClosed(rebuildPanel_);
        const Scene& s = *editedScene(project(), editor_);
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        // Left: "Done" and the name above the tabs.
        auto* left = new wxBoxSizer(wxVERTICAL);
        auto* top = new wxBoxSizer(wxHORIZONTAL);
        auto* done = formButton(panel, "Done", wxSize(65, 25), "done");
        name_ = formField(panel, toWx(s.name), 100, "name");
        top->Add(done, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        top->Add(name_, 1, wxALIGN_CENTER_VERTICAL);
        left->Add(top, 0, wxEXPAND | wxBOTTOM, 5);
        tabs_ = new wxNotebook(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, "tabs");
        tabs_->AddPage(buildSettings(tabs_, s), "Settings");
        tabs_->AddPage(buildObjects(tabs_), "Objects");
        tabs_->AddPage(buildBackground(tabs_, s), "Background");
        tabs_->AddPage(buildTiles(tabs_), "Tiles");
        // Wide enough for the four tabs side by side: the desktop's tabs take more room
        // than the 300 pixels the pages need.
        tabs_->SetMinSize(wxSize(std::max(kTabsWidth, tabs_->GetBestSize().x), -1));
        left->Add(tabs_, 1, wxEXPAND);

        // Right: the tool row above the canvas.
        auto* right = new wxBoxSizer(wxVERTICAL);
        right->Add(buildToolRow(panel, s), 0, wxEXPAND | wxBOTTOM, 5);
        canvas_ = new PointerCanvas(
            panel, wxSize(1024 - 330, 668 - 60), 20,
            [this](Rect visible, Image& picture) {
                // The picture of the last drawing is drawn over: no new one each time.
                CanvasPicture drawn{std::move(picture)};
                renderScene(project(), editor_, visible, drawn);
                picture = std::move(drawn.image);
            },
            "canvas");
        right->Add(canvas_, 1, wxEXPAND);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(left, 0, wxEXPAND | wxALL, 5);
        columns->Add(right, 1, wxEXPAND | wxTOP | wxRIGHT | wxBOTTOM, 5);
        layOutWindow(this, panel, columns, wxSize(1024, 668));

        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { commit(true); });
        bindCanvas();
        tabs_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& e) {
            editor_.tab = SceneTab(std::clamp(e.GetSelection(), 0, 3));
            showBulkButtons();
            redrawSoon();
        });
        resources_ = studio.resourcesChanged.subscribe([this] { resourcesChanged(); });

        fillBoxes();
        chooseTileImage(project(), editor_, studio_.root, fromWx(tileImage_->GetStringSelection()));
        showPicker();
        refreshList();
        showCanvasSize();
        showBulkButtons();
        CentreOnScreen();
        Show();
        tick();
        startTimer(kRedrawMs, [this] { tick(); });
    }

    // The pre-save commit: the fields go into the project, the window stays open.
    void commitBeforeSave() override { commit(false); }

private:
    static SceneEditor openEditor(Studio& studio, const std::string& scene) {
        ensureDefaultLayer(studio.project, scene);
        return openSceneEditor(studio.project, studio.root, scene);
    }

    Project& project() { return studio_.project; }
    const Scene* scene() const { return editedScene(studio_.project, editor_); }

    // ---- Building ------------------------------------------------------------------

    wxTextCtrl* numberField(wxWindow* parent, int value, const wxString& name) {
        return formField(parent, wxString::Format("%d", value), 50, name, true);
    }

    static wxBoxSizer* pair(wxTextCtrl* a, wxTextCtrl* b) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(a, 1, wxRIGHT, 5);
        row->Add(b, 1);
        return row;
    }

    // Two columns: each caption beside its control, the controls taking the width left.
    static wxFlexGridSizer* captionGrid(wxWindow* page, std::initializer_list<std::pair<const char*, wxWindow*>> rows) {
        auto* grid = new wxFlexGridSizer(2, 8, 8);
        grid->AddGrowableCol(1);
        for (const auto& [caption, control] : rows) {
            grid->Add(new wxStaticText(page, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
            grid->Add(control, 1, wxEXPAND);
        }
        return grid;
    }

    wxWindow* buildSettings(wxWindow* book, const Scene& s) {
        auto* page = new wxPanel(book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "settings");
        auto* grid = new wxFlexGridSizer(2, 8, 8);
        grid->AddGrowableCol(1);
        auto row = [&](const wxString& caption, wxSizer* control) {
            grid->Add(new wxStaticText(page, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
            grid->Add(control, 1, wxEXPAND);
        };
        auto one = [](wxWindow* w) {
            auto* sizer = new wxBoxSizer(wxHORIZONTAL);
            sizer->Add(w, 1);
            return sizer;
        };
        width_ = numberField(page, s.width, "width");
        height_ = numberField(page, s.height, "height");
        row("Scene size (W/H)", pair(width_, height_));
        viewportWidth_ = numberField(page, s.viewportwidth, "viewport-width");
        viewportHeight_ = numberField(page, s.viewportheight, "viewport-height");
        row("Viewport size (W/H)", pair(viewportWidth_, viewportHeight_));
        follow_ = new wxBitmapComboBox(page, wxID_ANY, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr,
                                       wxCB_READONLY, wxDefaultValidator, "follow");
        row("Object to follow", one(follow_));
        marginX_ = numberField(page, s.viewportxborder, "margin-x");
        marginY_ = numberField(page, s.viewportyborder, "margin-y");
        row("Follow margin (X/Y)", pair(marginX_, marginY_));
        speed_ = numberField(page, s.speed, "speed");
        row("Speed", one(speed_));
        keywords_ = formField(page, toWx(s.keywords), 150, "keywords");
        row("Keywords", one(keywords_));
        auto* code = formButton(page, "Scene code...", wxSize(100, 25), "scene-code");

        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(grid, 0, wxEXPAND | wxALL, 10);
        content->Add(code, 0, wxLEFT | wxRIGHT, 10);
        page->SetSizer(content);

        for (wxTextCtrl* f : {width_, height_}) {
            f->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { sceneSizeTyped(); });
            f->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
                sceneSizeTyped();
                e.Skip();
            });
        }
        code->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { openSceneCodeEditor(studio_, this, editor_.scene); });
        return page;
    }

    wxWindow* buildObjects(wxWindow* book) {
        auto* page = new wxPanel(book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "objects");
        objectAction_ = new wxBitmapComboBox(page, wxID_ANY, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr,
                                             wxCB_READONLY, wxDefaultValidator, "object-action");
        objectAction_->Append("Place objects", toBitmap(objectActionIcon(ObjectAction::Place)));
        objectAction_->Append("Select objects", toBitmap(objectActionIcon(ObjectAction::Select)));
        objectAction_->Append("Remove objects", toBitmap(objectActionIcon(ObjectAction::Remove)));
        objectAction_->SetSelection(0);
        toPlace_ = new wxBitmapComboBox(page, wxID_ANY, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr,
                                        wxCB_READONLY, wxDefaultValidator, "object-to-place");
        placePicture_ = new PictureBox(page, wxDefaultPosition, wxSize(100, 100));
        placePicture_->SetName("place-picture");
        placePicture_->SetMinSize(wxSize(102, 102));
        auto* edit = formButton(page, "Edit selected instance...", wxSize(150, 25), "edit-instance");
        list_ = new InstanceList(page, studio_.project, editor_);

        auto* grid = captionGrid(page, {{"Action", objectAction_}, {"Object to place", toPlace_}});
        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(grid, 0, wxEXPAND | wxALL, 10);
        content->Add(placePicture_, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT, 10);
        content->Add(edit, 0, wxEXPAND | wxALL, 10);
        content->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        page->SetSizer(content);

        objectAction_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
            editor_.objectAction = ObjectAction(std::clamp(objectAction_->GetSelection(), 0, 2));
            redrawSoon();
        });
        toPlace_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { objectToPlaceChosen(); });
        edit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { editSelectedInstance(); });
        auto takeSelection = [this](wxListEvent&) {
            // A range picked with Shift sends one event per row: take them all at once.
            if (refreshingList_ || listSelectionPending_) return;
            listSelectionPending_ = true;
            CallAfter([this] { takeListSelection(); });
        };
        list_->Bind(wxEVT_LIST_ITEM_SELECTED, takeSelection);
        list_->Bind(wxEVT_LIST_ITEM_DESELECTED, takeSelection);
        return page;
    }

    wxWindow* buildBackground(wxWindow* book, const Scene& s) {
        auto* page = new wxPanel(book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "background");
        // A swatch rather than a text field: it shows the colour and takes no focus.
        colour_ = new wxWindow(page, wxID_ANY, wxDefaultPosition, wxSize(100, 25), wxBORDER_SUNKEN, "colour");
        auto* chooseColour = new wxButton(page, wxID_ANY, "...", wxDefaultPosition, wxSize(30, 25), wxBU_EXACTFIT,
                                          wxDefaultValidator, "choose-colour");
        backgroundImage_ = new wxChoice(page, wxID_ANY, wxDefaultPosition, wxSize(150, -1), 0, nullptr, 0,
                                        wxDefaultValidator, "background-image");
        const struct {
            BackgroundFlag flag;
            const char* caption;
            const char* name;
        } flags[] = {{BackgroundFlag::TileHorizontally, "Tile horizontally", "tile-x"},
                     {BackgroundFlag::TileVertically, "Tile vertically", "tile-y"},
                     {BackgroundFlag::Stretch, "Stretch", "stretch"}};

        auto* grid = new wxFlexGridSizer(2, 8, 8);
        grid->AddGrowableCol(1);
        grid->Add(new wxStaticText(page, wxID_ANY, "Background color"), 0, wxALIGN_CENTER_VERTICAL);
        auto* colourRow = new wxBoxSizer(wxHORIZONTAL);
        colourRow->Add(colour_, 1, wxEXPAND | wxRIGHT, 5);
        colourRow->Add(chooseColour, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(colourRow, 1, wxEXPAND);
        grid->Add(new wxStaticText(page, wxID_ANY, "Background image"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(backgroundImage_, 1, wxEXPAND);
        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(grid, 0, wxEXPAND | wxALL, 10);
        for (const auto& f : flags) {
            auto* box = new wxCheckBox(page, wxID_ANY, f.caption, wxDefaultPosition, wxDefaultSize, 0,
                                       wxDefaultValidator, f.name);
            box->SetValue(backgroundFlag(s, f.flag));
            content->Add(box, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
            box->Bind(wxEVT_CHECKBOX, [this, box, flag = f.flag](wxCommandEvent&) {
                setBackgroundFlag(project(), editor_, flag, box->GetValue());
                redrawSoon();
            });
        }
        page->SetSizer(content);
        showColour();

        chooseColour->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (chooseSceneColour(project(), editor_, studio_.dialogs)) showColour();
            redrawSoon();
        });
        backgroundImage_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            chooseBackground(project(), editor_, studio_.root, fromWx(backgroundImage_->GetStringSelection()));
            redrawSoon();
        });
        return page;
    }

    wxWindow* buildTiles(wxWindow* book) {
        auto* page = new wxPanel(book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "tiles");
        tileImage_ = new wxChoice(page, wxID_ANY, wxDefaultPosition, wxSize(150, -1), 0, nullptr, 0,
                                  wxDefaultValidator, "tile-image");
        tileAction_ = new wxBitmapComboBox(page, wxID_ANY, "", wxDefaultPosition, wxSize(150, -1), 0, nullptr,
                                           wxCB_READONLY, wxDefaultValidator, "tile-action");
        tileAction_->Append("Place tiles", toBitmap(tileActionIcon(TileAction::Place)));
        tileAction_->Append("Select tiles", toBitmap(tileActionIcon(TileAction::Select)));
        tileAction_->Append("Remove tiles", toBitmap(tileActionIcon(TileAction::Remove)));
        tileAction_->SetSelection(0);
        picker_ = new PointerCanvas(
            page, wxSize(270, 360), 16,
            [this](Rect visible) {
                const std::optional<CanvasPicture> picture = renderTilePicker(editor_, visible);
                return picture ? picture->image : Image();
            },
            "picker");
        layers_ = new wxChoice(page, wxID_ANY, wxDefaultPosition, wxSize(100, -1), 0, nullptr, 0,
                               wxDefaultValidator, "layer");
        auto* add = formButton(page, "Add", wxSize(50, 25), "add-layer");
        auto* remove = formButton(page, "Delete", wxSize(50, 25), "delete-layer");
        auto* change = formButton(page, "Change...", wxSize(65, 25), "change-layer");
        selectedTile_ = new PictureBox(page, wxDefaultPosition, wxSize(100, 100));
        selectedTile_->SetName("selected-tile");
        selectedTile_->SetMinSize(wxSize(102, 102));

        auto* grid = captionGrid(page, {{"Tile image", tileImage_}, {"Action", tileAction_}});
        auto* layerRow = new wxBoxSizer(wxHORIZONTAL);
        layerRow->Add(new wxStaticText(page, wxID_ANY, "Layer"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        layerRow->Add(layers_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
        layerRow->Add(add, 0, wxRIGHT, 3);
        layerRow->Add(remove, 0, wxRIGHT, 3);
        layerRow->Add(change);
        auto* tileRow = new wxBoxSizer(wxHORIZONTAL);
        tileRow->Add(new wxStaticText(page, wxID_ANY, "Selected tile"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        tileRow->Add(selectedTile_);
        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(grid, 0, wxEXPAND | wxALL, 10);
        content->Add(picker_, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
        content->Add(layerRow, 0, wxEXPAND | wxALL, 10);
        content->Add(tileRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
        page->SetSizer(content);

        tileImage_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            chooseTileImage(project(), editor_, studio_.root, fromWx(tileImage_->GetStringSelection()));
            showPicker();
        });
        tileAction_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
            editor_.tileAction = TileAction(std::clamp(tileAction_->GetSelection(), 0, 2));
            redrawSoon();
        });
        picker_->onPointer = [this](const PointerEvent& e) { pickerPointer(e); };
        layers_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            setCurrentLayer(editor_, fromWx(layers_->GetStringSelection()));
            redrawSoon();
        });
        add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { addLayerDialog(); });
        remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (deleteLayer(project(), editor_, studio_.dialogs)) fillLayers();
            redrawSoon();
        });
        change->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { changeLayerDialog(); });
        return page;
    }

    wxSizer* buildToolRow(wxWindow* parent, const Scene& s) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        newButton_ = new IconButton(parent, wxID_ANY, toBitmap(toolIcon(SceneTool::New)), wxDefaultPosition,
                                    wxSize(25, 25), "New");
        newButton_->SetName("new");
        shiftButton_ = new IconButton(parent, wxID_ANY, toBitmap(toolIcon(SceneTool::Shift)), wxDefaultPosition,
                                      wxSize(25, 25), "Shift objects");
        shiftButton_->SetName("shift");
        grid_ = new wxBitmapToggleButton(parent, wxID_ANY, toBitmap(toolIcon(SceneTool::Grid)), wxDefaultPosition,
                                         wxDefaultSize, 0, wxDefaultValidator, "grid");
        grid_->SetToolTip("Toggle show / hide the grid");
        grid_->SetValue(s.showgrid != 0);
        snap_ = new wxBitmapToggleButton(parent, wxID_ANY, toBitmap(toolIcon(SceneTool::Snap)), wxDefaultPosition,
                                         wxDefaultSize, 0, wxDefaultValidator, "snap");
        snap_->SetToolTip("Toggle snap / don't snap objects to grid");
        snap_->SetValue(s.snap != 0);
        gridSize_ = formField(parent, wxString::Format("%d", s.gridsize), 40, "grid-size", true);
        showObjects_ = new wxCheckBox(parent, wxID_ANY, "Show objects", wxDefaultPosition, wxDefaultSize, 0,
                                      wxDefaultValidator, "show-objects");
        showObjects_->SetValue(s.showobjects != 0);
        showTiles_ = new wxCheckBox(parent, wxID_ANY, "Show tiles", wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "show-tiles");
        showTiles_->SetValue(s.showtiles != 0);
        status_ = new wxStaticText(parent, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE,
                                   "status");

        row->Add(newButton_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
        row->Add(shiftButton_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
        row->Add(grid_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
        row->Add(snap_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        row->Add(new wxStaticText(parent, wxID_ANY, "Size"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
        row->Add(gridSize_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
        row->Add(showObjects_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        row->Add(showTiles_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
        row->Add(status_, 1, wxALIGN_CENTER_VERTICAL);

        newButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (clearScene(project(), editor_, studio_.dialogs)) refreshList();
            redrawSoon();
        });
        shiftButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { shiftDialog(); });
        grid_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
            setEditorFlag(project(), editor_, EditorFlag::ShowGrid, grid_->GetValue());
        });
        snap_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
            setEditorFlag(project(), editor_, EditorFlag::Snap, snap_->GetValue());
        });
        showObjects_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            setEditorFlag(project(), editor_, EditorFlag::ShowObjects, showObjects_->GetValue());
        });
        showTiles_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            setEditorFlag(project(), editor_, EditorFlag::ShowTiles, showTiles_->GetValue());
        });
        gridSize_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            setGridSize(project(), editor_, fromWx(gridSize_->GetValue()));
        });
        gridSize_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
            if (!closing()) setGridSize(project(), editor_, fromWx(gridSize_->GetValue()));
            e.Skip();
        });
        return row;
    }

    void bindCanvas() {
        canvas_->onPointer = [this](const PointerEvent& e) { canvasPointer(e); };
        canvas_->onKey = [this](int code) {
            const std::optional<CanvasKey> key = canvasKey(code);
            if (!key) return false;
            keyDown(project(), editor_, studio_.dialogs, *key);
            if (editor_.tab == SceneTab::Objects) refreshList();
            return true;
        };
    }

    // ---- The boxes -----------------------------------------------------------------

    // Refills a box with the names, keeping the chosen one when it is still there.
    template <class Box>
    static void refill(Box* box, const std::vector<std::string>& names, bool emptyRow, const std::string& keep) {
        box->Freeze();
        box->Clear();
        if (emptyRow) box->Append("");
        for (const std::string& n : names) box->Append(toWx(n));
        const int at = box->FindString(toWx(keep), true);
        box->SetSelection(at != wxNOT_FOUND ? at : (box->GetCount() > 0 ? 0 : wxNOT_FOUND));
        box->Thaw();
    }

    void refillTemplates(wxBitmapComboBox* box, bool emptyRow, const std::string& keep) {
        box->Freeze();
        box->Clear();
        if (emptyRow) box->Append("", toBitmap(Image(kIconSize, kIconSize)));
        for (const std::string& n : templateChoices(project()))
            box->Append(toWx(n), toBitmap(templateIcon(project(), n, kIconSize)));
        const int at = box->FindString(toWx(keep), true);
        box->SetSelection(at != wxNOT_FOUND ? at : (emptyRow ? 0 : wxNOT_FOUND));
        box->Thaw();
    }

    void fillBoxes() {
        const Scene* s = scene();
        const std::string follow = follow_->GetCount() ? fromWx(follow_->GetStringSelection())
                                                       : (s ? s->viewportobject : std::string());
        refillTemplates(follow_, true, follow);
        if (follow_->GetStringSelection() != toWx(follow) && !follow.empty()) {
            // A followed object that is no template (any more) stays as it is until
            // another is chosen.
            follow_->Append(toWx(follow), toBitmap(Image(kIconSize, kIconSize)));
            follow_->SetSelection(int(follow_->GetCount()) - 1);
        }
        refillTemplates(toPlace_, false, editor_.objectToPlace);
        refill(backgroundImage_, backgroundChoices(project()), true, s ? s->background : std::string());
        refill(tileImage_, backgroundChoices(project()), false, editor_.tileImage);
        fillLayers();
        showPlacePicture();
    }

    void fillLayers() {
        std::vector<std::string> depths;
        for (int d : layerDepths(project(), editor_.scene)) depths.push_back(std::to_string(d));
        refill(layers_, depths, false, std::to_string(editor_.currentLayer));
        setCurrentLayer(editor_, fromWx(layers_->GetStringSelection()));
    }

    // Records were added, renamed or removed elsewhere: the boxes follow, and the
    // canvas pictures are made again from the frames.
    void resourcesChanged() {
        if (closing() || !scene()) return;
        refreshSceneWindow(project(), editor_);
        const std::string tileImage = editor_.tileImage;
        fillBoxes();
        const std::string chosen = fromWx(tileImage_->GetStringSelection());
        if (chosen != tileImage) {
            chooseTileImage(project(), editor_, studio_.root, chosen);
            showPicker();
        }
        refreshList();
        redrawSoon();
    }

    // ---- Showing -------------------------------------------------------------------

    void showColour() {
        if (const Scene* s = scene()) {
            colour_->SetBackgroundColour(colourOf(sceneColour(*s)));
            colour_->Refresh();
        }
    }

    void showPlacePicture() {
        placePicture_->setPicture(toBitmap(objectToPlacePicture(editor_)), !editor_.placePreview);
    }

    void showPicker() {
        picker_->setCanvasSize({editor_.pickerWidth, editor_.pickerHeight});
        selectedTile_->setPicture(toBitmap(selectedTilePreview(editor_)), false);
        tileAction_->SetSelection(int(editor_.tileAction));
    }

    void showCanvasSize() {
        if (const Scene* s = scene()) canvas_->setCanvasSize({s->width, s->height});
    }

    void showBulkButtons() {
        const bool shown = showsBulkButtons(editor_);
        if (newButton_->IsShown() == shown && shiftButton_->IsShown() == shown) return;
        newButton_->Show(shown);
        shiftButton_->Show(shown);
        newButton_->GetParent()->Layout();
    }

    void refreshList() {
        refreshingList_ = true;
        list_->refresh();
        refreshingList_ = false;
        listVersion_ = project().objects.version();
    }

    // Draws at the next tick whatever the canvas state says.
    void redrawSoon() { redrawPending_ = true; }

    // The redraw tick: the canvas is drawn again only when what it shows changed.
    void tick() {
        if (closing() || !scene()) return;
        if (project().objects.version() != listVersion_) refreshList();
        const CanvasState now = canvasState(project(), editor_);
        if (now == drawn_ && !redrawPending_) return;
        drawn_ = now;
        redrawPending_ = false;
        const wxString status = toWx(sceneStatusText(project(), editor_));
        if (status_->GetLabel() != status) status_->SetLabel(status);
        canvas_->redraw();
        ++redraws_;
    }

    // ---- Canvas and picker ---------------------------------------------------------

    void canvasPointer(const PointerEvent& e) {
        Project& p = project();
        bool listChanged = false;
        switch (e.kind) {
        case PointerEvent::Kind::Enter: pointerEntered(editor_); break;
        case PointerEvent::Kind::Leave: pointerLeft(editor_); break;
        case PointerEvent::Kind::Move:
            pointerMoved(editor_, e.x, e.y);
            if (e.leftHeld) listChanged = paintStep(p, editor_, e.x, e.y, e.modifiers);
            break;
        case PointerEvent::Kind::LeftDown:
        case PointerEvent::Kind::RightDown:
            pointerMoved(editor_, e.x, e.y);
            listChanged = paintStep(p, editor_, e.x, e.y, e.modifiers);
            break;
        case PointerEvent::Kind::LeftUp:
            listChanged = leftClick(p, editor_, e.x, e.y, e.modifiers);
            if (editor_.tab == SceneTab::Objects) listChanged = true;
            break;
        }
        if (listChanged) refreshList();
    }

    void pickerPointer(const PointerEvent& e) {
        if (e.kind == PointerEvent::Kind::Enter || e.kind == PointerEvent::Kind::Leave) return;
        const bool held = e.kind == PointerEvent::Kind::LeftDown || (e.kind == PointerEvent::Kind::Move && e.leftHeld);
        const TileSelection before = editor_.tileSelection;
        const bool dragging = editor_.dragStart.has_value();
        tilePickerEvent(project(), editor_, studio_.root, e.x, e.y, held, e.modifiers);
        if (editor_.tileSelection != before || dragging != editor_.dragStart.has_value() || held) {
            showPicker();
            picker_->redraw();
            redrawSoon();
        }
    }

    // ---- Fields --------------------------------------------------------------------

    void sceneSizeTyped() {
        if (closing()) return;
        resizeCanvas(project(), editor_, fromWx(width_->GetValue()), fromWx(height_->GetValue()));
        showCanvasSize();
    }

    void objectToPlaceChosen() {
        chooseObjectToPlace(project(), editor_, fromWx(toPlace_->GetStringSelection()));
        objectAction_->SetSelection(int(editor_.objectAction));
        showPlacePicture();
        redrawSoon();
    }

    void takeListSelection() {
        listSelectionPending_ = false;
        if (closing() || !scene()) return;
        selectInstanceRows(project(), editor_, list_->selectedIndexes());
        listVersion_ = project().objects.version();
    }

    SceneFields fields() const {
        SceneFields f;
        f.name = fromWx(name_->GetValue());
        f.width = fromWx(width_->GetValue());
        f.height = fromWx(height_->GetValue());
        f.viewportwidth = fromWx(viewportWidth_->GetValue());
        f.viewportheight = fromWx(viewportHeight_->GetValue());
        f.viewportobject = fromWx(follow_->GetStringSelection());
        f.viewportxborder = fromWx(marginX_->GetValue());
        f.viewportyborder = fromWx(marginY_->GetValue());
        f.speed = fromWx(speed_->GetValue());
        f.keywords = fromWx(keywords_->GetValue());
        f.background = fromWx(backgroundImage_->GetStringSelection());
        return f;
    }

    // "Done" (closing) and the pre-save commit.
    void commit(bool closing) {
        if (!scene()) {
            if (closing) finish();
            return;
        }
        if (!commitScene(project(), studio_.dialogs, studio_.root, editor_, fields(), closing)) return;
        if (closing) {
            finish();
            return;
        }
        // A new name: the window follows it.
        setKey(windowKey(editor_.scene));
        SetTitle(windowTitle(editor_.scene));
    }

    // ---- Dialogs -------------------------------------------------------------------

    void editSelectedInstance() {
        const std::optional<size_t> index = firstSelectedInstance(project(), editor_);
        if (!index) return;
        const GameObject& o = project().objects[*index];
        const InstanceFields now = instanceFieldsOf(o);
        FieldsDialog dialog(this, toWx(instanceDialogTitle(o)),
                            {{"X", toWx(now.x), "x"},
                             {"Y", toWx(now.y), "y"},
                             {"Direction", toWx(now.direction), "direction"},
                             {"Image angle", toWx(now.image_angle), "image-angle"}},
                            "",
                            [&](const std::vector<std::string>& t, bool) {
                                commitInstance(project(), editor_, *index, {t[0], t[1], t[2], t[3]});
                                return true;
                            },
                            wxSize(280, 220));
        dialog.ShowModal();
        refreshList();
        redrawSoon();
    }

    void shiftDialog() {
        const Scene* s = scene();
        if (!s || !showsBulkButtons(editor_)) return;
        const wxString step = wxString::Format("%d", s->gridsize);
        FieldsDialog dialog(this, toWx(shiftDialogTitle(editor_)),
                            {{"Horizontal", step, "horizontal"}, {"Vertical", step, "vertical"}},
                            shiftDialogHasAllLayers(editor_) ? "In all layer" : "",
                            [&](const std::vector<std::string>& t, bool all) {
                                shiftRecords(project(), editor_, t[0], t[1], all);
                                return true;
                            },
                            wxSize(220, 150));
        dialog.ShowModal();
        if (mainWindow_) mainWindow_->Raise();
        Raise();
        refreshList();
        redrawSoon();
    }

    void addLayerDialog() {
        FieldsDialog dialog(this, "Add a new tile layer",
                            {{"Depth", wxString::Format("%d", editor_.currentLayer), "depth"}}, "",
                            [&](const std::vector<std::string>& t, bool) {
                                return addLayer(project(), editor_, studio_.dialogs, t[0]);
                            },
                            wxSize(220, 110));
        dialog.ShowModal();
        fillLayers();
        redrawSoon();
    }

    void changeLayerDialog() {
        if (!layerToChange(project(), editor_)) return;
        FieldsDialog dialog(this, "Change the depth of a tile layer",
                            {{"Depth", wxString::Format("%d", editor_.currentLayer), "depth"}}, "",
                            [&](const std::vector<std::string>& t, bool) {
                                changeLayerDepth(project(), editor_, t[0]);
                                return true;
                            },
                            wxSize(220, 110));
        dialog.ShowModal();
        fillLayers();
        redrawSoon();
    }

    wxWindow* mainWindow_;
    std::function<void()> rebuildPanel_;
    SceneEditor editor_;
    Notification::Subscription resources_;
    CanvasState drawn_;
    bool redrawPending_ = true;
    uint64_t listVersion_ = 0;
    bool refreshingList_ = false;
    bool listSelectionPending_ = false;
    long redraws_ = 0;

    wxTextCtrl* name_ = nullptr;
    wxNotebook* tabs_ = nullptr;
    wxTextCtrl *width_ = nullptr, *height_ = nullptr, *viewportWidth_ = nullptr, *viewportHeight_ = nullptr;
    wxBitmapComboBox* follow_ = nullptr;
    wxTextCtrl *marginX_ = nullptr, *marginY_ = nullptr, *speed_ = nullptr, *keywords_ = nullptr;
    wxBitmapComboBox* objectAction_ = nullptr;
    wxBitmapComboBox* toPlace_ = nullptr;
    PictureBox* placePicture_ = nullptr;
    InstanceList* list_ = nullptr;
    wxWindow* colour_ = nullptr;
    wxChoice* backgroundImage_ = nullptr;
    wxChoice* tileImage_ = nullptr;
    wxBitmapComboBox* tileAction_ = nullptr;
    PointerCanvas* picker_ = nullptr;
    wxChoice* layers_ = nullptr;
    PictureBox* selectedTile_ = nullptr;
    IconButton* newButton_ = nullptr;
    IconButton* shiftButton_ = nullptr;
    wxBitmapToggleButton* grid_ = nullptr;
    wxBitmapToggleButton* snap_ = nullptr;
    wxTextCtrl* gridSize_ = nullptr;
    wxCheckBox* showObjects_ = nullptr;
    wxCheckBox* showTiles_ = nullptr;
    wxStaticText* status_ = nullptr;
    PointerCanvas* canvas_ = nullptr;
};

} // namespace

void openSceneWindow(Studio& studio, wxWindow* mainWindow, const std::string& scene,
                     std::function<void()> rebuildPanel) {
    if (raiseStudioWindow(windowKey(scene))) return;
    if (!studio.project.scenes.contains(scene)) {
        studio.dialogs.error("The scene " + scene + " no longer exists.");
        return;
    }
    new SceneWindow(studio, mainWindow, scene, std::move(rebuildPanel));
}

bool isSceneWindowOpen(const std::string& scene) { return findStudioWindow(windowKey(scene)) != nullptr; }

wxFrame* findSceneWindow(const std::string& scene) { return findStudioWindow(windowKey(scene)); }

} // namespace pondaro::ui
