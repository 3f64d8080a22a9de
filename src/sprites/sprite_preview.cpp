#include "sprites/sprite_preview.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/integer_reader.h"
#include "image/flood_fill.h"
#include "sprites/frames.h"

namespace pondaro {

namespace {

const Sprite* spriteAt(const Project& p, size_t sprite) {
    return sprite < p.sprites.size() ? &p.sprites[sprite] : nullptr;
}

// The size of the sprite's frames: that of its last frame.
void frameSize(const Project& p, const Sprite& s, int& w, int& h) {
    w = h = 0;
    for (size_t i = p.frames.size(); i-- > 0;) {
        if (p.frames[i].sprite != s.name) continue;
        w = p.frames[i].image.width();
        h = p.frames[i].image.height();
        return;
    }
}

int zoomOf(const Sprite& s) { return std::clamp(s.spritewindow.zoom, 1, 64); }

// The frame at the animation position (the first when the position is beyond the
// frames), or -1.
int frameAtPosition(const Project& p, const Sprite& s) {
    const std::vector<size_t> frames = spriteFrameIndices(p, s.name);
    if (frames.empty()) return -1;
    const int pos = s.spritewindow.position;
    return int(frames[pos >= 0 && size_t(pos) < frames.size() ? size_t(pos) : 0]);
}

// The area the polygon's fill covers on the canvas: what a 4-connected flood fill
// from `start` reaches without crossing the polygon's edges. It is worked out on the
// edges themselves (not on the colours drawn), so a picture beneath the edges can
// neither stop the fill nor let it leak. Only the polygon's bounding box (one pixel
// wider, clipped to the canvas) is looked at pixel by pixel: what lies beyond it on
// each side is one open area, reached or not as a whole.
class PolygonFill {
public:
    PolygonFill(const std::vector<std::pair<long long, long long>>& pts, int cw, int ch) : cw_(cw), ch_(ch) {
        if (pts.empty() || cw <= 0 || ch <= 0) return;
        long long sx = 0, sy = 0, minX = pts[0].first, maxX = minX, minY = pts[0].second, maxY = minY;
        for (auto [x, y] : pts) {
            sx += x, sy += y;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
        const long long n = (long long)pts.size();
        const long long startX = floorDiv(sx, n), startY = floorDiv(sy, n);
        if (startX < 0 || startY < 0 || startX >= cw || startY >= ch) return;
        box_ = {std::max(minX - 1, 0LL), std::max(minY - 1, 0LL), std::min(maxX + 2, (long long)cw),
                std::min(maxY + 2, (long long)ch)};
        if (box_.empty()) {
            // No edge on the canvas: the whole canvas is one area.
            everything_ = true;
            return;
        }
        constexpr long long kMaxBoxPixels = 1LL << 24;
        if ((box_.x1 - box_.x0) * (box_.y1 - box_.y0) > kMaxBoxPixels) return;
        bw_ = int(box_.x1 - box_.x0);
        bh_ = int(box_.y1 - box_.y0);
        mask_.assign(size_t(bw_) * bh_, kFree);
        for (size_t i = 0; i < pts.size(); ++i) {
            auto [x0, y0] = pts[i];
            auto [x1, y1] = pts[(i + 1) % pts.size()];
            forEachLinePixel(x0, y0, x1, y1, box_, [&](long long x, long long y) { at(x, y) = kEdge; });
        }
        // The open areas beyond the box: above, below, left and right of it.
        exists_ = {box_.y0 > 0, box_.y1 < ch, box_.x0 > 0, box_.x1 < cw};
        if (box_.contains(startX, startY)) fillFrom(startX, startY);
        else reached_[size_t(sideOf(startX, startY))] = true;
        for (bool changed = true; changed;) {
            changed = false;
            // Above and below touch left and right at the box's corners.
            for (int v : {kAbove, kBelow})
                for (int h : {kLeft, kRight})
                    if (exists_[v] && exists_[h] && reached_[v] != reached_[h]) reached_[v] = reached_[h] = changed = true;
            for (int side = 0; side < 4; ++side) {
                if (!exists_[size_t(side)]) continue;
                // The box row or column next to an open side is free of edges.
                auto [bx, by] = borderPixel(side);
                if (reached_[size_t(side)] && at(bx, by) == kFree) fillFrom(bx, by), changed = true;
                if (!reached_[size_t(side)] && at(bx, by) == kFilled) reached_[size_t(side)] = changed = true;
            }
        }
    }

    bool filled(long long x, long long y) const {
        if (x < 0 || y < 0 || x >= cw_ || y >= ch_) return false;
        if (everything_) return true;
        if (mask_.empty()) return false;
        if (box_.contains(x, y)) return at(x, y) == kFilled;
        return reached_[size_t(sideOf(x, y))];
    }

private:
    enum : uint8_t { kFree, kEdge, kFilled };
    enum { kAbove, kBelow, kLeft, kRight };

    uint8_t& at(long long x, long long y) { return mask_[size_t(y - box_.y0) * bw_ + size_t(x - box_.x0)]; }
    uint8_t at(long long x, long long y) const { return mask_[size_t(y - box_.y0) * bw_ + size_t(x - box_.x0)]; }
    int sideOf(long long x, long long y) const {
        if (y < box_.y0) return kAbove;
        if (y >= box_.y1) return kBelow;
        return x < box_.x0 ? kLeft : kRight;
    }
    std::pair<long long, long long> borderPixel(int side) const {
        switch (side) {
        case kAbove: return {box_.x0, box_.y0};
        case kBelow: return {box_.x0, box_.y1 - 1};
        case kLeft: return {box_.x0, box_.y0};
        default: return {box_.x1 - 1, box_.y0};
        }
    }
    void fillFrom(long long x, long long y) {
        scanlineFill(
            bw_, bh_, int(x - box_.x0), int(y - box_.y0),
            [&](int cx, int cy) { return mask_[size_t(cy) * bw_ + size_t(cx)] == kFree; },
            [&](int x0, int x1, int row) {
                std::fill_n(mask_.begin() + ptrdiff_t(size_t(row) * bw_ + size_t(x0)), x1 - x0 + 1, uint8_t(kFilled));
            });
    }

    int cw_ = 0, ch_ = 0;
    PixelRect box_;
    int bw_ = 0, bh_ = 0;
    std::vector<uint8_t> mask_;
    bool everything_ = false;
    std::array<bool, 4> exists_{};
    std::array<bool, 4> reached_{};
};

void drawCollisionShape(Image& view, int ox, int oy, const Project& p, const Sprite& s, int w, int h, int cw, int ch) {
    const long long z = zoomOf(s);
    const Rgba c = kCollisionShapeColour;
    if (s.collisionshape == "Box") {
        long long x = s.collisionleft * z, y = s.collisiontop * z;
        long long bw = ((long long)s.collisionright - s.collisionleft) * z;
        long long bh = ((long long)s.collisionbottom - s.collisiontop) * z;
        // Edges typed the wrong way round still describe the same box.
        if (bw < 0) x += bw, bw = -bw;
        if (bh < 0) y += bh, bh = -bh;
        drawRectOutline(view, x - ox, y - oy, bw, bh, c, ColourMode::AlphaBlend);
        fillRect(view, x - ox, y - oy, bw, bh, c, ColourMode::AlphaBlend);
    } else if (s.collisionshape == "Circle") {
        const long long cx = (long long)(w / 2) * z - ox, cy = (long long)(h / 2) * z - oy;
        const long long r = (long long)s.collisionradius * z;
        drawEllipseOutline(view, cx, cy, r, r, c, ColourMode::AlphaBlend);
        fillEllipse(view, cx, cy, r, r, c, ColourMode::AlphaBlend);
    } else if (s.collisionshape == "Shape") {
        std::vector<std::pair<long long, long long>> pts;
        for (const Point& pt : p.points)
            if (pt.sprite == s.name) pts.emplace_back((long long)pt.x * z, (long long)pt.y * z);
        if (pts.empty()) return;
        for (size_t i = 0; i < pts.size(); ++i) {
            auto [x0, y0] = pts[i];
            auto [x1, y1] = pts[(i + 1) % pts.size()];
            drawLine(view, x0 - ox, y0 - oy, x1 - ox, y1 - oy, c, ColourMode::AlphaBlend);
        }
        const PolygonFill fill(pts, cw, ch);
        for (int j = 0; j < view.height(); ++j)
            for (int i = 0; i < view.width(); ++i)
                if (fill.filled((long long)ox + i, (long long)oy + j)) putPixel(view, i, j, c, ColourMode::AlphaBlend);
    }
}

} // namespace

int previewInterval(int speed) {
    if (speed <= 0) return 1000;
    // A timer of 0 milliseconds would fire without pause.
    return std::max(1, 1000 / speed);
}

int updateSpritePreview(Project& p, size_t sprite) {
    if (!p.sprites.tryEdit(sprite, [&](Sprite& s) {
            SpriteWindowState& st = s.spritewindow;
            st.framecount = int(spriteFrameIndices(p, s.name).size());
            frameSize(p, s, st.width, st.height);
            if (st.position < 0 || st.position >= st.framecount) st.position = 0;
        }))
        return -1;
    return frameAtPosition(p, p.sprites[sprite]);
}

void advanceSpritePreview(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [](Sprite& s) {
        SpriteWindowState& st = s.spritewindow;
        st.position = st.framecount > 0 ? (st.position + 1) % st.framecount : 0;
    });
}

std::string spriteSizeText(const Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    int w = 0, h = 0;
    if (s) frameSize(p, *s, w, h);
    return "Size: " + std::to_string(w) + " x " + std::to_string(h);
}

int spritePreviewWidth(const Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    int w = 0, h = 0;
    if (s) frameSize(p, *s, w, h);
    return s ? w * zoomOf(*s) : 0;
}

int spritePreviewHeight(const Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    int w = 0, h = 0;
    if (s) frameSize(p, *s, w, h);
    return s ? h * zoomOf(*s) : 0;
}

Image renderSpritePreview(const Project& p, size_t sprite, Rect region) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return Image(region.width, region.height);
    const int frame = frameAtPosition(p, *s);
    if (frame < 0) {
        // Without frames there is only the backdrop.
        Image out(region.width, region.height);
        drawCheckerboard(out, region.x, region.y);
        return out;
    }
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const int z = zoomOf(*s);
    const int cw = w * z, ch = h * z;
    return renderCanvasRegion(cw, ch, region, [&](Image& view, int ox, int oy) {
        drawCheckerboard(view, ox, oy);
        drawOverZoomed(view, p.frames[size_t(frame)].image, z, ox, oy);
        // The origin crosshair.
        const long long x = (long long)s->centerx * z - ox, y = (long long)s->centery * z - oy;
        if (x >= 0 && x < view.width()) invertVLine(view, int(x), 0, view.height());
        if (y >= 0 && y < view.height()) invertHLine(view, 0, int(y), view.width());
        if (s->spritewindow.showcollision) drawCollisionShape(view, ox, oy, p, *s, w, h, cw, ch);
    });
}

bool setOriginX(Project& p, size_t sprite, std::string_view text) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const int v = readInteger(text);
    if (v > w) return false;
    return p.sprites.tryEdit(sprite, [&](Sprite& edited) { edited.centerx = v; });
}

bool setOriginY(Project& p, size_t sprite, std::string_view text) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const int v = readInteger(text);
    if (v > h) return false;
    return p.sprites.tryEdit(sprite, [&](Sprite& edited) { edited.centery = v; });
}

void dragOrigin(Project& p, size_t sprite, int canvasX, int canvasY) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const int z = zoomOf(s);
        s.centerx = int(floorDiv(canvasX, z));
        s.centery = int(floorDiv(canvasY, z));
    });
}

bool centerOrigin(Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    if (w <= 0 || h <= 0) return false;
    return p.sprites.tryEdit(sprite, [&](Sprite& edited) {
        edited.centerx = w / 2;
        edited.centery = h / 2;
    });
}

bool setPreviewSpeed(Project& p, size_t sprite, std::string_view text) {
    const int v = readInteger(text);
    return v > 0 && p.sprites.tryEdit(sprite, [&](Sprite& s) { s.spritewindow.speed = v; });
}

void setPreviewZoom(Project& p, size_t sprite, int zoom) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) { s.spritewindow.zoom = std::clamp(zoom, 1, 64); });
}

} // namespace pondaro
