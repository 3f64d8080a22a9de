#pragma once
// The function window ("Function properties - " + name): "Parameters" and the function's
// code in the code editor, which " Done " checks and applies.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

namespace pondaro::ui {

// Opens the function's window, or brings it to the front when it is open.
// `rebuildPanel` runs after it closed.
void openFunctionWindow(Studio& studio, wxWindow* mainWindow, const std::string& name,
                        std::function<void()> rebuildPanel);

} // namespace pondaro::ui
