#include <gtest/gtest.h>

#include "base/files.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/thumbnail_cards.h"
#include "project/canvas_pictures.h"
#include "resources/background_window.h"
#include "support/fake_ports.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

Image filled(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

// What a tile shows at a point of it.
Rgba tilePixel(const Tile& t, int x, int y) {
    Image shown(t.width, t.height);
    drawTile(shown, t, 0, 0);
    return shown.pixel(x, y);
}

// A background "tiles" of a 64 x 64 red picture, with tiles cut from it in a scene.
struct BackgroundWindow : testing::Test {
    void SetUp() override {
        p().workingFolder = "_temp_123456";
        fs::create_directories(s.folder.path() / p().workingFolder);
        Background b;
        b.name = "tiles";
        b.file = "red.png";
        b.picture = red;
        p().backgrounds.add(b);
        Scene scene;
        scene.name = "level";
        scene.background = "tiles";
        p().scenes.add(scene);
        // left, top: inside; starting inside and reaching past 32; beyond 32 across; beyond 32 down.
        const int cells[][2] = {{0, 0}, {16, 16}, {40, 0}, {0, 33}};
        for (auto [left, top] : cells) addTile("tiles", left, top);
        addTile("other", 40, 0);
        draft = backgroundDraft(p(), s.folder.path(), p().backgrounds[0]);
    }
    void addTile(const std::string& background, int left, int top) {
        Tile t;
        t.name = "tile_" + std::to_string(p().tiles.size());
        t.background = background;
        t.scene = "level";
        t.left = left, t.top = top, t.width = t.height = 24;
        t.picture = red;
        p().tiles.add(t);
    }
    Background typed(const std::string& name) {
        Background b = p().backgrounds[0];
        b.name = name;
        b.tile = 1;
        b.tilewidth = 24;
        return b;
    }
    std::string bluePicture() {
        const fs::path path = s.folder.path() / "in" / "blue.png";
        fs::create_directories(path.parent_path());
        EXPECT_TRUE(savePng(filled(32, 32, kBlue), path));
        return path.string();
    }
    Project& p() { return s.studio.project; }

    TestStudio s;
    std::shared_ptr<const Image> red = std::make_shared<const Image>(filled(64, 64, kRed));
    BackgroundDraft draft;
};

} // namespace

TEST_F(BackgroundWindow, ASmallerPictureTakesEffectOnlyAtDoneRemovingTheTilesBeyondItAndRecuttingTheRest) {
    s.dialogs.files = {bluePicture()};
    ASSERT_TRUE(selectBackgroundImage(draft, s.dialogs));
    EXPECT_EQ(fileLabel(draft), "File: blue.png");
    EXPECT_EQ(previewCanvasSize(draft.picture), (Size{32, 32}));
    // Chosen, not committed: the project is as it was (the close box drops the draft).
    EXPECT_EQ(p().tiles.size(), 5u);
    EXPECT_EQ(p().backgrounds[0].file, "red.png");
    EXPECT_EQ(tilePixel(p().tiles[0], 0, 0), kRed);
    EXPECT_FALSE(fs::exists(s.folder.path() / p().workingFolder / "blue.png"));

    ASSERT_TRUE(applyBackgroundWindow(p(), s.dialogs, s.folder.path(), "tiles", typed("sky"), draft));
    const Background& b = p().backgrounds[0];
    EXPECT_EQ(b.name, "sky");
    EXPECT_EQ(b.file, "blue.png");
    EXPECT_EQ(b.tile, 1);
    EXPECT_EQ(b.tilewidth, 24);
    ASSERT_TRUE(b.picture);
    EXPECT_EQ(*b.picture, filled(32, 32, kBlue));
    EXPECT_EQ(b.preview, thumbnailCard(*b.picture));
    EXPECT_TRUE(p().modified());
    EXPECT_TRUE(isRegularFile(s.folder.path() / p().workingFolder / "blue.png"));
    EXPECT_EQ(p().scenes[0].background, "sky");
    // Left 40 and top 33 lie beyond 32 and go; the others show the new picture, a tile
    // reaching past its edge transparent there.
    ASSERT_EQ(p().tiles.size(), 3u);
    EXPECT_EQ(p().tiles[0].background, "sky");
    EXPECT_EQ(tilePixel(p().tiles[0], 23, 23), kBlue);
    EXPECT_EQ(p().tiles[1].left, 16);
    EXPECT_EQ(tilePixel(p().tiles[1], 15, 15), kBlue);
    EXPECT_EQ(tilePixel(p().tiles[1], 16, 16), (Rgba{}));
    EXPECT_EQ(p().tiles[2].background, "other");
    EXPECT_EQ(tilePixel(p().tiles[2], 0, 0), kRed);

    // Committed once: a second commit (Save with the window open) changes nothing more.
    p().removeByName(ResourceKind::Tile, "tile_0");
    ASSERT_TRUE(applyBackgroundWindow(p(), s.dialogs, s.folder.path(), "sky", typed("sky"), draft));
    EXPECT_EQ(p().tiles.size(), 2u);
    EXPECT_EQ(s.dialogs.shown.size(), 1u);  // the file dialog, and nothing refused
}

TEST_F(BackgroundWindow, AFileThatIsNoPictureIsRefusedAndTheWindowKeepsWhatItHad) {
    writeTestFile(s.folder.path() / "notes.png", "not a picture");
    writeTestFile(s.folder.path() / "empty.png", "");
    s.dialogs.files = {(s.folder.path() / "notes.png").string(), (s.folder.path() / "empty.png").string()};
    EXPECT_FALSE(selectBackgroundImage(draft, s.dialogs));
    EXPECT_FALSE(selectBackgroundImage(draft, s.dialogs));
    ASSERT_EQ(s.dialogs.shown.size(), 4u);
    EXPECT_EQ(s.dialogs.shown[0], (Shown{"Select an image", ""}));
    EXPECT_EQ(s.dialogs.shown[1].title, "Error");
    EXPECT_NE(s.dialogs.shown[1].text.find("notes.png"), std::string::npos);
    EXPECT_EQ(s.dialogs.shown[3].title, "Error");
    EXPECT_EQ(draft.file, "red.png");
    EXPECT_EQ(draft.chosen, "");
    EXPECT_EQ(previewCanvasSize(draft.picture), (Size{64, 64}));
}

// The grid as literally described: every cell of the whole canvas, drawn by XOR.
Image literalGrid(const Image& picture, const TileGrid& g) {
    Image canvas(picture.width(), picture.height());
    drawCheckerboard(canvas);
    drawOver(canvas, picture, 0, 0);
    const int columns = g.width > 0 ? picture.width() / g.width : 0;
    const int rows = g.height > 0 ? picture.height() / g.height : 0;
    const Rgba white{255, 255, 255, 255};
    for (int i = 0; i <= columns; ++i)
        for (int j = 0; j <= rows; ++j) {
            const int x = g.xoffset + i * (g.width + g.xspace), y = g.yoffset + j * (g.height + g.yspace);
            xorFillRect(canvas, x, y, g.width, 1, white);
            xorFillRect(canvas, x, y, 1, g.height, white);
            xorFillRect(canvas, x, y + g.height - 1, g.width, 1, white);
            xorFillRect(canvas, x + g.width - 1, y + 1, 1, g.height, white);
        }
    return canvas;
}

TEST(BackgroundPreview, TheViewShowsThePictureAndTheCellsAsDrawingEveryCellWould) {
    Image picture(100, 70);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x) picture.setPixel(x, y, {uint8_t(x * 2), uint8_t(y * 3), 90, uint8_t(x < 50 ? 255 : 100)});
    const PreviewPicture shown = PreviewPicture::of(std::make_shared<const Image>(picture));
    const TileGrid grids[] = {
        {16, 16, 0, 0, 0, 0},    // cells side by side
        {10, 12, 3, 5, 2, 4},    // offsets and spaces
        {20, 20, 4, 4, -20, 0},  // no space left across: every column on one place, drawn 6 times
        {20, 20, 4, 4, -19, 0},  // across in steps of one pixel
        {25, 20, 50, 0, -40, -30},  // columns and rows going back
        {0, 10, 7, 0, 0, 0},     // no width: no columns
        {9, 0, 0, 0, 0, 0},      // no height
    };
    const Rect views[] = {{0, 0, 100, 70}, {13, 9, 40, 30}, {60, 40, 40, 30}};
    for (const TileGrid& g : grids) {
        const Image literal = literalGrid(picture, g);
        for (const Rect& v : views) {
            SCOPED_TRACE(testing::Message() << "grid " << g.width << "," << g.height << "," << g.xoffset << ","
                                            << g.yoffset << "," << g.xspace << "," << g.yspace << " view " << v.x << ","
                                            << v.y);
            Image expected(v.width, v.height);
            copyInto(expected, literal, -v.x, -v.y);
            EXPECT_EQ(renderBackgroundPreview(shown, g, v), expected);
        }
    }
    // Without "Use as tile set" the picture alone; past the picture's edge nothing.
    Image plain(40, 30);
    drawCheckerboard(plain, 80, 50);
    drawOver(plain, picture, -80, -50);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (x >= 20 || y >= 20) plain.setPixel(x, y, {});
    EXPECT_EQ(renderBackgroundPreview(shown, std::nullopt, {80, 50, 40, 30}), plain);
    EXPECT_EQ(renderBackgroundPreview(PreviewPicture{}, TileGrid{16, 16, 0, 0, 0, 0}, {0, 0, 5, 5}), Image(5, 5));
}
