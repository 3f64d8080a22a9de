#include "app/main_menu.h"

namespace pondaro {

const std::vector<MenuEntry>& mainMenu() {
    using C = Command;
    static const std::vector<MenuEntry> entries = {
        {"File", C::New, "New\tCtrl + N", "Ctrl+N", true},
        {"File", C::Open, "Open...\tCtrl + O", "Ctrl+O", true},
        {"File", C::Merge, "Merge with an existing game...\tCtrl + M", "Ctrl+M", true},
        {"File", C::Save, "Save\tCtrl + S", "Ctrl+S", false},
        {"File", C::SaveAs, "Save as...", "", true},
        {"File", C::RunGame, "Run game\tF5", "F5", true},
        {"File", C::Preferences, "Preferences...", "", true},
        {"File", C::Exit, "Exit\tCtrl + X", "Ctrl+X", false},
        {"Resources", C::AddSprite, "Add new sprite\tCtrl + 1", "Ctrl+1", false},
        {"Resources", C::AddSound, "Add new sound\tCtrl + 2", "Ctrl+2", false},
        {"Resources", C::AddMusic, "Add new music\tCtrl + 3", "Ctrl+3", false},
        {"Resources", C::AddBackground, "Add new background\tCtrl + 4", "Ctrl+4", false},
        {"Resources", C::AddFont, "Add new font\tCtrl + 5", "Ctrl+5", false},
        {"Resources", C::AddObject, "Add new object\tCtrl + 6", "Ctrl+6", false},
        {"Resources", C::AddScene, "Add new scene\tCtrl + 7", "Ctrl+7", false},
        {"Resources", C::AddFunction, "Add new function\tCtrl + 8", "Ctrl+8", false},
        {"Help", C::Help, "Help\tF1", "F1", false},
        {"Help", C::About, "About", "", true},
        {"Help", C::CheckVersion, "Check program version...", "", false},
    };
    return entries;
}

const std::vector<ToolbarButton>& toolbarRow() {
    using C = Command;
    static const std::vector<ToolbarButton> buttons = {
        {C::New, 10, 25, "New game"},
        {C::Open, 40, 25, "Open game"},
        {C::Merge, 70, 25, "Merge with an existing game..."},
        {C::Save, 100, 25, "Save game"},
        {C::RunGame, 130, 50, "Run game"},
        {C::AddSprite, 200, 25, "Add a new sprite"},
        {C::AddSound, 230, 25, "Add a new sound"},
        {C::AddMusic, 260, 25, "Add a new music"},
        {C::AddBackground, 290, 25, "Add a new background"},
        {C::AddFont, 320, 25, "Add a new font"},
        {C::AddObject, 350, 25, "Add a new object"},
        {C::AddScene, 380, 25, "Add a new scene"},
        {C::AddFunction, 410, 25, "Add a new function"},
    };
    return buttons;
}

std::optional<PanelCategory> addedCategory(Command c) {
    switch (c) {
    case Command::AddSprite: return PanelCategory::Sprites;
    case Command::AddSound: return PanelCategory::Sounds;
    case Command::AddMusic: return PanelCategory::Musics;
    case Command::AddBackground: return PanelCategory::Backgrounds;
    case Command::AddFont: return PanelCategory::Fonts;
    case Command::AddObject: return PanelCategory::Objects;
    case Command::AddScene: return PanelCategory::Scenes;
    case Command::AddFunction: return PanelCategory::Functions;
    default: return std::nullopt;
    }
}

void openUserManual(Studio& studio) {
    if (!studio.shell.openManual())
        studio.dialogs.error("The user manual could not be opened. It is the page manual/index.html in the folder "
                             "the studio works in, or in share/pondaro/ where the studio is installed.");
}

} // namespace pondaro
