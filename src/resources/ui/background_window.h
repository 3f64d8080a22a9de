#pragma once
// The background window ("Background properties - " + name): the picture chosen with
// "Select image..." in a scrolled preview on the checkerboard, "Use as tile set" with
// its six fields, and " Done ", which applies them and only then takes a newly chosen
// picture with its tiles (resources/background_window.h). The preview is drawn again on
// the window's 33 ms tick when what it shows changed.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

namespace pondaro::ui {

// Opens the background's window, or brings it to the front when it is open.
// `rebuildPanel` runs after it closed (open scene windows then refill their boxes).
void openBackgroundWindow(Studio& studio, wxWindow* mainWindow, const std::string& name,
                          std::function<void()> rebuildPanel);

} // namespace pondaro::ui
