#include "image/draw.h"

#include <algorithm>
#include <cmath>

namespace pondaro {

namespace {

struct Clip {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Clip clipRect(const Image& dst, int x, int y, int w, int h) {
    long long x1 = std::min<long long>((long long)x + std::max(w, 0), dst.width());
    long long y1 = std::min<long long>((long long)y + std::max(h, 0), dst.height());
    return {std::max(x, 0), std::max(y, 0), int(x1), int(y1)};
}

} // namespace

Rgba blendOver(Rgba d, Rgba s) {
    if (s.a == 255) return s;
    if (s.a == 0) return d.a == 0 ? Rgba{} : d;
    const float sa = s.a / 255.0f, da = d.a / 255.0f;
    const float outA = sa + da * (1.0f - sa);
    if (outA <= 0.0f) return {};
    auto mix = [&](uint8_t sc, uint8_t dc) {
        float v = (sc * sa + dc * da * (1.0f - sa)) / outA;
        return uint8_t(std::clamp(std::lround(v), 0L, 255L));
    };
    uint8_t a = uint8_t(std::clamp(std::lround(outA * 255.0f), 0L, 255L));
    if (a == 0) return {};
    return {mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), a};
}

void drawOver(Image& dst, const Image& src, int x, int y, int opacity) {
    if (src.empty() || opacity <= 0) return;
    opacity = std::min(opacity, 255);
    Clip c = clipRect(dst, x, y, src.width(), src.height());
    if (c.empty()) return;
    for (int row = c.y0; row < c.y1; ++row) {
        const uint8_t* s = src.data() + (size_t(row - y) * src.width() + (c.x0 - x)) * 4;
        uint8_t* d = dst.data() + (size_t(row) * dst.width() + c.x0) * 4;
        for (int col = c.x0; col < c.x1; ++col, s += 4, d += 4) {
            Rgba sp{s[0], s[1], s[2], s[3]};
            if (opacity != 255) sp.a = uint8_t((sp.a * opacity + 127) / 255);
            if (sp.a == 0) continue;
            Rgba out = sp.a == 255 ? sp : blendOver({d[0], d[1], d[2], d[3]}, sp);
            d[0] = out.r;
            d[1] = out.g;
            d[2] = out.b;
            d[3] = out.a;
        }
    }
}

void fillRect(Image& dst, int x, int y, int w, int h, Rgba colour) {
    Clip c = clipRect(dst, x, y, w, h);
    for (int row = c.y0; row < c.y1; ++row) {
        uint8_t* d = dst.data() + (size_t(row) * dst.width() + c.x0) * 4;
        for (int col = c.x0; col < c.x1; ++col, d += 4) {
            d[0] = colour.r;
            d[1] = colour.g;
            d[2] = colour.b;
            d[3] = colour.a;
        }
    }
}

void xorFillRect(Image& dst, int x, int y, int w, int h, Rgba colour) {
    Clip c = clipRect(dst, x, y, w, h);
    for (int row = c.y0; row < c.y1; ++row) {
        uint8_t* d = dst.data() + (size_t(row) * dst.width() + c.x0) * 4;
        for (int col = c.x0; col < c.x1; ++col, d += 4) {
            d[0] ^= colour.r;
            d[1] ^= colour.g;
            d[2] ^= colour.b;
        }
    }
}

void drawCheckerboard(Image& dst, int originX, int originY) {
    for (int y = 0; y < dst.height(); ++y) {
        uint8_t* d = dst.data() + size_t(y) * dst.width() * 4;
        int sy = (y + originY) >> 4;  // arithmetic shift: squares continue left and above 0
        for (int x = 0; x < dst.width(); ++x, d += 4) {
            int sx = (x + originX) >> 4;
            Rgba c = ((sx + sy) & 1) ? kCheckerLight : kCheckerDark;
            d[0] = c.r;
            d[1] = c.g;
            d[2] = c.b;
            d[3] = 255;
        }
    }
}

Image checkerboard(int width, int height) {
    Image img(width, height);
    drawCheckerboard(img);
    return img;
}

} // namespace pondaro
