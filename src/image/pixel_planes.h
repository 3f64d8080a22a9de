#pragma once
// A picture's bytes in the form window toolkits take them: red, green and blue
// interleaved in one plane, alpha in a second. The windows hand what core drew to the
// screen through this, so its cost is part of every repaint.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/image.h"

namespace pondaro {

// Writes width x height x 3 bytes to `rgb` and width x height bytes to `alpha` (which
// may be nullptr when only the colours are wanted). Returns true when every pixel is
// opaque, so that the alpha plane can be left out.
bool splitRgbAlpha(const Image& image, uint8_t* rgb, uint8_t* alpha);

// Rows of colour as a window's opaque bitmap holds them: red, green and blue bytes, no
// alpha, each row `stride` bytes after the one above (a toolkit may pad its rows). A
// view that is opaque everywhere is drawn straight into these, with no picture between.
struct RgbRows {
    uint8_t* data = nullptr;
    int width = 0, height = 0;
    size_t stride = 0;
    uint8_t* row(int y) const { return data + size_t(y) * stride; }
};

// Four RGBA pixels, as words read from their bytes, to twelve RGB bytes.
inline void packRgbFour(const uint32_t p[4], uint8_t* rgb) {
    static_assert(std::endian::native == std::endian::little, "pixel words are read little-endian");
    const uint32_t w0 = (p[0] & 0xffffffu) | (p[1] << 24);
    const uint32_t w1 = ((p[1] >> 8) & 0xffffu) | (p[2] << 16);
    const uint32_t w2 = ((p[2] >> 16) & 0xffu) | (p[3] << 8);
    std::memcpy(rgb, &w0, 4);
    std::memcpy(rgb + 4, &w1, 4);
    std::memcpy(rgb + 8, &w2, 4);
}

// The colours of `pixels` RGBA pixels as RGB bytes (alpha dropped).
void packRgb(const uint8_t* rgba, size_t pixels, uint8_t* rgb);

} // namespace pondaro
