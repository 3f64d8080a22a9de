// The sprite properties window's preview and its origin and speed rules.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "image/flood_fill.h"
#include "image/image_test_util.h"
#include "sprites/sprite_preview.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

constexpr Rgba kBlue{0, 0, 255, 255};

struct Preview {
    explicit Preview(int w = 20, int h = 10, int frames = 1) {
        s = addSprite(p, "s");
        for (int i = 0; i < frames; ++i) addFrame(p, "s", std::to_string(i), filled(w, h, kBlue));
        editSprite([&](auto& r) { r.spritewindow.showcollision = false; });
    }
    const Sprite& sprite() const { return p.sprites[s]; }
    template <class Change>
    void editSprite(Change change) {
        p.sprites.edit(s, change);
    }
    Image render(int w, int h) { return renderSpritePreview(p, s, {0, 0, w, h}); }
    Project p;
    size_t s = 0;
};

const Rgba kOnce = blendOver(kBlue, kCollisionShapeColour);
const Rgba kTwice = blendOver(kOnce, kCollisionShapeColour);

} // namespace

TEST(SpritePreviewTimer, IntervalFromTheSpeed) {
    EXPECT_EQ(previewInterval(30), 33);
    EXPECT_EQ(previewInterval(1000), 1);
    EXPECT_EQ(previewInterval(3), 333);
    EXPECT_EQ(previewInterval(5000), 1);  // never a timer without pause
}

TEST(SpritePreviewTimer, AnimationLoopsOverTheFramesAndStaysAtZeroWithout) {
    Preview v(4, 4, 3);
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        shown.push_back(updateSpritePreview(v.p, v.s));
        advanceSpritePreview(v.p, v.s);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(v.sprite().spritewindow.framecount, 3);
    EXPECT_EQ(spriteSizeText(v.p, v.s), "Size: 4 x 4");

    Preview none(4, 4, 0);
    EXPECT_EQ(updateSpritePreview(none.p, none.s), -1);
    advanceSpritePreview(none.p, none.s);
    EXPECT_EQ(none.sprite().spritewindow.position, 0);
    Image backdrop = none.render(20, 20);
    EXPECT_EQ(backdrop.pixel(0, 0), kCheckerDark);
    EXPECT_EQ(backdrop.pixel(16, 0), kCheckerLight);
}

TEST(SpritePreviewOrigin, DragCenterAndTypedValues) {
    Preview v(33, 20);
    v.editSprite([&](auto& r) { r.spritewindow.zoom = 4; });
    dragOrigin(v.p, v.s, 10, 21);
    EXPECT_EQ(v.sprite().centerx, 2);
    EXPECT_EQ(v.sprite().centery, 5);
    EXPECT_TRUE(centerOrigin(v.p, v.s));
    EXPECT_EQ(v.sprite().centerx, 16);
    EXPECT_EQ(v.sprite().centery, 10);
    EXPECT_FALSE(setOriginX(v.p, v.s, "34"));  // beyond the width: ignored
    EXPECT_EQ(v.sprite().centerx, 16);
    EXPECT_TRUE(setOriginX(v.p, v.s, "33"));
    EXPECT_EQ(v.sprite().centerx, 33);
    EXPECT_FALSE(setOriginY(v.p, v.s, "21"));
    EXPECT_TRUE(setOriginY(v.p, v.s, "abc"));  // reads as 0
    EXPECT_EQ(v.sprite().centery, 0);

    Preview empty(1, 1, 0);
    empty.editSprite([&](auto& r) { r.centerx = 3; });
    EXPECT_FALSE(centerOrigin(empty.p, empty.s));
    EXPECT_EQ(empty.sprite().centerx, 3);

    // The drag starts on the canvas only, and then follows beyond its edges.
    EXPECT_FALSE(pressPreview(v.p, v.s, 33 * 4, 0));  // beside the canvas
    EXPECT_FALSE(dragPreview(v.p, v.s, 8, 8));
    EXPECT_EQ(v.sprite().centerx, 33);
    EXPECT_TRUE(pressPreview(v.p, v.s, 8, 8));
    EXPECT_TRUE(dragPreview(v.p, v.s, 200, -4));
    EXPECT_EQ(v.sprite().centerx, 50);
    EXPECT_EQ(v.sprite().centery, -1);
    releasePreview(v.p, v.s);
    EXPECT_FALSE(dragPreview(v.p, v.s, 8, 8));
}

TEST(SpriteWindowFields, StoredFieldsChangeAtOnceAndMarkTheProjectWhenTheyChange) {
    Preview v(33, 20);
    struct Edit {
        const char* what;
        std::function<void(Project&, size_t)> act;
        bool marks;
    };
    const Edit edits[] = {
        {"origin x", [](Project& p, size_t s) { setOriginX(p, s, "7"); }, true},
        {"origin x again", [](Project& p, size_t s) { setOriginX(p, s, "7"); }, false},
        {"origin beyond the frame", [](Project& p, size_t s) { setOriginY(p, s, "21"); }, false},
        {"drag", [](Project& p, size_t s) { dragOrigin(p, s, 1, 1); }, true},
        {"centre", [](Project& p, size_t s) { centerOrigin(p, s); }, true},
        {"shape", [](Project& p, size_t s) { setCollisionShape(p, s, "Circle"); }, true},
        {"radius", [](Project& p, size_t s) { setCollisionField(p, s, CollisionField::Radius, "12"); }, true},
        {"left", [](Project& p, size_t s) { setCollisionField(p, s, CollisionField::Left, "-3"); }, true},
        {"bottom as text", [](Project& p, size_t s) { setCollisionField(p, s, CollisionField::Bottom, "x"); }, false},
        {"preview zoom", [](Project& p, size_t s) { setPreviewZoom(p, s, 5); }, false},
        {"show collision", [](Project& p, size_t s) { setShowCollision(p, s, true); }, false},
    };
    for (const Edit& e : edits) {
        v.p.clearModified();
        e.act(v.p, v.s);
        EXPECT_EQ(v.p.modified(), e.marks) << e.what;
    }
    const Sprite& s = v.sprite();
    EXPECT_EQ(s.collisionshape, "Circle");
    EXPECT_EQ(collisionField(s, CollisionField::Radius), 12);
    EXPECT_EQ(s.collisionleft, -3);  // taken as typed, no range check
    EXPECT_EQ(s.collisionbottom, 0);
    EXPECT_EQ(s.spritewindow.zoom, 5);
}

TEST(SpritePreviewRender, FrameAndOriginCrosshairByXor) {
    Preview v;
    v.editSprite([&](auto& r) { r.centerx = 2; r.centery = 3; r.spritewindow.zoom = 2; });
    Image c = v.render(40, 20);
    EXPECT_EQ(c.pixel(0, 0), kBlue);
    EXPECT_EQ(c.pixel(4, 0), (Rgba{255, 255, 0, 255}));
    EXPECT_EQ(c.pixel(39, 6), (Rgba{255, 255, 0, 255}));
    EXPECT_EQ(c.pixel(4, 6), kBlue);  // inverted twice where the lines cross
    EXPECT_EQ(v.render(50, 30).pixel(45, 25), Rgba{});  // outside the canvas
}

TEST(SpritePreviewRender, BoxOutlineThenFill) {
    Preview v;
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; r.centerx = 19; r.centery = 9; r.collisionshape = "Box"; });
    v.editSprite([&](auto& r) { r.collisionleft = 12; });  // typed the wrong way round
    v.editSprite([&](auto& r) { r.collisionright = 2; r.collisiontop = 1; r.collisionbottom = 6; });
    Image c = v.render(20, 10);
    EXPECT_EQ(c.pixel(2, 1), kTwice);   // the outline, then the fill over it
    EXPECT_EQ(c.pixel(5, 3), kOnce);
    EXPECT_EQ(c.pixel(11, 5), kTwice);
    EXPECT_EQ(c.pixel(12, 3), kBlue);
    EXPECT_EQ(c.pixel(5, 6), kBlue);
}

TEST(SpritePreviewRender, CircleCentredOnTheFrameNotTheOrigin) {
    Preview v;
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; r.collisionshape = "Circle"; r.collisionradius = 3; r.centerx = 19; r.centery = 9; });
    Image c = v.render(20, 10);
    EXPECT_EQ(c.pixel(10, 5), kOnce);
    EXPECT_EQ(c.pixel(13, 5), kTwice);  // on the outline
    EXPECT_EQ(c.pixel(14, 5), kBlue);
    EXPECT_EQ(c.pixel(1, 1), kBlue);
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = false; });
    EXPECT_EQ(v.render(20, 10).pixel(10, 5), kBlue);
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; });
    v.editSprite([&](auto& r) { r.collisionradius = INT_MAX; });  // covers everything, quickly
    EXPECT_EQ(v.render(20, 10).pixel(0, 0), kOnce);
}

TEST(SpritePreviewRender, PolygonFilledInsideItsEdgesWhateverLiesBeneath) {
    Preview v(16, 16);
    v.p.frames[0].image = patterned(16, 16);
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; r.collisionshape = "Shape"; r.centerx = 15; r.centery = 15; });
    v.p.points = {{"s", 2, 2}, {"s", 12, 2}, {"s", 12, 12}, {"s", 2, 12}};
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = false; });
    const Image f = v.render(16, 16);  // the frame over the backdrop, without the shape
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; });
    Image c = v.render(16, 16);
    auto once = [&](int x, int y) { return blendOver(f.pixel(x, y), kCollisionShapeColour); };
    EXPECT_EQ(c.pixel(7, 7), once(7, 7));
    EXPECT_EQ(c.pixel(3, 11), once(3, 11));
    EXPECT_EQ(c.pixel(7, 2), once(7, 2));  // an edge, blended once
    EXPECT_EQ(c.pixel(13, 7), f.pixel(13, 7));
    EXPECT_EQ(c.pixel(0, 0), f.pixel(0, 0));
}

TEST(SpritePreviewRender, PolygonWhoseAverageLiesOutsideFillsTheOutside) {
    Preview v(40, 40);
    v.editSprite([&](auto& r) { r.spritewindow.showcollision = true; r.collisionshape = "Shape"; });
    // A "U": the average of its points (20, 21) lies in the open notch.
    v.p.points = {{"s", 10, 10}, {"s", 30, 10}, {"s", 30, 30}, {"s", 25, 30},
                  {"s", 25, 15}, {"s", 15, 15}, {"s", 15, 30}, {"s", 10, 30}};
    v.editSprite([&](auto& r) { r.centerx = 39; r.centery = 39; });
    for (int zoom : {1, 2}) {
        v.editSprite([&](auto& r) { r.spritewindow.zoom = zoom; });
        Image c = v.render(40 * zoom, 40 * zoom);
        EXPECT_EQ(c.pixel(20 * zoom, 21 * zoom), kOnce) << zoom;
        EXPECT_EQ(c.pixel(0, 0), kOnce) << zoom;                                  // beyond the box
        EXPECT_EQ(c.pixel(40 * zoom - 2, 40 * zoom - 2), kOnce) << zoom;          // and the other way
        EXPECT_EQ(c.pixel(12 * zoom, 20 * zoom), kBlue) << zoom;                  // inside an arm
        // Only the visible region is drawn, with the same result.
        Image part = renderSpritePreview(v.p, v.s, {zoom, zoom, 5, 5});
        EXPECT_EQ(part.pixel(0, 0), kOnce);
    }
    // A start on an edge fills nothing; far-away points finish without trouble.
    v.editSprite([&](auto& r) { r.spritewindow.zoom = 1; });
    v.p.points = {{"s", 0, 5}, {"s", 10, 5}};
    EXPECT_EQ(v.render(40, 40).pixel(20, 20), kBlue);
    v.p.points = {{"s", -2'000'000'000, 3}, {"s", 2'000'000'000, 3}, {"s", 0, 2'000'000'000}};
    Image far = v.render(40, 40);
    EXPECT_EQ(far.pixel(20, 3), kOnce);  // the edge
    EXPECT_EQ(far.pixel(20, 20), kBlue);
}

namespace {

// The preview as the layers drawn one after the other over the whole view with the
// per-pixel drawing functions; the polygon's fill from a flood fill of its edges drawn
// on a mask of the whole canvas.
Image layered(const Project& p, const Sprite& s, const Image& frame, Rect region) {
    const int z = s.spritewindow.zoom, cw = frame.width() * z, ch = frame.height() * z;
    return renderCanvasRegion(cw, ch, region, [&](Image& view, int ox, int oy) {
        drawCheckerboard(view, ox, oy);
        drawOverZoomed(view, frame, z, ox, oy);
        invertVLine(view, s.centerx * z - ox, 0, view.height());
        invertHLine(view, 0, s.centery * z - oy, view.width());
        if (!s.spritewindow.showcollision) return;
        const Rgba c = kCollisionShapeColour;
        const auto mode = ColourMode::AlphaBlend;
        if (s.collisionshape == "Box") {
            long long x = s.collisionleft * z, y = s.collisiontop * z;
            long long w = (s.collisionright - s.collisionleft) * z, h = (s.collisionbottom - s.collisiontop) * z;
            if (w < 0) x += w, w = -w;
            if (h < 0) y += h, h = -h;
            drawRectOutline(view, x - ox, y - oy, w, h, c, mode);
            fillRect(view, x - ox, y - oy, w, h, c, mode);
        } else if (s.collisionshape == "Circle") {
            const long long cx = frame.width() / 2 * z - ox, cy = frame.height() / 2 * z - oy;
            drawEllipseOutline(view, cx, cy, s.collisionradius * z, s.collisionradius * z, c, mode);
            fillEllipse(view, cx, cy, s.collisionradius * z, s.collisionradius * z, c, mode);
        } else if (s.collisionshape == "Shape") {
            std::vector<Point> pts;
            for (const Point& pt : p.points) pts.push_back({"", pt.x * z, pt.y * z});
            Image mask(cw, ch);
            long long sx = 0, sy = 0;
            for (size_t i = 0; i < pts.size(); ++i) {
                const Point &a = pts[i], &b = pts[(i + 1) % pts.size()];
                drawLine(view, a.x - ox, a.y - oy, b.x - ox, b.y - oy, c, mode);
                drawLine(mask, a.x, a.y, b.x, b.y, {255, 255, 255, 255}, ColourMode::Replace);
                sx += a.x, sy += a.y;
            }
            const Rgba filled{255, 0, 0, 255};
            const long long n = (long long)pts.size();
            floodFill(mask, int(floorDiv(sx, n)), int(floorDiv(sy, n)), filled);
            for (int y = 0; y < view.height(); ++y)
                for (int x = 0; x < view.width(); ++x)
                    if (mask.pixel(x + ox, y + oy) == filled) putPixel(view, x, y, c, mode);
        }
    });
}

} // namespace

TEST(SpritePreviewRender, RowsDrawnOnceAndRepeatedGiveThePixelsOfTheLayers) {
    struct Case {
        const char* shape;
        int left, top, right, bottom, radius;
        bool shown;
    };
    const Case shapes[] = {
        {"Box", 1, 1, 6, 4, 0, true},  {"Box", 6, 4, 1, 1, 0, true},    {"Box", 2, 1, 2, 4, 0, true},
        {"Box", 0, 2, 7, 3, 0, true},  {"Circle", 0, 0, 0, 0, 2, true}, {"Circle", 0, 0, 0, 0, 9, true},
        {"Shape", 0, 0, 0, 0, 0, true}, {"Box", 1, 1, 6, 4, 0, false},
    };
    for (const int zoom : {1, 2, 3, 16, 64}) {
        for (const Case& k : shapes) {
            Preview v(7, 5);
            v.p.frames[0].image = patterned(7, 5);
            v.p.frames[0].image.setPixel(3, 2, {});  // fully transparent: the backdrop shows
            v.p.points = {{"s", 1, 1}, {"s", 6, 2}, {"s", 3, 4}};
            v.editSprite([&](Sprite& s) {
                s.collisionshape = k.shape;
                s.collisionleft = k.left, s.collisiontop = k.top, s.collisionright = k.right;
                s.collisionbottom = k.bottom, s.collisionradius = k.radius;
                s.centerx = 2, s.centery = 3;
                s.spritewindow.zoom = zoom;
                s.spritewindow.showcollision = k.shown;
            });
            const int cw = 7 * zoom, ch = 5 * zoom;
            for (const Rect region : {Rect{0, 0, cw, ch}, Rect{-5, -3, cw / 2 + 9, ch + 7}, Rect{cw / 3, ch / 4, 41, 23}}) {
                const Image rows = renderSpritePreview(v.p, v.s, region);
                const Image expected = layered(v.p, v.sprite(), v.p.frames[0].image, region);
                EXPECT_EQ(rows, expected) << k.shape << " " << k.left << "," << k.top << " zoom " << zoom
                                          << " region " << region.x << "," << region.y;
            }
        }
    }
}
