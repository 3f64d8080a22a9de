#include "image/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define PONDARO_AVX2_ROWS 1
#endif

#include "image/pixel_planes.h"

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

namespace {

// x / 255 rounded to the nearest whole number, for x up to 255 * 255: x / 255 is never
// a half, so this is also what rounding the exact quotient half away from zero gives.
inline unsigned div255(unsigned x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// A partly transparent source pixel over an opaque one, in whole numbers. Over an opaque
// pixel the result is the exact mix rounded to the nearest, and the floating-point form
// below lands on the same value for every such pair: the exact mix is never within
// 1/510 of a half, far beyond its rounding error.
inline void overOpaquePixel(uint8_t* out, const uint8_t* under, const uint8_t* src) {
    const unsigned a = src[3], rest = 255 - a;
    out[0] = uint8_t(div255(src[0] * a + under[0] * rest));
    out[1] = uint8_t(div255(src[1] * a + under[1] * rest));
    out[2] = uint8_t(div255(src[2] * a + under[2] * rest));
    out[3] = 255;
}

// lround for a value known not to be negative: adding the half in double precision is
// exact for any float, so the floor of the sum is the rounded value.
inline long roundUp(float v) { return long(double(v) + 0.5); }

} // namespace

void overOpaqueRow(uint8_t* out, const uint8_t* under, const uint8_t* src, size_t pixels) {
    size_t i = 0;
#if defined(__SSE2__)
    // Four pixels at a time in 16-bit lanes, as overOpaquePixel computes one: src * a +
    // under * (255 - a) + 128 is (src - under) * a + under * 255 + 128, below 65,536
    // (the wrapped product comes right in the sum), and div255 of that sum t,
    // (t + (t >> 8)) >> 8, is the high half of t * 257.
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128), by257 = _mm_set1_epi16(257);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    auto mix = [&](__m128i s, __m128i u) {
        const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xff), 0xff);
        const __m128i t = _mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(s, u), a),
                                        _mm_add_epi16(_mm_sub_epi16(_mm_slli_epi16(u, 8), u), half));
        return _mm_mulhi_epu16(t, by257);
    };
    for (; i + 4 <= pixels; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4));
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(under + i * 4));
        const __m128i lo = mix(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(u, zero));
        const __m128i hi = mix(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(u, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * 4), _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
    }
#endif
    for (; i < pixels; ++i) overOpaquePixel(out + i * 4, under + i * 4, src + i * 4);
}

namespace {

#if defined(PONDARO_AVX2_ROWS)
// overOpaqueRowRgb eight pixels at a time, on processors that have the 256-bit integer
// instructions (the others take the four-pixel way). Each eight are blended as in
// overOpaqueRow, their colours gathered into 24 bytes and stored as two 16-byte writes
// whose last four bytes the next eight overwrite: the loop stops where such a write
// would reach past the row. Returns the pixels done.
__attribute__((target("avx2"))) size_t overOpaqueRgbEights(uint8_t* rgb, const uint8_t* under, const uint8_t* src,
                                                           size_t pixels) {
    const __m256i zero = _mm256_setzero_si256(), half = _mm256_set1_epi16(128), by257 = _mm256_set1_epi16(257);
    // (s - u) * a + u * 255 + 128, its high half times 257: the lanes of overOpaqueRow.
#define PONDARO_MIX(s, u, a)                                                                                         \
    _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(s, u), a),                                \
                                        _mm256_add_epi16(_mm256_sub_epi16(_mm256_slli_epi16(u, 8), u), half)),        \
                       by257)
    // Each pixel's alpha byte into the four 16-bit lanes of its unpacked channels.
    const __m256i alphaLow = _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1, 3, -1, 3, -1, 3,
                                              -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1);
    const __m256i alphaHigh = _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1, 11, -1,
                                               11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1);
    const __m256i colours = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                                             8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    size_t i = 0;
    for (; i + 10 <= pixels; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * 4));
        const __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(under + i * 4));
        const __m256i sl = _mm256_unpacklo_epi8(s, zero), ul = _mm256_unpacklo_epi8(u, zero);
        const __m256i sh = _mm256_unpackhi_epi8(s, zero), uh = _mm256_unpackhi_epi8(u, zero);
        const __m256i al = _mm256_shuffle_epi8(s, alphaLow), ah = _mm256_shuffle_epi8(s, alphaHigh);
        const __m256i lo = PONDARO_MIX(sl, ul, al), hi = PONDARO_MIX(sh, uh, ah);
        const __m256i c = _mm256_shuffle_epi8(_mm256_packus_epi16(lo, hi), colours);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(rgb + i * 3), _mm256_castsi256_si128(c));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(rgb + i * 3 + 12), _mm256_extracti128_si256(c, 1));
    }
#undef PONDARO_MIX
    return i;
}
#endif

} // namespace

void overOpaqueRowRgb(uint8_t* rgb, const uint8_t* under, const uint8_t* src, size_t pixels) {
    size_t i = 0;
#if defined(PONDARO_AVX2_ROWS)
    static const bool eights = __builtin_cpu_supports("avx2");
    if (eights) i = overOpaqueRgbEights(rgb, under, src, pixels);
#endif
    // The rest through a small RGBA row.
    uint8_t part[256];
    while (i < pixels) {
        const size_t n = std::min<size_t>(pixels - i, sizeof part / 4);
        overOpaqueRow(part, under + i * 4, src + i * 4, n);
        packRgb(part, n, rgb + i * 3);
        i += n;
    }
}

Rgba blendOver(Rgba d, Rgba s) {
    if (s.a == 255) return s;
    if (s.a == 0) return d.a == 0 ? Rgba{} : d;
    // Onto nothing the formula below gives the source exactly; skip the arithmetic.
    if (d.a == 0) return s;
    if (d.a == 255) {
        const uint8_t under[4] = {d.r, d.g, d.b, d.a}, src[4] = {s.r, s.g, s.b, s.a};
        uint8_t out[4];
        overOpaquePixel(out, under, src);
        return {out[0], out[1], out[2], out[3]};
    }
    const float sa = s.a / 255.0f, da = d.a / 255.0f;
    const float outA = sa + da * (1.0f - sa);
    if (outA <= 0.0f) return {};
    auto mix = [&](uint8_t sc, uint8_t dc) {
        float v = (sc * sa + dc * da * (1.0f - sa)) / outA;
        return uint8_t(std::clamp(roundUp(v), 0L, 255L));
    };
    uint8_t a = uint8_t(std::clamp(roundUp(outA * 255.0f), 0L, 255L));
    if (a == 0) return {};
    return {mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), a};
}

namespace {

// Runs of opaque or fully transparent pixels are found by reading eight bytes (two
// pixels) at a time: the alpha bytes of a word are 0xff000000ff000000 when both are opaque.
constexpr uint64_t kAlphaBytes = 0xff000000ff000000ULL;
inline uint64_t word(const uint8_t* s) {
    uint64_t w;
    std::memcpy(&w, s, 8);
    return w;
}

// Copies the run of opaque pixels from i on to d and returns its end; the copy and the
// search are one pass over the source.
int copyOpaqueRun(uint8_t* d, const uint8_t* s, int i, int n) {
    int j = i;
    for (; j + 4 <= n; j += 4) {
        const uint64_t a = word(s + 4 * j), b = word(s + 4 * j + 8);
        if ((a & b & kAlphaBytes) != kAlphaBytes) break;
        std::memcpy(d + 4 * j, &a, 8);
        std::memcpy(d + 4 * j + 8, &b, 8);
    }
    for (; j < n && s[4 * j + 3] == 255; ++j) std::memcpy(d + 4 * j, s + 4 * j, 4);
    return j;
}

// The end of the run of fully transparent pixels from i on.
int clearRunEnd(const uint8_t* s, int i, int n) {
    int j = i;
    while (j + 4 <= n && ((word(s + 4 * j) | word(s + 4 * j + 8)) & kAlphaBytes) == 0) j += 4;
    while (j < n && s[4 * j + 3] == 0) ++j;
    return j;
}

// n source pixels over n destination pixels, or over an opaque ground when one is given.
// Runs of opaque source pixels, the bulk of most pictures, are copied whole; runs of
// transparent ones leave the destination (or show the ground).
void overRow(uint8_t* d, const uint8_t* s, int n, const Rgba* ground) {
    const uint8_t groundBytes[4] = {ground ? ground->r : uint8_t(0), ground ? ground->g : uint8_t(0),
                                    ground ? ground->b : uint8_t(0), 255};
    int i = 0;
    while (i < n) {
        const uint8_t alpha = s[4 * i + 3];
        if (alpha == 255) {
            i = copyOpaqueRun(d, s, i, n);
            continue;
        }
        if (alpha == 0) {
            const int j = clearRunEnd(s, i, n);
            if (ground)
                for (int k = i; k < j; ++k) std::memcpy(d + 4 * k, groundBytes, 4);
            i = j;
            continue;
        }
        const uint8_t* sp = s + 4 * i;
        uint8_t* dp = d + 4 * i;
        if (ground) overOpaquePixel(dp, groundBytes, sp);
        else if (dp[3] == 255) overOpaquePixel(dp, dp, sp);
        else if (dp[3] == 0) std::memcpy(dp, sp, 4);
        else {
            const Rgba out = blendOver({dp[0], dp[1], dp[2], dp[3]}, {sp[0], sp[1], sp[2], sp[3]});
            dp[0] = out.r;
            dp[1] = out.g;
            dp[2] = out.b;
            dp[3] = out.a;
        }
        ++i;
    }
}

} // namespace

void drawOverGround(Image& dst, const Image& src, int x, int y, Rgba ground) {
    ground.a = 255;
    Clip c = clipRect(dst, x, y, src.width(), src.height());
    if (src.empty() || c.empty()) return;
    for (int row = c.y0; row < c.y1; ++row)
        overRow(dst.data() + (size_t(row) * dst.width() + c.x0) * 4,
                src.data() + (size_t(row - y) * src.width() + (c.x0 - x)) * 4, c.x1 - c.x0, &ground);
}

void drawOver(Image& dst, const Image& src, int x, int y, int opacity) { drawOver(dst, src, imageRect(src), x, y, opacity); }

void drawOver(Image& dst, const Image& src, const PixelRect& part, long long x, long long y, int opacity) {
    if (src.empty() || opacity <= 0) return;
    opacity = std::min(opacity, 255);
    // The part within the picture, then what of it lands inside dst; source pixel
    // (sx, sy) lands at (sx + dx, sy + dy).
    const long long dx = x - part.x0, dy = y - part.y0;
    const long long sx0 = std::max({part.x0, 0LL, -dx}), sy0 = std::max({part.y0, 0LL, -dy});
    const long long sx1 = std::min({part.x1, (long long)src.width(), dst.width() - dx});
    const long long sy1 = std::min({part.y1, (long long)src.height(), dst.height() - dy});
    if (sx0 >= sx1 || sy0 >= sy1) return;
    for (long long row = sy0; row < sy1; ++row) {
        const uint8_t* s = src.data() + (size_t(row) * src.width() + size_t(sx0)) * 4;
        uint8_t* d = dst.data() + (size_t(row + dy) * dst.width() + size_t(sx0 + dx)) * 4;
        if (opacity == 255) {
            overRow(d, s, int(sx1 - sx0), nullptr);
            continue;
        }
        for (long long col = sx0; col < sx1; ++col, s += 4, d += 4) {
            Rgba sp{s[0], s[1], s[2], s[3]};
            sp.a = uint8_t((sp.a * opacity + 127) / 255);
            if (sp.a == 0) continue;
            Rgba out = (sp.a == 255 || d[3] == 0) ? sp : blendOver({d[0], d[1], d[2], d[3]}, sp);
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
    // Whole pixels at a time, the alpha byte XORed with 0.
    const uint8_t bytes[4] = {colour.r, colour.g, colour.b, 0};
    uint32_t mask;
    std::memcpy(&mask, bytes, 4);
    for (int row = c.y0; row < c.y1; ++row) {
        uint8_t* d = dst.data() + (size_t(row) * dst.width() + c.x0) * 4;
        for (int col = c.x0; col < c.x1; ++col, d += 4) {
            uint32_t v;
            std::memcpy(&v, d, 4);
            v ^= mask;
            std::memcpy(d, &v, 4);
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

Image onCheckerboard(const Image& picture) {
    Image out(picture.width(), picture.height());
    drawCheckerboard(out);
    drawOver(out, picture, 0, 0);
    return out;
}

namespace {

inline void paint(uint8_t* d, Rgba colour, ColourMode mode) {
    Rgba out = mode == ColourMode::Replace ? colour : blendOver({d[0], d[1], d[2], d[3]}, colour);
    d[0] = out.r;
    d[1] = out.g;
    d[2] = out.b;
    d[3] = out.a;
}

// Paints pixels [x0, x1] of row y, all already inside the image.
void paintSpan(Image& dst, long long y, long long x0, long long x1, Rgba colour, ColourMode mode) {
    uint8_t* d = dst.data() + (size_t(y) * dst.width() + size_t(x0)) * 4;
    if (mode == ColourMode::AlphaBlend) {
        if (colour.a == 0) return;
        if (colour.a == 255) mode = ColourMode::Replace;
    }
    for (long long x = x0; x <= x1; ++x, d += 4) paint(d, colour, mode);
}

} // namespace

void putPixel(Image& dst, long long x, long long y, Rgba colour, ColourMode mode) {
    if (x < 0 || y < 0 || x >= dst.width() || y >= dst.height()) return;
    paint(dst.data() + (size_t(y) * dst.width() + size_t(x)) * 4, colour, mode);
}

void drawOverZoomed(Image& dst, const Image& src, int zoom, int originX, int originY) {
    if (src.empty() || dst.empty() || zoom < 1) return;
    std::vector<int> column(size_t(dst.width()));
    for (int i = 0; i < dst.width(); ++i) column[size_t(i)] = int(floorDiv((long long)originX + i, zoom));
    for (int j = 0; j < dst.height(); ++j) {
        long long sy = floorDiv((long long)originY + j, zoom);
        if (sy < 0 || sy >= src.height()) continue;
        const uint8_t* row = src.data() + size_t(sy) * src.width() * 4;
        uint8_t* d = dst.data() + size_t(j) * dst.width() * 4;
        for (int i = 0; i < dst.width(); ++i, d += 4) {
            int sx = column[size_t(i)];
            if (sx < 0 || sx >= src.width()) continue;
            const uint8_t* s = row + size_t(sx) * 4;
            if (s[3] == 0) continue;
            paint(d, {s[0], s[1], s[2], s[3]}, ColourMode::AlphaBlend);
        }
    }
}

void drawLine(Image& dst, long long x0, long long y0, long long x1, long long y1, Rgba colour, ColourMode mode) {
    forEachLinePixel(x0, y0, x1, y1, imageRect(dst), [&](long long x, long long y) { putPixel(dst, x, y, colour, mode); });
}

void xorLine(Image& dst, long long x0, long long y0, long long x1, long long y1, Rgba colour) {
    forEachLinePixel(x0, y0, x1, y1, imageRect(dst), [&](long long x, long long y) {
        uint8_t* d = dst.data() + (size_t(y) * dst.width() + size_t(x)) * 4;
        d[0] ^= colour.r;
        d[1] ^= colour.g;
        d[2] ^= colour.b;
    });
}

void fillRect(Image& dst, long long x, long long y, long long w, long long h, Rgba colour, ColourMode mode) {
    if (w <= 0 || h <= 0) return;
    const long long x0 = std::max(x, 0LL), y0 = std::max(y, 0LL);
    const long long x1 = std::min(x + w, (long long)dst.width()), y1 = std::min(y + h, (long long)dst.height());
    for (long long row = y0; row < y1; ++row)
        if (x0 < x1) paintSpan(dst, row, x0, x1 - 1, colour, mode);
}

void drawRectOutline(Image& dst, long long x, long long y, long long w, long long h, Rgba colour, ColourMode mode) {
    if (w <= 0 || h <= 0) return;
    fillRect(dst, x, y, w, 1, colour, mode);
    if (h > 1) fillRect(dst, x, y + h - 1, w, 1, colour, mode);
    if (h > 2) {
        fillRect(dst, x, y + 1, 1, h - 2, colour, mode);
        if (w > 1) fillRect(dst, x + w - 1, y + 1, 1, h - 2, colour, mode);
    }
}

EllipseRows::EllipseRows(long long rx, long long ry) : rx_(rx < 0 ? -rx : rx), ry_(ry < 0 ? -ry : ry) {
    // Beyond this the table would be large and the rows are indistinguishable from
    // the ellipse equation's, which halfWidth() then uses directly.
    constexpr long long kTraced = 1 << 15;
    if (rx_ > kTraced || ry_ > kTraced || rx_ == 0 || ry_ == 0) return;
    table_.assign(size_t(ry_) + 1, -1);
    auto record = [&](long long x, long long y) {
        if (y >= 0 && y <= ry_) table_[size_t(y)] = std::max(table_[size_t(y)], x);
    };
    // The midpoint ellipse, every decision value scaled by 4 to stay whole.
    using Big = __int128;
    const Big rx2 = Big(rx_) * rx_, ry2 = Big(ry_) * ry_;
    long long x = 0, y = ry_;
    Big px = 0, py = 2 * rx2 * y;
    Big d = 4 * ry2 - 4 * rx2 * ry_ + rx2;
    while (px < py) {
        record(x, y);
        ++x;
        px += 2 * ry2;
        if (d < 0) {
            d += 4 * (ry2 + px);
        } else {
            --y;
            py -= 2 * rx2;
            d += 4 * (ry2 + px - py);
        }
    }
    d = ry2 * Big(2 * x + 1) * Big(2 * x + 1) + 4 * rx2 * Big(y - 1) * Big(y - 1) - 4 * rx2 * ry2;
    while (y >= 0) {
        record(x, y);
        --y;
        py -= 2 * rx2;
        if (d > 0) {
            d += 4 * (rx2 - py);
        } else {
            ++x;
            px += 2 * ry2;
            d += 4 * (rx2 - py + px);
        }
    }
}

long long EllipseRows::halfWidth(long long dy) const {
    if (dy < 0) dy = -dy;
    if (dy > ry_) return -1;
    if (ry_ == 0) return rx_;
    if (rx_ == 0) return 0;
    if (!table_.empty()) return table_[size_t(dy)];
    long double t = (long double)dy / (long double)ry_;
    return (long long)std::floor((long double)rx_ * std::sqrt(std::max<long double>(0, 1 - t * t)));
}

void fillEllipse(Image& dst, long long cx, long long cy, long long rx, long long ry, Rgba colour, ColourMode mode) {
    forEachEllipseSpan(cx, cy, EllipseRows(rx, ry), imageRect(dst), false,
                       [&](long long y, long long a, long long b) { paintSpan(dst, y, a, b, colour, mode); });
}

void drawEllipseOutline(Image& dst, long long cx, long long cy, long long rx, long long ry, Rgba colour,
                        ColourMode mode) {
    forEachEllipseSpan(cx, cy, EllipseRows(rx, ry), imageRect(dst), true,
                       [&](long long y, long long a, long long b) { paintSpan(dst, y, a, b, colour, mode); });
}

} // namespace pondaro
