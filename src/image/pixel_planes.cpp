#include "image/pixel_planes.h"

namespace pondaro {

void packRgb(const uint8_t* rgba, size_t pixels, uint8_t* rgb) {
    size_t i = 0;
    for (; i + 4 <= pixels; i += 4, rgba += 16, rgb += 12) {
        uint32_t p[4];
        std::memcpy(p, rgba, 16);
        packRgbFour(p, rgb);
    }
    for (; i < pixels; ++i, rgba += 4, rgb += 3) std::memcpy(rgb, rgba, 3);
}

bool splitRgbAlpha(const Image& image, uint8_t* rgb, uint8_t* alpha) {
    const size_t pixels = size_t(image.width()) * size_t(image.height());
    const uint8_t* src = image.data();
    uint8_t opaque = 255;
    size_t i = 0;
    // Four pixels at a time: their colours packed, their four alpha bytes as one word.
    for (; i + 4 <= pixels; i += 4, src += 16, rgb += 12) {
        uint32_t p[4];
        std::memcpy(p, src, 16);
        packRgbFour(p, rgb);
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
