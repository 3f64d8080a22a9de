#include "image/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include "stb_image_resize.h"

namespace pondaro {

namespace {

// The source pixels one destination pixel covers along an axis, and how much of each.
struct Cover {
    int first = 0;
    std::vector<float> weights;  // summing to 1
};

// Destination pixel i covers the source stretch [i * from / to, (i + 1) * from / to);
// in units of 1 / to of a source pixel both ends are whole numbers.
// Only destination pixels [begin, end) are wanted.
std::vector<Cover> covers(int from, int to, int begin, int end) {
    std::vector<Cover> out(size_t(end - begin));
    const long long S = from, D = to;
    for (long long i = begin; i < end; ++i) {
        const long long a = i * S, b = (i + 1) * S;
        Cover& c = out[size_t(i - begin)];
        c.first = int(a / D);
        const int last = int((b - 1) / D);
        for (long long k = c.first; k <= last; ++k) {
            long long overlap = std::min(b, (k + 1) * D) - std::max(a, k * D);
            c.weights.push_back(float(double(overlap) / double(S)));
        }
    }
    return out;
}

using V4 = float __attribute__((vector_size(16)));

// A pixel's red, green and blue as floats, and 1 in place of its alpha.
inline V4 pixelOf(const uint8_t* s) {
#if defined(__SSE2__)
    uint32_t word;
    std::memcpy(&word, s, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i wide = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(word)), zero), zero);
    V4 px = V4(_mm_cvtepi32_ps(wide));
    px[3] = 1.0f;
    return px;
#else
    return V4{float(s[0]), float(s[1]), float(s[2]), 1.0f};
#endif
}

// Nearest whole number (halves up), limited to 0..255.
inline uint8_t toByte(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return uint8_t(int(double(v) + 0.5));
}

} // namespace

void clearTransparentPixels(Image& img) {
    uint8_t* p = img.data();
    const size_t n = img.byteSize();
    for (size_t i = 0; i < n; i += 4)
        if (p[i + 3] == 0) p[i] = p[i + 1] = p[i + 2] = 0;
}

Image resizeNearest(const Image& src, int width, int height) {
    if (src.empty() || width <= 0 || height <= 0) return {};
    Image dst(width, height);
    std::vector<int> column(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) column[size_t(x)] = int((long long)x * src.width() / width);
    for (int y = 0; y < height; ++y) {
        const int sy = int((long long)y * src.height() / height);
        const uint32_t* s = reinterpret_cast<const uint32_t*>(src.data()) + size_t(sy) * src.width();
        uint32_t* d = reinterpret_cast<uint32_t*>(dst.data()) + size_t(y) * width;
        for (int x = 0; x < width; ++x) d[x] = s[column[size_t(x)]];
    }
    return dst;
}

Image resizeAreaAverage(const Image& src, int width, int height) {
    return resizeAreaAveragePart(src, width, height, 0, 0, width, height);
}

Image resizeAreaAveragePart(const Image& src, int width, int height, int px, int py, int partWidth, int partHeight) {
    if (src.empty() || width <= 0 || height <= 0) return {};
    // Keep the part inside the full result.
    const int x0 = std::clamp(px, 0, width), y0 = std::clamp(py, 0, height);
    const int x1 = int(std::clamp<long long>((long long)px + std::max(partWidth, 0), x0, width));
    const int y1 = int(std::clamp<long long>((long long)py + std::max(partHeight, 0), y0, height));
    if (x0 >= x1 || y0 >= y1) return {};
    const int W = src.width();
    const std::vector<Cover> across = covers(W, width, x0, x1), down = covers(src.height(), height, y0, y1);
    Image dst(x1 - x0, y1 - y0);
    const int dw = dst.width();
    // The columns of the source the part reads.
    const int c0 = across.front().first;
    const int c1 = across.back().first + int(across.back().weights.size());
    // One destination row at a time: the covered source rows summed into `column`
    // (alpha-weighted colour and alpha per source column), then summed across. The
    // four channels of a pixel are one vector of four floats.
    std::vector<V4> column(size_t(c1 - c0));
    for (int y = 0; y < dst.height(); ++y) {
        std::fill(column.begin(), column.end(), V4{0, 0, 0, 0});
        const Cover& cy = down[size_t(y)];
        for (size_t k = 0; k < cy.weights.size(); ++k) {
            const float wy = cy.weights[k];
            const uint8_t* s = src.data() + (size_t(cy.first + int(k)) * W + c0) * 4;
            V4* c = column.data();
            for (int x = c0; x < c1; ++x, s += 4, ++c) {
                const float wa = wy * float(s[3]);
                *c += pixelOf(s) * wa;
            }
        }
        uint8_t* d = dst.data() + size_t(y) * dw * 4;
        for (int x = 0; x < dw; ++x, d += 4) {
            const Cover& cx = across[size_t(x)];
            V4 sum{0, 0, 0, 0};
            const V4* c = column.data() + size_t(cx.first - c0);
            for (float wx : cx.weights) sum += *c++ * wx;
            const float a = sum[3];
            const uint8_t alpha = toByte(a);
            if (alpha == 0) continue;  // stays (0, 0, 0, 0)
            const float inv = 1.0f / a;
            d[0] = toByte(sum[0] * inv);
            d[1] = toByte(sum[1] * inv);
            d[2] = toByte(sum[2] * inv);
            d[3] = alpha;
        }
    }
    return dst;
}

Image resizeSmooth(const Image& src, int width, int height) {
    if (src.empty() || width <= 0 || height <= 0) return {};
    Image dst(width, height);
    const int ok = stbir_resize_uint8_generic(src.data(), src.width(), src.height(), 0, dst.data(), width, height, 0,
                                              4, 3, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT,
                                              STBIR_COLORSPACE_LINEAR, nullptr);
    // The library fails only when it cannot get its working memory; repeating pixels
    // needs none beyond the result, so the frame still gets its new size.
    if (!ok) return resizeNearest(src, width, height);
    clearTransparentPixels(dst);
    return dst;
}

} // namespace pondaro
