#include <gtest/gtest.h>

#include <set>

#include "app/main_menu.h"
#include "app/title.h"
#include "support/fake_ports.h"

using namespace pondaro;

TEST(WindowTitle, NamesTheVersionAndTheProjectWhenItHasOne) {
    EXPECT_EQ(versionDigits(200), "2.0.0");
    EXPECT_EQ(versionDigits(1105), "1.1.0.5");
    EXPECT_EQ(windowTitle(""), "Pondaro Game Maker v2.0.0");
    EXPECT_EQ(windowTitle("mygame"), "Pondaro Game Maker v2.0.0 - mygame");
}

TEST(MainMenu, EveryShortcutIsShownInItsCaptionAndUsedOnce) {
    std::set<std::string> used;
    for (const MenuEntry& e : mainMenu()) {
        const std::string caption = e.caption;
        const size_t tab = caption.find('\t');
        if (!*e.shortcut) {
            EXPECT_EQ(tab, std::string::npos) << caption;
            continue;
        }
        ASSERT_NE(tab, std::string::npos) << caption;
        std::string shown = caption.substr(tab + 1);
        std::erase(shown, ' ');
        EXPECT_EQ(shown, e.shortcut) << caption;
        EXPECT_TRUE(used.insert(e.shortcut).second) << e.shortcut;
    }
    // Every toolbar button is a menu command too.
    for (const ToolbarButton& b : toolbarRow()) {
        bool inMenu = false;
        for (const MenuEntry& e : mainMenu()) inMenu = inMenu || e.command == b.command;
        EXPECT_TRUE(inMenu) << b.toolTip;
    }
}

TEST(MainMenu, HelpSaysWhereTheManualIsWhenItCannotBeOpened) {
    TestStudio t;
    openUserManual(t.studio);
    EXPECT_EQ(t.shell.manuals, 1);
    EXPECT_TRUE(t.dialogs.shown.empty());
    struct NoManual : FakeShell {
        bool openManual() override { return false; }
    } shell;
    Studio studio(t.dialogs, shell, t.clock, t.folder.path());
    openUserManual(studio);
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].title, "Error");
    EXPECT_NE(t.dialogs.shown[0].text.find("manual/index.html"), std::string::npos);
}
