#include "image/pixel_planes.h"

#include <cstring>

namespace pondaro {

bool splitRgbAlpha(const Image& image, uint8_t* rgb, uint8_t* alpha) {
    const size_t pixels = size_t(image.width()) * size_t(image.height());
    const uint8_t* src = image.data();
    uint8_t opaque = 255;
    for (size_t i = 0; i < pixels; ++i, src += 4, rgb += 3) {
        rgb[0] = src[0];
        rgb[1] = src[1];
        rgb[2] = src[2];
        opaque &= src[3];
        if (alpha) alpha[i] = src[3];
    }
    return opaque == 255;
}

} // namespace pondaro
