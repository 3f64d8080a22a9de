#include "image/flood_fill.h"

#include <bit>
#include <cstring>

namespace pondaro {

namespace {

static_assert(std::endian::native == std::endian::little, "pixel words are read little-endian");

constexpr uint32_t kRgbMask = 0x00FFFFFFu;  // red, green and blue of a little-endian pixel word

inline uint32_t word(const uint8_t* p) {
    uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

uint32_t rgbOf(Rgba c) { return uint32_t(c.r) | uint32_t(c.g) << 8 | uint32_t(c.b) << 16; }

} // namespace

void floodFill(Image& img, int x, int y, Rgba colour) {
    if (!img.contains(x, y)) return;
    const int w = img.width();
    uint8_t* px = img.data();
    const uint32_t start = word(px + (size_t(y) * w + x) * 4) & kRgbMask;
    const uint32_t fillWord = rgbOf(colour) | uint32_t(colour.a) << 24;
    auto fillRun = [&](int x0, int x1, int row) {
        uint8_t* d = px + (size_t(row) * w + x0) * 4;
        for (int i = x0; i <= x1; ++i, d += 4) std::memcpy(d, &fillWord, 4);
    };
    if ((fillWord & kRgbMask) != start) {
        // A filled pixel no longer matches, so the image itself records what is done.
        scanlineFill(
            w, img.height(), x, y,
            [&](int cx, int cy) { return (word(px + (size_t(cy) * w + cx) * 4) & kRgbMask) == start; }, fillRun);
        return;
    }
    // Same red, green and blue: filled pixels still match; remember them apart.
    std::vector<uint8_t> done(size_t(w) * img.height(), 0);
    scanlineFill(
        w, img.height(), x, y,
        [&](int cx, int cy) {
            size_t i = size_t(cy) * w + cx;
            return !done[i] && (word(px + i * 4) & kRgbMask) == start;
        },
        [&](int x0, int x1, int row) {
            std::memset(&done[size_t(row) * w + x0], 1, size_t(x1 - x0 + 1));
            fillRun(x0, x1, row);
        });
}

} // namespace pondaro
