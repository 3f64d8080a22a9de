// Lines, rectangles, ellipses, flood fill, resampling and quarter turns.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "image/draw.h"
#include "image/flood_fill.h"
#include "image/resample.h"
#include "image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

std::set<std::pair<long long, long long>> linePixels(long long x0, long long y0, long long x1, long long y1,
                                                     PixelRect clip) {
    std::set<std::pair<long long, long long>> out;
    forEachLinePixel(x0, y0, x1, y1, clip, [&](long long x, long long y) { out.insert({x, y}); });
    return out;
}

} // namespace

TEST(Lines, OnePixelPerStepAlongTheLongerAxisBothEndsIncluded) {
    auto px = linePixels(0, 0, 4, 2, {-10, -10, 10, 10});
    EXPECT_EQ(px, (std::set<std::pair<long long, long long>>{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    // Steep lines step along y; a single point is one pixel.
    EXPECT_EQ(linePixels(0, 0, 1, 3, {-10, -10, 10, 10}).size(), 4u);
    EXPECT_EQ(linePixels(2, 2, 2, 2, {-10, -10, 10, 10}).size(), 1u);
    // Far outside the clip nothing is visited, and a huge line costs only the clip.
    EXPECT_TRUE(linePixels(100, 100, 200, 300, {0, 0, 10, 10}).empty());
    auto cut = linePixels(-4'000'000'000'000LL, 5, 4'000'000'000'000LL, 5, {0, 0, 8, 8});
    EXPECT_EQ(cut.size(), 8u);
}

TEST(Lines, ClippingKeepsExactlyThePixelsOfTheWholeLine) {
    const auto whole = linePixels(-7, -3, 23, 11, {-100, -100, 100, 100});
    const PixelRect clip{2, 1, 9, 6};
    std::set<std::pair<long long, long long>> expected;
    for (auto p : whole)
        if (clip.contains(p.first, p.second)) expected.insert(p);
    EXPECT_EQ(linePixels(-7, -3, 23, 11, clip), expected);
}

TEST(Rectangles, FillAndOutlineClipAndIgnoreEmptySizes) {
    Image img(6, 5);
    fillRect(img, 1, 1, 3, 2, kRed, ColourMode::Replace);
    EXPECT_EQ(countPixels(img, kRed), 6);
    EXPECT_EQ(img.pixel(3, 2), kRed);
    EXPECT_EQ(img.pixel(4, 2), Rgba{});
    fillRect(img, 0, 0, -3, 2, kWhite, ColourMode::Replace);
    fillRect(img, 0, 0, 0, 2, kWhite, ColourMode::Replace);
    EXPECT_EQ(countPixels(img, kWhite), 0);

    Image o(6, 5);
    drawRectOutline(o, 0, 0, 6, 5, {0, 255, 0, 100}, ColourMode::AlphaBlend);
    EXPECT_EQ(countPixels(o, {0, 255, 0, 100}), 2 * 6 + 2 * 3);  // each border pixel once
    EXPECT_EQ(o.pixel(2, 2), Rgba{});
    drawRectOutline(o, -1'000'000'000'000LL, 2, 2'000'000'000'000LL, 1, kRed, ColourMode::Replace);
    EXPECT_EQ(countPixels(o, kRed), 6);
}

TEST(Ellipses, MidpointRowsAreSymmetricAndDegenerateRadiiWork) {
    EllipseRows r(5, 3);
    EXPECT_EQ(r.halfWidth(0), 5);
    EXPECT_EQ(r.halfWidth(3), r.halfWidth(-3));
    EXPECT_GE(r.halfWidth(3), 0);
    EXPECT_EQ(r.halfWidth(4), -1);
    for (long long dy = 0; dy < 3; ++dy) EXPECT_GE(r.halfWidth(dy), r.halfWidth(dy + 1));
    EXPECT_EQ(EllipseRows(4, 0).halfWidth(0), 4);  // a horizontal line
    EXPECT_EQ(EllipseRows(0, 4).halfWidth(4), 0);  // a vertical line
    EXPECT_EQ(EllipseRows(-5, -3).halfWidth(0), 5);
    // Radii too large to trace row by row follow the ellipse equation.
    EllipseRows big(4'000'000'000LL, 4'000'000'000LL);
    EXPECT_EQ(big.halfWidth(0), 4'000'000'000LL);
    EXPECT_EQ(big.halfWidth(4'000'000'000LL), 0);
}

TEST(Ellipses, FilledCircleAndItsOutline) {
    Image img(11, 11);
    fillEllipse(img, 5, 5, 3, 3, kRed, ColourMode::Replace);
    EXPECT_EQ(img.pixel(5, 5), kRed);
    EXPECT_EQ(img.pixel(8, 5), kRed);
    EXPECT_EQ(img.pixel(5, 2), kRed);
    EXPECT_EQ(img.pixel(9, 5), Rgba{});
    EXPECT_EQ(img.pixel(8, 8), Rgba{});  // the corner of the bounding box is outside
    Image outline(11, 11);
    drawEllipseOutline(outline, 5, 5, 3, 3, kRed, ColourMode::Replace);
    EXPECT_EQ(outline.pixel(5, 5), Rgba{});
    // The outline is exactly the filled pixels with a 4-neighbour outside.
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            const bool in = img.pixel(x, y) == kRed;
            const bool edge = in && (img.pixel(x - 1, y) != kRed || img.pixel(x + 1, y) != kRed ||
                                     img.pixel(x, y - 1) != kRed || img.pixel(x, y + 1) != kRed);
            EXPECT_EQ(outline.pixel(x, y) == kRed, edge) << x << "," << y;
        }
}

TEST(FloodFill, FourConnectedComparingColourButNotAlpha) {
    Image img = filled(5, 5, {0, 0, 0, 255});
    const Rgba start{10, 20, 30, 0}, sameColour{10, 20, 30, 255};
    img.setPixel(1, 1, start);
    img.setPixel(2, 1, sameColour);
    img.setPixel(2, 2, sameColour);
    img.setPixel(3, 3, sameColour);  // touches (2, 2) only diagonally
    floodFill(img, 1, 1, kRed);
    EXPECT_EQ(img.pixel(1, 1), kRed);
    EXPECT_EQ(img.pixel(2, 1), kRed);
    EXPECT_EQ(img.pixel(2, 2), kRed);
    EXPECT_EQ(img.pixel(3, 3), sameColour);
    EXPECT_EQ(countPixels(img, kRed), 3);
    floodFill(img, -1, 0, kRed);  // outside: nothing
    floodFill(img, 5, 5, kRed);
    EXPECT_EQ(countPixels(img, kRed), 3);
}

TEST(FloodFill, EndsWhenTheFillHasTheStartColourAndStillSetsAlpha) {
    Image img = filled(64, 64, {10, 20, 30, 255});
    fillRect(img, 0, 32, 64, 1, kWhite, ColourMode::Replace);  // a wall
    floodFill(img, 5, 5, {10, 20, 30, 7});
    EXPECT_EQ(img.pixel(63, 31), (Rgba{10, 20, 30, 7}));
    EXPECT_EQ(img.pixel(0, 33), (Rgba{10, 20, 30, 255}));
    // A whole image in a maze of one-pixel walls is filled without running away.
    Image maze = filled(41, 41, {1, 1, 1, 255});
    for (int x = 1; x < 40; x += 2) fillRect(maze, x, (x % 4 == 1) ? 0 : 1, 1, 40, kWhite, ColourMode::Replace);
    floodFill(maze, 0, 0, kRed);
    EXPECT_EQ(maze.pixel(40, 40), kRed);
    EXPECT_EQ(countPixels(maze, {1, 1, 1, 255}), 0);
}

TEST(Resample, NearestRepeatsAndDropsPixels) {
    Image src = patterned(3, 2);
    Image big = resizeNearest(src, 6, 4);
    EXPECT_EQ(big.pixel(0, 0), src.pixel(0, 0));
    EXPECT_EQ(big.pixel(1, 1), src.pixel(0, 0));
    EXPECT_EQ(big.pixel(5, 3), src.pixel(2, 1));
    Image small = resizeNearest(src, 2, 1);
    EXPECT_EQ(small.pixel(1, 0), src.pixel(1, 0));  // 1 * 3 / 2 = 1
    EXPECT_TRUE(resizeNearest(src, 0, 4).empty());
    EXPECT_TRUE(resizeNearest(Image{}, 4, 4).empty());
}

TEST(Resample, AreaAveragingWeighsByCoverageAndAlpha) {
    Image src(4, 2);
    src.setPixel(0, 0, {100, 0, 0, 255});
    src.setPixel(1, 0, {200, 0, 0, 255});
    src.setPixel(0, 1, {100, 0, 0, 255});
    src.setPixel(1, 1, {200, 0, 0, 255});
    // The right block: three opaque red pixels and one transparent one.
    src.setPixel(2, 0, kRed);
    src.setPixel(3, 0, kRed);
    src.setPixel(2, 1, kRed);
    Image half = resizeAreaAverage(src, 2, 1);
    EXPECT_EQ(half.pixel(0, 0), (Rgba{150, 0, 0, 255}));
    EXPECT_EQ(half.pixel(1, 0), (Rgba{255, 0, 0, 191}));  // no darkening from the empty pixel
    // Enlarging by a whole factor repeats pixels exactly.
    Image src2 = patterned(3, 3);
    Image twice = resizeAreaAverage(src2, 6, 6);
    EXPECT_EQ(twice.pixel(3, 5), src2.pixel(1, 2));
    // One and a half: the middle pixel straddles two sources.
    Image row(2, 1);
    row.setPixel(0, 0, {0, 0, 0, 255});
    row.setPixel(1, 0, {90, 90, 90, 255});
    Image wide = resizeAreaAverage(row, 3, 1);
    EXPECT_EQ(wide.pixel(1, 0), (Rgba{45, 45, 45, 255}));
    // A part is the same as cutting the whole.
    Image whole = resizeAreaAverage(src2, 7, 5);
    Image part = resizeAreaAveragePart(src2, 7, 5, 2, 1, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(part.pixel(x, y), whole.pixel(x + 2, y + 1));
}

TEST(Resample, SmoothKeepsFlatAreasAndClearsTransparentPixels) {
    Image src = filled(8, 8, {40, 80, 120, 255});
    fillRect(src, 0, 0, 8, 2, {200, 10, 10, 0}, ColourMode::Replace);
    Image out = resizeSmooth(src, 12, 20);
    ASSERT_EQ(out.width(), 12);
    ASSERT_EQ(out.height(), 20);
    EXPECT_EQ(out.pixel(6, 19), (Rgba{40, 80, 120, 255}));
    EXPECT_EQ(out.pixel(6, 0), Rgba{});  // alpha 0 stored as (0, 0, 0, 0)
    // Hidden colour of transparent pixels does not bleed into visible ones.
    EXPECT_LT(out.pixel(6, 8).r, 60);
}

TEST(ZoomedDrawing, BlocksOfZoomPixelsFromAnyOrigin) {
    Image src = patterned(2, 2);
    Image view(5, 5);
    drawOverZoomed(view, src, 3, 1, 2);  // canvas pixels (1..5, 2..6)
    EXPECT_EQ(view.pixel(0, 0), src.pixel(0, 0));
    EXPECT_EQ(view.pixel(1, 0), src.pixel(0, 0));
    EXPECT_EQ(view.pixel(2, 0), src.pixel(1, 0));
    EXPECT_EQ(view.pixel(2, 1), src.pixel(1, 1));
    EXPECT_EQ(view.pixel(0, 4), Rgba{});  // canvas row 6 is beyond the picture
    Image left(2, 1);
    drawOverZoomed(left, filled(1, 1, kRed), 2, -1, 0);
    EXPECT_EQ(left.pixel(0, 0), Rgba{});  // canvas x -1 is not pixel 0
    EXPECT_EQ(left.pixel(1, 0), kRed);
}
