#pragma once
// The sprite properties window ("Sprite properties - " + the sprite's name): the
// animated preview with the origin and the collision shape over it, the origin and
// collision fields, which act on the sprite at once, and the name and keywords, which
// " Done " checks and applies. From it the strip import, the PNG strip, the frames
// editor and the collision shape editor are reached. One window per sprite; several
// sprites' windows may be open side by side.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the sprite's window, or brings it to the front when it is open. `rebuildPanel`
// is called after the window changed what the resource panel shows (Done, Delete, new
// frames). The Studio must outlive the window.
void openSpriteWindow(Studio& studio, wxWindow* mainWindow, const std::string& sprite,
                      std::function<void()> rebuildPanel);
bool isSpriteWindowOpen(const std::string& sprite);
// The open window of the sprite, or nullptr.
wxFrame* findSpriteWindow(const std::string& sprite);

} // namespace pondaro::ui
