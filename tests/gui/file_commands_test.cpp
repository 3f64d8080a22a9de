#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/listbox.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/textctrl.h>

#include "app/ui/resource_page.h"
#include "code/ui/code_windows.h"
#include "base/files.h"
#include "expectations.h"
#include "gui_support.h"
#include "image/codecs.h"
#include "project/project_file.h"
#include "ui/name_dialog.h"
#include "ui/open_project_dialog.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

void press(wxWindow* dialog, int id) {
    auto* button = wxDynamicCast(dialog->FindWindow(id), wxButton);
    ASSERT_NE(button, nullptr);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

} // namespace

TEST(FileCommands, SaveNewAndOpenThroughTheMenusKeepTheTitleTrue) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    f->runCommand(Command::AddSprite);
    f->runCommand(Command::AddScene);
    ASSERT_EQ(s.studio.project.sprites.size(), 1u);
    EXPECT_TRUE(s.studio.project.modified());

    // Save of an unnamed project asks the name, writes the project and its game.
    wxTEST_DIALOG(f->runCommand(Command::Save), ExpectNameDialog("mygame"));
    EXPECT_EQ(f->GetTitle(), "Pondaro Game Maker v2.0.0 - mygame");
    EXPECT_TRUE(isRegularFile(projectFilePath(s.folder.path(), "mygame")));
    EXPECT_TRUE(isRegularFile(s.folder.path() / "Projects" / "mygame" / "game.js"));
    EXPECT_FALSE(s.studio.project.modified());
    EXPECT_EQ(f->statusDisplay()->GetLabel(), "PROJECT SAVED.");
    EXPECT_TRUE(pumpUntil([&] { return f->statusDisplay()->GetLabel() == "STATUS: READY."; }));

    // New asks nothing for a saved project and leaves it unnamed and empty.
    f->runCommand(Command::New);
    EXPECT_EQ(f->GetTitle(), "Pondaro Game Maker v2.0.0");
    EXPECT_TRUE(s.studio.project.sprites.empty());

    // Open through the open dialog, which shows the placeholder for a project
    // without a preview picture, and when the project file was written.
    wxTEST_DIALOG(f->runCommand(Command::Open), ExpectOpenDialog("mygame", wxID_OK, [](ui::OpenProjectDialog* d) {
                      EXPECT_TRUE(d->showingPlaceholder());
                      EXPECT_TRUE(d->informationLine().StartsWith("Project started: 20"));
                  }));
    EXPECT_EQ(f->GetTitle(), "Pondaro Game Maker v2.0.0 - mygame");
    ASSERT_EQ(s.studio.project.sprites.size(), 1u);
    EXPECT_EQ(f->page(PanelCategory::Sprites)->canvas()->shown().size(), 1u);
    EXPECT_EQ(f->statusDisplay()->GetLabel(), "STATUS: READY.");
}

TEST(FileCommands, TheGameCommentsShownAfterOpenStandCentredOnTheMainWindow) {
    GuiStudio s;
    s.hooks.showComments = [](ui::HookContext& c) { ui::showGameCommentsIfAny(c.studio, c.parent); };
    ui::MainFrame* f = s.start(kNoVersionServer, true);  // maximised, as the studio starts
    Project commented;
    commented.name = "commented";
    commented.game.comments = "Run and jump.";
    ASSERT_TRUE(writeProject(commented, s.folder.path()));

    // Both dialogs really show, where the window manager puts them; a timer plays the
    // user: it opens the project, then waits for the comments to settle and closes them.
    LetDialogsShow forReal;
    wxRect comments;
    int ticksShown = 0;
    bool clicked = false;
    wxTimer user;
    user.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (wxWindow* w : wxTopLevelWindows) {
            if (!w->IsShown()) continue;
            if (auto* open = dynamic_cast<ui::OpenProjectDialog*>(w)) {
                if (clicked) return;
                open->pick(open->list()->FindString("commented"));
                wxWindow* button = open->FindWindow(wxID_OK);
                wxUIActionSimulator mouse;
                mouse.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(10, 10));
                mouse.MouseClick();
                clicked = true;
                return;
            }
            auto* d = dynamic_cast<wxDialog*>(w);
            if (d && d->GetName() == "game-comments-modal" && ++ticksShown == 8) {
                comments = d->GetScreenRect();
                d->EndModal(wxID_OK);
                return;
            }
        }
    });
    user.Start(50);
    // From the main loop, as a menu command runs.
    wxGUIEventLoop mainLoop;
    f->CallAfter([&] {
        f->runCommand(Command::Open);
        mainLoop.Exit();
    });
    mainLoop.Run();
    user.Stop();
    EXPECT_EQ(s.studio.project.name, "commented");
    ASSERT_GE(ticksShown, 8);
    const wxRect main = f->GetScreenRect();
    EXPECT_GE(comments.width, 780);
    EXPECT_GE(comments.height, 580);
    EXPECT_NEAR(comments.x + comments.width / 2, main.x + main.width / 2, 40);
    EXPECT_NEAR(comments.y + comments.height / 2, main.y + main.height / 2, 40);
}

TEST(FileCommands, SaveAsCancelledLeavesTheProjectUnnamedAndWritesNothing) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    wxTEST_DIALOG(f->runCommand(Command::SaveAs), ExpectNameDialog("other", wxID_CANCEL));
    EXPECT_EQ(f->GetTitle(), "Pondaro Game Maker v2.0.0");
    EXPECT_TRUE(listFiles(s.folder.path() / "Projects", ".xml").empty());
}

TEST(FileCommands, OpenAfterChangesAsksFirstAndNoKeepsTheProject) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    f->runCommand(Command::AddFunction);
    wxTEST_DIALOG(f->runCommand(Command::Open),
                  ExpectMessage("Confirm", "Unsaved changes will be lost. Open a new project?", wxID_NO));
    EXPECT_EQ(s.studio.project.fns.size(), 1u);
}

TEST(FileCommands, MergeIntoAnUnnamedProjectIsRefused) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    wxTEST_DIALOG(f->runCommand(Command::Merge),
                  ExpectMessage("Error", "Please save your current project or open the base project."));
}

TEST(NameDialog, RefusesANameThatCannotBeAFileNameAndStaysOpen) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    auto* dialog = new ui::NameDialog(f, "Enter the project name", "", ui::fileNameProblem);
    dialog->Show();
    for (const char* bad : {"a/b", "..", "x\\y"}) {
        dialog->field()->SetValue(bad);
        wxTEST_DIALOG(press(dialog, wxID_OK), ExpectTitled("Error"));
        EXPECT_TRUE(dialog->IsShown()) << bad;
    }
    dialog->field()->SetValue("good name");
    press(dialog, wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->name(), "good name");
    dialog->Destroy();
}

TEST(OpenDialog, ShowsTheProjectsPreviewOrThePlaceholderAndWhenItWasWritten) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    writeTestFile(s.folder.path() / "Projects" / "withpicture.xml", "<project/>");
    writeTestFile(s.folder.path() / "Projects" / "plain.xml", "<project/>");
    writeTestFile(s.folder.path() / "Projects" / "empty.png", "");
    Image picture(300, 150);
    picture.fill({10, 200, 30, 255});
    ASSERT_TRUE(savePng(picture, s.folder.path() / "Projects" / "withpicture.png"));

    auto* dialog = new ui::OpenProjectDialog(f, s.folder.path(), {"withpicture", "plain"}, wxBitmap(8, 8));
    dialog->Show();
    EXPECT_EQ(dialog->GetClientSize(), wxSize(640, 400));
    EXPECT_EQ(dialog->chosen(), "");
    dialog->pick(0);
    EXPECT_FALSE(dialog->showingPlaceholder());
    EXPECT_TRUE(dialog->informationLine().StartsWith("Project started: 20"));
    dialog->pick(1);
    EXPECT_TRUE(dialog->showingPlaceholder());
    EXPECT_EQ(dialog->chosen(), "plain");
    dialog->Destroy();
}

TEST(EditorHooks, EachKindIsWiredOnItsOwnAndRecordChangesAreAnnounced) {
    GuiStudio s;
    std::vector<std::string> opened;
    s.hooks.sprite.open = [&](ui::HookContext& c, const std::string& name) {
        EXPECT_EQ(&c.studio, &s.studio);
        opened.push_back(name);
    };
    s.hooks.sprite.isOpen = [&](const std::string& name) { return !opened.empty() && opened.back() == name; };
    int changes = 0;
    auto listening = s.studio.resourcesChanged.subscribe([&] { ++changes; });
    ui::MainFrame* f = s.start();
    changes = 0;

    f->runCommand(Command::AddSprite);
    ASSERT_EQ(s.studio.project.sprites.size(), 1u);
    const std::string sprite = s.studio.project.sprites[0].name;
    EXPECT_EQ(opened, std::vector<std::string>{sprite});
    EXPECT_TRUE(f->hasOpenWindow(PanelCategory::Sprites, sprite));
    EXPECT_EQ(changes, 1);  // the new record: open windows refill their boxes

    // A kind nobody wired adds its record, opens nothing and knows of no open window.
    f->runCommand(Command::AddObject);
    EXPECT_FALSE(f->hasOpenWindow(PanelCategory::Objects, s.studio.project.objects[0].name));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(opened.size(), 1u);

    // The studio itself runs with every window wired: each command opens what it names.
    const ui::EditorHooks all = ui::studioEditorHooks();
    for (int i = 0; i < kPanelCategoryCount; ++i) {
        EXPECT_TRUE(all.recordWindow(panelCategory(i)).open) << i;
        EXPECT_TRUE(all.recordWindow(panelCategory(i)).isOpen) << i;
    }
    for (const auto* entry : {&all.globalVariables, &all.functions, &all.comments, &all.showComments,
                              &all.exportFunctions, &all.importFunctions})
        EXPECT_TRUE(*entry);
}
