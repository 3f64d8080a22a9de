#pragma once
// "Edit sprite frames": the frames of one sprite side by side in a scrolled strip, and
// the commands that create, import, order, duplicate, delete and save them or hand the
// current frame to the image tools. The editor changes the project's frames at once;
// closing it, by " Done " or by its close box, marks the project modified and redraws
// the sprite's pictures. Every other window of the studio is disabled while it is open,
// for it keeps positions into the frame list.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the editor for the sprite (a child of the main window). `closed` runs once it
// has closed.
void openFramesEditor(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed);
// The open editor, or nullptr.
wxFrame* findFramesEditor(const std::string& sprite);

} // namespace pondaro::ui
