#include "sprites/ui/image_editor_window.h"

#include <array>
#include <vector>

#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "image/artwork.h"
#include "image/palettes.h"
#include "sprites/image_editor.h"
#include "ui/form_layout.h"
#include "ui/icon_button.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"
#include "ui/widget_looks.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& sprite) { return "image-editor:" + sprite; }

constexpr int kDoneId = wxID_HIGHEST + 400;

struct ToolButton {
    EditorTool tool;
    Icon icon;
    const char* toolTip;
    const char* name;
};
constexpr ToolButton kTools[] = {
    {EditorTool::Draw, Icon::DrawTool, "Draw on the image", "draw"},
    {EditorTool::Erase, Icon::EraseTool, "Erase", "erase"},
    {EditorTool::Picker, Icon::PickerTool, "Pick a color from the image", "picker"},
    {EditorTool::Line, Icon::LineTool, "Draw a line", "line"},
    {EditorTool::Rectangle, Icon::RectangleTool, "Draw a rectangle", "rectangle"},
    {EditorTool::Ellipse, Icon::EllipseTool, "Draw an ellipse", "ellipse"},
    {EditorTool::Fill, Icon::FillTool, "Fill an area", "fill"},
};

wxBitmap iconBitmap(Icon icon) { return toBitmap(drawIcon(icon, 16)); }

// The part of a fixed picture (a palette, the opacity bar) a view shows.
Image partOf(const Image& picture, Rect visible) {
    Image out(visible.width, visible.height);
    copyInto(out, picture, -visible.x, -visible.y);
    return out;
}

class ImageEditorWindow : public StudioWindow {
public:
    ImageEditorWindow(Studio& studio, wxWindow* owner, ImageEditor editor, std::function<void()> closed)
        : StudioWindow(studio, owner, toWx("Image editor - " + editor.sprite), windowKey(editor.sprite),
                       WindowLock::AllOthers),
          ed_(std::move(editor)), swatches_(swatchPalette()), gradient_(gradientPalette()) {
        whenClosed(std::move(closed));
        buildMenu();
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(buildTopRow(panel), 0, wxLEFT | wxTOP | wxRIGHT, 5);
        auto* middle = new wxBoxSizer(wxHORIZONTAL);
        middle->Add(buildTools(panel), 0, wxLEFT | wxRIGHT, 5);
        auto* centre = new wxBoxSizer(wxVERTICAL);
        canvas_ = new RegionCanvas(
            panel, wxSize(610, 440), 16,
            [this](Rect visible, const RgbRows& rows) { drawImageEditorView(studio_.project, ed_, visible, rows); },
            "canvas");
        centre->Add(canvas_, 1, wxEXPAND);
        auto* status = new wxBoxSizer(wxHORIZONTAL);
        for (size_t k = 0; k < status_.size(); ++k) {
            status_[k] = new wxStaticText(panel, wxID_ANY, "", wxDefaultPosition, wxSize(200, -1), wxST_NO_AUTORESIZE,
                                          wxString::Format("status-%d", int(k)));
            status->Add(status_[k], 0, wxALIGN_CENTER_VERTICAL);
        }
        centre->Add(status, 0, wxTOP | wxBOTTOM, 6);
        middle->Add(centre, 1, wxEXPAND);
        middle->Add(buildSidePanel(panel), 0, wxLEFT | wxRIGHT, 5);
        all->Add(middle, 1, wxEXPAND | wxTOP, 5);
        layOutWindow(this, panel, all, wxSize(760, 560));

        canvas_->onPress = [this](int x, int y) { act([&](Project& p) { pressButton(p, ed_, MouseButton::Left, x, y); }); };
        canvas_->onRelease = [this](int x, int y) {
            act([&](Project& p) { releaseButton(p, ed_, MouseButton::Left, x, y); });
        };
        canvas_->onRightPress = [this](int x, int y) {
            act([&](Project& p) { pressButton(p, ed_, MouseButton::Right, x, y); });
        };
        canvas_->onRightRelease = [this](int x, int y) {
            act([&](Project& p) { releaseButton(p, ed_, MouseButton::Right, x, y); });
        };
        canvas_->onMove = [this](int x, int y) { act([&](Project& p) { movePointer(p, ed_, x, y); }); };
        canvas_->onWheel = [this](int steps) { act([&](Project& p) { wheelZoom(p, ed_, steps); }); };

        Centre();
        showZoom();
        show();
        Show();
        startTimer(100, [this] { tick(); });
    }

private:
    void buildMenu() {
        auto* file = new wxMenu;
        auto entry = [&](int id, const char* caption, Icon icon) {
            auto* item = new wxMenuItem(file, id, caption);
            item->SetBitmap(iconBitmap(icon));
            file->Append(item);
        };
        entry(wxID_NEW, "New...\tCtrl+N", Icon::Document);
        entry(wxID_OPEN, "Open...\tCtrl+O", Icon::Folder);
        file->AppendSeparator();
        entry(wxID_SAVE, "Save as PNG image...\tCtrl+S", Icon::Disk);
        file->AppendSeparator();
        entry(kDoneId, "Done\tAlt+F4", Icon::Exit);
        auto* bar = new wxMenuBar;
        bar->Append(file, "File");
        SetMenuBar(bar);
        showMenuPictures(*bar);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { newFile(); }, wxID_NEW);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { openFile(); }, wxID_OPEN);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { saveFile(); }, wxID_SAVE);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { finish(); }, kDoneId);
    }

    IconButton* iconButton(wxWindow* parent, Icon icon, const char* toolTip, const char* name) {
        auto* b = new IconButton(parent, wxID_ANY, iconBitmap(icon), wxDefaultPosition, wxSize(25, 25), toolTip);
        b->SetName(name);
        return b;
    }

    wxButton* textButton(wxWindow* parent, const char* caption, int width, const char* toolTip, const char* name) {
        auto* b = new wxButton(parent, wxID_ANY, caption, wxDefaultPosition, wxSize(width, 25), wxBU_EXACTFIT,
                               wxDefaultValidator, name);
        if (*toolTip) b->SetToolTip(toolTip);
        return b;
    }

    // Done, the file buttons, the frame buttons, grid and zoom, Undo.
    wxSizer* buildTopRow(wxWindow* panel) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->AddSpacer(30);  // above the tool column
        auto* done = textButton(panel, "Done", 60, "", "done");
        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(); });
        row->Add(done, 0, wxRIGHT, 10);
        auto add = [&](wxWindow* w, int gap) { row->Add(w, 0, wxRIGHT, gap); };
        auto* newButton = iconButton(panel, Icon::Document, "Create a new, empty image", "new");
        newButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { newFile(); });
        add(newButton, 5);
        auto* openButton = iconButton(panel, Icon::Folder, "Open an image", "open");
        openButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { openFile(); });
        add(openButton, 5);
        auto* saveButton = iconButton(panel, Icon::Disk, "Save image as PNG", "save");
        saveButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { saveFile(); });
        add(saveButton, 10);
        auto* previous = textButton(panel, "<", 25, "Show the previous image in the animation sequence", "previous");
        previous->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { stepFrame(previousFrame); });
        add(previous, 5);
        auto* next = textButton(panel, ">", 25, "Show the next image in the animation sequence", "next");
        next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { stepFrame(nextFrame); });
        add(next, 35);
        grid_ = iconButton(panel, Icon::Grid, "Toggle turn on/off the grid", "grid");
        grid_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            ed_.grid = !ed_.grid;
            grid_->setDown(ed_.grid);
            canvas_->redraw();
        });
        add(grid_, 5);
        auto* zoomOutButton = iconButton(panel, Icon::ZoomOut, "Zoom out", "zoom-out");
        zoomOutButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act([&](Project&) { zoomOut(ed_); }); });
        add(zoomOutButton, 5);
        auto* resetButton = iconButton(panel, Icon::ZoomReset, "Reset zoom (original size)", "zoom-reset");
        resetButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act([&](Project&) { resetZoom(ed_); }); });
        add(resetButton, 5);
        auto* zoomInButton = iconButton(panel, Icon::ZoomIn, "Zoom in", "zoom-in");
        zoomInButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act([&](Project& p) { zoomIn(p, ed_); }); });
        add(zoomInButton, 55);
        auto* undo = textButton(panel, "Undo", 60, "Undo the last change", "undo");
        undo->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { act([&](Project& p) { undoLastChange(p, ed_); }); });
        add(undo, 0);
        return row;
    }

    wxSizer* buildTools(wxWindow* panel) {
        auto* column = new wxBoxSizer(wxVERTICAL);
        for (const ToolButton& t : kTools) {
            auto* b = iconButton(panel, t.icon, t.toolTip, t.name);
            b->Bind(wxEVT_BUTTON, [this, tool = t.tool](wxCommandEvent&) {
                ed_.tool = tool;
                showTool();
            });
            tools_.push_back(b);
            column->Add(b, 0, wxBOTTOM, 5);
        }
        return column;
    }

    // A palette: pressing either button on it, or moving over it with the button held,
    // takes its colour for that button.
    RegionCanvas* palette(wxWindow* panel, const Image& picture, const char* name) {
        auto* view = new RegionCanvas(
            panel, wxSize(picture.width(), picture.height()), 16,
            [&picture](Rect visible) { return partOf(picture, visible); }, name);
        view->setCanvasSize({picture.width(), picture.height()});
        view->SetToolTip("Pick a color");
        auto pick = [this, &picture](MouseButton b, int x, int y) {
            pickFromPalette(ed_, b, picture, x, y);
            showColours();
        };
        view->onPress = [pick](int x, int y) { pick(MouseButton::Left, x, y); };
        view->onDrag = [pick](int x, int y) { pick(MouseButton::Left, x, y); };
        view->onRightPress = [this, pick](int x, int y) {
            rightOnPalette_ = true;
            pick(MouseButton::Right, x, y);
        };
        view->onRightRelease = [this](int, int) { rightOnPalette_ = false; };
        view->onMove = [this, pick](int x, int y) {
            if (rightOnPalette_) pick(MouseButton::Right, x, y);
        };
        return view;
    }

    wxWindow* colourBox(wxWindow* panel, MouseButton side, const char* toolTip, const char* name) {
        auto* box = new wxPanel(panel, wxID_ANY, wxDefaultPosition, wxSize(40, 30), wxBORDER_SIMPLE, name);
        box->SetToolTip(toolTip);
        box->Bind(wxEVT_LEFT_DOWN, [this, side](wxMouseEvent&) {
            if (chooseButtonColour(ed_, side, studio_.dialogs)) showColours();
        });
        return box;
    }

    wxSizer* buildSidePanel(wxWindow* panel) {
        auto* side = new wxBoxSizer(wxVERTICAL);
        auto* boxes = new wxBoxSizer(wxHORIZONTAL);
        leftBox_ = colourBox(panel, MouseButton::Left, "Click to select the left button color", "left-colour");
        rightBox_ = colourBox(panel, MouseButton::Right, "Click to select the right button color", "right-colour");
        boxes->Add(leftBox_, 0, wxRIGHT, 5);
        boxes->Add(rightBox_);
        side->Add(boxes, 0, wxBOTTOM, 5);
        side->Add(palette(panel, swatches_, "swatches"), 0, wxBOTTOM, 5);
        side->Add(palette(panel, gradient_, "gradient"), 0, wxBOTTOM, 5);
        side->Add(new wxStaticText(panel, wxID_ANY, "Opacity"), 0, wxBOTTOM, 3);
        opacity_ = new wxSpinCtrl(panel, wxID_ANY, "255", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 255,
                                  ed_.opacity, "opacity");
        opacity_->SetToolTip("Set the opacity");
        opacity_->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { setOpacity(ed_, opacity_->GetValue()); });
        opacity_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { setOpacity(ed_, opacity_->GetValue()); });
        side->Add(opacity_, 0, wxBOTTOM, 5);
        opacityBar_ = new RegionCanvas(
            panel, wxSize(85, 20), 16, [this](Rect visible) { return partOf(renderOpacityBar(ed_.opacity), visible); },
            "opacity-bar");
        opacityBar_->setCanvasSize({85, 20});
        opacityBar_->SetToolTip("Use this slider to select the opacity");
        opacityBar_->onPress = opacityBar_->onDrag = [this](int x, int) {
            setOpacityFromBar(ed_, x);
            opacity_->SetValue(ed_.opacity);
            opacityBar_->redraw();
        };
        side->Add(opacityBar_, 0, wxBOTTOM, 5);
        side->Add(new wxStaticText(panel, wxID_ANY, "Color mode"), 0, wxBOTTOM, 3);
        blend_ = new wxToggleButton(panel, wxID_ANY, "Alpha blend", wxDefaultPosition, wxSize(85, -1), 0,
                                    wxDefaultValidator, "alpha-blend");
        blend_->SetToolTip("The drawing color will be blended onto the actual color");
        replace_ = new wxToggleButton(panel, wxID_ANY, "Replace color", wxDefaultPosition, wxSize(85, -1), 0,
                                      wxDefaultValidator, "replace-colour");
        replace_->SetToolTip("The actual color will be replaced with the drawing color");
        blend_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { chooseMode(ColourMode::AlphaBlend); });
        replace_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { chooseMode(ColourMode::Replace); });
        side->Add(blend_, 0, wxEXPAND);
        side->Add(replace_, 0, wxEXPAND);
        return side;
    }

    // Runs a core operation, then draws again what it changed.
    template <class Operation>
    void act(Operation operation) {
        if (closing()) return;
        const int zoom = ed_.zoom;
        operation(studio_.project);
        if (ed_.zoom != zoom) showZoom();
        show();
    }

    void stepFrame(void (*step)(Project&, ImageEditor&)) {
        act([&](Project& p) { step(p, ed_); });
        showZoom();  // a frame of another size has another canvas
    }

    void newFile() { act([&](Project& p) { newImage(p, ed_, studio_.dialogs); }); }
    void openFile() { act([&](Project& p) { openImage(p, ed_, studio_.dialogs); }); }
    void saveFile() { saveImage(studio_.project, ed_, studio_.dialogs, studio_.root); }

    void chooseMode(ColourMode mode) {
        ed_.mode = mode;
        showColours();
    }

    void showZoom() {
        canvas_->setCanvasSize({canvasWidth(studio_.project, ed_), canvasHeight(studio_.project, ed_)});
    }

    void showTool() {
        for (size_t k = 0; k < tools_.size(); ++k) tools_[k]->setDown(kTools[k].tool == ed_.tool);
    }

    void showColours() {
        auto paint = [](wxWindow* box, Rgba c) {
            const wxColour colour(c.r, c.g, c.b);
            if (box->GetBackgroundColour() == colour) return;
            box->SetBackgroundColour(colour);
            box->Refresh();
        };
        paint(leftBox_, ed_.leftColour);
        paint(rightBox_, ed_.rightColour);
        if (opacity_->GetValue() != ed_.opacity) opacity_->SetValue(ed_.opacity);
        opacityBar_->redraw();
        blend_->SetValue(ed_.mode == ColourMode::AlphaBlend);
        replace_->SetValue(ed_.mode == ColourMode::Replace);
    }

    // What changed since the last look: the canvas area core names, the colours, the
    // status texts.
    void show() {
        canvas_->redrawArea(takeChangedCanvasArea(ed_));
        grid_->setDown(ed_.grid);
        showTool();
        showColours();
        const std::array<std::string, 3> texts = statusTexts(studio_.project, ed_);
        for (size_t k = 0; k < texts.size(); ++k)
            if (status_[k]->GetLabel() != toWx(texts[k])) status_[k]->SetLabel(toWx(texts[k]));
    }

    void tick() {
        if (closing()) return;
        refreshTick(ed_);
        show();
    }

    ImageEditor ed_;
    const Image swatches_;
    const Image gradient_;
    RegionCanvas* canvas_ = nullptr;
    std::array<wxStaticText*, 3> status_{};
    std::vector<IconButton*> tools_;
    IconButton* grid_ = nullptr;
    wxWindow* leftBox_ = nullptr;
    wxWindow* rightBox_ = nullptr;
    wxSpinCtrl* opacity_ = nullptr;
    RegionCanvas* opacityBar_ = nullptr;
    wxToggleButton* blend_ = nullptr;
    wxToggleButton* replace_ = nullptr;
    bool rightOnPalette_ = false;
};

} // namespace

void openImageEditorWindow(Studio& studio, wxWindow* owner, const std::string& sprite, int frame,
                           std::function<void()> closed) {
    if (raiseStudioWindow(windowKey(sprite))) return;
    std::optional<ImageEditor> editor = openImageEditor(studio.project, sprite, frame);
    if (!editor) {
        if (closed) closed();
        return;
    }
    new ImageEditorWindow(studio, owner, std::move(*editor), std::move(closed));
}

wxFrame* findImageEditorWindow(const std::string& sprite) { return findStudioWindow(windowKey(sprite)); }

} // namespace pondaro::ui
