#pragma once
// The main window's commands: the menu bar with its captions and shortcuts, and the
// toolbar row that maps onto the same commands.
#include <optional>
#include <string>
#include <vector>

#include "app/resource_panel.h"
#include "app/studio.h"

namespace pondaro {

enum class Command {
    New, Open, Merge, Save, SaveAs, RunGame, Preferences, Exit,
    AddSprite, AddSound, AddMusic, AddBackground, AddFont, AddObject, AddScene, AddFunction,
    Help, About, CheckVersion
};

struct MenuEntry {
    const char* menu;      // "File", "Resources" or "Help"
    Command command;
    const char* caption;   // as shown: the text, a tab, the shortcut as written
    const char* shortcut;  // the key, e.g. "Ctrl+N"; "" for none
    bool separatorAfter;
};
// The menu bar, menus in order, items in order.
const std::vector<MenuEntry>& mainMenu();

// The toolbar row: image buttons at y 10, 25 high.
struct ToolbarButton {
    Command command;
    int x;
    int width;
    const char* toolTip;
};
const std::vector<ToolbarButton>& toolbarRow();

// The category a Resources command adds to.
std::optional<PanelCategory> addedCategory(Command c);

// Help: opens the user manual; when it cannot be opened, says where it is looked for.
void openUserManual(Studio& studio);

} // namespace pondaro
