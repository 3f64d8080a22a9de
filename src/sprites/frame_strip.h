#pragma once
// The frame strip of the sprite frames editor: one canvas per frame of the sprite,
// side by side from x = 10 with 10 pixels between them, each showing the checkerboard
// backdrop with its frame over it, and the current frame covered by the selection
// overlay.
#include <string_view>
#include <vector>

#include "image/draw.h"
#include "project/model.h"

namespace pondaro {

// The selection overlay: a one-pixel checker of this colour and fully transparent
// pixels, the coloured ones where x + y is even.
inline constexpr Rgba kSelectionColour{149, 149, 255, 255};

struct StripCanvas {
    size_t frame = 0;  // index in the frame list
    int x = 0, y = 0, width = 0, height = 0;
};
struct FrameStripLayout {
    std::vector<StripCanvas> canvases;
    int innerWidth = 0;   // the scrolling area's inner size
    int innerHeight = 0;
};

FrameStripLayout layoutFrameStrip(const Project& p, std::string_view sprite);
// The frame whose canvas holds the strip point (x, y), or -1 (a click between
// canvases selects nothing).
int frameAtStripPoint(const FrameStripLayout& layout, int x, int y);
// The canvas of a frame (an index into the frame list), or nullptr.
const StripCanvas* canvasOfFrame(const FrameStripLayout& layout, int frame);

// One frame's canvas.
Image renderFrameCanvas(const Image& frame, bool current);
// The visible region of the whole strip; what lies between canvases is transparent,
// for the window's own background to show.
Image renderFrameStrip(const Project& p, std::string_view sprite, int current, Rect region);

} // namespace pondaro
