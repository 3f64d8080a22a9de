// The per-pixel formulas of the image effects and the transforms, pixel by pixel.
#include <gtest/gtest.h>

#include <set>

#include "image/draw.h"
#include "image/effects.h"
#include "image/palettes.h"
#include "image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

Image onePixel(Rgba c) { return filled(1, 1, c); }
Rgba after(Image (*effect)(const Image&), Rgba c) { return effect(onePixel(c)).pixel(0, 0); }

} // namespace

TEST(Effects, InvertTwiceRestoresEveryVisiblePixel) {
    Image src = patterned(9, 7);
    EXPECT_EQ(invert(invert(src)), src);
    EXPECT_EQ(after(invert, {10, 200, 255, 77}), (Rgba{245, 55, 0, 77}));
}

TEST(Effects, EveryResultWithAlphaZeroIsStoredEmpty) {
    const Rgba hidden{10, 20, 30, 0};
    EXPECT_EQ(after(invert, hidden), Rgba{});
    EXPECT_EQ(after(grayscale, hidden), Rgba{});
    EXPECT_EQ(posterize(onePixel(hidden), 2).pixel(0, 0), Rgba{});
    EXPECT_EQ(brightness(onePixel(hidden), 100).pixel(0, 0), Rgba{});
    EXPECT_EQ(opacity(onePixel({10, 20, 30, 255}), 0).pixel(0, 0), Rgba{});
    EXPECT_EQ(rotate(onePixel(hidden), 90).pixel(0, 0), Rgba{});
    EXPECT_EQ(shift(onePixel(hidden), 0, 0, true, true).pixel(0, 0), Rgba{});
    // Make opaque brings a hidden colour back; that is its purpose.
    EXPECT_EQ(after(makeOpaque, hidden), (Rgba{10, 20, 30, 255}));
}

TEST(Effects, GrayscaleRoundsTheExactSumInSinglePrecision) {
    EXPECT_EQ(after(grayscale, {255, 255, 255, 200}), (Rgba{255, 255, 255, 200}));
    EXPECT_EQ(after(grayscale, {0, 0, 0, 255}), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(after(grayscale, {255, 0, 0, 255}).r, 54);  // 54.213
    // Sums that land on .5 only once rounded to single precision, which then rounds
    // half away from zero (adding the products in single precision would give 35, 120).
    EXPECT_EQ(luminance(3, 44, 47), 36);
    EXPECT_EQ(luminance(6, 156, 106), 121);
}

TEST(Effects, ColorizeFactorsAndTiesToEven) {
    EXPECT_EQ(colorize(onePixel({200, 100, 50, 255}), 0).pixel(0, 0), (Rgba{200, 0, 0, 255}));
    EXPECT_EQ(colorize(onePixel({200, 100, 50, 255}), 60).pixel(0, 0), (Rgba{200, 100, 0, 255}));
    EXPECT_EQ(colorize(onePixel({200, 100, 50, 255}), 180).pixel(0, 0), (Rgba{0, 100, 50, 255}));
    EXPECT_EQ(colorize(onePixel({200, 100, 50, 255}), 240).pixel(0, 0), (Rgba{0, 0, 50, 255}));
    // Hue 30 halves green: 5 x 0.5 = 2.5 -> 2 and 7 x 0.5 = 3.5 -> 4 (ties to even).
    EXPECT_EQ(colorize(onePixel({9, 5, 9, 255}), 30).pixel(0, 0), (Rgba{9, 2, 0, 255}));
    EXPECT_EQ(colorize(onePixel({9, 7, 9, 255}), 30).pixel(0, 0), (Rgba{9, 4, 0, 255}));
    const HueFactors f = hueFactors(330);  // i = 5, q = 0.5
    EXPECT_FLOAT_EQ(f.red, 1.0f);
    EXPECT_FLOAT_EQ(f.blue, 0.5f);
    // The strip above the slider shows the same hues.
    Image strip = hueStrip();
    EXPECT_EQ(strip.pixel(0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(strip.pixel(120, 18), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(strip.pixel(330, 5), (Rgba{255, 0, 128, 255}));
}

TEST(Effects, ColorBalanceAndBrightnessClamp) {
    EXPECT_EQ(colorBalance(onePixel({250, 5, 100, 9}), 10, -10, 0).pixel(0, 0), (Rgba{255, 0, 100, 9}));
    Image src = patterned(6, 6);
    Image white = brightness(src, 255), black = brightness(src, -255);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(white.pixel(x, y), (Rgba{255, 255, 255, src.pixel(x, y).a}));
            EXPECT_EQ(black.pixel(x, y), (Rgba{0, 0, 0, src.pixel(x, y).a}));
        }
}

TEST(Effects, SwapChannelsNamesTheOldChannelsOfTheNewOnes) {
    const Rgba c{1, 2, 3, 4};
    EXPECT_EQ(swapChannels(onePixel(c), ChannelOrder::GBR).pixel(0, 0), (Rgba{2, 3, 1, 4}));
    EXPECT_EQ(swapChannels(onePixel(c), ChannelOrder::BRG).pixel(0, 0), (Rgba{3, 1, 2, 4}));
}

TEST(Effects, OpacityRoundsUpAndKeepsEveryAlphaAtFullPercent) {
    Image ramp(256, 1);
    for (int a = 0; a < 256; ++a) ramp.setPixel(a, 0, {50, 60, 70, uint8_t(a)});
    Image same = opacity(ramp, 100);
    for (int a = 1; a < 256; ++a) EXPECT_EQ(same.pixel(a, 0).a, a) << a;
    EXPECT_EQ(opacity(onePixel({50, 60, 70, 255}), 50).pixel(0, 0), (Rgba{50, 60, 70, 128}));
    EXPECT_EQ(opacity(onePixel({50, 60, 70, 1}), 1).pixel(0, 0).a, 1);  // 0.01 rounds up to 1
}

TEST(Effects, PosterizeSnapsToMultiplesOfTheLevelBelow256) {
    Image row(5, 1);
    const uint8_t values[] = {255, 127, 128, 1, 0};
    for (int i = 0; i < 5; ++i) row.setPixel(i, 0, {values[i], values[i], values[i], 255});
    Image out = posterize(row, 2);
    EXPECT_EQ(out.pixel(0, 0).r, 255);  // 2 x 128 = 256 is limited to 255
    EXPECT_EQ(out.pixel(1, 0).r, 128);  // 63.5 rounds away from zero
    EXPECT_EQ(out.pixel(2, 0).r, 128);
    EXPECT_EQ(out.pixel(3, 0).r, 2);
    EXPECT_EQ(out.pixel(4, 0).r, 0);
    EXPECT_EQ(posterize(onePixel({24, 25, 75, 255}), 50).pixel(0, 0), (Rgba{0, 50, 100, 255}));
}

TEST(Effects, NoiseAddsTheFieldsGreyValueAndLevelZeroAddsOne) {
    Image src = patterned(8, 8);
    src.setPixel(3, 3, {255, 254, 0, 255});
    const NoiseField zero = makeNoiseField(8, 8, 0, 42);
    Image out = noise(src, zero);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const Rgba s = src.pixel(x, y), o = out.pixel(x, y);
            EXPECT_EQ(o.r, std::min(255, s.r + 1));
            EXPECT_EQ(o.g, std::min(255, s.g + 1));
            EXPECT_EQ(o.b, std::min(255, s.b + 1));
            EXPECT_EQ(o.a, s.a);
        }
    EXPECT_EQ(out.pixel(3, 3), (Rgba{255, 255, 1, 255}));

    const NoiseField f = makeNoiseField(32, 32, 5, 7);
    std::set<int> seen(f.values.begin(), f.values.end());
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 6);
    EXPECT_EQ(seen.size(), 6u);
    Image grey = noise(filled(32, 32, {100, 100, 100, 255}), f);
    const Rgba p = grey.pixel(5, 9);
    EXPECT_EQ(p.r, 100 + f.values[9 * 32 + 5]);
    EXPECT_EQ(p.r, p.g);
    EXPECT_EQ(p.g, p.b);
    // Another seed draws another field; a frame larger than the field repeats it.
    EXPECT_NE(makeNoiseField(32, 32, 5, 8).values, f.values);
    EXPECT_EQ(noise(filled(40, 1, {0, 0, 0, 255}), makeNoiseField(4, 1, 100, 1)).width(), 40);
}

TEST(Effects, EraseAColourComparesLuminanceOnly) {
    Image row(4, 1);
    row.setPixel(0, 0, {0, 0, 0, 255});
    row.setPixel(1, 0, {2, 0, 0, 255});   // luminance 0
    row.setPixel(2, 0, {0, 3, 0, 255});   // luminance 2
    row.setPixel(3, 0, {0, 0, 40, 255});  // luminance 3
    Image out = eraseColour(row, {0, 0, 0, 255}, 0);
    EXPECT_EQ(out.pixel(0, 0), Rgba{});
    EXPECT_EQ(out.pixel(1, 0), Rgba{});
    EXPECT_EQ(out.pixel(2, 0), (Rgba{0, 3, 0, 255}));
    Image wider = eraseColour(row, {0, 0, 0, 255}, 2);
    EXPECT_EQ(wider.pixel(2, 0), Rgba{});
    EXPECT_EQ(wider.pixel(3, 0), (Rgba{0, 0, 40, 255}));
}

TEST(Transforms, ShiftWithAndWithoutWrap) {
    Image src = patterned(5, 4);
    EXPECT_EQ(shift(src, 5, 0, true, false), src);  // a whole width comes back around
    EXPECT_EQ(shift(src, 0, -4, false, true), src);
    Image moved = shift(src, 2, 1, false, false);
    EXPECT_EQ(moved.pixel(0, 0), Rgba{});
    EXPECT_EQ(moved.pixel(2, 1), src.pixel(0, 0));
    EXPECT_EQ(moved.pixel(4, 3), src.pixel(2, 2));
    Image wrapped = shift(src, 2, 1, true, true);
    EXPECT_EQ(wrapped.pixel(0, 0), src.pixel(3, 3));  // from the diagonal copy
    EXPECT_EQ(wrapped.pixel(1, 2), src.pixel(4, 1));
    EXPECT_EQ(wrapped.pixel(3, 0), src.pixel(1, 3));
}

TEST(Transforms, MirrorBothWays) {
    Image src = patterned(3, 2);
    Image m = mirror(src, true, false);
    EXPECT_EQ(m.pixel(0, 1), src.pixel(2, 1));
    Image both = mirror(src, true, true);
    EXPECT_EQ(both.pixel(0, 0), src.pixel(2, 1));
    EXPECT_EQ(mirror(src, false, false), src);
}

TEST(Transforms, RotateNinetyOnANonSquareFrameCutsAndKeepsTheSize) {
    Image src = patterned(4, 2);  // centre (2, 1)
    Image r = rotate(src, 90);
    ASSERT_EQ(r.width(), 4);
    ASSERT_EQ(r.height(), 2);
    // Counter-clockwise on screen: the right column turns into the top row.
    EXPECT_EQ(r.pixel(1, 0), src.pixel(3, 0));
    EXPECT_EQ(r.pixel(2, 0), src.pixel(3, 1));
    EXPECT_EQ(r.pixel(1, 1), src.pixel(2, 0));
    EXPECT_EQ(r.pixel(2, 1), src.pixel(2, 1));
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(r.pixel(0, y), Rgba{});
        EXPECT_EQ(r.pixel(3, y), Rgba{});
    }
    EXPECT_EQ(rotate(src, 450), r);
    EXPECT_EQ(rotate(src, -270), r);
    EXPECT_EQ(rotate(src, 0), src);
    EXPECT_EQ(rotate(rotate(patterned(5, 5), 180), 180), patterned(5, 5));
}

TEST(Transforms, RotateFreeAngleTakesTheNearestSourceAndCutsCorners) {
    Image src = filled(9, 9, {0, 0, 255, 255});
    src.setPixel(8, 4, {255, 0, 0, 255});  // four pixels right of the centre (4, 4)
    Image r = rotate(src, 45);
    EXPECT_EQ(r.pixel(7, 1), (Rgba{255, 0, 0, 255}));  // turned up and to the left
    EXPECT_EQ(r.pixel(8, 4), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(r.pixel(0, 0), Rgba{});  // a corner left the canvas
    EXPECT_EQ(r.pixel(4, 4), (Rgba{0, 0, 255, 255}));
}

TEST(Transforms, ScaleCentresTheAveragedPictureOnTheSameCanvas) {
    Image src(4, 4);
    fillRect(src, 0, 0, 2, 2, {100, 0, 0, 255}, ColourMode::Replace);
    src.setPixel(0, 0, {200, 0, 0, 255});
    Image half = scale(src, 50, 50);
    ASSERT_EQ(half.width(), 4);
    EXPECT_EQ(half.pixel(1, 1), (Rgba{125, 0, 0, 255}));
    EXPECT_EQ(half.pixel(0, 0), Rgba{});
    EXPECT_EQ(half.pixel(3, 3), Rgba{});
    // Twice the size: the middle of the enlarged picture shows.
    Image p = patterned(4, 4);
    Image big = scale(p, 200, 200);
    EXPECT_EQ(big.pixel(0, 0), p.pixel(1, 1));
    EXPECT_EQ(big.pixel(3, 3), p.pixel(2, 2));
    // 5 x 50 % = 2.5 rounds to 2 (ties to even), placed at 2 - 1.25 -> 1.
    Image odd = scale(filled(5, 1, {9, 9, 9, 255}), 50, 100);
    EXPECT_EQ(odd.pixel(0, 0), Rgba{});
    EXPECT_EQ(odd.pixel(1, 0), (Rgba{9, 9, 9, 255}));
    EXPECT_EQ(odd.pixel(2, 0), (Rgba{9, 9, 9, 255}));
    EXPECT_EQ(odd.pixel(3, 0), Rgba{});
    // A picture scaled to nothing leaves an empty canvas.
    EXPECT_EQ(countPixels(scale(p, 1, 1), Rgba{}), 16);
}

TEST(Transforms, ResizeCanvasCentresWithoutResampling) {
    Image src = patterned(6, 6);
    Image small = resizeCanvas(src, 2, 2);  // drawn at 1 - 3 = -2
    EXPECT_EQ(small.pixel(0, 0), src.pixel(2, 2));
    EXPECT_EQ(small.pixel(1, 1), src.pixel(3, 3));
    Image large = resizeCanvas(patterned(2, 2), 5, 4);  // drawn at (2 - 1, 2 - 1)
    EXPECT_EQ(large.pixel(1, 1), patterned(2, 2).pixel(0, 0));
    EXPECT_EQ(large.pixel(0, 0), Rgba{});
    EXPECT_TRUE(resizeCanvas(src, 0, 4).empty());
}

TEST(Transforms, StretchNearestOrSmooth) {
    Image src = patterned(2, 1);
    Image n = stretch(src, 4, 2, false);
    EXPECT_EQ(n.pixel(1, 1), src.pixel(0, 0));
    EXPECT_EQ(n.pixel(2, 0), src.pixel(1, 0));
    Image s = stretch(filled(3, 3, {7, 8, 9, 255}), 7, 5, true);
    EXPECT_EQ(s.pixel(6, 4), (Rgba{7, 8, 9, 255}));
}


// A preview computes the part of a large frame it shows: that part must be exactly the
// same pixels as the effect on the whole frame, for every operation, wherever the part
// lies (at an edge, inside, sticking out).
TEST(EffectParts, APartIsThatPartOfTheWholeResult) {
    const Image src = patterned(23, 17);
    struct Case {
        Effect effect;
        void (*set)(EffectParams&);
    };
    const Case cases[] = {
        {Effect::Grayscale, [](EffectParams&) {}},
        {Effect::Colorize, [](EffectParams& p) { p.hue = 200; }},
        {Effect::Brightness, [](EffectParams& p) { p.level = -40; }},
        {Effect::Noise, [](EffectParams& p) { p.level = 60, p.noiseSeed = 99; }},
        {Effect::EraseColour, [](EffectParams& p) { p.key = {40, 80, 120, 255}, p.tolerance = 30; }},
        {Effect::Shift, [](EffectParams& p) { p.shiftX = -7, p.shiftY = 5, p.wrapHorizontally = true; }},
        {Effect::Shift, [](EffectParams& p) { p.shiftX = 4, p.shiftY = -3, p.wrapVertically = true; }},
        {Effect::Mirror, [](EffectParams& p) { p.mirrorHorizontally = p.mirrorVertically = true; }},
        {Effect::Rotate, [](EffectParams& p) { p.angle = 90; }},
        {Effect::Rotate, [](EffectParams& p) { p.angle = 270; }},
        {Effect::Rotate, [](EffectParams& p) { p.angle = 33; }},
        {Effect::Scale, [](EffectParams& p) { p.scaleHorizontal = 170, p.scaleVertical = 60; }},
    };
    const Rect parts[] = {{0, 0, 23, 17}, {3, 2, 9, 6}, {15, 11, 20, 20}, {-4, -2, 8, 5}};
    for (const Case& c : cases) {
        EffectParams params = initialParams(c.effect);
        c.set(params);
        const Image whole = applyEffect(c.effect, src, params);
        for (const Rect& part : parts) {
            const int x0 = std::max(part.x, 0), y0 = std::max(part.y, 0);
            const int x1 = std::min(part.x + part.width, 23), y1 = std::min(part.y + part.height, 17);
            Image expected(x1 - x0, y1 - y0);
            copyInto(expected, whole, -x0, -y0);
            EXPECT_EQ(applyEffectPart(c.effect, src, params, part), expected)
                << int(c.effect) << " at " << part.x << "," << part.y;
        }
    }
}
