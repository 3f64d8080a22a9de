#pragma once
// The font window ("Font properties - " + name): Family, Size, Bold, Italic and the
// preview line drawn in the font as typed, which " Done " checks and applies
// (resources/font_window.h).
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

namespace pondaro::ui {

// Opens the font's window, or brings it to the front when it is open. `rebuildPanel`
// runs after it closed.
void openFontWindow(Studio& studio, wxWindow* mainWindow, const std::string& name, std::function<void()> rebuildPanel);

} // namespace pondaro::ui
