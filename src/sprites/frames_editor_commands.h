#pragma once
// The sprite frames editor's commands: its menu bar with captions and shortcuts, and
// the row of image buttons that maps onto the same commands with the same icons.
#include <vector>

#include "image/artwork.h"

namespace pondaro {

enum class FramesCommand {
    NewSprite, AddFrame, SaveStrip,
    Duplicate, MoveLeft, MoveRight, EditFrame, DeleteFrame,
    // The Transform menu.
    Shift, Mirror, Rotate, Scale, ResizeCanvas, Stretch,
    // The Effects menu.
    Grayscale, Colorize, ColorBalance, SwapChannels, Invert, Brightness, Opacity, Posterize, Noise, EraseColour,
    MakeOpaque
};

struct FramesMenuEntry {
    const char* menu;      // "File", "Edit", "Transform" or "Effects"
    FramesCommand command;
    const char* caption;   // as shown: the text, a tab, the shortcut as written
    const char* shortcut;  // the key, e.g. "Ctrl+N"; "" for none
    bool separatorAfter;
};
// The menu bar, menus in order, entries in order.
const std::vector<FramesMenuEntry>& framesEditorMenu();

// The row of 25 x 25 image buttons at y 10; x leaves a wider gap between groups.
struct FramesToolButton {
    FramesCommand command;
    int x;
    const char* toolTip;
};
const std::vector<FramesToolButton>& framesEditorToolbar();

// The icon a command shows in its menu entry and on its button.
Icon framesCommandIcon(FramesCommand c);

// The commands that hand the current frame to a window of the image tools (the image
// editor, the effect and size dialogs); the others are the editor's own.
bool opensImageTool(FramesCommand c);

} // namespace pondaro
