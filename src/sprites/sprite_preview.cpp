#include "sprites/sprite_preview.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "base/integer_reader.h"
#include "image/flood_fill.h"
#include "image/run_row.h"
#include "project/canvas_pictures.h"
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

// The fields of the sprite that this window changes and the project file stores.
std::tuple<int, int, std::string, int, int, int, int, int> windowFields(const Sprite& s) {
    return {s.centerx,       s.centery,        s.collisionshape, s.collisionradius,
            s.collisionleft, s.collisionright, s.collisiontop,   s.collisionbottom};
}

// Edits the stored fields of the sprite; the project is marked modified when they
// changed. False when there is no such sprite.
template <class Change>
bool editStored(Project& p, size_t sprite, Change change) {
    bool changed = false;
    const bool found = p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const auto before = windowFields(s);
        change(s);
        changed = windowFields(s) != before;
    });
    if (changed) p.markModified();
    return found;
}

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

// What distinguishes one row of the preview from another; rows with the same key are
// the same pixels.
struct RowKey {
    int band = 0;            // the checkerboard's row of squares, odd or even
    long long frameRow = 0;  // the frame's row shown (-1 above it or beyond it)
    bool crosshair = false;  // the origin's horizontal line
    long long shape[2] = {0, 0};
    friend bool operator<(const RowKey& a, const RowKey& b) {
        return std::tie(a.band, a.frameRow, a.crosshair, a.shape[0], a.shape[1]) <
               std::tie(b.band, b.frameRow, b.crosshair, b.shape[0], b.shape[1]);
    }
};

// The preview's rows. At a high zoom most rows of the view repeat one another (the
// same zoomed frame row, the same band of the checkerboard, the same part of the
// collision shape), and a row is a few long runs of one colour: each different row is
// drawn once as runs (image/run_row.h) and the others are copies of it. The pixels are
// those of drawing the layers one after the other over the whole view: the
// checkerboard, the frame zoomed, the origin crosshair by XOR, and the collision shape
// (outline, then fill) blended in green.
class PreviewRows {
public:
    enum class Shape { None, Box, Circle, Polygon };

    // The view shows the canvas columns [viewX, viewX + viewWidth) of a canvas of
    // cw x ch; w x h is the sprite's frame size.
    PreviewRows(const Project& p, const Sprite& s, const Image& frame, int w, int h, int cw, int ch, int viewX,
                int viewWidth)
        : frame_(frame), z_(zoomOf(s)), viewX_(viewX), viewWidth_(viewWidth), row_(viewWidth),
          originX_((long long)s.centerx * z_), originY_((long long)s.centery * z_),
          circle_(s.collisionshape == "Circle" && s.spritewindow.showcollision ? (long long)s.collisionradius * z_ : 0,
                  s.collisionshape == "Circle" && s.spritewindow.showcollision ? (long long)s.collisionradius * z_ : 0) {
        if (!s.spritewindow.showcollision) return;
        if (s.collisionshape == "Box") {
            shape_ = Shape::Box;
            boxX_ = s.collisionleft * z_, boxY_ = s.collisiontop * z_;
            boxW_ = ((long long)s.collisionright - s.collisionleft) * z_;
            boxH_ = ((long long)s.collisionbottom - s.collisiontop) * z_;
            // Edges typed the wrong way round still describe the same box.
            if (boxW_ < 0) boxX_ += boxW_, boxW_ = -boxW_;
            if (boxH_ < 0) boxY_ += boxH_, boxH_ = -boxH_;
        } else if (s.collisionshape == "Circle") {
            shape_ = Shape::Circle;
            circleX_ = (long long)(w / 2) * z_;
            circleY_ = (long long)(h / 2) * z_;
        } else if (s.collisionshape == "Shape") {
            for (const Point& pt : p.points)
                if (pt.sprite == s.name) points_.emplace_back((long long)pt.x * z_, (long long)pt.y * z_);
            if (points_.empty()) return;
            shape_ = Shape::Polygon;
            fill_ = std::make_unique<PolygonFill>(points_, cw, ch);
        }
    }

    RowKey keyOf(long long y) const {
        RowKey k;
        k.band = int((y >> 4) & 1);
        k.frameRow = floorDiv(y, z_);
        if (k.frameRow < 0 || k.frameRow >= frame_.height()) k.frameRow = -1;
        k.crosshair = y == originY_;
        switch (shape_) {
        case Shape::None: break;
        case Shape::Box:
            if (boxW_ <= 0 || boxH_ <= 0 || y < boxY_ || y >= boxY_ + boxH_) break;
            k.shape[0] = y == boxY_ ? 1 : y == boxY_ + boxH_ - 1 ? 2 : 3;
            break;
        case Shape::Circle: {
            const long long dy = y - circleY_;
            k.shape[0] = circle_.halfWidth(dy);
            k.shape[1] = std::min(circle_.halfWidth(dy - 1), circle_.halfWidth(dy + 1));
            break;
        }
        case Shape::Polygon:
            // Edges cross rows at every slope: each row is its own.
            k.shape[0] = 1;
            k.shape[1] = y;
            break;
        }
        return k;
    }

    // Draws canvas row y into `out` (viewWidth pixels).
    void draw(long long y, uint8_t* out) {
        row_.checker(viewX_, int(y));
        frameSpans(y);
        row_.blend(spans_);
        const Rgba white{255, 255, 255, 255};
        if (originX_ >= viewX_ && originX_ < viewX_ + viewWidth_)
            row_.xorSpan(int(originX_ - viewX_), int(originX_ - viewX_) + 1, white);
        if (y == originY_) row_.xorSpan(0, viewWidth_, white);
        switch (shape_) {
        case Shape::None: break;
        case Shape::Box: boxRow(y); break;
        case Shape::Circle: circleRow(y); break;
        case Shape::Polygon: polygonRow(y); break;
        }
        row_.write(out);
    }

private:
    const Rgba kShape = kCollisionShapeColour;

    // Adds canvas columns [a, b) to the spans, in view columns and clipped to the view.
    void addSpan(long long a, long long b, Rgba c) {
        a = std::max(a - viewX_, 0LL);
        b = std::min(b - viewX_, (long long)viewWidth_);
        if (a >= b) return;
        if (!spans_.empty() && spans_.back().x1 == a && spans_.back().colour == c) spans_.back().x1 = int(b);
        else spans_.push_back({int(a), int(b), c});
    }

    void frameSpans(long long y) {
        spans_.clear();
        const long long sy = floorDiv(y, z_);
        if (sy < 0 || sy >= frame_.height()) return;
        const uint8_t* src = frame_.data() + size_t(sy) * frame_.width() * 4;
        const long long first = std::max(floorDiv(viewX_, z_), 0LL);
        const long long last = std::min(floorDiv((long long)viewX_ + viewWidth_ - 1, z_), (long long)frame_.width() - 1);
        for (long long sx = first; sx <= last; ++sx) {
            const uint8_t* px = src + sx * 4;
            if (px[3] == 0) continue;
            addSpan(sx * z_, (sx + 1) * z_, {px[0], px[1], px[2], px[3]});
        }
    }

    // drawRectOutline, then fillRect.
    void boxRow(long long y) {
        if (boxW_ <= 0 || boxH_ <= 0 || y < boxY_ || y >= boxY_ + boxH_) return;
        spans_.clear();
        if (y == boxY_ || (boxH_ > 1 && y == boxY_ + boxH_ - 1)) {
            addSpan(boxX_, boxX_ + boxW_, kShape);
        } else if (boxH_ > 2) {
            addSpan(boxX_, boxX_ + 1, kShape);
            if (boxW_ > 1) addSpan(boxX_ + boxW_ - 1, boxX_ + boxW_, kShape);
        }
        row_.blend(spans_);
        spans_.clear();
        addSpan(boxX_, boxX_ + boxW_, kShape);
        row_.blend(spans_);
    }

    // drawEllipseOutline, then fillEllipse.
    void circleRow(long long y) {
        const PixelRect clip{viewX_, y, (long long)viewX_ + viewWidth_, y + 1};
        for (bool outline : {true, false}) {
            spans_.clear();
            forEachEllipseSpan(circleX_, circleY_, circle_, clip, outline,
                               [&](long long, long long a, long long b) { addSpan(a, b + 1, kShape); });
            row_.blend(spans_);
        }
    }

    // Each edge drawn as a line (pixels where edges meet are blended once per edge),
    // then the fill.
    void polygonRow(long long y) {
        const PixelRect clip{viewX_, y, (long long)viewX_ + viewWidth_, y + 1};
        for (size_t i = 0; i < points_.size(); ++i) {
            const auto [x0, y0] = points_[i];
            const auto [x1, y1] = points_[(i + 1) % points_.size()];
            spans_.clear();
            forEachLinePixel(x0, y0, x1, y1, clip, [&](long long x, long long) { addSpan(x, x + 1, kShape); });
            row_.blend(spans_);
        }
        spans_.clear();
        for (long long x = viewX_; x < (long long)viewX_ + viewWidth_; ++x)
            if (fill_->filled(x, y)) addSpan(x, x + 1, kShape);
        row_.blend(spans_);
    }

    const Image& frame_;
    long long z_;
    int viewX_, viewWidth_;
    RunRow row_;
    std::vector<RunRow::Span> spans_;
    long long originX_, originY_;
    Shape shape_ = Shape::None;
    long long boxX_ = 0, boxY_ = 0, boxW_ = 0, boxH_ = 0;
    long long circleX_ = 0, circleY_ = 0;
    EllipseRows circle_;
    std::vector<std::pair<long long, long long>> points_;
    std::unique_ptr<PolygonFill> fill_;
};

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
    const int frame = s ? frameAtPosition(p, *s) : -1;
    if (frame < 0) {
        // Without frames there is only the backdrop.
        Image out(region.width, region.height);
        if (s) drawCheckerboard(out, region.x, region.y);
        return out;
    }
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const long long z = zoomOf(*s);
    const long long cw = w * z, ch = h * z;
    // The part of the region on the canvas; the rest is transparent.
    const long long x0 = std::max(region.x, 0), y0 = std::max(region.y, 0);
    const long long x1 = std::min<long long>((long long)region.x + region.width, cw);
    const long long y1 = std::min<long long>((long long)region.y + region.height, ch);
    const bool covered = x0 == region.x && y0 == region.y && x1 == (long long)region.x + region.width &&
                         y1 == (long long)region.y + region.height;
    // A view that lies wholly on the canvas has every pixel written below.
    Image out = covered ? Image::unfilled(region.width, region.height) : Image(region.width, region.height);
    if (out.empty() || x0 >= x1 || y0 >= y1) return out;
    PreviewRows rows(p, *s, p.frames[size_t(frame)].image, w, h, int(cw), int(ch), int(x0), int(x1 - x0));
    std::map<RowKey, const uint8_t*> drawn;
    const size_t rowBytes = size_t(x1 - x0) * 4;
    for (long long y = y0; y < y1; ++y) {
        uint8_t* dst = out.data() + (size_t(y - region.y) * size_t(region.width) + size_t(x0 - region.x)) * 4;
        const RowKey key = rows.keyOf(y);
        if (auto it = drawn.find(key); it != drawn.end()) {
            std::memcpy(dst, it->second, rowBytes);
            continue;
        }
        rows.draw(y, dst);
        drawn.emplace(key, dst);
    }
    return out;
}

bool setOriginX(Project& p, size_t sprite, std::string_view text) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const int v = readInteger(text);
    if (v > w) return false;
    return editStored(p, sprite, [&](Sprite& edited) { edited.centerx = v; });
}

bool setOriginY(Project& p, size_t sprite, std::string_view text) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    const int v = readInteger(text);
    if (v > h) return false;
    return editStored(p, sprite, [&](Sprite& edited) { edited.centery = v; });
}

void dragOrigin(Project& p, size_t sprite, int canvasX, int canvasY) {
    editStored(p, sprite, [&](Sprite& s) {
        const int z = zoomOf(s);
        s.centerx = int(floorDiv(canvasX, z));
        s.centery = int(floorDiv(canvasY, z));
    });
}

bool pressPreview(Project& p, size_t sprite, int canvasX, int canvasY) {
    if (canvasX < 0 || canvasY < 0 || canvasX >= spritePreviewWidth(p, sprite) ||
        canvasY >= spritePreviewHeight(p, sprite))
        return false;
    p.sprites.tryEdit(sprite, [](Sprite& s) { s.spritewindow.draggingorigin = true; });
    dragOrigin(p, sprite, canvasX, canvasY);
    return true;
}

bool dragPreview(Project& p, size_t sprite, int canvasX, int canvasY) {
    if (sprite >= p.sprites.size() || !p.sprites[sprite].spritewindow.draggingorigin) return false;
    dragOrigin(p, sprite, canvasX, canvasY);
    return true;
}

void releasePreview(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [](Sprite& s) { s.spritewindow.draggingorigin = false; });
}

bool centerOrigin(Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    int w = 0, h = 0;
    frameSize(p, *s, w, h);
    if (w <= 0 || h <= 0) return false;
    return editStored(p, sprite, [&](Sprite& edited) {
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

void setShowCollision(Project& p, size_t sprite, bool shown) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) { s.spritewindow.showcollision = shown; });
}

void setCollisionShape(Project& p, size_t sprite, std::string_view shape) {
    editStored(p, sprite, [&](Sprite& s) { s.collisionshape = std::string(shape); });
}

int collisionField(const Sprite& s, CollisionField field) {
    switch (field) {
    case CollisionField::Radius: return s.collisionradius;
    case CollisionField::Left: return s.collisionleft;
    case CollisionField::Right: return s.collisionright;
    case CollisionField::Top: return s.collisiontop;
    case CollisionField::Bottom: return s.collisionbottom;
    }
    return 0;
}

void setCollisionField(Project& p, size_t sprite, CollisionField field, std::string_view text) {
    const int v = readInteger(text);
    editStored(p, sprite, [&](Sprite& s) {
        switch (field) {
        case CollisionField::Radius: s.collisionradius = v; break;
        case CollisionField::Left: s.collisionleft = v; break;
        case CollisionField::Right: s.collisionright = v; break;
        case CollisionField::Top: s.collisiontop = v; break;
        case CollisionField::Bottom: s.collisionbottom = v; break;
        }
    });
}

} // namespace pondaro
