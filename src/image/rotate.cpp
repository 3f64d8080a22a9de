#include "image/rotate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "image/resample.h"

namespace pondaro {

namespace {

int normalisedDegrees(int degrees) { return ((degrees % 360) + 360) % 360; }

// Destination pixel (x, y) takes the source pixel the inverse turn brings the point
// (x + offsetX, y + offsetY) to, measured from the source's centre; pick(v, size)
// rounds a source coordinate to a pixel index, or -1 outside 0..size - 1. In tiles, so
// that the source pixels one tile reads (a turned square) stay in the cache instead of
// each destination row sweeping across many source rows.
template <class Pick>
void turnInto(const Image& src, Image& dst, int degrees, double offsetX, double offsetY, double centreX,
              double centreY, Pick pick) {
    const double theta = normalisedDegrees(degrees) * std::numbers::pi / 180.0;
    const double c = std::cos(theta), s = std::sin(theta);
    const int sw = src.width(), sh = src.height(), w = dst.width(), h = dst.height();
    const uint32_t* from = reinterpret_cast<const uint32_t*>(src.data());
    uint32_t* to = reinterpret_cast<uint32_t*>(dst.data());
    constexpr int kTile = 64;
    for (int ty = 0; ty < h; ty += kTile) {
        for (int tx = 0; tx < w; tx += kTile) {
            const int yEnd = std::min(h, ty + kTile), xEnd = std::min(w, tx + kTile);
            for (int y = ty; y < yEnd; ++y) {
                // Screen y points down, so a counter-clockwise turn maps (u, v) to
                // (u cos + v sin, -u sin + v cos); this is its inverse.
                const double v = y + offsetY;
                const double vs = v * s, vc = v * c;
                uint32_t* row = to + size_t(y) * w;
                for (int x = tx; x < xEnd; ++x) {
                    const double u = x + offsetX;
                    const int sx = pick(u * c - vs + centreX, sw);
                    if (sx < 0) continue;
                    const int sy = pick(u * s + vc + centreY, sh);
                    if (sy < 0) continue;
                    row[x] = from[size_t(sy) * sw + size_t(sx)];
                }
            }
        }
    }
}

} // namespace

Image rotateQuarterTurns(const Image& src, int turns) {
    turns = ((turns % 4) + 4) % 4;
    if (src.empty()) return {};
    const int w = src.width(), h = src.height();
    Image dst = (turns % 2) ? Image(h, w) : Image(w, h);
    const uint32_t* s = reinterpret_cast<const uint32_t*>(src.data());
    uint32_t* d = reinterpret_cast<uint32_t*>(dst.data());
    const int dw = dst.width();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int nx = x, ny = y;
            switch (turns) {
            case 1: nx = y, ny = w - 1 - x; break;          // the right edge becomes the top
            case 2: nx = w - 1 - x, ny = h - 1 - y; break;
            case 3: nx = h - 1 - y, ny = x; break;          // the top edge becomes the right
            default: break;
            }
            d[size_t(ny) * dw + nx] = s[size_t(y) * w + x];
        }
    }
    return dst;
}

Image rotate(const Image& src, int degrees) { return rotatePart(src, degrees, {0, 0, src.width(), src.height()}); }

Image rotatePart(const Image& src, int degrees, Rect part) {
    const int w = src.width(), h = src.height();
    const int x0 = std::clamp(part.x, 0, w), y0 = std::clamp(part.y, 0, h);
    const int x1 = int(std::clamp<long long>((long long)part.x + part.width, x0, w));
    const int y1 = int(std::clamp<long long>((long long)part.y + part.height, y0, h));
    if (x0 >= x1 || y0 >= y1) return {};
    const int cx = w / 2, cy = h / 2;
    const int turn = normalisedDegrees(degrees);
    Image dst(x1 - x0, y1 - y0);
    if (turn % 90 == 0) {
        // Quarter turns about (cx, cy) move pixels exactly: destination (X, Y) takes
        // the source pixel below.
        const uint32_t* s = reinterpret_cast<const uint32_t*>(src.data());
        uint32_t* d = reinterpret_cast<uint32_t*>(dst.data());
        for (int Y = y0; Y < y1; ++Y) {
            uint32_t* row = d + size_t(Y - y0) * dst.width();
            for (int X = x0; X < x1; ++X) {
                int sx = X, sy = Y;
                switch (turn) {
                case 90: sx = cx + cy - Y, sy = X - cx + cy; break;
                case 180: sx = 2 * cx - X, sy = 2 * cy - Y; break;
                case 270: sx = Y - cy + cx, sy = cx + cy - X; break;
                default: break;
                }
                if (sx >= 0 && sy >= 0 && sx < w && sy < h) row[X - x0] = s[size_t(sy) * w + size_t(sx)];
            }
        }
    } else {
        // A coordinate taken to single precision, rounded half away from zero.
        auto nearest = [](double v, int size) {
            const float f = float(v);
            if (!(f > -0.5f)) return -1;  // rounds to -1 or below (or is not a number)
            const double r = double(f) + 0.5;
            return r < double(size) ? int(r) : -1;
        };
        turnInto(src, dst, turn, x0 - cx, y0 - cy, cx, cy, nearest);
    }
    clearTransparentPixels(dst);
    return dst;
}

Image turnedCopy(const Image& picture, int angle) {
    if (picture.empty()) return {};
    const int a = normalisedDegrees(angle);
    if (a % 90 == 0) return rotateQuarterTurns(picture, a / 90);
    const double rad = a * std::numbers::pi / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    const int w = picture.width(), h = picture.height();
    const int nw = int(std::floor(w * std::abs(c) + h * std::abs(s) + 0.9));
    const int nh = int(std::floor(h * std::abs(c) + w * std::abs(s) + 0.9));
    Image out(nw, nh);
    // Pixel centres, measured from the centres of both pictures.
    auto floorInside = [](double v, int size) {
        const double f = std::floor(v);
        return f >= 0 && f < size ? int(f) : -1;
    };
    turnInto(picture, out, a, 0.5 - nw / 2.0, 0.5 - nh / 2.0, w / 2.0, h / 2.0, floorInside);
    return out;
}

} // namespace pondaro
