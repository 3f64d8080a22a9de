#pragma once
// The image editor: a pixel-painting window on the frames of one sprite. It paints
// straight into the frame images of the project's frame list; there is no cancel and
// one level of undo. Every change of a frame's pixels marks the project modified. The
// window passes mouse and button events here, and draws again what
// takeChangedCanvasArea() names, as renderImageEditorView() draws it.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "image/draw.h"
#include "image/pixel_planes.h"
#include "project/model.h"

namespace pondaro {

enum class EditorTool { Draw, Erase, Picker, Line, Rectangle, Ellipse, Fill };
enum class MouseButton { Left, Right };

// Width x zoom and height x zoom may not exceed this (zoom 1 is always allowed).
inline constexpr int kMaxEditorCanvas = 1024;

struct ImageEditor {
    std::string sprite;
    std::vector<size_t> frames;  // the sprite's frames in frame-list order
    size_t position = 0;         // the edited frame among them

    int zoom = 1;
    Rgba leftColour{255, 255, 255, 255};
    Rgba rightColour{0, 0, 0, 255};
    int opacity = 255;
    ColourMode mode = ColourMode::Replace;
    bool grid = true;
    EditorTool tool = EditorTool::Draw;

    bool leftHeld = false, rightHeld = false;
    int pointerX = 0, pointerY = 0;    // image pixels
    int recordedX = 0, recordedY = 0;  // where freehand drawing continues from
    int anchorX = 0, anchorY = 0;      // of a shape
    MouseButton shapeButton = MouseButton::Left;
    bool shapeActive = false;
    Image shapeBuffer;  // the edited image with the shape being dragged
    PixelRect shapeArea;  // the pixels the shape in the buffer may cover
    Image undo;         // the edited image before the last change

    // The image pixels whose view changed since the window last drew them.
    PixelRect changed;
};

// Opens on the frame at `frame` of the frame list: nothing when that is not a frame
// of the sprite or has no pixels. Zoom starts at 1 and the undo snapshot is a copy
// of the frame.
std::optional<ImageEditor> openImageEditor(const Project& p, std::string_view sprite, int frame);

// The frame being edited, or nullptr when it is no longer the sprite's frame.
Image* editedImage(Project& p, const ImageEditor& ed);
const Image* editedImage(const Project& p, const ImageEditor& ed);

// ---- Mouse on the drawing canvas (canvas pixels) -------------------------------------

void pressButton(Project& p, ImageEditor& ed, MouseButton button, int canvasX, int canvasY);
void movePointer(Project& p, ImageEditor& ed, int canvasX, int canvasY);
void releaseButton(Project& p, ImageEditor& ed, MouseButton button, int canvasX, int canvasY);
// The refresh timer: the recorded position becomes the pointer position.
void refreshTick(ImageEditor& ed);

// ---- Commands -------------------------------------------------------------------

// Copies the snapshot back; a second undo changes nothing further.
void undoLastChange(Project& p, ImageEditor& ed);
// "<" and ">": no wrap-around; the snapshot becomes a copy of the new frame.
void previousFrame(Project& p, ImageEditor& ed);
void nextFrame(Project& p, ImageEditor& ed);

bool zoomAllowed(const Image& img, int zoom);
void zoomIn(const Project& p, ImageEditor& ed);
void zoomOut(ImageEditor& ed);
void resetZoom(ImageEditor& ed);
// The mouse wheel: the zoom goes down by `steps` (turning forward zooms out), not
// below 1; a zoom that would make the canvas too large is refused.
void wheelZoom(const Project& p, ImageEditor& ed, int steps);

// ---- Colours -----------------------------------------------------------------------

// Typed in the opacity field (limited to 0..255).
void setOpacity(ImageEditor& ed, int opacity);
// The opacity bar (85 pixels wide): opacity = round(x / 84 x 255) limited to 0..255;
// both colours take it as their alpha.
void setOpacityFromBar(ImageEditor& ed, int x);
// A palette pixel or a chosen colour for a button's side: its red, green and blue
// with the opacity as alpha.
void setColourFromPalette(ImageEditor& ed, MouseButton button, Rgba colour);
// A press on a palette, or a drag over it: its pixel at (x, y) (kept inside the
// palette) for the button's side, with the opacity as alpha.
void pickFromPalette(ImageEditor& ed, MouseButton button, const Image& palette, int x, int y);
// A click on a colour box: the colour chooser opens on the box's colour; the colour
// chosen takes the opacity as alpha, Cancel keeps the old one. True when chosen.
bool chooseButtonColour(ImageEditor& ed, MouseButton button, Dialogs& dialogs);
// The opacity bar as the window shows it (85 x 20).
Image renderOpacityBar(int opacity);

// ---- File commands -----------------------------------------------------------------

// "Create a new empty image?" — Yes clears every pixel to (0, 0, 0, 0).
void newImage(Project& p, ImageEditor& ed, Dialogs& dialogs);
// "Select an image": the picture resized smoothly to the frame's size replaces it. An
// unreadable file is reported and changes nothing.
void openImage(Project& p, ImageEditor& ed, Dialogs& dialogs);
// "Save image as PNG ": proposes the sprite's name in `folder`; the frame is written to
// pngFileName() of the chosen name (".png" appended unless it is there). A failed
// write is reported. True when written.
bool saveImage(const Project& p, const ImageEditor& ed, Dialogs& dialogs, const std::filesystem::path& folder);

// ---- What the window shows ----------------------------------------------------------

// Canvas size: the frame's size times the zoom.
int canvasWidth(const Project& p, const ImageEditor& ed);
int canvasHeight(const Project& p, const ImageEditor& ed);
// The drawing canvas's visible region: the checkerboard backdrop stretched to at
// least 800 x 800, the frame (or the shape being dragged) enlarged by the zoom over
// it, and from zoom 4 on the XOR grid of pixel borders.
Image renderImageEditorView(const Project& p, const ImageEditor& ed, Rect region);
// The same view straight into a window's opaque colour rows (`out` holds the region's
// top left at its first byte): on the canvas the view is opaque, so it needs no alpha
// and no picture between. Only the part of the region on the canvas (and within `out`)
// is written; the rest of `out` is left as it was.
void drawImageEditorView(const Project& p, const ImageEditor& ed, Rect region, const RgbRows& out);
// The canvas pixels to draw again since the last call (empty when none), and from
// now on none. The window draws them after each event it passes here.
Rect takeChangedCanvasArea(ImageEditor& ed);
// "Dimension: w x h", "X:Y = x:y", "Zoom: z%".
std::array<std::string, 3> statusTexts(const Project& p, const ImageEditor& ed);

} // namespace pondaro
