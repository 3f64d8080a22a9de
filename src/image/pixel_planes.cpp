#include "image/pixel_planes.h"

#include <bit>
#include <cstring>

namespace pondaro {

static_assert(std::endian::native == std::endian::little, "pixel words are read little-endian");

bool splitRgbAlpha(const Image& image, uint8_t* rgb, uint8_t* alpha) {
    const size_t pixels = size_t(image.width()) * size_t(image.height());
    const uint8_t* src = image.data();
    uint8_t opaque = 255;
    size_t i = 0;
    // Four pixels at a time: sixteen bytes in, twelve colour bytes and four alpha
    // bytes out, as whole words (byte order of the machine: little-endian).
    for (; i + 4 <= pixels; i += 4, src += 16, rgb += 12) {
        uint32_t p[4];
        std::memcpy(p, src, 16);
        const uint32_t w0 = (p[0] & 0xffffffu) | (p[1] << 24);
        const uint32_t w1 = ((p[1] >> 8) & 0xffffu) | (p[2] << 16);
        const uint32_t w2 = ((p[2] >> 16) & 0xffu) | (p[3] << 8);
        std::memcpy(rgb, &w0, 4);
        std::memcpy(rgb + 4, &w1, 4);
        std::memcpy(rgb + 8, &w2, 4);
        const uint32_t a = (p[0] >> 24) | ((p[1] >> 24) << 8) | ((p[2] >> 24) << 16) | (p[3] & 0xff000000u);
        opaque &= uint8_t(a) & uint8_t(a >> 8) & uint8_t(a >> 16) & uint8_t(a >> 24);
        if (alpha) std::memcpy(alpha + i, &a, 4);
    }
    for (; i < pixels; ++i, src += 4, rgb += 3) {
        rgb[0] = src[0];
        rgb[1] = src[1];
        rgb[2] = src[2];
        opaque &= src[3];
        if (alpha) alpha[i] = src[3];
    }
    return opaque == 255;
}

} // namespace pondaro
