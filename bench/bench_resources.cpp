// The background window's preview, drawn by core for the part in view only: one tick
// that draws the 400 x 300 view (the picture over the checkerboard with the tile grid)
// of a 4096 x 4096 picture, against a plain copy of a 400 x 300 picture. The picture is
// opaque with a band of half-transparent pixels in every row, as tile sets with soft
// edges have, and is made into the preview's form once, as the window does when a
// picture is chosen. Times are processor time of the thread, medians of many runs.
#include <cstdint>
#include <cstdio>
#include <memory>

#include <benchmark/benchmark.h>

#include "resources/background_window.h"
#include "timing.h"

using namespace pondaro;
using bench::medianCpuSecondsPerCall;

namespace {

Image tileSetPicture(int side) {
    Image img(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint8_t a = (x % 32) < 4 ? 128 : 255;
            img.setPixel(x, y, {uint8_t(x), uint8_t(y * 3), uint8_t(x ^ y), a});
        }
    return img;
}

} // namespace

int main() {
    const PreviewPicture picture = PreviewPicture::of(std::make_shared<const Image>(tileSetPicture(4096)));
    const TileGrid grid{32, 32, 0, 0, 0, 0};
    double ticks[2] = {};
    for (int withGrid = 0; withGrid < 2; ++withGrid) {
        int k = 0;
        ticks[withGrid] = medianCpuSecondsPerCall(31, 20, [&] {
            // A view somewhere else each time, as the tick draws it after a scroll.
            const Rect view{(k * 397) % (4096 - 400), (k * 211) % (4096 - 300), 400, 300};
            ++k;
            benchmark::DoNotOptimize(renderBackgroundPreview(picture, withGrid ? std::optional(grid) : std::nullopt, view));
        });
    }
    Image plain(400, 300);
    plain.fill({10, 20, 30, 255});
    const double copy = medianCpuSecondsPerCall(31, 20, [&] {
        Image copied = plain;
        benchmark::DoNotOptimize(copied.data());
    });
    std::printf("background preview tick, 4096 x 4096 picture, 400 x 300 view (median, CPU): %.1f us, "
                "with the 32 x 32 tile grid %.1f us\n",
                ticks[0] * 1e6, ticks[1] * 1e6);
    std::printf("plain copy of a 400 x 300 picture (median, CPU): %.1f us\n", copy * 1e6);
    std::printf("preview-tick-to-copy ratio: %.2f, with the grid %.2f\n", ticks[0] / copy, ticks[1] / copy);
    return 0;
}
