// Opens a sample project in the main window and the studio's dialogs one after the
// other, each saved as a PNG to be looked at (nothing cut off, nothing overlapping).
// It takes pictures rather than testing, so it runs only when PONDARO_SCREENSHOTS
// names the folder for them (main.cpp).
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "app/ui/about_window.h"
#include "app/ui/preferences_dialog.h"
#include "app/ui/resource_page.h"
#include "gui_support.h"
#include "project/lifecycle.h"
#include "ui/open_project_dialog.h"

using namespace pondaro;
using namespace pondaro::gui;

TEST(Screens, DISABLED_ASampleProjectInThePanelAndTheDialogs) {
    const auto samples = std::filesystem::path(PONDARO_SOURCE_DIR) / "samples" / "Projects";
    if (!std::filesystem::is_directory(samples)) GTEST_SKIP() << "no sample projects";
    GuiStudio s;
    ui::MainFrame* f = s.start();
    std::filesystem::copy(samples, s.folder.path() / "Projects",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    const auto names = listProjects(s.folder.path());
    ASSERT_FALSE(names.empty());
    ASSERT_TRUE(openProjectNamed(s.studio, names.front()));
    f->SetPosition(wxPoint(0, 0));
    f->SetClientSize(1280, 800);
    f->rebuildPanel();
    pump(200);
    EXPECT_EQ(f->GetTitle(), "Pondaro Game Maker v2.0.0 - " + names.front());
    EXPECT_EQ(f->page(PanelCategory::Sprites)->canvas()->shown().size(), s.studio.project.sprites.size());
    screenshot("main-window-sprites");
    f->panel()->SetSelection(int(PanelCategory::Objects));
    screenshot("main-window-objects");
    f->panel()->SetSelection(int(PanelCategory::Backgrounds));
    screenshot("main-window-backgrounds");
    f->panel()->SetSelection(int(PanelCategory::Sounds));
    f->page(PanelCategory::Sounds)->filterField()->SetValue("zzz");
    screenshot("main-window-sounds-filtered");
    f->page(PanelCategory::Sounds)->filterField()->SetValue("");
    f->panel()->SetSelection(8);
    screenshot("main-window-game");

    auto* prefs = new ui::PreferencesDialog(f, s.studio);
    prefs->SetPosition(wxPoint(20, 20));
    prefs->Show();
    screenshot("preferences");
    for (int tab : {1, 2}) {
        static_cast<wxNotebook*>(prefs->GetChildren().front())->SetSelection(tab);
        screenshot(tab == 1 ? "preferences-misc" : "preferences-export");
    }
    prefs->Destroy();

    auto* open = new ui::OpenProjectDialog(f, s.folder.path(), names, f->art().placeholder);
    open->SetPosition(wxPoint(20, 20));
    open->Show();
    open->pick(0);
    screenshot("open-dialog");
    open->Destroy();
}

TEST(Screens, TheAboutWindowKeepsItsSize) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    auto* about = new ui::AboutWindow(f, f->art().about);
    about->SetPosition(wxPoint(20, 20));
    about->Show();
    EXPECT_EQ(about->GetClientSize(), wxSize(500, 350));
    screenshot("about");
    about->Destroy();
}
