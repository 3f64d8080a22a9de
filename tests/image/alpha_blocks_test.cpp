#include <gtest/gtest.h>

#include "image/alpha_blocks.h"
#include "image/draw.h"

using namespace pondaro;

TEST(AlphaBlocks, DrawingOnTheCheckerboardByBlocksMatchesDrawingEveryPixel) {
    // 150 wide: two whole blocks and a part one. Rows: opaque, clear, and mixed in the
    // middle block only, so every kind of block meets every other.
    Image picture(150, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 150; ++x) {
            uint8_t a = 255;
            if (y >= 10 && y < 20) a = 0;
            if (y >= 20 && x >= 64 && x < 128) a = uint8_t((x * 37 + y * 11) % 256);
            picture.setPixel(x, y, {uint8_t(x), uint8_t(y * 5), uint8_t(x ^ y), a});
        }
    const AlphaBlocks blocks(picture);
    ASSERT_EQ(blocks.columns(), 3);
    EXPECT_EQ(blocks.kind(0, 0), AlphaBlocks::Kind::Opaque);
    EXPECT_EQ(blocks.kind(2, 15), AlphaBlocks::Kind::Clear);
    EXPECT_EQ(blocks.kind(1, 30), AlphaBlocks::Kind::Mixed);

    // Views inside, across the edges and wholly outside the picture.
    const Rect views[] = {{0, 0, 150, 40}, {37, 5, 80, 30}, {-20, -7, 60, 30}, {120, 30, 70, 25}, {200, 50, 10, 10}};
    for (const Rect& v : views) {
        SCOPED_TRACE(testing::Message() << v.x << "," << v.y << " " << v.width << "x" << v.height);
        Image expected(v.width, v.height);
        drawCheckerboard(expected, v.x, v.y);
        drawOver(expected, picture, -v.x, -v.y);
        Image drawn = Image::unfilled(v.width, v.height);
        drawOnCheckerboard(drawn, picture, blocks, v.x, v.y);
        EXPECT_EQ(drawn, expected);
    }
}
