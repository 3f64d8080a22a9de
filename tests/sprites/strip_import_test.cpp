// Image strip import: cutting the sheet into cells and replacing the sprite's frames.
#include <gtest/gtest.h>

#include "image/codecs.h"
#include "image/draw.h"
#include "image/image_test_util.h"
#include "sprites/strip_import.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

// Each w x h cell of the sheet filled with its own colour: red = column, green = row.
Image sheetOf(int columns, int rows, int w, int h) {
    Image img(columns * w, rows * h);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            fillRect(img, c * w, r * h, w, h, {uint8_t(c * 10), uint8_t(r * 10), 50, 255}, ColourMode::Replace);
    return img;
}

StripImport importOf(Image sheet, size_t sprite, const std::string& columns, const std::string& rows) {
    StripImport im;
    im.sprite = sprite;
    im.sheet = std::move(sheet);
    setStripGrid(im, columns, rows);
    return im;
}

} // namespace

TEST(StripCells, RowByRowLeftToRightDroppingTheRest) {
    auto cells = cutStrip(sheetOf(2, 2, 3, 4), 2, 2);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].pixel(0, 0), (Rgba{0, 0, 50, 255}));
    EXPECT_EQ(cells[1].pixel(2, 3), (Rgba{10, 0, 50, 255}));
    EXPECT_EQ(cells[2].pixel(0, 0), (Rgba{0, 10, 50, 255}));
    EXPECT_EQ(cells[3].pixel(0, 0), (Rgba{10, 10, 50, 255}));
    auto odd = cutStrip(Image(100, 50), 3, 1);
    ASSERT_EQ(odd.size(), 3u);
    EXPECT_EQ(odd[0].width(), 33);
    EXPECT_EQ(odd[0].height(), 50);
    // Cells must be at least a pixel and the fields hold at most 256.
    EXPECT_TRUE(cutStrip(Image(4, 4), 5, 1).empty());
    EXPECT_TRUE(cutStrip(Image(400, 4), 257, 1).empty());
    EXPECT_TRUE(cutStrip(Image(4, 4), 0, 1).empty());
    EXPECT_TRUE(cutStrip(Image{}, 1, 1).empty());
}

TEST(StripImport, SheetOfFourColumnsReplacesTheFramesAndResetsTheShape) {
    Project p;
    size_t s = addSprite(p, "hero");
    addSprite(p, "other");
    p.sprites.edit(s, [&](auto& r) { r.centerx = 7; r.centery = 9; r.spritewindow.position = 5; });
    for (int i = 0; i < 10; ++i) addFrame(p, "hero", std::to_string(i), Image(8, 8));
    addFrame(p, "other", "0", Image(8, 8));
    FakeDialogs d;
    ASSERT_TRUE(importStrip(p, d, importOf(sheetOf(4, 1, 64, 64), s, "4", "1")));
    EXPECT_TRUE(d.shown.empty());
    ASSERT_EQ(p.frames.size(), 5u);
    EXPECT_EQ(p.frames[0].sprite, "other");
    for (int k = 0; k < 4; ++k) {
        const Frame& f = p.frames[size_t(k) + 1];
        EXPECT_EQ(f.sprite, "hero");
        EXPECT_EQ(f.file, std::to_string(k));
        EXPECT_EQ(f.image.width(), 64);
        EXPECT_EQ(f.image.height(), 64);
        EXPECT_EQ(f.image.pixel(63, 63), (Rgba{uint8_t(k * 10), 0, 50, 255}));
    }
    const Sprite& sp = p.sprites[s];
    EXPECT_EQ(sp.centerx, 0);
    EXPECT_EQ(sp.centery, 0);
    EXPECT_EQ(sp.collisionradius, 32);
    EXPECT_EQ(sp.collisionleft, 0);
    EXPECT_EQ(sp.collisionright, 64);
    EXPECT_EQ(sp.collisiontop, 0);
    EXPECT_EQ(sp.collisionbottom, 64);
    EXPECT_EQ(sp.spritewindow.position, 0);
    EXPECT_TRUE(p.modified());
}

TEST(StripImport, WindowShowsTheSheetAndTheCellFittedInThePreviewBox) {
    StripImport im = importOf(sheetOf(2, 1, 200, 100), 0, "2", "1");
    im.sheet.setPixel(0, 0, {});  // transparent: the backdrop shows
    const Image sheet = renderStripSheet(im, {0, 0, 500, 5});
    EXPECT_EQ(sheet.pixel(0, 0), kCheckerDark);
    EXPECT_EQ(sheet.pixel(1, 0), (Rgba{0, 0, 50, 255}));
    EXPECT_EQ(sheet.pixel(450, 0), Rgba{});  // beyond the sheet
    // A 200 x 100 cell shown 100 x 50, centred in the 100 x 100 box.
    const Image box = renderStripPreview(im, {100, 100});
    EXPECT_EQ(box.pixel(50, 24), Rgba{});
    EXPECT_EQ(box.pixel(50, 25), (Rgba{0, 0, 50, 255}));
    EXPECT_EQ(box.pixel(50, 74), (Rgba{0, 0, 50, 255}));
    EXPECT_EQ(box.pixel(50, 75), Rgba{});
}

TEST(StripImport, InvalidColumnsOrRowsAreRefusedAndChangeNothing) {
    Project p;
    size_t s = addSprite(p, "hero");
    addFrame(p, "hero", "0", Image(8, 8));
    p.sprites.edit(s, [&](auto& r) { r.collisionright = 8; });
    for (auto [c, r] : {std::pair{"0", "1"}, {"1", "abc"}, {"65", "1"}, {"1", "-2"}}) {
        FakeDialogs d;
        EXPECT_FALSE(importStrip(p, d, importOf(sheetOf(4, 1, 16, 16), s, c, r))) << c << " " << r;
        EXPECT_EQ(d.shown, (std::vector<Shown>{{"Error", "Invalid column or row number"}}));
    }
    ASSERT_EQ(p.frames.size(), 1u);
    EXPECT_EQ(p.sprites[s].collisionright, 8);
}

TEST(StripImport, PreviewRecutsOnlyForUsableValuesAndLoops) {
    StripImport im = importOf(sheetOf(3, 2, 4, 4), 0, "3", "2");
    EXPECT_EQ(im.previewFrames.size(), 6u);
    setStripGrid(im, "0", "2");  // not above 0: the old preview stays
    EXPECT_EQ(im.previewFrames.size(), 6u);
    setStripGrid(im, "2", "");
    EXPECT_EQ(im.previewFrames.size(), 6u);
    setStripGrid(im, "1", "2");
    ASSERT_EQ(im.previewFrames.size(), 2u);
    EXPECT_EQ(advanceStripPreview(im), &im.previewFrames[1]);
    EXPECT_EQ(advanceStripPreview(im), &im.previewFrames[0]);
    EXPECT_EQ(sheetDimensionsText(im), "Dimensions: 12 x 8 pixels");
}

TEST(StripImport, OpeningAFileAndClosingRebuildsTheThumbnail) {
    TempFolder folder;
    ASSERT_TRUE(savePng(sheetOf(2, 1, 10, 20), folder.path() / "sheet.png"));
    writeTestFile(folder.path() / "bad.bmp", "BM broken");
    Project p;
    size_t s = addSprite(p, "hero");
    FakeDialogs d;
    d.files = {"", (folder.path() / "bad.bmp").string(), (folder.path() / "sheet.png").string()};
    EXPECT_FALSE(openStripImport(p, d, s));  // cancelled
    EXPECT_FALSE(openStripImport(p, d, s));  // unreadable: reported
    EXPECT_TRUE(d.anyShown("Error"));
    auto im = openStripImport(p, d, s);
    ASSERT_TRUE(im);
    EXPECT_EQ(d.shown.front().title, "Select an image strip");
    EXPECT_EQ(im->previewFrames.size(), 1u);
    setStripGrid(*im, "2", "1");
    ASSERT_TRUE(importStrip(p, d, *im));
}
