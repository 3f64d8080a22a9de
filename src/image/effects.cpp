#include "image/effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "image/draw.h"
#include "image/resample.h"

namespace pondaro {

namespace {

using ChannelTable = std::array<uint8_t, 256>;

template <class F>
ChannelTable tableOf(F f) {
    ChannelTable t{};
    for (int c = 0; c < 256; ++c) t[size_t(c)] = uint8_t(std::clamp(f(c), 0, 255));
    return t;
}

// Writes f(pixel) for every pixel into a new image of the same size. f gets a
// pointer to the source pixel and the destination pixel; a destination pixel whose
// alpha ends at 0 is stored as (0, 0, 0, 0).
template <class F>
Image mapPixels(const Image& src, F f) {
    if (src.empty()) return {};
    Image dst(src.width(), src.height());
    const uint8_t* s = src.data();
    uint8_t* d = dst.data();
    const size_t n = src.byteSize();
    for (size_t i = 0; i < n; i += 4) {
        f(s + i, d + i);
        if (d[i + 3] == 0) d[i] = d[i + 1] = d[i + 2] = 0;
    }
    return dst;
}

// The same table for red, green and blue; alpha kept.
Image mapColour(const Image& src, const ChannelTable& t) {
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        d[0] = t[s[0]];
        d[1] = t[s[1]];
        d[2] = t[s[2]];
        d[3] = s[3];
    });
}

// Half away from zero, for values of either sign (what the formulas' round means).
inline long long roundHalfAway(float v) {
    double d = v;
    return d >= 0 ? (long long)(d + 0.5) : -(long long)(-d + 0.5);
}

// The luminance weights' contribution of each channel value. The products of a
// single-precision weight and a byte, and their sum, are exact in double, so the
// sum rounds to single precision only once, as the formula says.
struct LuminanceTables {
    std::array<double, 256> r{}, g{}, b{};
    LuminanceTables() {
        for (int c = 0; c < 256; ++c) {
            r[size_t(c)] = double(0.2126f) * c;
            g[size_t(c)] = double(0.7152f) * c;
            b[size_t(c)] = double(0.0722f) * c;
        }
    }
    uint8_t operator()(uint8_t cr, uint8_t cg, uint8_t cb) const {
        const float sum = float(r[cr] + g[cg] + b[cb]);
        return uint8_t(std::min<long long>(roundHalfAway(sum), 255));
    }
};
const LuminanceTables& luminanceTables() {
    static const LuminanceTables tables;
    return tables;
}

constexpr uint64_t kSplitMixStep = 0x9E3779B97F4A7C15ull;

uint64_t splitMix(uint64_t& state) {
    uint64_t z = (state += kSplitMixStep);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The part of a w x h frame that lies inside it.
Rect clipToSize(Rect part, int w, int h) {
    const int x0 = std::clamp(part.x, 0, std::max(w, 0)), y0 = std::clamp(part.y, 0, std::max(h, 0));
    const int x1 = int(std::clamp<long long>((long long)part.x + std::max(part.width, 0), x0, std::max(w, 0)));
    const int y1 = int(std::clamp<long long>((long long)part.y + std::max(part.height, 0), y0, std::max(h, 0)));
    return {x0, y0, x1 - x0, y1 - y0};
}

// Copies (without blending) the source pixel the mapping names for every
// destination pixel of the part; pixels whose source lies outside stay transparent.
template <class Map>
Image remapPixels(const Image& src, Rect part, Map map) {
    const int w = src.width(), h = src.height();
    part = clipToSize(part, w, h);
    if (part.width <= 0 || part.height <= 0) return {};
    Image dst(part.width, part.height);
    const uint32_t* s = reinterpret_cast<const uint32_t*>(src.data());
    uint32_t* d = reinterpret_cast<uint32_t*>(dst.data());
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) {
            auto [sx, sy] = map(part.x + x, part.y + y);
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            d[size_t(y) * part.width + x] = s[size_t(sy) * w + size_t(sx)];
        }
    }
    clearTransparentPixels(dst);
    return dst;
}

Image mirrorPart(const Image& src, bool horizontally, bool vertically, Rect part) {
    const int w = src.width(), h = src.height();
    return remapPixels(src, part, [&](int x, int y) {
        return std::pair{horizontally ? w - 1 - x : x, vertically ? h - 1 - y : y};
    });
}

// Where Scale puts the resampled frame on its canvas, and at what size.
struct ScalePlacement {
    int x = 0, y = 0, width = 0, height = 0;
};
ScalePlacement scalePlacement(int w, int h, int percentHorizontal, int percentVertical) {
    // The dialog's fields hold 1..400.
    percentHorizontal = std::clamp(percentHorizontal, 1, 400);
    percentVertical = std::clamp(percentVertical, 1, 400);
    // Sizes in single precision; sizes and positions rounded to nearest, ties to even.
    const float sw = float(double(percentHorizontal) * w / 100.0);
    const float sh = float(double(percentVertical) * h / 100.0);
    return {int(std::nearbyint(float(w / 2) - sw / 2.0f)), int(std::nearbyint(float(h / 2) - sh / 2.0f)),
            int(std::nearbyint(sw)), int(std::nearbyint(sh))};
}

Image scalePart(const Image& src, int percentHorizontal, int percentVertical, Rect part) {
    part = clipToSize(part, src.width(), src.height());
    if (part.width <= 0 || part.height <= 0) return {};
    Image dst(part.width, part.height);
    const ScalePlacement at = scalePlacement(src.width(), src.height(), percentHorizontal, percentVertical);
    if (at.width <= 0 || at.height <= 0) return dst;
    // Only the part of the resampled picture that lands in the part is computed.
    const int fromX = part.x - at.x, fromY = part.y - at.y;
    const Image piece = resizeAreaAveragePart(src, at.width, at.height, fromX, fromY, part.width, part.height);
    drawOver(dst, piece, std::max(-fromX, 0), std::max(-fromY, 0));
    return dst;
}

Image shiftPart(const Image& src, int dx, int dy, bool wrapHorizontally, bool wrapVertically, Rect part) {
    const int w = src.width(), h = src.height();
    part = clipToSize(part, w, h);
    if (part.width <= 0 || part.height <= 0) return {};
    Image dst(part.width, part.height);
    // The copies lie a whole frame apart, so none overlaps another.
    const int xs[3] = {dx, dx - w, dx + w};
    const int ys[3] = {dy, dy - h, dy + h};
    for (int j = 0; j < (wrapVertically ? 3 : 1); ++j)
        for (int i = 0; i < (wrapHorizontally ? 3 : 1); ++i) drawOver(dst, src, xs[i] - part.x, ys[j] - part.y);
    return dst;
}

} // namespace

uint8_t luminance(uint8_t r, uint8_t g, uint8_t b) { return luminanceTables()(r, g, b); }

Image grayscale(const Image& src) {
    const LuminanceTables& lum = luminanceTables();
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        const uint8_t l = lum(s[0], s[1], s[2]);
        d[0] = d[1] = d[2] = l;
        d[3] = s[3];
    });
}

HueFactors hueFactors(int hue) {
    hue = std::clamp(hue, 0, 359);
    // In single precision as the dialog computes it: h = V / 360, s = 6h.
    const float h = float(hue) / 360.0f;
    const float s = 6.0f * h;
    const int i = std::clamp(int(std::floor(s)), 0, 5);
    const float f = s - float(i);
    const float q = 1.0f - f, t = f;
    switch (i) {
    case 0: return {1, t, 0};
    case 1: return {q, 1, 0};
    case 2: return {0, 1, t};
    case 3: return {0, q, 1};
    case 4: return {t, 0, 1};
    default: return {1, 0, q};
    }
}

Image colorize(const Image& src, int hue) {
    const HueFactors f = hueFactors(hue);
    // Rounded to nearest, ties to even (the default rounding mode).
    auto times = [](float factor) { return tableOf([&](int c) { return int(std::nearbyint(float(c) * factor)); }); };
    const ChannelTable r = times(f.red), g = times(f.green), b = times(f.blue);
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        d[0] = r[s[0]];
        d[1] = g[s[1]];
        d[2] = b[s[2]];
        d[3] = s[3];
    });
}

Image colorBalance(const Image& src, int deltaRed, int deltaGreen, int deltaBlue) {
    auto plus = [](int delta) {
        delta = std::clamp(delta, -255, 255);
        return tableOf([&](int c) { return c + delta; });
    };
    const ChannelTable r = plus(deltaRed), g = plus(deltaGreen), b = plus(deltaBlue);
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        d[0] = r[s[0]];
        d[1] = g[s[1]];
        d[2] = b[s[2]];
        d[3] = s[3];
    });
}

Image swapChannels(const Image& src, ChannelOrder order) {
    // For each new channel, the old one it takes.
    int from[3] = {0, 2, 1};
    switch (order) {
    case ChannelOrder::RBG: from[0] = 0, from[1] = 2, from[2] = 1; break;
    case ChannelOrder::GRB: from[0] = 1, from[1] = 0, from[2] = 2; break;
    case ChannelOrder::GBR: from[0] = 1, from[1] = 2, from[2] = 0; break;
    case ChannelOrder::BRG: from[0] = 2, from[1] = 0, from[2] = 1; break;
    case ChannelOrder::BGR: from[0] = 2, from[1] = 1, from[2] = 0; break;
    }
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        d[0] = s[from[0]];
        d[1] = s[from[1]];
        d[2] = s[from[2]];
        d[3] = s[3];
    });
}

Image invert(const Image& src) {
    if (src.empty()) return {};
    Image dst(src.width(), src.height());
    const uint8_t* s = src.data();
    uint8_t* d = dst.data();
    const size_t n = src.byteSize();
    for (size_t i = 0; i < n; i += 4) {
        uint32_t p;
        std::memcpy(&p, s + i, 4);
        // 255 - c is c XOR 255 for each colour byte; a transparent pixel stays empty.
        p = (p & 0xFF000000u) ? p ^ 0x00FFFFFFu : 0u;
        std::memcpy(d + i, &p, 4);
    }
    return dst;
}

Image brightness(const Image& src, int level) {
    level = std::clamp(level, -255, 255);
    return mapColour(src, tableOf([&](int c) { return c + level; }));
}

Image opacity(const Image& src, int percent) {
    percent = std::clamp(percent, 0, 100);
    // a x P / 100 taken to single precision, then rounded up: 100 percent keeps every
    // alpha exactly, 50 percent turns 255 into 128.
    const ChannelTable alpha =
        tableOf([&](int a) { return int(std::ceil(float(double(a) * percent / 100.0))); });
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = alpha[s[3]];
    });
}

Image posterize(const Image& src, int level) {
    const int n = std::max(level, 1);
    return mapColour(src, tableOf([&](int c) {
                         return int(std::min<long long>(255, n * roundHalfAway(float(c) / float(n))));
                     }));
}

NoiseField makeNoiseField(int width, int height, int level, uint64_t seed) {
    return makeNoiseField(width, height, level, seed, {0, 0, width, height});
}

NoiseField makeNoiseField(int width, int height, int level, uint64_t seed, Rect part) {
    NoiseField field;
    const Rect inside = clipToSize(part, width, height);
    if (inside.width <= 0 || inside.height <= 0) return field;
    level = std::clamp(level, 0, 100);
    field.width = inside.width;
    field.height = inside.height;
    field.values.resize(size_t(inside.width) * size_t(inside.height));
    const uint64_t range = uint64_t(level) + 1;
    uint8_t* v = field.values.data();
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        // Entry i of the whole field is the (i + 1)-th number of a split-mix sequence
        // started at the seed, which can be computed on its own.
        uint64_t state = seed + (uint64_t(y) * uint64_t(width) + uint64_t(inside.x)) * kSplitMixStep;
        for (int x = 0; x < inside.width; ++x) *v++ = uint8_t(1 + (((splitMix(state) >> 32) * range) >> 32));
    }
    return field;
}

Image noise(const Image& src, const NoiseField& field) {
    if (src.empty()) return {};
    const int w = src.width(), h = src.height();
    Image dst(w, h);
    const bool usable = field.width > 0 && field.height > 0 &&
                        field.values.size() == size_t(field.width) * size_t(field.height);
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = src.data() + size_t(y) * w * 4;
        uint8_t* d = dst.data() + size_t(y) * w * 4;
        const uint8_t* row = usable ? field.values.data() + size_t(y % field.height) * field.width : nullptr;
        for (int x = 0; x < w; ++x, s += 4, d += 4) {
            if (s[3] == 0) continue;
            const int n = row ? row[x % field.width] : 1;
            d[0] = uint8_t(std::min(255, s[0] + n));
            d[1] = uint8_t(std::min(255, s[1] + n));
            d[2] = uint8_t(std::min(255, s[2] + n));
            d[3] = s[3];
        }
    }
    return dst;
}

Image eraseColour(const Image& src, Rgba key, int tolerance) {
    const LuminanceTables& lum = luminanceTables();
    const int lk = lum(key.r, key.g, key.b);
    return mapPixels(src, [&](const uint8_t* s, uint8_t* d) {
        const int l = lum(s[0], s[1], s[2]);
        if (lk - tolerance <= l && l <= lk + tolerance) return;  // stays (0, 0, 0, 0)
        std::memcpy(d, s, 4);
    });
}

Image makeOpaque(const Image& src) {
    return mapPixels(src, [](const uint8_t* s, uint8_t* d) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 255;
    });
}

Image shift(const Image& src, int dx, int dy, bool wrapHorizontally, bool wrapVertically) {
    return shiftPart(src, dx, dy, wrapHorizontally, wrapVertically, {0, 0, src.width(), src.height()});
}

Image mirror(const Image& src, bool horizontally, bool vertically) {
    return mirrorPart(src, horizontally, vertically, {0, 0, src.width(), src.height()});
}

Image scale(const Image& src, int percentHorizontal, int percentVertical) {
    return scalePart(src, percentHorizontal, percentVertical, {0, 0, src.width(), src.height()});
}

Image resizeCanvas(const Image& src, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    Image dst(width, height);
    drawOver(dst, src, width / 2 - src.width() / 2, height / 2 - src.height() / 2);
    return dst;
}

Image stretch(const Image& src, int width, int height, bool smooth) {
    Image dst = smooth ? resizeSmooth(src, width, height) : resizeNearest(src, width, height);
    clearTransparentPixels(dst);
    return dst;
}

EffectParams initialParams(Effect effect) {
    EffectParams p;
    switch (effect) {
    case Effect::Posterize: p.level = 50; break;
    default: break;
    }
    return p;
}

Image applyEffect(Effect effect, const Image& src, const EffectParams& p) {
    switch (effect) {
    case Effect::Shift: return shift(src, p.shiftX, p.shiftY, p.wrapHorizontally, p.wrapVertically);
    case Effect::Mirror: return mirror(src, p.mirrorHorizontally, p.mirrorVertically);
    case Effect::Rotate: return rotate(src, p.angle);
    case Effect::Scale: return scale(src, p.scaleHorizontal, p.scaleVertical);
    case Effect::Grayscale: return grayscale(src);
    case Effect::Colorize: return colorize(src, p.hue);
    case Effect::ColorBalance: return colorBalance(src, p.deltaRed, p.deltaGreen, p.deltaBlue);
    case Effect::SwapChannels: return swapChannels(src, p.order);
    case Effect::Invert: return invert(src);
    case Effect::Brightness: return brightness(src, p.level);
    case Effect::Opacity: return opacity(src, p.percent);
    case Effect::Posterize: return posterize(src, p.level);
    case Effect::Noise: return noise(src, makeNoiseField(src.width(), src.height(), p.level, p.noiseSeed));
    case Effect::EraseColour: return eraseColour(src, p.key, p.tolerance);
    case Effect::MakeOpaque: return makeOpaque(src);
    }
    return src;
}

Image applyEffectPart(Effect effect, const Image& src, const EffectParams& p, Rect part) {
    part = clipToSize(part, src.width(), src.height());
    if (part.width <= 0 || part.height <= 0) return {};
    switch (effect) {
    case Effect::Shift: return shiftPart(src, p.shiftX, p.shiftY, p.wrapHorizontally, p.wrapVertically, part);
    case Effect::Mirror: return mirrorPart(src, p.mirrorHorizontally, p.mirrorVertically, part);
    case Effect::Rotate: return rotatePart(src, p.angle, part);
    case Effect::Scale: return scalePart(src, p.scaleHorizontal, p.scaleVertical, part);
    case Effect::Noise: {
        Image piece(part.width, part.height);
        copyInto(piece, src, -part.x, -part.y);
        return noise(piece, makeNoiseField(src.width(), src.height(), p.level, p.noiseSeed, part));
    }
    default: {
        // Every other operation works pixel by pixel: its part is the operation on the
        // part.
        Image piece(part.width, part.height);
        copyInto(piece, src, -part.x, -part.y);
        return applyEffect(effect, piece, p);
    }
    }
}

} // namespace pondaro
