// The sprite properties window's preview and its origin and speed rules.
#include <gtest/gtest.h>

#include <climits>

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
