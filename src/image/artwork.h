#pragma once
// The studio's own pictures, drawn at start-up rather than shipped as files: the kind
// icons of the toolbar, menus and panel, the panel's cards, the splash, the about
// picture and the open dialog's placeholder. Words on them are set by the window layer
// in the desktop's fonts; everything here is shapes.
#include "image/image.h"

namespace pondaro {

enum class Icon {
    Sprite, Sound, Music, Background, Font, Object, Scene, Function,
    Merge, Run, ResetOrder, SortAscending, SortDescending, Preferences, VersionCheck,
    Variables, Comments, Extensions,
    // Stand-ins for the desktop theme's icons when it has none: the File menu's
    // document, folder, disk and exit, and Help's help and about.
    Document, Folder, Disk, Exit, Help, About,
    // The sprite frames editor's commands, in menu and toolbar (the resource menus use
    // the edit, duplicate, delete and move pictures too).
    NewFrames, AddFrame, SaveStrip, DuplicateFrame, FrameLeft, FrameRight, EditFrame, DeleteFrame,
    Shift, Mirror, Rotate, Scale, ResizeCanvas, Stretch,
    Grayscale, Colorize, ColorBalance, SwapChannels, Invert, Brightness, Opacity, Posterize, Noise, EraseColour,
    MakeOpaque,
    // The image editor's view buttons and tools.
    Grid, ZoomOut, ZoomReset, ZoomIn, DrawTool, EraseTool, PickerTool, LineTool, RectangleTool, EllipseTool, FillTool
};

// An icon of size x size pixels on a transparent ground.
Image drawIcon(Icon icon, int size);

// The 150 x 100 thumbnail cards: the empty card is a white rounded rectangle with a
// dark border on a light grey ground; the "no image" card is the same shape in a muted
// red with a large "?".
inline constexpr int kCardWidth = 150;
inline constexpr int kCardHeight = 100;
Image emptyCard();
Image noImageCard();
// The empty card with a 60 x 60 icon at (45, 20).
Image iconCard(Icon icon);
// The panel's tile for adding a record.
Image addTileCard();

// The splash (800 x 600), the about picture (500 x 350), the open dialog's placeholder
// (240 x 240), the decorative strip behind a panel page's header, and the ground of the
// Game tab's pictures (275 x 38) with the icon at the left.
Image splashArt(int width, int height);
Image aboutArt(int width, int height);
Image placeholderArt(int width, int height);
Image headerStripArt(int width, int height);
Image gameButtonArt(Icon icon, int width, int height);

} // namespace pondaro
