#include "image/image.h"

#include <algorithm>
#include <cstring>

namespace pondaro {

Image::Image(int width, int height) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    pixels_.assign(size_t(width) * size_t(height) * 4, 0);
}

Image Image::unfilled(int width, int height) {
    Image img;
    if (width <= 0 || height <= 0) return img;
    img.width_ = width;
    img.height_ = height;
    img.pixels_.resize(size_t(width) * size_t(height) * 4);
    return img;
}

Rgba Image::pixel(int x, int y) const {
    if (!contains(x, y)) return {};
    const uint8_t* p = &pixels_[(size_t(y) * width_ + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void Image::setPixel(int x, int y, Rgba c) {
    if (!contains(x, y)) return;
    uint8_t* p = &pixels_[(size_t(y) * width_ + x) * 4];
    p[0] = c.r; p[1] = c.g; p[2] = c.b; p[3] = c.a;
}

void Image::fill(Rgba c) {
    if (pixels_.empty()) return;
    uint8_t* p = pixels_.data();
    p[0] = c.r; p[1] = c.g; p[2] = c.b; p[3] = c.a;
    // The filled part doubles with each copy: a few large copies instead of a loop per pixel.
    for (size_t done = 4; done < pixels_.size();) {
        const size_t n = std::min(done, pixels_.size() - done);
        std::memcpy(p + done, p, n);
        done += n;
    }
}

void copyInto(Image& dst, const Image& src, int x, int y) { copyInto(dst, src, x, y, nullptr); }

void copyInto(Image& dst, const Image& src, int x, int y, const uint8_t* const* xorRows) {
    // 64-bit bounds: positions near the ends of the int range must not overflow.
    const long long x0 = std::max<long long>(0, x), y0 = std::max<long long>(0, y);
    const long long x1 = std::min<long long>(dst.width(), (long long)x + src.width());
    const long long y1 = std::min<long long>(dst.height(), (long long)y + src.height());
    if (x0 >= x1 || y0 >= y1) return;
    const size_t rowBytes = size_t(x1 - x0) * 4, srcStride = size_t(src.width()) * 4;
    // A part of a large picture is a row here and a row there in memory, each far from
    // the last, so the processor cannot guess what comes next: it is asked for the row a
    // few ahead while it copies this one.
    constexpr long long kAhead = 4;
    const bool far = srcStride > 4096 && rowBytes >= 256;
    for (long long row = y0; row < y1; ++row) {
        const uint8_t* from = src.data() + size_t(row - y) * srcStride + size_t(x0 - x) * 4;
        if (far && row - y + kAhead < src.height())
            for (size_t b = 0; b < rowBytes; b += 64) __builtin_prefetch(from + kAhead * srcStride + b);
        uint8_t* to = dst.data() + (size_t(row) * dst.width() + size_t(x0)) * 4;
        const uint8_t* mask = xorRows ? xorRows[row] : nullptr;
        if (!mask) {
            std::memcpy(to, from, rowBytes);
            continue;
        }
        mask += size_t(x0) * 4;
        for (size_t k = 0; k < rowBytes; ++k) to[k] = from[k] ^ mask[k];
    }
}

} // namespace pondaro
