#include <gtest/gtest.h>

#include "base/files.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "scene/scene_render.h"
#include "scene/tile_picker.h"
#include "scene_fixture.h"
#include "support/temp_folder.h"

using namespace pondaro;

namespace {

// A 64 x 48 tile set whose pixel (x, y) is (x, y, 0) and half transparent in the
// first column, saved in the working folder.
struct PickerFixture : SceneFixture {
    TempFolder folder;
    PickerFixture() {
        p.workingFolder = "_temp_work";
        Image pic(64, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) pic.setPixel(x, y, {uint8_t(x), uint8_t(y), 0, uint8_t(x == 0 ? 128 : 255)});
        ensureDirectory(folder.path() / "_temp_work");
        EXPECT_TRUE(savePng(pic, folder.path() / "_temp_work" / "set.png"));
        Background bg = defaultBackground();
        bg.name = "set";
        bg.file = "set.png";
        bg.tile = 1;
        bg.tilewidth = 16;
        bg.tileheight = 16;
        bg.tilexoffset = 2;
        bg.tileyoffset = 1;
        bg.tilexspace = 4;
        bg.tileyspace = 0;
        p.backgrounds.add(bg);
        e.tab = SceneTab::Tiles;
        chooseTileImage(p, e, folder.path(), "set");
    }
    void drag(std::initializer_list<std::pair<int, int>> points, Modifiers m = {}) {
        for (auto [x, y] : points) tilePickerEvent(p, e, folder.path(), x, y, true, m);
        tilePickerEvent(p, e, folder.path(), 0, 0, false, {});
    }
};

} // namespace

TEST(TilePicker, ChoosingLoadsThePictureAndDropsTheSelection) {
    PickerFixture f;
    EXPECT_EQ(f.e.pickerWidth, 64);
    EXPECT_EQ(f.e.pickerHeight, 48);
    f.drag({{5, 5}});
    EXPECT_TRUE(f.e.selectedTileImage);
    f.p.backgrounds.edit(0, [&](auto& r) { r.file = ""; });
    chooseTileImage(f.p, f.e, f.folder.path(), "set");
    EXPECT_EQ(f.e.pickerWidth, 0);
    EXPECT_FALSE(f.e.selectedTileImage);
    EXPECT_EQ(f.e.tileSelection, TileSelection{});
}

TEST(TilePicker, TileSetCellsWithOffsetAndSpacing) {
    PickerFixture f;
    f.e.tileAction = TileAction::Select;
    // Cells 20 wide from x = 2: start in the first cell, end in the second.
    f.drag({{5, 5}, {25, 20}});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{2, 1, 36, 32}));
    EXPECT_EQ(f.e.tileAction, TileAction::Place);
    ASSERT_TRUE(f.e.selectedTileImage);
    EXPECT_EQ(f.e.selectedTileImage->width(), 36);
    EXPECT_EQ(f.e.selectedTileImage->pixel(0, 0), (Rgba{2, 1, 0, 255}));
    // Dragging back before the start keeps the size the drag had.
    f.drag({{25, 5}, {3, 3}});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{22, 1, 16, 16}));
    // At the x offset: the selection and its pixels go.
    f.drag({{2, 5}});
    EXPECT_EQ(f.e.tileSelection, TileSelection{});
    EXPECT_FALSE(f.e.selectedTileImage);
}

TEST(TilePicker, AltIsFreeCtrlFollowsTheSceneGridOthersTakeTheWholePicture) {
    PickerFixture f;
    f.drag({{3, 4}, {10, 9}}, Modifiers{false, true, false});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{3, 4, 7, 5}));
    f.drag({{10, 9}, {3, 4}}, Modifiers{false, true, false});  // up and left: 1 x 1
    EXPECT_EQ(f.e.tileSelection, (TileSelection{10, 9, 1, 1}));
    f.editScene([&](auto& r) { r.gridsize = 10; });
    f.drag({{3, 4}, {25, 12}}, Modifiers{false, false, true});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{0, 0, 30, 20}));
    f.p.backgrounds.edit(0, [&](auto& r) { r.tile = 0; });
    f.drag({{30, 30}});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{0, 0, 64, 48}));
}

TEST(TilePicker, SelectionKeepsTheSetsAlphaAndThePreviewShowsTheCheckerboard) {
    PickerFixture f;
    f.drag({{0, 0}, {4, 4}}, Modifiers{false, true, false});
    ASSERT_TRUE(f.e.selectedTileImage);
    // The tile carries the set's own pixels, as the project reader cuts them.
    EXPECT_EQ(f.e.selectedTileImage->pixel(0, 0), (Rgba{0, 0, 0, 128}));
    const Image preview = selectedTilePreview(f.e);
    EXPECT_EQ(preview.width(), 100);
    EXPECT_EQ(preview.pixel(0, 0), blendOver(kCheckerDark, {0, 0, 0, 128}));
}

TEST(TilePicker, BadTileSetsAndMissingPicturesAreHarmless) {
    PickerFixture f;
    // Cells of no size.
    f.p.backgrounds.edit(0, [](Background& bg) { bg.tilewidth = bg.tilexspace = bg.tileheight = bg.tileyspace = 0; });
    f.drag({{5, 5}, {9, 9}});
    EXPECT_EQ(f.e.tileSelection, (TileSelection{5, 5, 4, 4}));
    // The first event of a drag reloads: nothing there.
    f.p.backgrounds.edit(0, [](Background& bg) {
        bg.tilewidth = bg.tileheight = 16;
        bg.file = "gone.png";
    });
    f.drag({{5, 5}});
    EXPECT_FALSE(f.e.selectedTileImage);
    EXPECT_EQ(selectedTilePreview(f.e).pixel(50, 50), (Rgba{0, 0, 0, 255}));
    EXPECT_FALSE(createTile(f.p, f.e, 0, 0));
    f.e.tileImage = "";  // no tile image chosen: events do nothing
    tilePickerEvent(f.p, f.e, f.folder.path(), 5, 5, true, {});
    EXPECT_FALSE(f.e.dragStart);
}

TEST(TilePicker, OutlineInvertsEachPixelOnce) {
    PickerFixture f;
    f.drag({{4, 4}, {8, 7}}, Modifiers{false, true, false});  // (4, 4) 4 x 3
    const auto pic = renderTilePicker(f.e, {0, 0, 640, 480});
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->image.width(), 64);  // clipped to the picker canvas
    auto inverted = [](Rgba c) { return Rgba{uint8_t(c.r ^ 255), uint8_t(c.g ^ 255), uint8_t(c.b ^ 255), c.a}; };
    const Rgba corner{4, 4, 0, 255}, opposite{8, 7, 0, 255}, inside{6, 5, 0, 255};
    EXPECT_EQ(pic->image.pixel(4, 4), inverted(corner));
    EXPECT_EQ(pic->image.pixel(8, 7), inverted(opposite));
    EXPECT_EQ(pic->image.pixel(4, 6), inverted(Rgba{4, 6, 0, 255}));
    EXPECT_EQ(pic->image.pixel(6, 5), inside);
    // The half-transparent first column shows the checkerboard through it.
    EXPECT_EQ(pic->image.pixel(0, 20), blendOver(kCheckerLight, {0, 20, 0, 128}));
    // Without a selection the picture shows alone; without a picture there is nothing.
    f.e.tileSelection = {};
    EXPECT_EQ(renderTilePicker(f.e, {0, 0, 64, 48})->image.pixel(4, 4), corner);
    f.e.tileSetImage = std::make_shared<const Image>();
    EXPECT_FALSE(renderTilePicker(f.e, {0, 0, 64, 48}));
}
