// The sprite windows' canvases, drawn by core for the visible part only:
// - the sprite preview: one timer tick (counting the frames, drawing the 300 x 300 view
//   of a 512 x 512 frame at zoom 64, moving the animation on) against a plain copy of a
//   300 x 300 picture;
// - the frames editor's strip: opening it (its layout and the first view) and scrolling
//   it, for a sprite of 300 frames of 256 x 256 against one of 10.
// Times are processor time of the thread, medians of many runs.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "project/model.h"
#include "sprites/frame_strip.h"
#include "sprites/sprite_preview.h"
#include "timing.h"

using namespace pondaro;
using bench::medianCpuSecondsPerCall;

namespace {

// A frame with something in every pixel: colour ramps, and a band of half-transparent
// pixels, as sprites with soft edges have.
Image patternFrame(int side, int seed) {
    Image img(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint8_t a = (x + y + seed) % 7 == 0 ? 128 : 255;
            img.setPixel(x, y, {uint8_t(x + seed), uint8_t(y * 3), uint8_t((x ^ y) + seed), a});
        }
    return img;
}

Project spriteWithFrames(int frames, int side) {
    Project p;
    Sprite s;
    s.name = "hero";
    s.collisionshape = "Box";
    s.collisionleft = 40;
    s.collisionright = 400;
    s.collisiontop = 40;
    s.collisionbottom = 400;
    s.centerx = side / 2;
    s.centery = side / 2;
    p.sprites.add(s);
    for (int k = 0; k < frames; ++k) p.frames.push_back(Frame{std::to_string(k), "hero", patternFrame(side, k)});
    return p;
}

struct StripTimes {
    double open;    // the layout and the first view
    double scroll;  // one view further along the strip
};

// The frames editor's strip view (780 x 440) opened at the start and scrolled along.
StripTimes stripTimes(int frames) {
    const Project p = spriteWithFrames(frames, 256);
    constexpr int kViewWidth = 780, kViewHeight = 440;
    StripTimes t{};
    t.open = medianCpuSecondsPerCall(15, 4, [&] {
        const FrameStripLayout layout = layoutFrameStrip(p, "hero");
        benchmark::DoNotOptimize(layout.innerWidth);
        benchmark::DoNotOptimize(renderFrameStrip(p, "hero", 0, {0, 0, kViewWidth, kViewHeight}));
    });
    const int width = layoutFrameStrip(p, "hero").innerWidth;
    int x = 0;
    t.scroll = medianCpuSecondsPerCall(15, 8, [&] {
        x = (x + 97) % std::max(1, width - kViewWidth);
        benchmark::DoNotOptimize(renderFrameStrip(p, "hero", 0, {x, 0, kViewWidth, kViewHeight}));
    });
    return t;
}

} // namespace

int main() {
    // The sprite preview: a 512 x 512 frame (two frames, so the animation moves on) at
    // zoom 64 with its collision box shown, in a 300 x 300 view in the middle.
    Project p = spriteWithFrames(2, 512);
    p.sprites.edit(0, [](Sprite& s) {
        s.spritewindow.zoom = 64;
        s.spritewindow.showcollision = true;
    });
    const Rect view{512 * 32 - 150, 512 * 32 - 150, 300, 300};
    const double tick = medianCpuSecondsPerCall(31, 20, [&] {
        updateSpritePreview(p, 0);
        benchmark::DoNotOptimize(renderSpritePreview(p, 0, view));
        advanceSpritePreview(p, 0);
    });
    const Image picture = patternFrame(300, 1);
    const double copy = medianCpuSecondsPerCall(31, 20, [&] {
        Image copied = picture;
        benchmark::DoNotOptimize(copied.data());
    });
    std::printf("sprite preview tick, 512 x 512 at zoom 64, 300 x 300 view (median, CPU): %.1f us\n", tick * 1e6);
    std::printf("plain copy of a 300 x 300 picture (median, CPU): %.1f us\n", copy * 1e6);
    std::printf("preview-tick-to-copy ratio: %.2f\n\n", tick / copy);

    const StripTimes many = stripTimes(300), few = stripTimes(10);
    std::printf("frame strip of 256 x 256 frames, 780 x 440 view (median, CPU):\n");
    std::printf("  open:   300 frames %.3f ms, 10 frames %.3f ms\n", many.open * 1e3, few.open * 1e3);
    std::printf("  scroll: 300 frames %.3f ms, 10 frames %.3f ms\n", many.scroll * 1e3, few.scroll * 1e3);
    std::printf("strip-300-to-10 ratio: open %.2f, scroll %.2f\n", many.open / few.open, many.scroll / few.scroll);
    return 0;
}
