// Every turn of a picture: exact quarter turns, the Rotate effect within the frame and
// the scene's display copies.
#include <gtest/gtest.h>

#include "image/rotate.h"
#include "image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

TEST(QuarterTurns, ExactAndCounterClockwiseOnScreen) {
    Image src = patterned(3, 2);
    Image q = rotateQuarterTurns(src, 1);
    ASSERT_EQ(q.width(), 2);
    ASSERT_EQ(q.height(), 3);
    EXPECT_EQ(q.pixel(0, 0), src.pixel(2, 0));  // the right edge goes to the top
    EXPECT_EQ(q.pixel(1, 2), src.pixel(0, 1));
    EXPECT_EQ(rotateQuarterTurns(rotateQuarterTurns(src, 1), -1), src);
    EXPECT_EQ(rotateQuarterTurns(src, 4), src);
    EXPECT_EQ(rotateQuarterTurns(src, 2), rotateQuarterTurns(rotateQuarterTurns(src, 1), 1));
}

TEST(RotateEffect, QuarterTurnsKeepTheFrameAndItsCentrePixelOnEveryShape) {
    // Frame pixel (x, y) shows the source pixel that the turn about (w div 2, h div 2)
    // brings there; what no source pixel reaches is empty.
    struct Shape {
        int w, h;
    };
    for (Shape shape : {Shape{4, 2}, Shape{5, 3}, Shape{4, 4}, Shape{5, 5}, Shape{3, 6}, Shape{1, 1}}) {
        const Image src = patterned(shape.w, shape.h);
        const int cx = shape.w / 2, cy = shape.h / 2;
        for (int turn : {0, 90, 180, 270}) {
            const Image r = rotate(src, turn);
            ASSERT_EQ(r.width(), shape.w);
            ASSERT_EQ(r.height(), shape.h);
            for (int y = 0; y < shape.h; ++y)
                for (int x = 0; x < shape.w; ++x) {
                    int sx = x, sy = y;
                    if (turn == 90) sx = cx - (y - cy), sy = cy + (x - cx);
                    if (turn == 180) sx = cx - (x - cx), sy = cy - (y - cy);
                    if (turn == 270) sx = cx + (y - cy), sy = cy - (x - cx);
                    const Rgba expected = src.contains(sx, sy) ? src.pixel(sx, sy) : Rgba{};
                    EXPECT_EQ(r.pixel(x, y), expected) << shape.w << "x" << shape.h << " turned " << turn << " at "
                                                       << x << "," << y;
                }
        }
    }
}

TEST(DisplayCopy, QuarterTurnsAreExactAndOtherAnglesFollowTheSizeRule) {
    Image pic(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) pic.setPixel(x, y, {uint8_t(x), uint8_t(y), 0, 255});
    const Image q = turnedCopy(pic, 90);
    ASSERT_EQ(q.width(), 2);
    EXPECT_EQ(q.pixel(0, 0), pic.pixel(2, 0));
    EXPECT_EQ(q.pixel(1, 2), pic.pixel(0, 1));
    const Image h = turnedCopy(pic, 180);
    EXPECT_EQ(h.pixel(0, 0), pic.pixel(2, 1));
    const Image t = turnedCopy(pic, 270);
    EXPECT_EQ(t.pixel(1, 0), pic.pixel(0, 0));
    EXPECT_EQ(turnedCopy(pic, -90), t);
    EXPECT_EQ(turnedCopy(pic, 450), q);
    EXPECT_EQ(turnedCopy(pic, 720), pic);

    Image big(10, 4);
    big.fill({5, 5, 5, 255});
    const Image r = turnedCopy(big, 30);
    EXPECT_EQ(r.width(), 11);  // floor(10 cos 30 + 4 sin 30 + 0.9)
    EXPECT_EQ(r.height(), 9);  // floor(4 cos 30 + 10 sin 30 + 0.9)
    EXPECT_EQ(r.pixel(5, 4), (Rgba{5, 5, 5, 255}));
    EXPECT_EQ(r.pixel(0, 0).a, 0);
    EXPECT_TRUE(turnedCopy(Image(), 30).empty());
}
