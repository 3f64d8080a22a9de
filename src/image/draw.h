#pragma once
// Drawing primitives shared by every canvas and image tool. Alpha is straight
// (not premultiplied). Everything clips to the target image.
#include <algorithm>
#include <vector>

#include "base/geometry.h"
#include "image/image.h"

namespace pondaro {

// Straight-alpha "over": src drawn onto dst. Onto a fully transparent pixel it stores
// src exactly, except that a result with alpha 0 is (0, 0, 0, 0).
Rgba blendOver(Rgba dst, Rgba src);

// Draws src over dst with its top-left corner at (x, y), every source alpha scaled by
// opacity / 255 first.
void drawOver(Image& dst, const Image& src, int x, int y, int opacity = 255);
// What filling the rectangle src covers with the opaque `ground` and then drawing src
// over it gives, in one pass: where src is opaque its pixels are copied, where it is
// transparent the ground shows.
void drawOverGround(Image& dst, const Image& src, int x, int y, Rgba ground);

// `pixels` pixels of src drawn over as many opaque pixels of under, into out (which may
// be either of them): what blendOver gives onto an opaque pixel, in one pass without a
// branch per pixel (opaque, clear and partly transparent pixels alike). Alpha comes out 255.
void overOpaqueRow(uint8_t* out, const uint8_t* under, const uint8_t* src, size_t pixels);
// The same, the result written as red, green and blue bytes (three a pixel, no alpha),
// as a window's opaque bitmap holds them; `rgb` may not overlap the others.
void overOpaqueRowRgb(uint8_t* rgb, const uint8_t* under, const uint8_t* src, size_t pixels);

// Sets every pixel of the rectangle to the colour (replacing, alpha included).
void fillRect(Image& dst, int x, int y, int w, int h, Rgba colour);

// XOR drawing: each pixel's red, green and blue are XORed with the colour's (alpha is
// left as it is). Inverting the pixels beneath is XOR with white.
void xorFillRect(Image& dst, int x, int y, int w, int h, Rgba colour);
inline void invertHLine(Image& dst, int x, int y, int length) { xorFillRect(dst, x, y, length, 1, {255, 255, 255, 255}); }
inline void invertVLine(Image& dst, int x, int y, int length) { xorFillRect(dst, x, y, 1, length, {255, 255, 255, 255}); }

// The checkerboard backdrop behind every preview: 16 x 16 squares of (127, 127, 127)
// and (170, 170, 170), the darker one at the top left, opaque.
inline constexpr Rgba kCheckerDark{127, 127, 127, 255};
inline constexpr Rgba kCheckerLight{170, 170, 170, 255};
// Fills dst with the part of an endless checkerboard whose point (originX, originY)
// lands at dst's top-left corner.
void drawCheckerboard(Image& dst, int originX = 0, int originY = 0);
// The fixed 800 x 800 backdrop.
Image checkerboard(int width = 800, int height = 800);
// A picture as every preview shows it: composited over the checkerboard (its top-left
// square dark), so that white and transparent parts can be told apart.
Image onCheckerboard(const Image& picture);

// ---- Colour modes and single pixels ------------------------------------------------

// How a drawing colour meets the pixel beneath: composited over it (straight-alpha
// "over") or replacing all four channels.
enum class ColourMode { AlphaBlend, Replace };

// Sets or blends one pixel; outside the image nothing happens.
void putPixel(Image& dst, long long x, long long y, Rgba colour, ColourMode mode);

// ---- Canvas regions ----------------------------------------------------------------

// A renderer draws the visible part of a canvas, a Rect `region` of canvas pixels: it
// returns an image of region.width x region.height whose pixel (0, 0) is canvas pixel
// (region.x, region.y).

// A rectangle of pixels [x0, x1) x [y0, y1) in 64 bits: shapes are placed in canvas
// coordinates (record values times a zoom) that may lie far outside any image.
struct PixelRect {
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(long long x, long long y) const { return x >= x0 && y >= y0 && x < x1 && y < y1; }
};
inline PixelRect imageRect(const Image& img) { return {0, 0, img.width(), img.height()}; }

// Draws the part of src within `part` (clipped to src) over dst, the part's top-left
// corner at (x, y), as drawOver above; pixels of the part outside src draw nothing.
void drawOver(Image& dst, const Image& src, const PixelRect& part, long long x, long long y, int opacity = 255);

// Renders what `region` shows of a canvas of canvasWidth x canvasHeight: draw(view,
// ox, oy) paints into an image whose pixel (0, 0) is canvas pixel (ox, oy) and whose
// edges are the canvas's (so everything drawn is clipped to the canvas); the parts of
// the region outside the canvas stay transparent.
template <class Draw>
Image renderCanvasRegion(int canvasWidth, int canvasHeight, Rect region, Draw draw) {
    const int x0 = std::max(region.x, 0), y0 = std::max(region.y, 0);
    const int x1 = int(std::min<long long>((long long)region.x + std::max(region.width, 0), canvasWidth));
    const int y1 = int(std::min<long long>((long long)region.y + std::max(region.height, 0), canvasHeight));
    // A region wholly on the canvas is drawn in place.
    if (x0 == region.x && y0 == region.y && x1 - x0 == region.width && y1 - y0 == region.height && x0 < x1 && y0 < y1) {
        Image out(region.width, region.height);
        draw(out, x0, y0);
        return out;
    }
    Image out(region.width, region.height);
    if (out.empty() || x0 >= x1 || y0 >= y1) return out;
    Image view(x1 - x0, y1 - y0);
    draw(view, x0, y0);
    copyInto(out, view, x0 - region.x, y0 - region.y);
    return out;
}

// Draws src enlarged by `zoom` (every pixel a zoom x zoom block) over dst, where dst
// shows the canvas pixels from (originX, originY) on.
void drawOverZoomed(Image& dst, const Image& src, int zoom, int originX, int originY);

// Whole-number division rounding down, so that pixel positions left of or above a
// canvas stay outside it (-1 div 2 is -1, not 0).
inline long long floorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// ---- Lines -------------------------------------------------------------------------

// Calls plot(x, y) for every pixel of the one-pixel line from (x0, y0) to (x1, y1),
// both ends included, that lies inside `clip`: one pixel per step along the longer
// axis, the other coordinate being the exact line's rounded half up. The work is
// bounded by the clip rectangle, not by the length of the line.
template <class Plot>
void forEachLinePixel(long long x0, long long y0, long long x1, long long y1, PixelRect clip, Plot plot) {
    if (clip.empty()) return;
    const long long dx = x1 - x0, dy = y1 - y0;
    const bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // Major axis m (from m0 by dm), minor axis n (from n0 by dn).
    const long long m0 = alongX ? x0 : y0, n0 = alongX ? y0 : x0;
    const long long dm = alongX ? dx : dy, dn = alongX ? dy : dx;
    const long long clipM0 = alongX ? clip.x0 : clip.y0, clipM1 = alongX ? clip.x1 : clip.y1;
    const long long clipN0 = alongX ? clip.y0 : clip.x0, clipN1 = alongX ? clip.y1 : clip.x1;
    const long long lo = std::max(std::min(m0, m0 + dm), clipM0);
    const long long hi = std::min(std::max(m0, m0 + dm), clipM1 - 1);
    for (long long m = lo; m <= hi; ++m) {
        long long n = n0;
        if (dm != 0) {
            // n0 + round((m - m0) * dn / dm), half up, exactly in 128 bits.
            __int128 num = (__int128)(m - m0) * dn, den = dm;
            if (den < 0) num = -num, den = -den;
            __int128 t = 2 * num + den, d = 2 * den;
            __int128 q = t / d;
            if (t % d != 0 && t < 0) --q;
            n = n0 + (long long)q;
        }
        if (n < clipN0 || n >= clipN1) continue;
        if (alongX) plot(m, n);
        else plot(n, m);
    }
}

// A one-pixel line in the colour mode, clipped to the image.
void drawLine(Image& dst, long long x0, long long y0, long long x1, long long y1, Rgba colour, ColourMode mode);
// The same line drawn by XOR with the colour's red, green and blue (alpha kept).
void xorLine(Image& dst, long long x0, long long y0, long long x1, long long y1, Rgba colour);

// ---- Rectangles --------------------------------------------------------------------

// Fills the rectangle in the colour mode (AlphaBlend composites the colour over every
// pixel). Sizes of 0 or less give nothing; the rectangle is clipped to the image.
void fillRect(Image& dst, long long x, long long y, long long w, long long h, Rgba colour, ColourMode mode);
// The one-pixel border of the same rectangle, every pixel drawn once.
void drawRectOutline(Image& dst, long long x, long long y, long long w, long long h, Rgba colour, ColourMode mode);

// ---- Ellipses ----------------------------------------------------------------------

// The rows of the filled midpoint ellipse with radii rx and ry: the row dy rows from
// the centre runs from -halfWidth(dy) to +halfWidth(dy). A radius of 0 gives a
// one-pixel-wide (or -high) ellipse; radii count by their absolute value.
class EllipseRows {
public:
    EllipseRows(long long rx, long long ry);
    long long radiusX() const { return rx_; }
    long long radiusY() const { return ry_; }
    // -1 for rows beyond the ellipse.
    long long halfWidth(long long dy) const;

private:
    long long rx_, ry_;
    std::vector<long long> table_;  // by |dy|, when the radii are small enough to trace
};

// Calls span(y, xFrom, xTo) for every row of the filled ellipse centred on (cx, cy)
// inside `clip`, the span clipped to it. `outlineOnly` gives just the outline: the
// pixels with a neighbour above, below, left or right outside the ellipse.
template <class Span>
void forEachEllipseSpan(long long cx, long long cy, const EllipseRows& rows, PixelRect clip, bool outlineOnly,
                        Span span) {
    if (clip.empty()) return;
    const long long ry = rows.radiusY();
    const long long yFrom = std::max(cy - ry, clip.y0), yTo = std::min(cy + ry, clip.y1 - 1);
    for (long long y = yFrom; y <= yTo; ++y) {
        const long long dy = y - cy;
        const long long h = rows.halfWidth(dy);
        if (h < 0) continue;
        auto emit = [&](long long a, long long b) {
            a = std::max(a, clip.x0);
            b = std::min(b, clip.x1 - 1);
            if (a <= b) span(y, a, b);
        };
        if (!outlineOnly) {
            emit(cx - h, cx + h);
            continue;
        }
        // Pixels farther out than the narrower neighbouring row, and the row's ends.
        long long inner = std::min(rows.halfWidth(dy - 1), rows.halfWidth(dy + 1));
        inner = std::min(inner, h - 1);
        if (inner < 0) {
            emit(cx - h, cx + h);
        } else {
            emit(cx - h, cx - inner - 1);
            emit(cx + inner + 1, cx + h);
        }
    }
}

// A filled ellipse centred on (cx, cy) in the colour mode, clipped to the image.
void fillEllipse(Image& dst, long long cx, long long cy, long long rx, long long ry, Rgba colour, ColourMode mode);
// Its one-pixel outline.
void drawEllipseOutline(Image& dst, long long cx, long long cy, long long rx, long long ry, Rgba colour,
                        ColourMode mode);

} // namespace pondaro
