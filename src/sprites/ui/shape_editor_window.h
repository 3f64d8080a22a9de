#pragma once
// "Sprite collision shape editor - " + name: the polygon of the sprite's collision
// points drawn over one of its frames, zoomed; points are added by clicking, moved by
// dragging, chosen in the list and deleted. Every other window of the studio is
// disabled while it is open.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the editor when the sprite has a picture (otherwise says "Please add a sprite
// image."). `closed` runs once it has closed.
void openShapeEditor(Studio& studio, wxWindow* mainWindow, const std::string& sprite, std::function<void()> closed);
wxFrame* findShapeEditor(const std::string& sprite);

} // namespace pondaro::ui
