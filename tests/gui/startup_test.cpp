#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/ui/resource_page.h"
#include "base/files.h"
#include "expectations.h"
#include "gui_support.h"
#include "preferences/preferences.h"
#include "ui/icon_button.h"

using namespace pondaro;
using namespace pondaro::gui;

TEST(Startup, CreatesTheFoldersAndPreferencesWithDefaultsAndShowsTheUnnamedTitle) {
    GuiStudio s;
    const auto started = std::chrono::steady_clock::now();
    ui::MainFrame* frame = s.start();
    ASSERT_NE(frame, nullptr);
    // Time to the main window shown, the splash and its pause left out (printed, not judged).
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("start-up to main window shown: %.0f ms\n", ms);
    EXPECT_TRUE(frame->IsShown());

    EXPECT_TRUE(isDirectory(s.folder.path() / "Projects"));
    EXPECT_TRUE(isDirectory(s.folder.path() / "Extensions"));
    EXPECT_EQ(readTestFile(s.folder.path() / "preferences.dat"), preferencesText(Preferences{}));
    EXPECT_TRUE(isDirectory(s.folder.path() / s.studio.project.workingFolder));

    EXPECT_EQ(frame->GetTitle(), "Pondaro Game Maker v2.0.0");
    expectProgramIcon(*frame);
    EXPECT_EQ(frame->statusDisplay()->GetLabel(), "STATUS: READY.");
    // The engine word list holds the 82 key constants even without keywords.dat.
    EXPECT_EQ(s.studio.keywords.size(), 82u);
    EXPECT_TRUE(std::any_of(s.studio.keywords.begin(), s.studio.keywords.end(),
                            [](const KeywordEntry& k) { return k.word == "vk_up" && k.kind == "Cons"; }));
}

TEST(Startup, MenusCarryTheCaptionsAndShortcutsAndTheToolbarItsToolTips) {
    GuiStudio s;
    ui::MainFrame* frame = s.start();
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 3u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    EXPECT_EQ(bar->GetMenuLabelText(1), "Resources");
    EXPECT_EQ(bar->GetMenuLabelText(2), "Help");

    auto accel = [&](Command c) {
        wxMenuItem* item = bar->FindItem(ui::MainFrame::commandId(c));
        EXPECT_NE(item, nullptr);
        std::unique_ptr<wxAcceleratorEntry> a(item ? item->GetAccel() : nullptr);
        return a ? a->ToRawString() : wxString();
    };
    // Ctrl+X is Exit in the main window, not cut.
    EXPECT_EQ(accel(Command::Exit), "Ctrl+X");
    EXPECT_EQ(accel(Command::New), "Ctrl+N");
    EXPECT_EQ(accel(Command::Merge), "Ctrl+M");
    EXPECT_EQ(accel(Command::RunGame), "F5");
    EXPECT_EQ(accel(Command::AddFunction), "Ctrl+8");
    EXPECT_EQ(accel(Command::Help), "F1");
    EXPECT_EQ(accel(Command::SaveAs), "");
    EXPECT_EQ(bar->FindItem(ui::MainFrame::commandId(Command::Merge))->GetItemLabelText(),
              "Merge with an existing game...");

    ui::IconButton* run = frame->toolButton(Command::RunGame);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->GetToolTipText(), "Run game");
    EXPECT_EQ(run->GetPosition(), wxPoint(130, 10));
    EXPECT_EQ(run->GetSize(), wxSize(50, 25));
    EXPECT_EQ(frame->toolButton(Command::AddScene)->GetToolTipText(), "Add a new scene");

    wxNotebook* panel = frame->panel();
    ASSERT_EQ(panel->GetPageCount(), 9u);
    EXPECT_EQ(panel->GetPageText(1), " Sounds ");
    EXPECT_EQ(panel->GetPageText(8), "Game");
}

TEST(Startup, CtrlXCutsInATextFieldAndIsExitEverywhereElse) {
    GuiStudio s;
    ui::MainFrame* frame = s.start();
    frame->Raise();
    wxTextCtrl* filter = frame->page(PanelCategory::Sprites)->filterField();
    filter->ChangeValue("hero");
    filter->SetFocus();
    filter->SelectAll();
    EXPECT_TRUE(pumpUntil([&] { return wxWindow::FindFocus() == filter; }));
    // Real key presses, through the desktop and the menu's shortcut.
    wxUIActionSimulator keys;
    keys.Char('x', wxMOD_CONTROL);
    EXPECT_TRUE(pumpUntil([&] { return filter->GetValue().empty(); }));  // cut
    pump(100);  // and no question about exiting comes

    wxWindow* canvas = frame->page(PanelCategory::Sprites)->canvas();
    canvas->SetFocus();
    EXPECT_TRUE(pumpUntil([&] { return wxWindow::FindFocus() == canvas; }));
    wxTEST_DIALOG(
        {
            keys.Char('x', wxMOD_CONTROL);
            pump(300);
        },
        ExpectMessage("Confirm", "Exit from Pondaro Game Maker?", wxID_NO));
    EXPECT_TRUE(frame->IsShown());
}

TEST(Startup, EveryMenuEntryShowsItsPicture) {
    GuiStudio s;
    ui::MainFrame* frame = s.start();
    wxMenuBar* bar = frame->GetMenuBar();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        EXPECT_EQ(menuEntriesWithoutPicture(*bar->GetMenu(i)), std::vector<std::string>{}) << bar->GetMenuLabelText(i);
    // The resource menus of the panel's pictures (the scenes' has every kind of entry).
    for (PanelCategory c : {PanelCategory::Sprites, PanelCategory::Objects, PanelCategory::Scenes}) {
        wxMenu menu;
        ui::fillResourceMenu(menu, c, frame->art());
#ifdef __WXGTK__
        menu.SetupBitmaps(frame);  // as the pop-up does: the pictures go in when it opens
#endif
        EXPECT_EQ(menuEntriesWithoutPicture(menu), std::vector<std::string>{}) << tabCaption(c);
    }
}

TEST(Startup, ResizingKeepsThePanelAtItsPlace) {
    GuiStudio s;
    ui::MainFrame* frame = s.start();
    frame->SetClientSize(1000, 700);
    EXPECT_TRUE(pumpUntil([&] { return frame->panel()->GetSize().x == 990; }));
    EXPECT_EQ(frame->panel()->GetPosition(), wxPoint(5, 45));
    const int before = frame->page(PanelCategory::Sprites)->canvas()->columns();
    frame->SetClientSize(1400, 700);
    // A wider window lets more thumbnails stand in a row.
    EXPECT_TRUE(pumpUntil([&] { return frame->page(PanelCategory::Sprites)->canvas()->columns() > before; }));
    EXPECT_EQ(frame->panel()->GetPosition(), wxPoint(5, 45));
}
