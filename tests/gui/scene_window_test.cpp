// The scene window in a real window, opened the way a user opens it (the Resources
// menu, the panel) and driven through its controls: the canvas and the tile-set picker
// get the mouse and key events a user's hand would make. The Dialogs fake answers the
// questions; the window's own small dialogs are answered through wxTEST_DIALOG.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <wx/bmpcbox.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "code/ui/code_windows.h"
#include "code_screens.h"
#include "image/codecs.h"
#include "project/naming.h"
#include "scene/ui/pointer_canvas.h"
#include "scene/ui/scene_dialogs.h"
#include "scene/ui/scene_window.h"
#include "support/fake_ports.h"
#include "ui/wx_text.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

// One of the window's small dialogs, found by its title: `answer` fills its fields and
// says how it ends (FieldsDialog::accept is what its OK does before closing).
class ExpectFields : public wxExpectModalBase<ui::FieldsDialog, ExpectFields> {
public:
    ExpectFields(wxString title, std::function<int(ui::FieldsDialog*)> answer)
        : title_(std::move(title)), answer_(std::move(answer)) {}

protected:
    int OnInvoked(ui::FieldsDialog* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), title_);
        return answer_(dialog);
    }

private:
    wxString title_;
    std::function<int(ui::FieldsDialog*)> answer_;
};

// Types the texts into the dialog's fields and presses OK.
std::function<int(ui::FieldsDialog*)> typeAndOk(std::vector<wxString> texts) {
    return [texts](ui::FieldsDialog* d) {
        for (size_t i = 0; i < texts.size(); ++i) d->field(i)->ChangeValue(texts[i]);
        return d->accept() ? wxID_OK : wxID_NONE;
    };
}

// The pointer over a canvas, at a point of its view.
struct Hand {
    wxWindow* view;
    bool shift = false;
    void send(wxEventType type, int x, int y, bool left) const {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.SetLeftDown(left);
        e.SetShiftDown(shift);
        e.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(e);
    }
    void click(int x, int y) const {
        send(wxEVT_LEFT_DOWN, x, y, true);
        send(wxEVT_LEFT_UP, x, y, false);
    }
    // Pressed at the first point, moved through the others, released at the last.
    void drag(std::initializer_list<wxPoint> path) const {
        const wxPoint* last = nullptr;
        for (const wxPoint& at : path) {
            send(last ? wxEVT_MOTION : wxEVT_LEFT_DOWN, at.x, at.y, true);
            last = &at;
        }
        send(wxEVT_LEFT_UP, last->x, last->y, false);
    }
    void key(int code) const {
        wxKeyEvent e(wxEVT_KEY_DOWN);
        e.m_keyCode = code;
        e.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(e);
    }
};

// What a user's pick of rows in a list sends, once the rows show selected.
void pickInList(wxListCtrl* list) {
    wxListEvent picked(wxEVT_LIST_ITEM_SELECTED, list->GetId());
    picked.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(picked);
    letEventsThrough();
}

struct SceneWindows : testing::Test {
    void SetUp() override {
        writeTestFile(s.folder.path() / "export.js", "//PONDARO_SCENES\n");
        frame = startWithEveryWindow(s.studio);
        ASSERT_NE(frame, nullptr);

        // A sprite with a 10 x 10 red frame and its template; a tile set of two 32 x 32
        // cells, blue and red, in the working folder.
        Project& p = project();
        Sprite spr = defaultSprite();
        spr.name = "spr";
        p.sprites.add(spr);
        p.frames.push_back({"0", "spr", filledImage(10, 10, kRed)});
        GameObject obj = defaultObjectTemplate();
        obj.name = "obj";
        obj.sprite = "spr";
        p.objects.add(obj);
        Image set(64, 32);
        copyInto(set, filledImage(32, 32, kBlue), 0, 0);
        copyInto(set, filledImage(32, 32, kRed), 32, 0);
        ASSERT_TRUE(savePng(set, s.folder.path() / p.workingFolder / "set.png"));
        Background bg = defaultBackground();
        bg.name = "set";
        bg.file = "set.png";
        bg.tile = 1;
        bg.tilewidth = bg.tileheight = 32;
        p.backgrounds.add(bg);
        frame->rebuildPanel();
    }
    void TearDown() override {
        for (auto& close : s.studio.closeWindowsHooks) close();
        if (frame) frame->Destroy();
        letEventsThrough(20);
    }

    Project& project() { return s.studio.project; }
    // A scene made with the Resources menu, whose window opens with it.
    wxFrame* newScene() {
        chooseMenu(frame, "Resources", "Add new scene");
        scene = project().scenes.records().back().name;
        wxFrame* w = ui::findSceneWindow(scene);
        letEventsThrough();
        return w;
    }
    static void showTab(wxWindow* w, int tab) { child<wxNotebook>(w, "tabs")->SetSelection(size_t(tab)); }
    static Hand canvas(wxWindow* w) { return {child(w, "canvas")}; }
    const Scene& sceneRecord() { return *project().scenes.get(scene); }
    size_t instances() {
        size_t n = 0;
        for (const GameObject& o : project().objects) n += !o.isTemplate() && o.scene == scene;
        return n;
    }
    std::vector<const Tile*> tiles() {
        std::vector<const Tile*> t;
        for (const Tile& r : project().tiles)
            if (r.scene == scene) t.push_back(&r);
        return t;
    }

    TestStudio s;
    ui::MainFrame* frame = nullptr;
    std::string scene;
};

} // namespace

TEST_F(SceneWindows, Ctrl7OpensASceneWhereInstancesArePlacedSelectedMovedAndDeleted) {
    wxFrame* w = newScene();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Scene properties - " + scene);
    // Opening it again from the panel brings this window forward.
    frame->editRecord(PanelCategory::Scenes, scene);
    EXPECT_EQ(ui::findSceneWindow(scene), w);
    int windows = 0;
    for (wxWindow* t : wxTopLevelWindows)
        if (auto* top = dynamic_cast<wxTopLevelWindow*>(t)) windows += top->GetTitle() == w->GetTitle() && top->IsShown();
    EXPECT_EQ(windows, 1);

    showTab(w, 1);
    auto* toPlace = child<wxBitmapComboBox>(w, "object-to-place");
    choose(toPlace, "obj", wxEVT_COMBOBOX);
    const Hand hand = canvas(w);
    for (wxPoint at : {wxPoint(25, 25), wxPoint(65, 25), wxPoint(105, 45)}) hand.click(at.x, at.y);
    ASSERT_EQ(instances(), 3u);
    auto* list = child<wxListCtrl>(w, "instances");
    ASSERT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetItemText(2), "obj (spr) :100, 40");  // snapped to the grid of 20

    choose(child<wxBitmapComboBox>(w, "object-action"), "Select objects", wxEVT_COMBOBOX);
    hand.click(22, 22);
    hand.click(62, 22);
    EXPECT_TRUE((list->GetItemState(0, wxLIST_STATE_SELECTED) != 0));
    EXPECT_TRUE((list->GetItemState(1, wxLIST_STATE_SELECTED) != 0));
    EXPECT_FALSE((list->GetItemState(2, wxLIST_STATE_SELECTED) != 0));
    // Another pick in the list, then a click on the canvas: the list follows the records.
    list->SetItemState(0, 0, wxLIST_STATE_SELECTED);
    list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    pickInList(list);
    hand.click(102, 42);
    EXPECT_FALSE((list->GetItemState(0, wxLIST_STATE_SELECTED) != 0));
    EXPECT_TRUE((list->GetItemState(1, wxLIST_STATE_SELECTED) != 0));
    EXPECT_FALSE((list->GetItemState(2, wxLIST_STATE_SELECTED) != 0));
    hand.click(22, 22);
    hand.key(WXK_RIGHT);
    hand.key(WXK_DOWN);
    EXPECT_EQ(list->GetItemText(0), "obj (spr) :40, 40");
    EXPECT_EQ(list->GetItemText(1), "obj (spr) :80, 40");
    letEventsThrough(120);  // a redraw tick: the status names the selected instance
    EXPECT_EQ(child<wxStaticText>(w, "status")->GetLabel(), "[obj] x:80 y:40");

    s.dialogs.yesNo = {false, true};
    hand.key(WXK_DELETE);
    EXPECT_EQ(instances(), 3u);
    hand.key(WXK_DELETE);
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Delete 2 objects?"}));
    ASSERT_EQ(instances(), 1u);
    EXPECT_EQ(list->GetItemCount(), 1);

    // Rows selected in the list select their instances.
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    pickInList(list);
    const size_t left = project().objects.size() - 1;
    EXPECT_EQ(project().objects[left].selected, 1);
    EXPECT_TRUE(project().modified());

    // A template made elsewhere shows in the boxes at once.
    GameObject more = defaultObjectTemplate();
    more.name = "more";
    project().objects.add(more);
    frame->rebuildPanel();
    EXPECT_NE(toPlace->FindString("more", true), wxNOT_FOUND);
    EXPECT_NE(child<wxBitmapComboBox>(w, "follow")->FindString("more", true), wxNOT_FOUND);
}

TEST_F(SceneWindows, TilesArePaintedWithShiftDragsOnTheCurrentLayerAndLayersAreAddedAndChanged) {
    wxFrame* w = newScene();
    ASSERT_NE(w, nullptr);
    showTab(w, 3);
    auto* layers = child<wxChoice>(w, "layer");
    EXPECT_EQ(layers->GetStringSelection(), "1000000");  // the scene's default layer

    // The red cell of the tile set, then a Shift-drag over three grid cells.
    Hand picker{child(w, "picker")};
    picker.drag({wxPoint(40, 10)});
    Hand hand = canvas(w);
    hand.shift = true;
    hand.drag({wxPoint(25, 25), wxPoint(45, 25), wxPoint(50, 28), wxPoint(65, 25)});
    ASSERT_EQ(tiles().size(), 3u);
    for (const Tile* t : tiles()) {
        EXPECT_EQ(t->depth, 1000000);
        EXPECT_EQ(t->left, 32);
        EXPECT_EQ(t->background, "set");
    }
    EXPECT_EQ(tiles()[1]->x, 40);

    // A depth the scene has is refused and the dialog stays; another is taken.
    wxTEST_DIALOG(click(child(w, "add-layer")), ExpectFields("Add a new tile layer", [](ui::FieldsDialog* d) {
                      EXPECT_EQ(d->field(0)->GetValue(), "1000000");
                      EXPECT_FALSE(typeAndOk({"1000000"})(d) == wxID_OK);
                      return typeAndOk({"5"})(d);
                  }));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Error", "Depth already exists"}));
    EXPECT_EQ(layers->GetCount(), 2u);
    EXPECT_EQ(layers->GetStringSelection(), "5");
    hand.click(105, 105);
    ASSERT_EQ(tiles().size(), 4u);
    EXPECT_EQ(tiles()[3]->depth, 5);

    wxTEST_DIALOG(click(child(w, "change-layer")),
                  ExpectFields("Change the depth of a tile layer", [](ui::FieldsDialog* d) {
                      // Wide enough that the title bar shows the whole title.
                      EXPECT_GT(d->GetSize().x, d->GetTextExtent(d->GetTitle()).x + 60);
                      return typeAndOk({"7"})(d);
                  }));
    EXPECT_EQ(tiles()[3]->depth, 7);
    // The box is filled again and shows the first layer.
    EXPECT_NE(layers->FindString("7", true), wxNOT_FOUND);
    EXPECT_EQ(layers->GetStringSelection(), "1000000");
}

TEST_F(SceneWindows, InstancePropertiesTakeTheirFieldsOnOkAndNothingOnCancel) {
    wxFrame* w = newScene();
    ASSERT_NE(w, nullptr);
    showTab(w, 1);
    // With nothing selected the button opens nothing (an unexpected dialog fails).
    click(child(w, "edit-instance"));
    choose(child<wxBitmapComboBox>(w, "object-to-place"), "obj", wxEVT_COMBOBOX);
    canvas(w).click(45, 45);
    choose(child<wxBitmapComboBox>(w, "object-action"), "Select objects", wxEVT_COMBOBOX);
    canvas(w).click(42, 42);
    const GameObject& placed = project().objects[project().objects.size() - 1];
    ASSERT_EQ(placed.selected, 1);
    project().clearModified();

    wxTEST_DIALOG(click(child(w, "edit-instance")),
                  ExpectFields("Instance properties - " + placed.name, [](ui::FieldsDialog* d) {
                      d->field(0)->ChangeValue("1");
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(placed.x, 40);
    EXPECT_FALSE(project().modified());
    wxTEST_DIALOG(click(child(w, "edit-instance")),
                  ExpectFields("Instance properties - " + placed.name, typeAndOk({"300", "-7", "45", "90"})));
    EXPECT_EQ(placed.x, 300);
    EXPECT_EQ(placed.y, -7);
    EXPECT_EQ(placed.direction, 45);
    EXPECT_EQ(placed.image_angle, 90);
    EXPECT_TRUE(project().modified());
    EXPECT_EQ(child<wxListCtrl>(w, "instances")->GetItemText(0), "obj (spr) :300, -7");
}

TEST_F(SceneWindows, DoneRefusesATakenNameCommitsANewOneAndTheCloseBoxKeepsOnlyCanvasEdits) {
    project().name = "game";
    wxFrame* w = newScene();
    ASSERT_NE(w, nullptr);
    const std::string first = scene;
    chooseMenu(frame, "Resources", "Add new scene");
    const std::string other = project().scenes.records().back().name;
    ASSERT_NE(other, first);

    child<wxTextCtrl>(w, "name")->ChangeValue(ui::toWx(other));
    click(child(w, "done"));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Error", "The scene name '" + other + "' already exists"}));
    EXPECT_EQ(ui::findSceneWindow(first), w);

    // The scene code editor holds the window back while it is open.
    click(child(w, "scene-code"));
    ASSERT_NE(ui::findCodeWindow("scene-code:" + first), nullptr);
    EXPECT_FALSE(w->IsEnabled());
    ui::findCodeWindow("scene-code:" + first)->Close();
    letEventsThrough();
    EXPECT_TRUE(w->IsEnabled());

    child<wxTextCtrl>(w, "name")->ChangeValue("cellar");
    child<wxTextCtrl>(w, "keywords")->ChangeValue("dark");
    child<wxTextCtrl>(w, "speed")->ChangeValue("45");
    click(child(w, "done"));
    letEventsThrough();
    EXPECT_EQ(ui::findSceneWindow(first), nullptr);
    EXPECT_EQ(ui::findSceneWindow("cellar"), nullptr);
    ASSERT_TRUE(project().scenes.contains("cellar"));
    scene = "cellar";
    EXPECT_EQ(sceneRecord().keywords, "dark");
    EXPECT_EQ(sceneRecord().speed, 45);
    EXPECT_EQ(sceneRecord().preview.width(), 150);  // the panel's card shows the scene
    EXPECT_TRUE(std::filesystem::exists(s.folder.path() / "Projects" / "game.png"));

    // The close box: fields typed since are dropped, canvas edits stay.
    frame->editRecord(PanelCategory::Scenes, "cellar");
    w = ui::findSceneWindow("cellar");
    ASSERT_NE(w, nullptr);
    showTab(w, 1);
    child<wxTextCtrl>(w, "keywords")->ChangeValue("lost");
    choose(child<wxBitmapComboBox>(w, "object-to-place"), "obj", wxEVT_COMBOBOX);
    canvas(w).click(45, 45);
    w->Close();
    letEventsThrough();
    EXPECT_EQ(ui::findSceneWindow("cellar"), nullptr);
    EXPECT_EQ(sceneRecord().keywords, "dark");
    EXPECT_EQ(instances(), 1u);
}

TEST_F(SceneWindows, TwoLayersTheBackgroundAndTheViewSetInTheWindowAreSavedWhileItIsOpenAndComeBackOnReopening) {
    project().name = "meadow";
    wxFrame* w = newScene();
    ASSERT_NE(w, nullptr);
    child<wxTextCtrl>(w, "viewport-width")->ChangeValue("320");
    child<wxTextCtrl>(w, "viewport-height")->ChangeValue("240");
    choose(child<wxBitmapComboBox>(w, "follow"), "obj", wxEVT_COMBOBOX);
    showTab(w, 2);
    choose(child<wxChoice>(w, "background-image"), "set", wxEVT_CHOICE);
    auto* tileX = child<wxCheckBox>(w, "tile-x");
    tileX->SetValue(true);
    wxCommandEvent ticked(wxEVT_CHECKBOX, tileX->GetId());
    ticked.SetInt(1);
    ticked.SetEventObject(tileX);
    tileX->GetEventHandler()->ProcessEvent(ticked);
    // Blue tiles on the first layer, a red one on a layer of its own.
    showTab(w, 3);
    Hand picker{child(w, "picker")};
    picker.drag({wxPoint(10, 10)});
    Hand hand = canvas(w);
    hand.shift = true;
    hand.drag({wxPoint(25, 25), wxPoint(45, 25)});
    wxTEST_DIALOG(click(child(w, "add-layer")), ExpectFields("Add a new tile layer", typeAndOk({"-5"})));
    picker.drag({wxPoint(40, 10)});
    hand.shift = false;
    hand.click(105, 105);

    // Saved with the window still open, then the project read again from its file.
    chooseMenu(frame, "File", "Save");
    EXPECT_FALSE(project().modified());
    const std::string game = readTestFile(s.folder.path() / "Projects" / "meadow" / "game.js");
    EXPECT_NE(game.find("__room_start__(this, " + scene + ", 640, 480, 30, 0, 0, 0, set.image, 1, 0, 0, 320, 240, obj,"),
              std::string::npos);
    ASSERT_TRUE(openProjectNamed(s.studio, "meadow"));
    EXPECT_EQ(ui::findSceneWindow(scene), nullptr);
    frame->rebuildPanel();
    frame->editRecord(PanelCategory::Scenes, scene);
    w = ui::findSceneWindow(scene);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(child<wxTextCtrl>(w, "viewport-width")->GetValue(), "320");
    EXPECT_EQ(child<wxTextCtrl>(w, "viewport-height")->GetValue(), "240");
    EXPECT_EQ(child<wxBitmapComboBox>(w, "follow")->GetStringSelection(), "obj");
    EXPECT_EQ(child<wxChoice>(w, "background-image")->GetStringSelection(), "set");
    EXPECT_TRUE(child<wxCheckBox>(w, "tile-x")->GetValue());
    auto* layers = child<wxChoice>(w, "layer");
    ASSERT_EQ(layers->GetCount(), 2u);
    EXPECT_EQ(layers->GetString(0), "1000000");
    EXPECT_EQ(layers->GetString(1), "-5");
    ASSERT_EQ(tiles().size(), 3u);
    EXPECT_EQ(tiles()[0]->depth, 1000000);
    EXPECT_EQ(tiles()[0]->left, 0);
    EXPECT_EQ(tiles()[2]->depth, -5);
    EXPECT_EQ(tiles()[2]->left, 32);
}
