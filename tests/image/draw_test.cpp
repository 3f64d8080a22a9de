#include <gtest/gtest.h>

#include "image/draw.h"

using namespace pondaro;

TEST(DrawOver, OntoTransparentStoresTheSourceExactlyAndAlphaZeroAsNothing) {
    Image dst(3, 1);
    Image src(3, 1);
    src.setPixel(0, 0, {10, 20, 30, 77});
    src.setPixel(1, 0, {40, 50, 60, 0});
    src.setPixel(2, 0, {1, 2, 3, 255});
    drawOver(dst, src, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), (Rgba{10, 20, 30, 77}));
    EXPECT_EQ(dst.pixel(1, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(dst.pixel(2, 0), (Rgba{1, 2, 3, 255}));
}

TEST(DrawOver, HalfTransparentOverOpaqueMixesAndOpacityScales) {
    Image dst(2, 1);
    dst.fill({0, 0, 0, 255});
    Image src(1, 1);
    src.setPixel(0, 0, {255, 255, 255, 128});
    drawOver(dst, src, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), (Rgba{128, 128, 128, 255}));
    src.setPixel(0, 0, {255, 0, 0, 255});
    drawOver(dst, src, 1, 0, 100);  // opaque source at alpha 100 of 255
    EXPECT_EQ(dst.pixel(1, 0), (Rgba{100, 0, 0, 255}));
    drawOver(dst, src, 5, 5);  // entirely outside: nothing, no crash
    drawOver(dst, src, -1, 0);
    EXPECT_EQ(dst.pixel(0, 0), (Rgba{128, 128, 128, 255}));
}

TEST(XorDrawing, TwiceRestoresAndAlphaStays) {
    Image img(4, 4);
    img.fill({10, 200, 30, 90});
    xorFillRect(img, 1, 1, 10, 10, {200, 64, 64, 255});
    EXPECT_EQ(img.pixel(1, 1), (Rgba{10 ^ 200, 200 ^ 64, 30 ^ 64, 90}));
    EXPECT_EQ(img.pixel(0, 0), (Rgba{10, 200, 30, 90}));
    xorFillRect(img, 1, 1, 10, 10, {200, 64, 64, 255});
    EXPECT_EQ(img.pixel(3, 3), (Rgba{10, 200, 30, 90}));
    invertHLine(img, -5, 0, 100);
    EXPECT_EQ(img.pixel(3, 0), (Rgba{245, 55, 225, 90}));
}

TEST(Checkerboard, SixteenPixelSquaresDarkAtTheTopLeft) {
    Image c = checkerboard();
    EXPECT_EQ(c.width(), 800);
    EXPECT_EQ(c.pixel(0, 0), kCheckerDark);
    EXPECT_EQ(c.pixel(15, 15), kCheckerDark);
    EXPECT_EQ(c.pixel(16, 0), kCheckerLight);
    EXPECT_EQ(c.pixel(0, 16), kCheckerLight);
    EXPECT_EQ(c.pixel(16, 16), kCheckerDark);
    Image part(4, 4);
    drawCheckerboard(part, 14, 0);  // a window onto the same endless board
    EXPECT_EQ(part.pixel(1, 0), kCheckerDark);
    EXPECT_EQ(part.pixel(2, 0), kCheckerLight);
    drawCheckerboard(part, -1, 0);
    EXPECT_EQ(part.pixel(0, 0), kCheckerLight);
    EXPECT_EQ(part.pixel(1, 0), kCheckerDark);
}
