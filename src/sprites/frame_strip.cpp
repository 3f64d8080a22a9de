#include "sprites/frame_strip.h"

#include <algorithm>

namespace pondaro {

FrameStripLayout layoutFrameStrip(const Project& p, std::string_view sprite) {
    FrameStripLayout layout;
    int x = 10, hmax = 0;
    for (size_t i = 0; i < p.frames.size(); ++i) {
        if (p.frames[i].sprite != sprite) continue;
        const Image& img = p.frames[i].image;
        layout.canvases.push_back({i, x, 10, img.width(), img.height()});
        x += img.width() + 10;
        hmax = std::max(hmax, img.height());
    }
    layout.innerWidth = x;
    layout.innerHeight = hmax + 10;
    return layout;
}

int frameAtStripPoint(const FrameStripLayout& layout, int x, int y) {
    for (const StripCanvas& c : layout.canvases)
        if (x >= c.x && y >= c.y && x < c.x + c.width && y < c.y + c.height) return int(c.frame);
    return -1;
}

const StripCanvas* canvasOfFrame(const FrameStripLayout& layout, int frame) {
    for (const StripCanvas& c : layout.canvases)
        if (int(c.frame) == frame) return &c;
    return nullptr;
}

Image renderFrameCanvas(const Image& frame, bool current) {
    Image canvas(frame.width(), frame.height());
    drawCheckerboard(canvas);
    drawOver(canvas, frame, 0, 0);
    if (current) {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = y & 1; x < canvas.width(); x += 2) canvas.setPixel(x, y, kSelectionColour);
    }
    return canvas;
}

Image renderFrameStrip(const Project& p, std::string_view sprite, int current, Rect region) {
    Image out(region.width, region.height);
    if (out.empty()) return out;
    for (const StripCanvas& c : layoutFrameStrip(p, sprite).canvases) {
        if (c.x >= region.x + region.width || c.x + c.width <= region.x) continue;
        if (c.y >= region.y + region.height || c.y + c.height <= region.y) continue;
        copyInto(out, renderFrameCanvas(p.frames[c.frame].image, int(c.frame) == current), c.x - region.x,
                 c.y - region.y);
    }
    return out;
}

} // namespace pondaro
