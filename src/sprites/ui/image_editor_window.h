#pragma once
// "Image editor - " + sprite name: the pixel-painting window on one frame of a sprite,
// with its tools, colours, zoom, one-level undo, frame stepping and its File menu. It
// paints straight into the project's frame (the project is marked modified at each
// change); there is nothing to commit on closing. Every other window of the studio is
// disabled while it is open.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the editor on the frame at `frame` of the frame list, owned by `owner` (the
// frames editor). A frame without pixels opens nothing and `closed` runs at once;
// otherwise `closed` runs once the editor has closed.
void openImageEditorWindow(Studio& studio, wxWindow* owner, const std::string& sprite, int frame,
                           std::function<void()> closed);
wxFrame* findImageEditorWindow(const std::string& sprite);

} // namespace pondaro::ui
