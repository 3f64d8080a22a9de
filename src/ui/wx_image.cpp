#include "ui/wx_image.h"

#include <cstdlib>
#include <cstring>

namespace pondaro::ui {

wxImage toWxImage(const Image& image) {
    if (image.empty()) return wxImage();
    const int w = image.width(), h = image.height();
    const size_t pixels = size_t(w) * size_t(h);
    // wxImage takes ownership of malloc'ed buffers.
    auto* rgb = static_cast<unsigned char*>(std::malloc(pixels * 3));
    auto* alpha = static_cast<unsigned char*>(std::malloc(pixels));
    if (!rgb || !alpha) {
        std::free(rgb);
        std::free(alpha);
        return wxImage();
    }
    const uint8_t* src = image.data();
    for (size_t i = 0; i < pixels; ++i, src += 4) {
        rgb[i * 3] = src[0];
        rgb[i * 3 + 1] = src[1];
        rgb[i * 3 + 2] = src[2];
        alpha[i] = src[3];
    }
    wxImage out(w, h, rgb, false);
    out.SetAlpha(alpha, false);
    return out;
}

wxBitmap toBitmap(const Image& image) {
    wxImage img = toWxImage(image);
    return img.IsOk() ? wxBitmap(img, 32) : wxBitmap();
}

} // namespace pondaro::ui
