#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "image/draw.h"
#include "project/canvas_pictures.h"
#include "scene/scene_pictures.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "scene_fixture.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

constexpr Rgba kBack{10, 20, 30, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255},
    kYellow{255, 255, 0, 255};

Rgba xorWith(Rgba c, Rgba x) { return {uint8_t(c.r ^ x.r), uint8_t(c.g ^ x.g), uint8_t(c.b ^ x.b), c.a}; }

struct RenderFixture : SceneFixture {
    RenderFixture(int w, int h) : SceneFixture(w, h) {
        editScene([&](auto& r) { r.red = kBack.r; r.green = kBack.g; r.blue = kBack.b; r.showgrid = 0; });
    }
    Image render() { return renderScene(p, e, {0, 0, scene().width, scene().height}).image; }
};

// A 4 x 3 picture whose pixel (x, y) is (x * 60, y * 100, 7).
Image numbered() {
    Image pic(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) pic.setPixel(x, y, {uint8_t(x * 60), uint8_t(y * 100), 7, 255});
    return pic;
}

} // namespace

TEST(SceneRender, DepthOrderLargestFirstInstancesBeforeTilesTableOrderWithin) {
    RenderFixture f(40, 30);
    f.addSprite("red", 0, 0, {solid(10, 10, kRed)});
    f.addSprite("green", 0, 0, {solid(10, 10, kGreen)});
    f.addSprite("yellow", 0, 0, {solid(4, 4, kYellow)});
    f.addTile("t", 5, 5, 10, 10, 5, kBlue);  // the tile comes first in its table
    f.addInstance("a", "red", 0, 0, 5);
    f.addInstance("b", "green", 8, 8, 1);
    f.addInstance("c", "yellow", 0, 0, 5);
    const Image img = f.render();
    EXPECT_EQ(img.pixel(1, 1), kYellow);   // c after a at one depth
    EXPECT_EQ(img.pixel(6, 6), kBlue);     // the tile after both instances of depth 5
    EXPECT_EQ(img.pixel(9, 9), kGreen);    // depth 1 on top of everything
    EXPECT_EQ(img.pixel(12, 6), kBlue);
    EXPECT_EQ(img.pixel(25, 25), kBack);

    // A record added elsewhere in the program shows at the next redraw.
    f.addInstance("late", "red", 30, 20, 0);
    EXPECT_EQ(f.render().pixel(35, 25), kRed);

    f.editScene([&](auto& r) { r.showobjects = 0; });  // hidden outside the Objects tab ...
    f.e.tab = SceneTab::Settings;
    EXPECT_EQ(f.render().pixel(6, 2), kBack);
    f.e.tab = SceneTab::Objects;  // ... and shown in it
    EXPECT_EQ(f.render().pixel(6, 2), kRed);
}

TEST(SceneRender, BackgroundOnceTiledAndStretched) {
    RenderFixture f(10, 7);
    f.editScene([&](auto& r) { r.background = "bg"; });
    f.e.backgroundPicture = numbered();
    const Image pic = numbered();
    Image img = f.render();
    EXPECT_EQ(img.pixel(3, 2), pic.pixel(3, 2));
    EXPECT_EQ(img.pixel(4, 0), kBack);
    f.editScene([&](auto& r) { r.backgroundtilex = 1; });
    img = f.render();
    EXPECT_EQ(img.pixel(9, 1), pic.pixel(1, 1));
    EXPECT_EQ(img.pixel(5, 4), kBack);
    f.editScene([&](auto& r) { r.backgroundtilex = 0; r.backgroundtiley = 1; });
    img = f.render();
    EXPECT_EQ(img.pixel(1, 4), pic.pixel(1, 1));
    EXPECT_EQ(img.pixel(5, 1), kBack);
    f.editScene([&](auto& r) { r.backgroundtilex = 1; });
    img = f.render();
    EXPECT_EQ(img.pixel(9, 5), pic.pixel(1, 2));
    f.editScene([&](auto& r) { r.backgroundstretch = 1; });  // tiling flags are ignored when stretched
    f.editScene([&](auto& r) { r.width = 8; r.height = 6; });
    img = f.render();
    EXPECT_EQ(img.pixel(7, 5), pic.pixel(3, 2));
    EXPECT_EQ(img.pixel(2, 2), pic.pixel(1, 1));
    f.editScene([&](auto& r) { r.background = ""; });  // no background named: the picture is not drawn
    EXPECT_EQ(f.render().pixel(0, 0), kBack);
}

TEST(SceneRender, SelectionMarksPlaceholderAndStatus) {
    RenderFixture f(60, 40);
    const size_t i = f.addInstance("a", "", 20, 20);
    f.p.objects.edit(i, [&](auto& r) { r.selected = 1; });
    f.p.tiles.edit(f.addTile("t", 40, 0, 10, 10, 0, kBlue), [&](auto& r) { r.selected = 1; });
    constexpr Rgba mark{200, 64, 64, 255};
    const Image img = f.render();
    EXPECT_EQ(img.pixel(20, 20), xorWith(placeholderIcon().pixel(7, 7), mark));
    EXPECT_EQ(img.pixel(27, 14), xorWith(placeholderIcon().pixel(14, 1), mark));
    EXPECT_EQ(img.pixel(28, 14), placeholderIcon().pixel(15, 1));  // the icon is 16 wide, the mark 15
    EXPECT_EQ(img.pixel(45, 5), xorWith(kBlue, mark));
    EXPECT_EQ(sceneStatusText(f.p, f.e), "[obj] x:20 y:20");
    // The last selected instance drawn wins, in view or not.
    f.p.objects.edit(f.addInstance("b", "", 55, 35, -1), [&](auto& r) { r.selected = 1; });
    f.addInstance("c", "", 50, 30, -1);
    EXPECT_EQ(sceneStatusText(f.p, f.e), "[obj] x:55 y:35");
    f.p.objects.editEach([](GameObject& o) { o.selected = 0; });
    EXPECT_EQ(sceneStatusText(f.p, f.e), "");
}

TEST(SceneRender, OtherLayersFadeWhileSelectingOrRemovingTiles) {
    RenderFixture f(30, 10);
    f.editScene([](Scene& s) { s.red = s.green = s.blue = 0; });
    f.addTile("here", 0, 0, 10, 10, 1, kRed);
    f.addTile("there", 10, 0, 10, 10, 2, kRed);
    f.e.tab = SceneTab::Tiles;
    f.e.currentLayer = 1;
    EXPECT_EQ(f.render().pixel(15, 5), kRed);
    f.e.tileAction = TileAction::Select;
    Image img = f.render();
    EXPECT_EQ(img.pixel(5, 5), kRed);
    EXPECT_EQ(img.pixel(15, 5), (Rgba{100, 0, 0, 255}));
    f.e.tileAction = TileAction::Remove;
    EXPECT_EQ(f.render().pixel(15, 5), (Rgba{100, 0, 0, 255}));
}

TEST(SceneRender, GridLinesAreXorAndCancelWhereTheyCross) {
    RenderFixture f(45, 30);
    f.editScene([&](auto& r) { r.showgrid = 1; });
    const Image img = f.render();
    const Rgba inv = xorWith(kBack, {255, 255, 255, 255});
    EXPECT_EQ(img.pixel(0, 5), inv);
    EXPECT_EQ(img.pixel(20, 5), inv);
    EXPECT_EQ(img.pixel(40, 29), inv);
    EXPECT_EQ(img.pixel(5, 20), inv);
    EXPECT_EQ(img.pixel(20, 20), kBack);
    EXPECT_EQ(img.pixel(5, 5), kBack);
    EXPECT_EQ(img.pixel(21, 21), kBack);
}

TEST(SceneRender, PlaceAndTileGhostsUnderThePointer) {
    RenderFixture f(60, 60);
    f.editScene([](Scene& s) { s.red = s.green = s.blue = 0; });
    f.addSprite("spr", 2, 2, {solid(4, 4, kRed)});
    f.addTemplate("obj", "spr", 0);
    chooseObjectToPlace(f.p, f.e, "obj");
    pointerEntered(f.e);
    pointerMoved(f.e, 25, 25);
    Image img = f.render();
    EXPECT_EQ(img.pixel(18, 18), (Rgba{150, 0, 0, 255}));  // snapped to (20, 20) less the origin
    EXPECT_EQ(img.pixel(22, 22), (Rgba{0, 0, 0, 255}));
    pointerMoved(f.e, 0, 25);  // on the canvas edge: no ghost
    EXPECT_EQ(f.render().pixel(18, 18), (Rgba{0, 0, 0, 255}));

    chooseObjectToPlace(f.p, f.e, "");  // no object to place: no ghost at all
    pointerMoved(f.e, 25, 25);
    EXPECT_EQ(f.render().pixel(20, 20), (Rgba{0, 0, 0, 255}));
    f.addTemplate("bare", "", 0);
    chooseObjectToPlace(f.p, f.e, "bare");
    EXPECT_EQ(f.render().pixel(20, 20), blendOver({0, 0, 0, 255}, {255, 255, 255, 150}));

    f.e.tab = SceneTab::Tiles;
    f.e.selectedTileImage = std::make_shared<const Image>(solid(5, 5, kBlue));
    img = f.render();
    EXPECT_EQ(img.pixel(20, 20), (Rgba{0, 0, 200, 255}));
    EXPECT_EQ(img.pixel(25, 20), (Rgba{0, 0, 0, 255}));
    pointerLeft(f.e);
    EXPECT_EQ(f.render().pixel(20, 20), (Rgba{0, 0, 0, 255}));
}

TEST(SceneRender, TurnedDisplayCopyIsCentredOnTheUnturnedPicture) {
    RenderFixture f(20, 20);
    Image pic(4, 2);
    pic.fill(kRed);
    pic.setPixel(3, 0, kGreen);  // top right: after a quarter turn, top left
    f.addSprite("spr", 0, 0, {pic});
    f.p.objects.edit(f.addInstance("a", "spr", 10, 10), [](GameObject& o) {
        o.image_angle = 90;
        rebuildDisplayImage(o);
    });
    const Image img = f.render();
    // 2 x 4 copy of a 4 x 2 picture at (10, 10): shifted by (+1, -1).
    EXPECT_EQ(img.pixel(11, 9), kGreen);
    EXPECT_EQ(img.pixel(12, 12), kRed);
    EXPECT_EQ(img.pixel(10, 10), kBack);
    EXPECT_EQ(img.pixel(13, 10), kBack);
}

TEST(SceneRender, AnyVisibleRectangleMatchesTheSameRegionOfTheWhole) {
    RenderFixture f(70, 50);
    f.editScene([&](auto& r) { r.showgrid = 1; r.gridsize = 7; r.background = "bg"; });
    f.editScene([](Scene& s) { s.backgroundtilex = s.backgroundtiley = 1; });
    f.e.backgroundPicture = numbered();
    f.addSprite("spr", 3, 3, {solid(9, 9, {200, 10, 10, 180})});
    for (int i = 0; i < 12; ++i) f.addInstance("i" + std::to_string(i), i % 3 ? "spr" : "", i * 6, i * 4, i % 4);
    for (int i = 0; i < 8; ++i) f.addTile("t" + std::to_string(i), 60 - i * 8, i * 6, 9, 7, i % 3, {0, 90, 200, 120});
    f.p.objects.edit(3, [](GameObject& o) { o.selected = 1; });
    f.p.tiles.edit(2, [](Tile& t) { t.selected = 1; });
    const Image whole = f.render();
    for (Rect r : {Rect{13, 7, 20, 15}, Rect{0, 0, 1, 1}, Rect{55, 30, 100, 100},
                         Rect{-5, -5, 12, 9}}) {
        const CanvasPicture part = renderScene(f.p, f.e, r);
        for (int y = 0; y < part.image.height(); ++y)
            for (int x = 0; x < part.image.width(); ++x)
                ASSERT_EQ(part.image.pixel(x, y), whole.pixel(part.x + x, part.y + y)) << r.x << "," << r.y;
    }
    const CanvasPicture clipped = renderScene(f.p, f.e, {55, 30, 100, 100});
    EXPECT_EQ(clipped.image.width(), 15);
    EXPECT_EQ(clipped.image.height(), 20);
    EXPECT_TRUE(renderScene(f.p, f.e, {80, 0, 10, 10}).image.empty());
}

TEST(SceneRender, HugeSceneCostsOnlyWhatIsShown) {
    RenderFixture f(20000, 20000);
    f.editScene([&](auto& r) { r.showgrid = 1; });
    f.addSprite("big", 0, 0, {solid(400, 400, kRed)});
    f.addInstance("a", "big", 9800, 9800);
    const CanvasPicture corner = renderScene(f.p, f.e, {19980, 19990, 1024, 768});
    EXPECT_EQ(corner.image.width(), 20);
    EXPECT_EQ(corner.image.height(), 10);
    const CanvasPicture middle = renderScene(f.p, f.e, {9900, 9900, 64, 64});
    EXPECT_EQ(middle.image.pixel(1, 1), kRed);
    // The scaled picture is drawn row by row: the instance shows in its middle.
    f.editScene([&](auto& r) { r.showgrid = 0; });
    const Image small = renderSceneScaled(f.p, f.e, 100, 100);
    EXPECT_EQ(small.pixel(50, 50), kRed);
    EXPECT_EQ(small.pixel(10, 11), kBack);
}

// The canvas keeps an index of where records lie; moves made with the keys keep it in
// step, and changes made anywhere else (another window, a save putting the objects in a
// new order) are seen through the tables' versions.
TEST(SceneRender, RecordsAreDrawnWhereTheyAreAfterMovesHereAndChangesElsewhere) {
    RenderFixture f(1200, 300);
    f.addSprite("spr", 0, 0, {solid(8, 8, kRed)});
    f.addTemplate("obj", "spr", 0);
    const size_t a = f.addInstance("a", "spr", 10, 10);
    f.addTile("t", 10, 100, 8, 8, 0, kBlue);
    f.editScene([](Scene& s) { s.gridsize = 200; });
    auto at = [&](int x, int y) { return renderScene(f.p, f.e, {x, y, 1, 1}).image.pixel(0, 0); };
    ASSERT_EQ(at(12, 12), kRed);  // the index is built here
    FakeDialogs dialogs;
    f.p.objects.edit(a, [](GameObject& o) { o.selected = 1; });
    f.p.tiles.edit(0, [](Tile& t) { t.selected = 1; });
    at(0, 0);  // the index is built again after the selections were made
    f.e.tab = SceneTab::Tiles;
    keyDown(f.p, f.e, dialogs, CanvasKey::Right);
    keyDown(f.p, f.e, dialogs, CanvasKey::Right);
    keyDown(f.p, f.e, dialogs, CanvasKey::Escape);
    f.e.tab = SceneTab::Objects;
    keyDown(f.p, f.e, dialogs, CanvasKey::Right);
    keyDown(f.p, f.e, dialogs, CanvasKey::Right);
    keyDown(f.p, f.e, dialogs, CanvasKey::Escape);
    EXPECT_EQ(at(412, 12), kRed);  // two 256-pixel cells further
    EXPECT_EQ(at(12, 12), kBack);
    EXPECT_EQ(at(412, 102), kBlue);
    // Elsewhere: the objects in a new order, then a position typed in another window.
    f.p.objects.reorder({1, 0});
    EXPECT_EQ(at(412, 12), kRed);
    f.p.objects.edit(f.p.objects.find("a"), [](GameObject& o) { o.x = 1000; });
    EXPECT_EQ(at(1002, 12), kRed);
    EXPECT_EQ(at(412, 12), kBack);
}

// The redraw tick draws only when what the canvas shows may have changed.
TEST(SceneRender, CanvasStateChangesWithTheTablesAndTheGhostOnly) {
    RenderFixture f(200, 100);
    f.addTemplate("obj", "", 0);
    const size_t a = f.addInstance("a", "", 50, 50);
    chooseObjectToPlace(f.p, f.e, "obj");
    pointerEntered(f.e);
    pointerMoved(f.e, 45, 45);
    const CanvasState drawn = canvasState(f.p, f.e);
    EXPECT_EQ(ghostPosition(f.p, f.e), (CellPos{40, 40}));
    struct Case {
        const char* what;
        std::function<void()> change;
        bool redraw;
    };
    const std::vector<Case> cases = {
        {"pointer within the grid cell", [&] { pointerMoved(f.e, 59, 41); }, false},
        {"pointer into the next cell", [&] { pointerMoved(f.e, 61, 41); }, true},
        {"pointer off the canvas", [&] { pointerMoved(f.e, 0, 41); }, true},
        {"no ghost in another action", [&] { f.e.objectAction = ObjectAction::Select; pointerMoved(f.e, 61, 41); }, true},
        {"instance moved elsewhere", [&] { f.p.objects.edit(a, [](GameObject& o) { o.x = 1; }); }, true},
        {"scene colour", [&] { f.editScene([](Scene& s) { s.red = 9; }); }, true},
        {"sprite origin", [&] { Sprite s = defaultSprite(); s.name = "s"; f.p.sprites.add(s); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CanvasState before = canvasState(f.p, f.e);
        c.change();
        EXPECT_EQ(canvasState(f.p, f.e) != before, c.redraw);
    }
    // Without a ghost the pointer may go anywhere.
    const CanvasState still = canvasState(f.p, f.e);
    pointerMoved(f.e, 150, 90);
    EXPECT_EQ(canvasState(f.p, f.e), still);
    EXPECT_NE(still, drawn);
}
