// The code-editing windows in real windows, driven through their buttons, with the
// Dialogs fake standing in for message boxes and a plain frame for the owner windows
// (the object and scene windows) that come later.
#include <gtest/gtest.h>

#include <wx/bmpcbox.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/generic/stattextg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_windows.h"
#include "code_screens.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

// A record with only its name set.
template <class Record>
Record named(const char* name) {
    Record r;
    r.name = name;
    return r;
}

struct CodeWindows : testing::Test {
    void SetUp() override {
        Project& p = s.studio.project;
        p.name = "";
        GameObject t;
        t.name = "player";
        t.prototype = 1;
        p.objects.add(t);
        t.name = "wall";
        p.objects.add(t);
        p.scripts.add({"scr_1", "player", "Step", "", "x += 1;"});
        p.scripts.add({"scr_2", "player", "Collision", "wall", "hit();"});
        p.scenes.add(named<Scene>("level1"));
        p.scenes.edit(0, [](Scene& scene) { scene.code = "start();"; });
        p.game.variables = "var score = 0;";
        p.game.functions = "function helper() {}";
        s.studio.keywords = {{"draw_text", "Fn", "draw_text(x, y, text)", "Draws a text."},
                             {"score", "Var", "n/a", "The score."}};
        main = new wxFrame(nullptr, wxID_ANY, "Stand-in main window", wxPoint(0, 0), wxSize(300, 200));
        main->Show();
    }
    void TearDown() override {
        // What New does: every code window closes without taking anything.
        for (auto& close : s.studio.closeWindowsHooks) close();
        main->Destroy();
        letEventsThrough(20);
    }

    wxFrame* owner(const char* title) {
        auto* f = new wxFrame(main, wxID_ANY, title, wxPoint(50, 50), wxSize(300, 200));
        f->Show();
        return f;
    }
    static ui::CodeEditor* editorOf(wxWindow* w) { return child<ui::CodeEditor>(w, "editor"); }
    static void setCode(wxWindow* w, const std::string& text) {
        editorOf(w)->SelectAll();
        editorOf(w)->ReplaceSelection(wxString::FromUTF8(text.c_str()));
    }

    TestStudio s;
    wxFrame* main = nullptr;
};

} // namespace

TEST_F(CodeWindows, GlobalVariablesOkTakesTheTextAndMarksTheProject) {
    ui::openGlobalVariables(s.studio, main);
    wxFrame* w = ui::findCodeWindow("global-variables");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Global variables");
    EXPECT_EQ(w->GetSize(), wxSize(800, 600));
    EXPECT_EQ(editorOf(w)->code(), "var score = 0;");
    EXPECT_TRUE(main->IsEnabled());  // the main window stays usable (Save works meanwhile)
    EXPECT_TRUE(editorOf(w)->HasFlag(wxWANTS_CHARS));  // Tab goes into the code
    // Opening it again does not make a second window.
    ui::openGlobalVariables(s.studio, main);
    EXPECT_EQ(ui::findCodeWindow("global-variables"), w);

    setCode(w, "var score = 10;");
    click(child(w, "ok"));
    EXPECT_EQ(s.studio.project.game.variables, "var score = 10;");
    EXPECT_TRUE(s.studio.project.modified());
    EXPECT_EQ(ui::findCodeWindow("global-variables"), nullptr);
}

TEST_F(CodeWindows, CustomFunctionsCancelLeavesTheProjectUnchanged) {
    ui::openCustomFunctions(s.studio, main);
    wxFrame* w = ui::findCodeWindow("custom-functions");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Not listed custom functions");
    auto* label = child<wxGenericStaticText>(w, "heading");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetLabel(), "Not listed custom functions");
    EXPECT_EQ(label->GetPosition(), wxPoint(10, 15));
    EXPECT_EQ(label->GetSize(), label->GetBestSize());  // the whole heading shows
    EXPECT_TRUE(label->GetFont().GetWeight() == wxFONTWEIGHT_BOLD);
    EXPECT_EQ(editorOf(w)->code(), "function helper() {}");
    setCode(w, "lost");
    click(child(w, "cancel"));
    EXPECT_EQ(s.studio.project.game.functions, "function helper() {}");
    EXPECT_FALSE(s.studio.project.modified());
    EXPECT_EQ(ui::findCodeWindow("custom-functions"), nullptr);
}

TEST_F(CodeWindows, SavingWhileAWindowIsOpenSavesItsTextAndLeavesItOpen) {
    ui::openGlobalVariables(s.studio, main);
    ui::openCustomFunctions(s.studio, main);
    setCode(ui::findCodeWindow("global-variables"), "var lives = 3;");
    setCode(ui::findCodeWindow("custom-functions"), "function f() { return 1; }");
    s.dialogs.names.push_back(std::string("game"));
    ASSERT_TRUE(saveProject(s.studio));
    const std::string file = readTestFile(s.folder.path() / "Projects" / "game.xml");
    EXPECT_NE(file.find("var lives = 3;"), std::string::npos);
    EXPECT_NE(file.find("function f() { return 1; }"), std::string::npos);
    EXPECT_FALSE(s.studio.project.modified());
    EXPECT_NE(ui::findCodeWindow("global-variables"), nullptr);
    EXPECT_NE(ui::findCodeWindow("custom-functions"), nullptr);
}

TEST_F(CodeWindows, NewClosesEveryWindowAndItsHooksFallSilent) {
    ui::openGlobalVariables(s.studio, main);
    wxFrame* objectWindow = owner("Object window");
    ui::openEventEditor(s.studio, objectWindow, 0);
    EXPECT_FALSE(objectWindow->IsEnabled());
    ASSERT_TRUE(newProject(s.studio, false));
    EXPECT_EQ(ui::findCodeWindow("global-variables"), nullptr);
    EXPECT_EQ(ui::findCodeWindow("event-editor:player"), nullptr);
    EXPECT_TRUE(objectWindow->IsEnabled());
    letEventsThrough();
    // The hooks of closed windows do nothing and are dropped when the next one opens.
    for (auto& commit : s.studio.commitHooks) commit();
    EXPECT_EQ(s.studio.project.game.variables, "");
    ui::openGlobalVariables(s.studio, main);
    EXPECT_EQ(s.studio.commitHooks.size(), 1u);
    EXPECT_EQ(s.studio.closeWindowsHooks.size(), 1u);
}

TEST_F(CodeWindows, EventEditorOnAStepScriptSwitchedToCollisionTakesAFreeTextParameter) {
    wxFrame* objectWindow = owner("Object window");
    int refreshed = 0;
    ui::openEventEditor(s.studio, objectWindow, 0, [&] { ++refreshed; });
    wxFrame* w = ui::findCodeWindow("event-editor:player");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Code editor - Step event of player");
    EXPECT_FALSE(objectWindow->IsEnabled());
    auto* types = child<wxBitmapComboBox>(w, "event-type");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->GetCount(), 9u);
    EXPECT_EQ(types->GetString(4), "Collision");
    EXPECT_EQ(types->GetStringSelection(), "Step");
    auto* with = child<wxTextCtrl>(w, "with");
    ASSERT_NE(with, nullptr);  // a plain text field, not the object list
    EXPECT_FALSE(with->IsShown());
    EXPECT_FALSE(child(w, "with-label")->IsShown());

    types->SetSelection(4);
    wxCommandEvent changed(wxEVT_COMBOBOX, types->GetId());
    changed.SetEventObject(types);
    types->GetEventHandler()->ProcessEvent(changed);
    EXPECT_TRUE(with->IsShown());
    EXPECT_TRUE(child(w, "with-label")->IsShown());
    EXPECT_GT(with->GetPosition().x, child(w, "with-label")->GetPosition().x);
    EXPECT_GT(child(w, "with-label")->GetPosition().x, types->GetRect().GetRight());
    screenshotWithImport("code_event_editor_step_to_collision");
    with->ChangeValue("wall");
    setCode(w, "bounce();");
    click(child(w, "ok"));

    const Script& scr = s.studio.project.scripts[0];
    EXPECT_EQ(scr.event, "Collision");
    EXPECT_EQ(scr.parameter, "wall");
    EXPECT_EQ(scr.code, "bounce();");
    EXPECT_TRUE(s.studio.project.modified());
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(objectWindow->IsEnabled());
    EXPECT_EQ(ui::findCodeWindow("event-editor:player"), nullptr);
}

TEST_F(CodeWindows, EventEditorOnACollisionScriptListsTheObjectsAndCancelChangesNothing) {
    wxFrame* objectWindow = owner("Object window");
    s.studio.project.scripts.edit(1, [&](auto& r) { r.parameter = "gone"; });  // an object deleted since
    ui::openEventEditor(s.studio, objectWindow, 1);
    wxFrame* w = ui::findCodeWindow("event-editor:player");
    ASSERT_NE(w, nullptr);
    auto* with = child<wxBitmapComboBox>(w, "with");
    ASSERT_NE(with, nullptr);
    EXPECT_TRUE(with->IsShown());
    ASSERT_EQ(with->GetCount(), 4u);
    EXPECT_EQ(with->GetString(0), "");
    EXPECT_EQ(with->GetString(1), "player");
    EXPECT_EQ(with->GetString(2), "wall");
    EXPECT_EQ(with->GetStringSelection(), "gone");  // kept selectable, so OK does not drop it
    screenshotWithImport("code_event_editor_collision");
    setCode(w, "changed();");
    click(child(w, "cancel"));
    EXPECT_EQ(s.studio.project.scripts[1].code, "hit();");
    EXPECT_FALSE(s.studio.project.modified());
    EXPECT_TRUE(objectWindow->IsEnabled());
}

TEST_F(CodeWindows, EventEditorWhoseScriptIsDeletedMeanwhileWritesNothingAndStaysOpen) {
    wxFrame* objectWindow = owner("Object window");
    ui::openEventEditor(s.studio, objectWindow, 0);
    wxFrame* w = ui::findCodeWindow("event-editor:player");
    ASSERT_NE(w, nullptr);
    s.studio.project.scripts.removeByName("scr_1");
    setCode(w, "orphan();");
    click(child(w, "ok"));
    EXPECT_TRUE(s.dialogs.anyShown("Error"));
    EXPECT_EQ(s.studio.project.scripts[0].code, "hit();");
    EXPECT_EQ(ui::findCodeWindow("event-editor:player"), w);  // the text can still be copied
    click(child(w, "cancel"));
    EXPECT_TRUE(objectWindow->IsEnabled());
    ui::openEventEditor(s.studio, objectWindow, 7);  // no such script
    EXPECT_EQ(ui::findCodeWindow("event-editor:player"), nullptr);
}

TEST_F(CodeWindows, SceneCodeEditorOkAndCancel) {
    wxFrame* sceneWindow = owner("Scene window");
    ui::openSceneCodeEditor(s.studio, sceneWindow, "level1");
    wxFrame* w = ui::findCodeWindow("scene-code:level1");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Scene code editor");
    EXPECT_FALSE(sceneWindow->IsEnabled());
    EXPECT_EQ(child(w, "help1"), nullptr);  // no help fields
    EXPECT_EQ(editorOf(w)->code(), "start();");
    setCode(w, "nothing();");
    click(child(w, "cancel"));
    EXPECT_EQ(s.studio.project.scenes[0].code, "start();");
    EXPECT_TRUE(sceneWindow->IsEnabled());

    ui::openSceneCodeEditor(s.studio, sceneWindow, "level1");
    w = ui::findCodeWindow("scene-code:level1");
    ASSERT_NE(w, nullptr);
    setCode(w, "go();");
    click(child(w, "ok"));
    EXPECT_EQ(s.studio.project.scenes[0].code, "go();");
    EXPECT_TRUE(s.studio.project.modified());
    EXPECT_TRUE(sceneWindow->IsEnabled());
}

TEST_F(CodeWindows, TheHelpFieldsFollowTheCaret) {
    s.studio.project.game.variables = "draw_text(1, 2, score);";
    ui::openGlobalVariables(s.studio, main);
    wxFrame* w = ui::findCodeWindow("global-variables");
    auto* help1 = child<wxTextCtrl>(w, "help1");
    auto* help2 = child<wxTextCtrl>(w, "help2");
    ASSERT_TRUE(help1 && help2);
    editorOf(w)->GotoPos(3);
    letEventsThrough(250);
    EXPECT_EQ(help1->GetValue(), "draw_text(x, y, text)");
    EXPECT_EQ(help2->GetValue(), "Draws a text.");
    screenshotWithImport("code_global_variables_help");
    editorOf(w)->GotoPos(18);  // in "score": syntax "n/a" stays empty
    letEventsThrough(250);
    EXPECT_EQ(help1->GetValue(), "");
    EXPECT_EQ(help2->GetValue(), "The score.");
    editorOf(w)->GotoPos(10);  // right after "("
    letEventsThrough(250);
    EXPECT_EQ(help2->GetValue(), "");
}

TEST_F(CodeWindows, PlacementIsRestoredAndKeptInThePreferences) {
    s.studio.prefs.x = 120;
    s.studio.prefs.y = 90;
    s.studio.prefs.width = 700;
    s.studio.prefs.height = 500;
    s.studio.prefs.maximized = -1;
    ui::openGlobalVariables(s.studio, main);
    wxFrame* w = ui::findCodeWindow("global-variables");
    letEventsThrough(100);
    EXPECT_EQ(w->GetSize(), wxSize(700, 500));
    EXPECT_EQ(w->GetPosition(), wxPoint(120, 90));
    // The parts follow the size: the editor 20 narrower, OK 75 from the right.
    const wxSize client = w->GetClientSize();
    EXPECT_EQ(editorOf(w)->GetSize(), wxSize(client.x - 20, client.y - 155));
    EXPECT_EQ(child(w, "ok")->GetPosition(), wxPoint(client.x - 75, client.y - 35));
    EXPECT_EQ(child(w, "help2")->GetPosition().y, client.y - 65);

    w->SetSize(640, 480);
    letEventsThrough(100);
    EXPECT_EQ(s.studio.prefs.width, 640);
    EXPECT_EQ(s.studio.prefs.height, 480);
    EXPECT_EQ(s.studio.prefs.maximized, -1);
    w->Move(200, 150);
    letEventsThrough(100);
    const wxPoint at = w->GetPosition();
    click(child(w, "cancel"));
    EXPECT_EQ(s.studio.prefs.x, at.x);
    EXPECT_EQ(s.studio.prefs.y, at.y);
}

TEST_F(CodeWindows, GameCommentsEditableFormAndModalForm) {
    s.studio.project.game.comments = "first line\r\nsecond line";
    ui::openGameComments(s.studio, main);
    wxFrame* w = ui::findCodeWindow("game-comments");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Game comments");
    auto* text = child<wxTextCtrl>(w, "comments");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetValue(), "first line\nsecond line");
    EXPECT_TRUE(text->IsEditable());
    screenshotWithImport("code_game_comments");
    text->ChangeValue("first line\nsecond line\nthird");
    // The pre-save commit takes it too; OK marks the project modified.
    for (auto& commit : s.studio.commitHooks) commit();
    EXPECT_EQ(s.studio.project.game.comments, "first line\r\nsecond line\r\nthird");
    s.studio.project.clearModified();
    click(child(w, "ok"));
    EXPECT_TRUE(s.studio.project.modified());
    EXPECT_EQ(ui::findCodeWindow("game-comments"), nullptr);

    // The modal form is read-only and ends with OK.
    struct ExpectComments : wxExpectModalBase<wxDialog, ExpectComments> {
        explicit ExpectComments(std::string* seen) : seen(seen) {}
        int OnInvoked(wxDialog* d) const override {
            auto* t = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName("comments", d));
            if (t && !t->IsEditable()) *seen = t->GetValue().utf8_string();
            return wxID_OK;
        }
        std::string* seen;
    };
    std::string seen;
    bool shown = false;
    wxTEST_DIALOG(shown = ui::showGameCommentsIfAny(s.studio, main), ExpectComments(&seen));
    EXPECT_TRUE(shown);
    EXPECT_EQ(seen, "first line\nsecond line\nthird");
    s.studio.project.game.comments.clear();
    wxTEST_DIALOG(shown = ui::showGameCommentsIfAny(s.studio, main), ExpectComments(&seen).Optional());
    EXPECT_FALSE(shown);
}

TEST_F(CodeWindows, TheCloseBoxOfTheCommentsWindowKeepsTheText) {
    ui::openGameComments(s.studio, main);
    wxFrame* w = ui::findCodeWindow("game-comments");
    child<wxTextCtrl>(w, "comments")->ChangeValue("typed");
    w->Close();
    EXPECT_EQ(s.studio.project.game.comments, "typed");
    EXPECT_TRUE(s.studio.project.modified());
    EXPECT_EQ(ui::findCodeWindow("game-comments"), nullptr);
}
