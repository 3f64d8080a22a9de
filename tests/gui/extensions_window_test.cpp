#include <gtest/gtest.h>
#include <algorithm>

#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "app/ui/game_page.h"
#include "app/ui/installed_extensions_window.h"
#include "extensions/extension_file.h"
#include "gui_support.h"

using namespace pondaro;
using namespace pondaro::gui;

TEST(InstalledExtensionsWindow, ShowsEveryExtensionWithItsTickAndOkWritesTheTicks) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    s.studio.project.name = "mygame";
    const auto root = s.folder.path();
    ASSERT_TRUE(writeExtensionFile(root, "alpha", {"Alpha tools", "Ann", "Helps.", "Call alpha().", "function alpha(){}"}));
    ASSERT_TRUE(writeExtensionFile(root, "beta", {"Beta tools", "Bob", "More.", "", "var beta = 1;"}));
    ASSERT_TRUE(saveInstalledKeys(root, "mygame", {"beta"}));

    f->openGameWindow(3);
    ui::InstalledExtensionsWindow* window = f->installedExtensionsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetTitle(), "Installed extensions");
    EXPECT_EQ(window->GetClientSize(), wxSize(640, 480));
    // Opening it again while it is open makes no second window.
    f->openGameWindow(3);
    EXPECT_EQ(f->installedExtensionsWindow(), window);

    wxListCtrl* list = window->list();
    ASSERT_EQ(list->GetItemCount(), 2);
    const long alpha = list->GetItemText(0) == "Alpha tools" ? 0 : 1, beta = 1 - alpha;
    EXPECT_FALSE(list->IsItemChecked(alpha));
    EXPECT_TRUE(list->IsItemChecked(beta));

    window->pick(alpha);
    EXPECT_TRUE(window->info()->GetValue().StartsWith("NAME:Alpha tools\nAUTHOR: Ann\n\nDESCRIPTION: "));

    list->CheckItem(alpha, true);
    list->CheckItem(beta, false);
    EXPECT_TRUE(window->saveAndClose());
    pump();
    EXPECT_EQ(readTestFile(installedExtensionsPath(root, "mygame")), "alpha\r\n");
    EXPECT_EQ(f->installedExtensionsWindow(), nullptr);
}

TEST(InstalledExtensionsWindow, CancelWritesNothing) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    s.studio.project.name = "mygame";
    ASSERT_TRUE(writeExtensionFile(s.folder.path(), "alpha", {"Alpha", "Ann", "", "", ""}));
    ASSERT_TRUE(saveInstalledKeys(s.folder.path(), "mygame", {}));
    f->openGameWindow(3);
    ui::InstalledExtensionsWindow* window = f->installedExtensionsWindow();
    ASSERT_NE(window, nullptr);
    window->list()->CheckItem(0, true);
    window->Close();
    pump();
    EXPECT_EQ(readTestFile(installedExtensionsPath(s.folder.path(), "mygame")), "");
}

TEST(InstalledExtensionsWindow, ABuildWhileItIsOpenDoesNotShiftTheRows) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    s.studio.project.name = "mygame";
    const auto root = s.folder.path();
    ASSERT_TRUE(writeExtensionFile(root, "alpha", {"Alpha", "Ann", "", "", ""}));
    ASSERT_TRUE(saveInstalledKeys(root, "mygame", {}));
    f->openGameWindow(3);
    ui::InstalledExtensionsWindow* window = f->installedExtensionsWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->list()->GetItemCount(), 1);
    // Meanwhile another extension appears and a build reloads the studio's list.
    ASSERT_TRUE(writeExtensionFile(root, "zeta", {"Zeta", "Zed", "", "", ""}));
    ASSERT_TRUE(writeExtensionFile(root, "aaa", {"Aaa", "Al", "", "", ""}));
    s.studio.extensions = loadExtensions(root, "mygame");
    std::reverse(s.studio.extensions.begin(), s.studio.extensions.end());
    window->list()->CheckItem(0, true);
    EXPECT_TRUE(window->saveAndClose());
    pump();
    EXPECT_EQ(readTestFile(installedExtensionsPath(root, "mygame")), "alpha\r\n");
}
