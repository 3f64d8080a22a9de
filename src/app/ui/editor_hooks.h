#pragma once
// The windows other parts of the studio provide (the record property windows, the code
// windows, the function library windows). studioEditorHooks() fills in every entry; a
// studio started with an entry left empty (the panel's own tests) opens nothing for it.
#include <functional>
#include <string>

#include "app/resource_panel.h"
#include "app/studio.h"

class wxWindow;

namespace pondaro::ui {

// What a hook gets: the main window to own its window, the studio, and a way to have
// the resource panel rebuilt after the project changed (which also sends the studio's
// "resources changed" to every open window).
struct HookContext {
    wxWindow* parent;
    Studio& studio;
    std::function<void()> rebuildPanel;
};

// The property window of one kind of record.
struct RecordWindowHook {
    // Opens the window of the named record, or brings it to the front when it is open.
    std::function<void(HookContext&, const std::string& name)> open;
    // True while the record's window is open (the panel shows no pop-up menu then).
    std::function<bool(const std::string& name)> isOpen;
};

struct EditorHooks {
    // One entry per kind of record.
    RecordWindowHook sprite, sound, music, background, font, object, scene, function;
    // The Game tab's code windows.
    std::function<void(HookContext&)> globalVariables;
    std::function<void(HookContext&)> functions;
    std::function<void(HookContext&)> comments;
    // The read-only comments shown after a project with comments is opened.
    std::function<void(HookContext&)> showComments;
    // The Functions page's "Export..." and "Import..." (function libraries).
    std::function<void(HookContext&)> exportFunctions;
    std::function<void(HookContext&)> importFunctions;

    // The entry of a page's kind.
    const RecordWindowHook& recordWindow(PanelCategory c) const {
        switch (c) {
        case PanelCategory::Sprites: return sprite;
        case PanelCategory::Sounds: return sound;
        case PanelCategory::Musics: return music;
        case PanelCategory::Backgrounds: return background;
        case PanelCategory::Fonts: return font;
        case PanelCategory::Objects: return object;
        case PanelCategory::Scenes: return scene;
        case PanelCategory::Functions: break;
        }
        return function;
    }
};

// Every window the studio has, wired in: what the program runs with.
EditorHooks studioEditorHooks();

} // namespace pondaro::ui
