#pragma once
// The dialogs of the frames editor's Transform and Effects menus: the preview dialog of
// the fifteen operations (the current frame before and after, the operation's own
// controls, "Apply to all frames in the sprite") and the two size dialogs ("Resize
// canvas", "Stretch the images") that always change every frame of the sprite. All are
// modal; nothing changes before "OK", and "OK" changes the frames and marks the project
// modified.
#include <string>

#include <wx/window.h>

#include "app/studio.h"
#include "sprites/effect_dialog.h"

namespace pondaro::ui {

// The preview dialog for the frame at `current`; nothing opens on a frame without
// pixels. True when "OK" changed frames.
bool runEffectDialog(Studio& studio, wxWindow* owner, Effect effect, const std::string& sprite, int current);

// A size dialog: nothing opens when the sprite has no frame with pixels. A size that
// cannot be a frame's is refused with a message and the frames stay as they were. True
// when "OK" resized the frames.
bool runSizeDialog(Studio& studio, wxWindow* owner, SizeOperation operation, const std::string& sprite);

} // namespace pondaro::ui
