// The object window in a real window, opened from the Resources menu and driven through
// its controls; the handlers are written in the event code editor it opens.
#include <gtest/gtest.h>

#include <wx/bmpcbox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "app/ui/editor_hooks.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_windows.h"
#include "code_screens.h"
#include "resources/ui/object_window.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

struct ObjectWindows : testing::Test {
    void SetUp() override {
        main = startWithEveryWindow(s.studio);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { closeStudio(s.studio, main); }

    // "Add event >>>" with the type chosen in the box; the code is written in the event
    // code editor that opens (the Collision with `other`) and OK pressed.
    void addEvent(wxWindow* w, const std::string& objectTemplate, const char* type, const char* code,
                  const char* other = nullptr) {
        child<wxBitmapComboBox>(w, "event-type")->SetStringSelection(type);
        click(child(w, "add-event"));
        wxWindow* editor = ui::findCodeWindow("event-editor:" + objectTemplate);
        ASSERT_NE(editor, nullptr);
        EXPECT_FALSE(w->IsEnabled());
        if (other) child<wxBitmapComboBox>(editor, "with")->SetStringSelection(other);
        auto* text = child<ui::CodeEditor>(editor, "editor");
        text->SelectAll();
        text->ReplaceSelection(code);
        click(child(editor, "ok"));
        pump();
        EXPECT_TRUE(w->IsEnabled());
    }

    Project& p() { return s.studio.project; }

    TestStudio s;
    ui::MainFrame* main = nullptr;
};

GameObject objectTemplate(const std::string& name) {
    GameObject o;
    o.prototype = 1;
    o.name = name;
    return o;
}

} // namespace

TEST_F(ObjectWindows, AddNewObjectGetsAStepAndACollisionEventAndDoneRenamesItWithItsInstances) {
    p().objects.add(objectTemplate("wall"));
    const int id = main->GetMenuBar()->FindMenuItem("Resources", "Add new object");
    ASSERT_NE(id, wxNOT_FOUND);
    wxCommandEvent menu(wxEVT_MENU, id);
    main->GetEventHandler()->ProcessEvent(menu);
    ASSERT_EQ(p().objects.size(), 2u);
    const std::string name = p().objects[1].name;
    wxFrame* w = ui::findObjectWindow(name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Object properties - " + name);
    EXPECT_GE(w->GetClientSize().x, 800);
    EXPECT_GE(w->GetClientSize().y, 600);
    main->editRecord(PanelCategory::Objects, name);  // raises the open window, makes no second
    EXPECT_EQ(ui::findObjectWindow(name), w);
    auto* parent = child<wxBitmapComboBox>(w, "parent");
    ASSERT_EQ(parent->GetCount(), 2u);
    EXPECT_EQ(parent->GetString(1), "wall");

    addEvent(w, name, "Collision", "bounce();", "wall");
    addEvent(w, name, "Step", "x += 1;");
    auto* events = child<wxListCtrl>(w, "events");
    ASSERT_EQ(events->GetItemCount(), 2);
    EXPECT_EQ(events->GetItemText(0, 0), "Step");
    EXPECT_EQ(events->GetItemText(1, 0), "Collision");
    EXPECT_EQ(events->GetItemText(1, 1), "wall");
    // The handler just written is chosen, its code shown.
    EXPECT_EQ(child<wxTextCtrl>(w, "code-preview")->GetValue(), "x += 1;");
    screenshot("object-window");

    // Done: the rename and the depth reach the handlers and the instances.
    GameObject placed;
    placed.name = "SceneObject9";
    placed.templ = name;
    placed.scene = "level";
    p().objects.add(placed);
    child<wxTextCtrl>(w, "name")->SetValue("ball");
    child<wxTextCtrl>(w, "depth")->SetValue("-3");
    parent->SetStringSelection("wall");
    p().clearModified();
    click(child(w, "done"));
    pump();
    EXPECT_EQ(ui::findObjectWindow(name), nullptr);
    EXPECT_EQ(ui::findObjectWindow("ball"), nullptr);
    EXPECT_EQ(p().objects[1].name, "ball");
    EXPECT_EQ(p().objects[1].parent, "wall");
    EXPECT_EQ(p().objects[2].templ, "ball");
    EXPECT_EQ(p().objects[2].depth, -3);
    ASSERT_EQ(p().scripts.size(), 2u);
    EXPECT_EQ(p().scripts[0].object, "ball");
    EXPECT_EQ(p().scripts[0].code, "bounce();");
    EXPECT_EQ(p().scripts[1].code, "x += 1;");
    EXPECT_TRUE(p().modified());
}
