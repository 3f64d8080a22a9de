// The image editor's canvas and the effect dialogs' previews, drawn by core for the part
// in view only, each timed with the conversion the window hands to the screen (the
// editor draws straight into the colour rows of a fresh opaque bitmap, padded as the
// desktop pads them; a preview is split into colour and alpha planes in fresh buffers):
// - one repaint of the editor's largest view (a 1024 x 1024 frame at zoom 1, and a
//   256 x 256 frame at zoom 4 with the grid) against a plain copy of a 1024 x 1024
//   picture;
// - a Draw stroke of 100 segments repainting only what each segment changed, against
//   100 repaints of the whole view;
// - for each of the fifteen preview dialogs on a 2048 x 2048 frame, the time to the
//   first preview (opening the dialog and drawing both 380 x 380 panes) against the
//   operation on the whole frame.
// Times are processor time of the thread, medians of many runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <benchmark/benchmark.h>

#include "image/effects.h"
#include "image/pixel_planes.h"
#include "project/model.h"
#include "sprites/effect_dialog.h"
#include "sprites/image_editor.h"
#include "timing.h"

using namespace pondaro;
using bench::medianCpuSecondsPerCall;

namespace {

// A frame with something in every pixel: colour ramps, a band of half-transparent
// pixels and a transparent border, as sprites with soft edges have.
Image patternFrame(int side) {
    Image img(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool border = x < side / 16 || y < side / 16 || x >= side - side / 16 || y >= side - side / 16;
            const uint8_t a = border ? 0 : (x + y) % 7 == 0 ? 128 : 255;
            img.setPixel(x, y, {uint8_t(x), uint8_t(y * 3), uint8_t(x ^ y), a});
        }
    return img;
}

// What a window does with a drawn region: its bytes split into the planes it takes.
void handToWindow(const Image& view) {
    const size_t pixels = size_t(view.width()) * size_t(view.height());
    auto* rgb = static_cast<uint8_t*>(std::malloc(pixels * 3));
    auto* alpha = static_cast<uint8_t*>(std::malloc(pixels));
    benchmark::DoNotOptimize(splitRgbAlpha(view, rgb, alpha));
    benchmark::DoNotOptimize(rgb);
    std::free(rgb);
    std::free(alpha);
}

// What the editor's window does with a region: a bitmap of colour rows (each padded to
// whole words, as the desktop's bitmaps are) filled by the renderer itself.
void paintEditor(const Project& p, const ImageEditor& ed, Rect area) {
    const size_t stride = (size_t(area.width) * 3 + 3) & ~size_t(3);
    auto* rows = static_cast<uint8_t*>(std::malloc(stride * size_t(area.height)));
    drawImageEditorView(p, ed, area, RgbRows{rows, area.width, area.height, stride});
    benchmark::DoNotOptimize(rows);
    benchmark::ClobberMemory();
    std::free(rows);
}

struct Editor {
    Editor(int side, int zoom) {
        p.frames.push_back(Frame{"0", "hero", patternFrame(side)});
        ed = *openImageEditor(p, "hero", 0);
        ed.zoom = zoom;
    }
    Rect whole() const { return {0, 0, canvasWidth(p, ed), canvasHeight(p, ed)}; }
    void repaint(Rect area) { paintEditor(p, ed, area); }
    Project p;
    ImageEditor ed;
};

} // namespace

int main() {
    const Image picture = patternFrame(1024);
    const double copy = medianCpuSecondsPerCall(31, 4, [&] {
        Image copied = picture;
        benchmark::DoNotOptimize(copied.data());
    });
    std::printf("plain copy of a 1024 x 1024 picture (median, CPU): %.3f ms\n\n", copy * 1e3);

    Editor large(1024, 1), gridded(256, 4);
    const double repaintLarge = medianCpuSecondsPerCall(31, 4, [&] { large.repaint(large.whole()); });
    const double repaintGrid = medianCpuSecondsPerCall(31, 4, [&] { gridded.repaint(gridded.whole()); });
    std::printf("image editor, one repaint of the 1024 x 1024 view (render + conversion, median, CPU):\n");
    std::printf("  1024 x 1024 frame at zoom 1:        %.3f ms, repaint-to-copy ratio %.2f\n", repaintLarge * 1e3,
                repaintLarge / copy);
    std::printf("  256 x 256 frame at zoom 4, grid on: %.3f ms, repaint-to-copy ratio %.2f\n\n", repaintGrid * 1e3,
                repaintGrid / copy);

    // A stroke of 100 segments of 8 pixels zigzagging over the frame at zoom 4; each
    // segment repaints what it changed, as the window does after each pointer move.
    auto stroke = [&](Editor& e, bool onlyChanged) {
        pressButton(e.p, e.ed, MouseButton::Left, 40, 40);
        int x = 40, y = 40;
        for (int k = 0; k < 100; ++k) {
            x += 32;
            y += (k % 2) ? 20 : -12;
            if (x >= 1000) x = 40;
            movePointer(e.p, e.ed, x, y);
            const Rect changed = takeChangedCanvasArea(e.ed);
            e.repaint(onlyChanged ? changed : e.whole());
        }
        releaseButton(e.p, e.ed, MouseButton::Left, x, y);
        takeChangedCanvasArea(e.ed);
    };
    const double strokeChanged = medianCpuSecondsPerCall(9, 1, [&] { stroke(gridded, true); });
    const double strokeWhole = medianCpuSecondsPerCall(9, 1, [&] { stroke(gridded, false); });
    std::printf("Draw stroke of 100 segments, 256 x 256 frame at zoom 4 (median, CPU):\n");
    std::printf("  changed rectangles only %.3f ms, 100 whole repaints %.3f ms, ratio %.3f\n\n", strokeChanged * 1e3,
                strokeWhole * 1e3, strokeChanged / strokeWhole);

    // The previews of a 2048 x 2048 frame.
    Project p;
    p.frames.push_back(Frame{"0", "hero", patternFrame(2048)});
    const Rect pane{0, 0, 380, 380};
    std::printf("effect preview of a 2048 x 2048 frame, both 380 x 380 panes (median, CPU):\n");
    std::printf("  %-22s %10s %12s %8s\n", "operation", "preview", "whole frame", "ratio");
    for (int e = int(Effect::Shift); e <= int(Effect::MakeOpaque); ++e) {
        const Effect effect = Effect(e);
        const double first = medianCpuSecondsPerCall(9, 2, [&] {
            std::optional<EffectPreview> preview = openEffectPreview(p, effect, "hero", 0, 1);
            // A parameter that makes the operation do real work.
            if (effect == Effect::Rotate) setRowValue(*preview, 0, 37);
            handToWindow(renderEffectPreview(p, *preview, PreviewPane::Original, pane));
            handToWindow(renderEffectPreview(p, *preview, PreviewPane::Modified, pane));
        });
        EffectParams params = initialParams(effect);
        params.angle = 37;
        const double whole = medianCpuSecondsPerCall(5, 1, [&] { benchmark::DoNotOptimize(applyEffect(effect, p.frames[0].image, params)); });
        std::printf("  %-22s %8.3f ms %9.3f ms %8.3f\n", effectTitle(effect), first * 1e3, whole * 1e3, first / whole);
    }
    return 0;
}
