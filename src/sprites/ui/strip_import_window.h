#pragma once
// "Importing image strips": after a sheet is chosen, the user sets the columns and rows
// it is cut into, sees the sheet and the cells as an animation, and " Import! "
// replaces the sprite's frames with the cells. Every other window of the studio is
// disabled while it is open.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Asks for the sheet ("Select an image strip") and opens the window; a cancelled or
// unreadable file (reported) opens nothing. `closed` runs once the window has closed,
// whether or not it imported.
void openStripImportWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite,
                           std::function<void()> closed);
wxFrame* findStripImportWindow(const std::string& sprite);

} // namespace pondaro::ui
