#pragma once
// The windows other parts of the studio provide (the record property windows, the code
// windows, the function library windows). src/app/main.cpp fills this in; a hook left
// empty makes its command say that the window is not available yet.
#include <functional>
#include <string>

#include "app/resource_panel.h"
#include "app/studio.h"

class wxWindow;

namespace pondaro::ui {

// What a hook gets: the main window to own its window, the studio, and a way to have
// the resource panel rebuilt after the project changed.
struct HookContext {
    wxWindow* parent;
    Studio& studio;
    std::function<void()> rebuildPanel;
};

struct EditorHooks {
    // The property window of a record of the page (sprite, sound, ... function).
    std::function<void(HookContext&, PanelCategory, const std::string& name)> editRecord;
    // True while the record's property window is open (its pop-up menu is not shown then).
    std::function<bool(PanelCategory, const std::string& name)> hasOpenWindow;
    // The Game tab's code windows.
    std::function<void(HookContext&)> globalVariables;
    std::function<void(HookContext&)> functions;
    std::function<void(HookContext&)> comments;
    // The read-only comments shown after a project with comments is opened.
    std::function<void(HookContext&)> showComments;
    // The Functions page's "Export..." and "Import..." (function libraries).
    std::function<void(HookContext&)> exportFunctions;
    std::function<void(HookContext&)> importFunctions;
};

} // namespace pondaro::ui
