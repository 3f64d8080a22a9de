#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "image/draw.h"
#include "image/pixel_planes.h"
#include "image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

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

TEST(DrawOverGround, GivesWhatFillingAndDrawingOverGiveInOnePass) {
    // Opaque runs, transparent pixels and a half-transparent one, placed so that the
    // first column is clipped away.
    Image src(5, 1);
    const Rgba pixels[] = {{9, 9, 9, 255}, {1, 2, 3, 255}, {4, 5, 6, 255}, {7, 8, 9, 0}, {255, 255, 255, 128}};
    for (int x = 0; x < 5; ++x) src.setPixel(x, 0, pixels[x]);
    const Rgba ground{0, 0, 100, 40};  // its alpha counts as opaque
    Image expected(6, 2);
    expected.fill({50, 50, 50, 255});
    fillRect(expected, 0, 0, 4, 1, {0, 0, 100, 255});
    drawOver(expected, src, -1, 0);
    Image dst(6, 2);
    dst.fill({50, 50, 50, 255});
    drawOverGround(dst, src, -1, 0, ground);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.pixel(x, 0), expected.pixel(x, 0)) << x;
    EXPECT_EQ(dst.pixel(2, 0), (Rgba{0, 0, 100, 255}));
    EXPECT_EQ(dst.pixel(4, 1), (Rgba{50, 50, 50, 255}));  // below the source: untouched
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

// The windows take a picture as a colour plane and an alpha plane; the split works
// several pixels at a time, so every count of pixels left over is checked.
TEST(PixelPlanes, SplitKeepsEveryByteAndTellsAnOpaquePicture) {
    for (int width = 1; width <= 9; ++width) {
        const Image img = patterned(width, 3);
        std::vector<uint8_t> rgb(size_t(width) * 3 * 3), alpha(size_t(width) * 3);
        const bool opaque = splitRgbAlpha(img, rgb.data(), alpha.data());
        bool anyTranslucent = false;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const size_t i = size_t(y) * size_t(width) + size_t(x);
                const Rgba c = img.pixel(x, y);
                EXPECT_EQ((Rgba{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2], alpha[i]}), c) << width;
                anyTranslucent |= c.a != 255;
            }
        EXPECT_EQ(opaque, !anyTranslucent) << width;
    }
    EXPECT_TRUE(splitRgbAlpha(filled(5, 1, {1, 2, 3, 255}), std::vector<uint8_t>(15).data(), nullptr));
}

// Rows over opaque pixels take several pixels at a time (and the colour rows write
// past each group, the next group writing over it): every alpha and channel value over
// opaque pixels of every kind must come out as blendOver gives it, for row lengths that
// leave every count over, and not a byte may land beyond the row.
TEST(OverOpaqueRow, EachPixelAsBlendOverAndNothingBeyondTheRow) {
    std::vector<Rgba> src, under;
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c < 256; ++c) {
            src.push_back({uint8_t(c), uint8_t(255 - c), uint8_t(c * 7), uint8_t(a)});
            under.push_back({uint8_t(c * 3), uint8_t(a), uint8_t(c ^ a), 255});
        }
    const uint8_t* s = &src[0].r;
    const uint8_t* u = &under[0].r;
    std::vector<uint8_t> rgba(src.size() * 4), rgb(src.size() * 3);
    overOpaqueRow(rgba.data(), u, s, src.size());
    overOpaqueRowRgb(rgb.data(), u, s, src.size());
    for (size_t i = 0; i < src.size(); ++i) {
        const Rgba want = blendOver(under[i], src[i]);
        ASSERT_EQ((Rgba{rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]}), want) << i;
        ASSERT_EQ((Rgba{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2], 255}), want) << i;
    }
    for (size_t n = 1; n <= 40; ++n) {
        const size_t from = 1000 + n * 37;  // some pixels half transparent, some clear
        std::vector<uint8_t> row(n * 3 + 16, 0xab);
        overOpaqueRowRgb(row.data(), u + from * 4, s + from * 4, n);
        for (size_t i = 0; i < n; ++i) {
            const Rgba want = blendOver(under[from + i], src[from + i]);
            ASSERT_EQ((Rgba{row[i * 3], row[i * 3 + 1], row[i * 3 + 2], 255}), want) << n << ": " << i;
        }
        for (size_t k = n * 3; k < row.size(); ++k) ASSERT_EQ(row[k], 0xab) << n << ": byte " << k;
    }
}

// The straight-alpha mix worked out in floating point, rounded to the nearest: what
// every picture of the editors has been drawn with, kept pixel for pixel.
static Rgba floatOver(Rgba d, Rgba s) {
    if (s.a == 255) return s;
    if (s.a == 0) return d.a == 0 ? Rgba{} : d;
    if (d.a == 0) return s;
    const float sa = s.a / 255.0f, da = d.a / 255.0f, outA = sa + da * (1.0f - sa);
    auto mix = [&](uint8_t sc, uint8_t dc) { return uint8_t(std::lround((sc * sa + dc * da * (1.0f - sa)) / outA)); };
    return {mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), uint8_t(std::lround(outA * 255.0f))};
}

TEST(BlendOver, MatchesTheFloatingPointMixForEveryPairOverOpaqueAndSampledOthers) {
    int differ = 0;
    for (int a = 1; a < 255; ++a)
        for (int sc = 0; sc < 256; ++sc)
            for (int dc = 0; dc < 256; ++dc) {
                const Rgba d{uint8_t(dc), uint8_t(255 - dc), uint8_t(dc ^ sc), 255};
                const Rgba s{uint8_t(sc), uint8_t(sc), uint8_t(255 - sc), uint8_t(a)};
                if (blendOver(d, s) != floatOver(d, s) && ++differ < 5) ADD_FAILURE() << a << " " << sc << " " << dc;
            }
    for (uint32_t k = 1, seed = 12345; k < 2000000; ++k) {
        seed = seed * 1664525u + 1013904223u;
        const Rgba d{uint8_t(seed), uint8_t(seed >> 8), uint8_t(seed >> 16), uint8_t(seed >> 24)};
        const Rgba s{uint8_t(seed >> 4), uint8_t(seed >> 12), uint8_t(seed >> 20), uint8_t(k)};
        if (blendOver(d, s) != floatOver(d, s) && ++differ < 5) ADD_FAILURE() << "sampled " << k;
    }
    EXPECT_EQ(differ, 0);
}

TEST(DrawOver, RowsOfRunsGiveWhatBlendingEachPixelGives) {
    // Runs of every length from 1 to 9 of opaque, clear and half-transparent pixels,
    // over an opaque, a half-transparent and a clear destination, and over a ground.
    Image src(180, 1);
    for (int x = 0, len = 1, kind = 0; x < 180; ++len, kind = (kind + 1) % 3)
        for (int k = 0; k < len % 10 && x < 180; ++k, ++x)
            src.setPixel(x, 0, {uint8_t(x), uint8_t(3 * x), uint8_t(7 * x), uint8_t(kind == 0 ? 255 : kind == 1 ? 0 : 90 + x % 7)});
    for (const uint8_t under : {255, 128, 0}) {
        Image dst(181, 1), want(181, 1);
        for (int x = 0; x < 181; ++x) dst.setPixel(x, 0, {uint8_t(200 - x), uint8_t(x), 50, under});
        want = dst;
        drawOver(dst, src, 1, 0);
        for (int x = 0; x < 180; ++x) {
            const Rgba s = src.pixel(x, 0), d = want.pixel(x + 1, 0);
            want.setPixel(x + 1, 0, s.a == 0 ? d : blendOver(d, s));
        }
        EXPECT_EQ(dst, want) << int(under);
        const Rgba ground{9, 99, 199, 255};
        drawOverGround(dst, src, 1, 0, ground);
        for (int x = 0; x < 180; ++x) want.setPixel(x + 1, 0, blendOver(ground, src.pixel(x, 0)));
        EXPECT_EQ(dst, want) << int(under);
    }
}
