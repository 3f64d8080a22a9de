#pragma once
// The Functions page's "Export...": the window "Select functions to export" with a
// check box per function, Author and Description, then the save dialog
// (extensions/function_library.h does the checks and the writing). The window stays
// until a library is written or it is cancelled; the main window waits meanwhile.
#include <wx/window.h>

#include "app/studio.h"

namespace pondaro::ui {

void exportFunctionsWindow(Studio& studio, wxWindow* mainWindow);

} // namespace pondaro::ui
