#include <gtest/gtest.h>

#include "scene/scene_canvas.h"
#include "scene/scene_window.h"
#include "scene_fixture.h"
#include "support/fake_ports.h"

using namespace pondaro;

TEST(SceneGeometry, GridCellsRoundDownAndSnapFollowsTheSnapFlag) {
    EXPECT_EQ(gridCell(19, 20, 20), (CellPos{0, 1}));
    EXPECT_EQ(gridCell(-1, -20, 20), (CellPos{-1, -1}));
    EXPECT_EQ(gridCell(-21, 0, 20), (CellPos{-2, 0}));
    Scene s = defaultScene();
    EXPECT_EQ(placePosition(s, 39, -1), (CellPos{20, -20}));
    s.snap = 0;
    EXPECT_EQ(placePosition(s, 39, -1), (CellPos{39, -1}));
    s.snap = 1;
    s.gridsize = 0;  // never accepted by the Size field, but must not divide by zero
    EXPECT_EQ(placePosition(s, 39, 7), (CellPos{39, 7}));
}

TEST(SceneGeometry, OriginAndInclusiveHitBoxOfInstances) {
    SceneFixture f;
    f.addSprite("spr", 4, 2, {solid(10, 6, {255, 0, 0, 255}), solid(3, 12, {0, 255, 0, 255})});
    // Copies: each addInstance may move the table the records live in.
    const GameObject withSprite = f.p.objects[f.addInstance("a", "spr", 50, 50)];
    EXPECT_EQ(instanceOrigin(f.p, withSprite).x, 4);
    // Box of the first frame: (46, 48) to (56, 54), edges included.
    EXPECT_TRUE(instanceHit(f.p, withSprite, 46, 48));
    EXPECT_TRUE(instanceHit(f.p, withSprite, 56, 54));
    EXPECT_FALSE(instanceHit(f.p, withSprite, 57, 54));
    EXPECT_FALSE(instanceHit(f.p, withSprite, 45, 50));
    // The second frame is taller: tried once per frame, so its area hits too.
    EXPECT_TRUE(instanceHit(f.p, withSprite, 47, 60));
    EXPECT_FALSE(instanceHit(f.p, withSprite, 52, 60));

    const GameObject bare = f.p.objects[f.addInstance("b", "", 50, 50)];
    EXPECT_EQ(instanceOrigin(f.p, bare).x, 7);
    EXPECT_TRUE(instanceHit(f.p, bare, 43, 43));
    EXPECT_TRUE(instanceHit(f.p, bare, 58, 58));
    EXPECT_FALSE(instanceHit(f.p, bare, 59, 58));

    GameObject gone = bare;
    gone.sprite = "missing";  // names no sprite: origin (0, 0)
    EXPECT_TRUE(instanceHit(f.p, gone, 50, 50));
    EXPECT_FALSE(instanceHit(f.p, gone, 49, 50));

    // A sprite that lost its frames still hits through the picture the canvas draws.
    GameObject orphan = withSprite;
    f.p.frames.clear();
    EXPECT_TRUE(instanceHit(f.p, orphan, 56, 54));
}

TEST(SceneGeometry, TileEdgesAreNotHit) {
    Tile t;
    t.x = 10;
    t.y = 10;
    t.width = 5;
    t.height = 5;
    EXPECT_FALSE(tileHit(t, 10, 12));
    EXPECT_FALSE(tileHit(t, 15, 12));
    EXPECT_FALSE(tileHit(t, 12, 10));
    EXPECT_TRUE(tileHit(t, 11, 11));
    EXPECT_TRUE(tileHit(t, 14, 14));
}

TEST(CreatingRecords, InstanceTakesTemplateSpriteDepthAndSharedPreview) {
    SceneFixture f;
    f.addSprite("spr", 0, 0, {solid(8, 4, {1, 2, 3, 255})});
    f.addTemplate("obj", "spr", 7);
    chooseObjectToPlace(f.p, f.e, "obj");
    const int before = f.p.counter;
    const size_t i = *createInstance(f.p, f.e, 30, 40);
    const GameObject& o = f.p.objects[i];
    EXPECT_EQ(o.name, "SceneObject" + std::to_string(before + 1));
    EXPECT_EQ(o.prototype, 0);
    EXPECT_EQ(o.templ, "obj");
    EXPECT_EQ(o.sprite, "spr");
    EXPECT_EQ(o.scene, "room");
    EXPECT_EQ(o.depth, 7);
    EXPECT_EQ(o.x, 30);
    EXPECT_EQ(o.y, 40);
    EXPECT_EQ(hitWidth(o), 8);
    EXPECT_EQ(o.canvasImage, f.e.placePreview);
    EXPECT_TRUE(f.p.modified());

    chooseObjectToPlace(f.p, f.e, "nothing");  // no such template: depth 0, no sprite
    const GameObject& bare = f.p.objects[*createInstance(f.p, f.e, 0, 0)];
    EXPECT_EQ(bare.depth, 0);
    EXPECT_EQ(bare.sprite, "");
    EXPECT_EQ(hitWidth(bare), 15);
}

TEST(CreatingRecords, TileNeedsASelectedTileImage) {
    SceneFixture f;
    EXPECT_FALSE(createTile(f.p, f.e, 0, 0));
    f.e.tileImage = "set";
    f.e.currentLayer = 500;
    f.e.tileSelection = {32, 0, 16, 16};
    f.e.selectedTileImage = std::make_shared<const Image>(solid(16, 16, {9, 9, 9, 255}));
    const Tile& t = f.p.tiles[*createTile(f.p, f.e, 5, 6)];
    EXPECT_EQ(t.name.rfind("tile_", 0), 0u);
    EXPECT_EQ(t.background, "set");
    EXPECT_EQ(t.depth, 500);
    EXPECT_EQ(t.left, 32);
    EXPECT_EQ(t.width, 16);
    EXPECT_EQ(t.x, 5);
    EXPECT_EQ(t.scene, "room");
    EXPECT_EQ(t.picture, f.e.tileSetImage);  // shows its part of the tile set, never a copy
}

TEST(PaintSteps, FirstShiftClickInCellZeroAndRepeatsInOneCellPlaceNothing) {
    SceneFixture f;
    f.addTemplate("obj", "", 0);
    chooseObjectToPlace(f.p, f.e, "obj");
    paintStep(f.p, f.e, 5, 5, kShift);  // cell (0, 0) = the last paint cell after opening
    EXPECT_EQ(f.instanceCount(), 0u);
    EXPECT_TRUE(paintStep(f.p, f.e, 25, 5, kShift));
    EXPECT_EQ(f.instanceCount(), 1u);
    paintStep(f.p, f.e, 39, 19, kShift);  // same cell (1, 0)
    EXPECT_EQ(f.instanceCount(), 1u);
    paintStep(f.p, f.e, 45, 5, Modifiers{true, false, true});  // Shift with Ctrl: no paint
    EXPECT_EQ(f.instanceCount(), 1u);
    paintStep(f.p, f.e, 45, 5, kShift);
    EXPECT_EQ(f.instanceCount(), 2u);
    EXPECT_EQ(f.p.objects.records().back().x, 40);  // snapped
    // A click after the press does not place a second one with Shift alone.
    EXPECT_FALSE(leftClick(f.p, f.e, 45, 5, kShift));
    EXPECT_EQ(f.instanceCount(), 2u);
}

TEST(PaintSteps, ShiftDragWithSnapOffPlacesOnceAtTheFirstPointInEachCell) {
    SceneFixture f;
    f.editScene([&](auto& r) { r.snap = 0; });
    f.addTemplate("obj", "", 0);
    chooseObjectToPlace(f.p, f.e, "obj");
    for (int x = 21; x < 40; x += 3) paintStep(f.p, f.e, x, 33, kShift);
    ASSERT_EQ(f.instanceCount(), 1u);
    EXPECT_EQ(f.p.objects.records().back().x, 21);
    EXPECT_EQ(f.p.objects.records().back().y, 33);
}

TEST(PaintSteps, ShiftRemoveErasesOnEveryStepTilesOnlyOnTheCurrentLayer) {
    SceneFixture f;
    f.e.objectAction = ObjectAction::Remove;
    f.addInstance("a", "", 10, 10);
    f.addInstance("b", "", 12, 12);
    f.addInstance("c", "", 100, 100);
    paintStep(f.p, f.e, 10, 10, kNone);  // without Shift: nothing
    EXPECT_EQ(f.instanceCount(), 3u);
    paintStep(f.p, f.e, 10, 10, kShift);
    EXPECT_EQ(f.instanceCount(), 1u);
    // The survivor moved up the table and is still found where it lies.
    f.e.objectAction = ObjectAction::Select;
    leftClick(f.p, f.e, 100, 100, kNone);
    EXPECT_EQ(f.p.objects[0].name, "c");
    EXPECT_EQ(f.p.objects[0].selected, 1);

    f.e.tab = SceneTab::Tiles;
    f.e.tileAction = TileAction::Remove;
    f.e.currentLayer = 100;
    f.addTile("t1", 0, 0, 20, 20, 100);
    f.addTile("t2", 0, 0, 20, 20, 200);
    f.addTile("t3", 40, 40, 20, 20, 100);
    paintStep(f.p, f.e, 5, 5, kShift);
    ASSERT_EQ(f.p.tiles.size(), 2u);
    EXPECT_EQ(f.p.tiles[0].name, "t2");
    paintStep(f.p, f.e, 45, 45, kShift);
    ASSERT_EQ(f.p.tiles.size(), 1u);
    EXPECT_EQ(f.p.tiles[0].name, "t2");
}

TEST(LeftClicks, SelectInvertsEveryHitWithImagesButOnlyTheFirstWithout) {
    SceneFixture f;
    f.e.objectAction = ObjectAction::Select;
    f.addSprite("spr", 0, 0, {solid(10, 10, {255, 0, 0, 255}), solid(10, 10, {0, 255, 0, 255})});
    const size_t a = f.addInstance("a", "spr", 0, 0), b = f.addInstance("b", "spr", 5, 5);
    EXPECT_TRUE(leftClick(f.p, f.e, 7, 7, kNone));
    EXPECT_EQ(f.p.objects[a].selected, 1);  // two frames hit, inverted once
    EXPECT_EQ(f.p.objects[b].selected, 1);
    leftClick(f.p, f.e, 7, 7, kShift);  // select acts on every click, Shift or not
    EXPECT_EQ(f.p.objects[a].selected, 0);

    const size_t c = f.addInstance("c", "", 100, 100), d = f.addInstance("d", "", 102, 102);
    leftClick(f.p, f.e, 104, 104, kNone);
    EXPECT_EQ(f.p.objects[c].selected, 1);
    EXPECT_EQ(f.p.objects[d].selected, 0);
    // The edge of an instance's box is under the pointer: hit.
    leftClick(f.p, f.e, 110, 110, kNone);
    EXPECT_EQ(f.p.objects[d].selected, 1);
}

TEST(LeftClicks, PlaceRemoveAndTileActions) {
    SceneFixture f;
    f.addTemplate("obj", "", 3);
    chooseObjectToPlace(f.p, f.e, "obj");
    EXPECT_TRUE(leftClick(f.p, f.e, 33, 47, kNone));
    EXPECT_EQ(f.p.objects.records().back().x, 20);
    EXPECT_EQ(f.p.objects.records().back().y, 40);
    f.e.objectAction = ObjectAction::Remove;
    EXPECT_TRUE(leftClick(f.p, f.e, 20, 40, kNone));
    EXPECT_EQ(f.instanceCount(), 0u);

    f.e.tab = SceneTab::Tiles;
    f.e.currentLayer = 100;
    const size_t on = f.addTile("on", 0, 0, 20, 20, 100), off = f.addTile("off", 0, 0, 20, 20, 200);
    f.e.tileAction = TileAction::Select;
    leftClick(f.p, f.e, 0, 5, kNone);  // on the tiles' left edge: no hit
    EXPECT_EQ(f.p.tiles[on].selected, 0);
    leftClick(f.p, f.e, 1, 5, kNone);
    EXPECT_EQ(f.p.tiles[on].selected, 1);
    EXPECT_EQ(f.p.tiles[off].selected, 0);
    f.e.tileAction = TileAction::Remove;
    leftClick(f.p, f.e, 1, 5, kNone);
    ASSERT_EQ(f.p.tiles.size(), 1u);
    EXPECT_EQ(f.p.tiles[0].name, "off");
}

TEST(CanvasKeys, EscapeClearsEveryScene) {
    SceneFixture f;
    const size_t here = f.addInstance("a", "", 0, 0), there = f.addInstance("b", "", 0, 0, 0, "hall");
    for (size_t i : {here, there}) f.p.objects.edit(i, [](GameObject& o) { o.selected = 1; });
    const size_t tile = f.addTile("t", 0, 0, 4, 4, 0, {}, "hall");
    f.p.tiles.edit(tile, [&](auto& r) { r.selected = 1; });
    FakeDialogs dialogs;
    EXPECT_TRUE(keyDown(f.p, f.e, dialogs, CanvasKey::Escape));
    EXPECT_EQ(f.p.objects[there].selected, 0);
    EXPECT_EQ(f.p.tiles[tile].selected, 1);  // the Objects tab clears instances only
    f.e.tab = SceneTab::Tiles;
    keyDown(f.p, f.e, dialogs, CanvasKey::Space);
    EXPECT_EQ(f.p.tiles[tile].selected, 0);
    f.e.tab = SceneTab::Settings;
    f.p.objects.edit(here, [&](auto& r) { r.selected = 1; });
    EXPECT_FALSE(keyDown(f.p, f.e, dialogs, CanvasKey::Escape));
    EXPECT_EQ(f.p.objects[here].selected, 1);
}

TEST(CanvasKeys, ArrowsMoveSelectedRecordsOfTheSceneByTheStep) {
    SceneFixture f;
    const size_t a = f.addInstance("a", "", 50, 50), b = f.addInstance("b", "", 50, 50),
                 other = f.addInstance("c", "", 50, 50, 0, "hall");
    for (size_t i : {a, other}) f.p.objects.edit(i, [](GameObject& o) { o.selected = 1; });
    FakeDialogs dialogs;
    keyDown(f.p, f.e, dialogs, CanvasKey::Right);
    keyDown(f.p, f.e, dialogs, CanvasKey::Up);
    EXPECT_EQ(f.p.objects[a].x, 70);
    EXPECT_EQ(f.p.objects[a].y, 30);
    EXPECT_EQ(f.p.objects[b].x, 50);
    EXPECT_EQ(f.p.objects[other].x, 50);
    f.editScene([&](auto& r) { r.snap = 0; });
    keyDown(f.p, f.e, dialogs, CanvasKey::Left);
    EXPECT_EQ(f.p.objects[a].x, 69);
    // The moved instance is found where it went.
    f.e.objectAction = ObjectAction::Remove;
    leftClick(f.p, f.e, 69 - 7, 30 - 7, kNone);
    EXPECT_EQ(f.instanceCount(), 1u);
}

TEST(CanvasKeys, DeleteAsksWithTheCountAndNoKeepsEverything) {
    SceneFixture f;
    for (int i = 0; i < 3; ++i)
        f.p.objects.edit(f.addInstance("i" + std::to_string(i), "", i, i), [&](GameObject& o) { o.selected = i < 2; });
    f.p.objects.edit(f.addInstance("x", "", 0, 0, 0, "hall"), [&](auto& r) { r.selected = 1; });
    FakeDialogs dialogs;
    dialogs.yesNo = {false, true};
    EXPECT_FALSE(keyDown(f.p, f.e, dialogs, CanvasKey::Delete));
    EXPECT_EQ(f.instanceCount(), 3u);
    EXPECT_TRUE(keyDown(f.p, f.e, dialogs, CanvasKey::Delete));
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Delete 2 objects?"}));
    EXPECT_EQ(f.instanceCount(), 1u);
    EXPECT_EQ(f.instanceCount("hall"), 1u);

    f.e.tab = SceneTab::Tiles;
    f.p.tiles.edit(f.addTile("t", 0, 0, 4, 4, 0), [&](auto& r) { r.selected = 1; });
    dialogs.yesNo = {true};
    keyDown(f.p, f.e, dialogs, CanvasKey::Delete);
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Delete 1 tiles?"}));
    EXPECT_TRUE(f.p.tiles.empty());
    keyDown(f.p, f.e, dialogs, CanvasKey::Delete);  // nothing selected: no question
}

TEST(RemovingRecords, ByPositionKeepsRecordsThatShareAName) {
    SceneFixture f;
    f.e.objectAction = ObjectAction::Remove;
    // A file may hold two records of one name; removing one must not take the other.
    f.addInstance("twin", "", 10, 10);
    f.addInstance("twin", "", 150, 150);
    leftClick(f.p, f.e, 10, 10, kNone);
    ASSERT_EQ(f.instanceCount(), 1u);
    EXPECT_EQ(f.p.objects[0].x, 150);  // the twin that was not clicked stays
    EXPECT_EQ(f.p.objects.find("twin"), 0u);
}

TEST(ToolRow, NewAndShiftInTheirTabs) {
    SceneFixture f;
    FakeDialogs dialogs;
    f.addInstance("a", "", 1, 1);
    f.addInstance("b", "", 1, 1, 0, "hall");
    f.e.currentLayer = 100;
    const size_t t1 = f.addTile("t1", 0, 0, 4, 4, 100), t2 = f.addTile("t2", 0, 0, 4, 4, 200);

    EXPECT_EQ(shiftDialogTitle(f.e), "Shift objects");
    EXPECT_TRUE(shiftRecords(f.p, f.e, "10", "-5", false));
    EXPECT_EQ(f.p.objects[0].x, 11);
    EXPECT_EQ(f.p.objects[0].y, -4);
    EXPECT_EQ(f.p.objects[1].x, 1);

    f.e.tab = SceneTab::Tiles;
    EXPECT_EQ(shiftDialogTitle(f.e), "Shift tiles");
    shiftRecords(f.p, f.e, "3", "abc", false);  // text without digits reads as 0
    EXPECT_EQ(f.p.tiles[t1].x, 3);
    EXPECT_EQ(f.p.tiles[t2].x, 0);
    shiftRecords(f.p, f.e, "3", "0", true);
    EXPECT_EQ(f.p.tiles[t1].x, 6);
    EXPECT_EQ(f.p.tiles[t2].x, 3);

    dialogs.yesNo = {true};
    EXPECT_TRUE(clearScene(f.p, f.e, dialogs));
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Delete all tiles in this scene?"}));
    EXPECT_TRUE(f.p.tiles.empty());
    f.e.tab = SceneTab::Objects;
    dialogs.yesNo = {true};
    EXPECT_TRUE(clearScene(f.p, f.e, dialogs));
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Delete all objects in this scene?"}));
    EXPECT_EQ(f.instanceCount(), 0u);
    EXPECT_EQ(f.instanceCount("hall"), 1u);
}

TEST(ToolRow, GridSizeBelowFiveIsRefused) {
    SceneFixture f;
    for (const char* text : {"0", "1", "4", "-7", "", "x"}) {
        EXPECT_FALSE(setGridSize(f.p, f.e, text)) << text;
        EXPECT_EQ(f.scene().gridsize, 20);
    }
    EXPECT_TRUE(setGridSize(f.p, f.e, "5"));
    EXPECT_EQ(f.scene().gridsize, 5);
    EXPECT_TRUE(setGridSize(f.p, f.e, "$10"));
    EXPECT_EQ(f.scene().gridsize, 16);
}

TEST(InstanceList, RowsAndListSelection) {
    SceneFixture f;
    f.addSprite("spr", 0, 0, {solid(2, 2, {})});
    const size_t a = f.addInstance("a", "spr", 3, -4);
    f.addInstance("x", "", 0, 0, 0, "hall");
    const size_t b = f.addInstance("b", "", 5, 6);
    f.p.objects.edit(b, [&](auto& r) { r.selected = 1; });
    ASSERT_EQ(instanceRowCount(f.p, f.e), 2u);
    const InstanceRow first = instanceRowAt(f.p, f.e, 0);
    EXPECT_EQ(first.text, "obj (spr) :3, -4");
    EXPECT_EQ(first.index, a);
    EXPECT_FALSE(first.selected);
    EXPECT_TRUE(instanceRowAt(f.p, f.e, 1).selected);
    EXPECT_EQ(instanceRowAt(f.p, f.e, 2).text, "");  // past the end

    selectInstanceRows(f.p, f.e, {a, 1, 999});  // 1 is in another scene, 999 nothing
    EXPECT_EQ(f.p.objects[a].selected, 1);
    EXPECT_EQ(f.p.objects[b].selected, 0);
    EXPECT_EQ(f.p.objects[1].selected, 0);
}
