#include <gtest/gtest.h>

#include "base/files.h"
#include "image/artwork.h"
#include "image/codecs.h"
#include "project/canvas_pictures.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "scene_fixture.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

// The fixture's scene inside a test studio.
struct WindowFixture : TestStudio {
    Project& p = studio.project;
    SceneEditor e;
    WindowFixture() {
        SceneFixture f;
        p = std::move(f.p);
        e = openSceneEditor(p, studio.root, "room");
        e.tab = SceneTab::Objects;
    }
    const Scene& scene() const { return p.scenes[0]; }
    // A selected instance of the scene, named "i"; returned to be added elsewhere too.
    GameObject addSelectedInstance() {
        GameObject inst;
        inst.name = "i";
        inst.scene = "room";
        inst.selected = 1;
        p.objects.add(inst);
        return inst;
    }
    template <class Change>
    void editScene(Change change) {
        p.scenes.edit(0, change);
    }
};

} // namespace

TEST(SceneDone, NameAndSpeedChecksKeepTheWindowOpenAndCommitNothing) {
    WindowFixture w;
    SceneFields fields = sceneFieldsOf(w.scene());
    fields.name = "";
    fields.speed = "0";
    fields.keywords = "changed";
    EXPECT_FALSE(commitScene(w.p, w.dialogs, w.studio.root, w.e, fields));
    EXPECT_EQ(w.dialogs.shown, (std::vector<Shown>{{"Error", "The scene name is missing"},
                                                   {"Error", "Invalid scene speed value"}}));
    fields.name = "hall";
    fields.speed = "";
    w.dialogs.shown.clear();
    EXPECT_FALSE(commitScene(w.p, w.dialogs, w.studio.root, w.e, fields));
    EXPECT_EQ(w.dialogs.shown, (std::vector<Shown>{{"Error", "The scene name 'hall' already exists"},
                                                   {"Error", "Invalid scene speed value"}}));
    EXPECT_EQ(w.scene().name, "room");
    EXPECT_EQ(w.scene().keywords, "");
    EXPECT_FALSE(w.p.modified());
}

TEST(SceneDone, RenameCarriesToInstancesTilesAndLayersAndClearsSelections) {
    WindowFixture w;
    GameObject inst = w.addSelectedInstance();
    inst.name = "j";
    inst.scene = "hall";
    w.p.objects.add(inst);
    Tile t;
    t.name = "t";
    t.scene = "room";
    t.selected = 1;
    w.p.tiles.add(t);
    Layer l;
    l.name = "l";
    l.scene = "room";
    w.p.layers.add(l);
    w.e.backgroundPicture = solid(2, 2, {});

    SceneFields fields = sceneFieldsOf(w.scene());
    fields.name = "cellar";
    fields.speed = "60";
    fields.viewportwidth = "320";
    fields.viewportobject = "obj";
    fields.keywords = "dark";
    ASSERT_TRUE(commitScene(w.p, w.dialogs, w.studio.root, w.e, fields));
    EXPECT_TRUE(w.dialogs.shown.empty());
    const Scene& s = w.scene();
    EXPECT_EQ(s.name, "cellar");
    EXPECT_EQ(s.speed, 60);
    EXPECT_EQ(s.viewportwidth, 320);
    EXPECT_EQ(s.viewportobject, "obj");
    EXPECT_EQ(s.keywords, "dark");
    EXPECT_EQ(s.gridsize, 20);  // the editor's settings stay with the record
    EXPECT_EQ(w.p.objects[0].scene, "cellar");
    EXPECT_EQ(w.p.objects[1].scene, "hall");
    EXPECT_EQ(w.p.tiles[0].scene, "cellar");
    EXPECT_EQ(w.p.layers[0].scene, "cellar");
    EXPECT_EQ(w.p.objects[0].selected + w.p.objects[1].selected + w.p.tiles[0].selected, 0);
    EXPECT_TRUE(w.p.modified());
    EXPECT_EQ(w.e.scene, "cellar");
    EXPECT_TRUE(w.e.backgroundPicture.empty());
    EXPECT_EQ(s.preview.width(), 150);
    EXPECT_EQ(s.preview.height(), 100);
    EXPECT_FALSE(exists(w.studio.root / "Projects"));  // an unnamed project gets no preview file
}

TEST(SceneDone, NamedProjectGetsItsPreviewScaledToFit) {
    WindowFixture w;
    w.p.name = "game";
    w.editScene([&](auto& r) { r.width = 400; r.height = 100; r.red = 255; r.showgrid = 0; });
    ASSERT_TRUE(commitScene(w.p, w.dialogs, w.studio.root, w.e, sceneFieldsOf(w.scene())));
    Image saved;
    ASSERT_TRUE(loadImage(w.studio.root / "Projects" / "game.png", saved));
    ASSERT_EQ(saved.width(), 240);
    ASSERT_EQ(saved.height(), 240);
    // 400 x 100 fits as 240 x 60, centred.
    EXPECT_EQ(saved.pixel(0, 90), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(saved.pixel(239, 149), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(saved.pixel(120, 89).a, 0);
    EXPECT_EQ(saved.pixel(120, 150).a, 0);
    // The card holds the picture in an 80 x 80 box at (35, 10): 80 x 20, centred.
    const Image& card = w.scene().preview;
    EXPECT_EQ(card.pixel(35, 40), (Rgba{255, 0, 0, 255}));
    EXPECT_NE(card.pixel(35, 39), (Rgba{255, 0, 0, 255}));

    w.p.name = "../escape";  // never a path of its own
    ASSERT_TRUE(commitScene(w.p, w.dialogs, w.studio.root, w.e, sceneFieldsOf(w.scene())));
    EXPECT_TRUE(w.dialogs.anyShown("Error"));
    EXPECT_FALSE(exists(w.studio.root / "escape.png"));
}

TEST(SceneCard, TheCanvasIsCentredInTheCardsBox) {
    SceneFixture f(160, 80);
    f.editScene([&](auto& r) { r.showgrid = 0; });  // a black scene, nothing on it
    const Rgba black{0, 0, 0, 255};
    const Image card = sceneThumbnail(f.p, f.e);
    EXPECT_EQ(card.pixel(35, 30), black);  // 80 x 40 from (35, 30)
    EXPECT_EQ(card.pixel(114, 69), black);
    EXPECT_NE(card.pixel(75, 29), black);
    f.e.scene = "gone";
    EXPECT_EQ(sceneThumbnail(f.p, f.e), emptyCard());
}

TEST(SceneWindow, OpeningLoadsTheBackgroundAndTheFirstLayer) {
    TestStudio t;
    Project& p = t.studio.project;
    p.workingFolder = "_temp_w";
    ensureDirectory(t.folder.path() / "_temp_w");
    ASSERT_TRUE(savePng(solid(3, 2, {1, 2, 3, 255}), t.folder.path() / "_temp_w" / "b.png"));
    Background bg = defaultBackground();
    bg.name = "bg";
    bg.file = "b.png";
    p.backgrounds.add(bg);
    Scene s = defaultScene();
    s.name = "room";
    s.background = "bg";
    p.scenes.add(s);
    Layer l;
    l.name = "l";
    l.scene = "room";
    l.value = 77;
    p.layers.add(l);
    SceneEditor e = openSceneEditor(p, t.studio.root, "room");
    EXPECT_EQ(e.backgroundPicture.width(), 3);
    EXPECT_EQ(e.currentLayer, 77);
    EXPECT_EQ(e.tileImage, "bg");
    chooseBackground(p, e, t.studio.root, "");
    EXPECT_TRUE(e.backgroundPicture.empty());
    EXPECT_EQ(p.scenes[0].background, "");
}

TEST(InstanceProperties, CommitReadsIntegersAndTurnsTheDisplayCopy) {
    SceneFixture f;
    f.addSprite("spr", 0, 0, {solid(6, 2, {9, 9, 9, 255})});
    const size_t i = f.addInstance("inst", "spr", 1, 1);
    EXPECT_FALSE(firstSelectedInstance(f.p, f.e));
    f.p.objects.edit(i, [&](auto& r) { r.selected = 1; });
    ASSERT_EQ(firstSelectedInstance(f.p, f.e), i);
    EXPECT_EQ(instanceDialogTitle(f.p.objects[i]), "Instance properties - inst");
    InstanceFields fields = instanceFieldsOf(f.p.objects[i]);
    fields.x = "  -40";
    fields.y = "abc";
    fields.direction = "90";
    fields.image_angle = "450";
    ASSERT_TRUE(commitInstance(f.p, f.e, i, fields));
    const GameObject& o = f.p.objects[i];
    EXPECT_EQ(o.x, -40);
    EXPECT_EQ(o.y, 0);
    EXPECT_EQ(o.direction, 90);
    EXPECT_EQ(o.displayImage->width(), 2);
    EXPECT_EQ(o.displayImage->height(), 6);
    EXPECT_TRUE(f.p.modified());
    fields.image_angle = "360";
    commitInstance(f.p, f.e, i, fields);
    EXPECT_EQ(o.displayImage, o.canvasImage);
    EXPECT_FALSE(commitInstance(f.p, f.e, 999, fields));
}

TEST(DisplayCopy, RefreshSharesOneFirstFramePerSprite) {
    SceneFixture f;
    f.addSprite("spr", 0, 0, {solid(2, 2, {1, 0, 0, 255}), solid(3, 3, {2, 0, 0, 255})});
    f.addTemplate("obj", "spr", 0);
    const size_t a = f.addInstance("a", "spr", 0, 0), b = f.addInstance("b", "gone", 0, 0);
    f.p.objects.edit(a, [&](auto& r) { r.image_angle = 180; });
    refreshCanvasImages(f.p);
    EXPECT_EQ(f.p.objects[0].canvasImage, f.p.objects[a].canvasImage);
    EXPECT_EQ(f.p.objects[a].canvasImage->width(), 2);
    EXPECT_NE(f.p.objects[a].displayImage, f.p.objects[a].canvasImage);
    EXPECT_FALSE(f.p.objects[b].canvasImage);
}

TEST(SceneWindow, SettingsThatApplyAtOnceMarkTheProjectOnlyWhenStored) {
    WindowFixture w;
    setEditorFlag(w.p, w.e, EditorFlag::Snap, false);
    setEditorFlag(w.p, w.e, EditorFlag::ShowTiles, false);
    EXPECT_EQ(w.scene().snap + w.scene().showtiles + w.scene().showgrid, 1);
    EXPECT_FALSE(w.p.modified());  // the editor's own settings are not saved
    setBackgroundFlag(w.p, w.e, BackgroundFlag::TileVertically, true);
    EXPECT_EQ(w.scene().backgroundtiley, 1);
    EXPECT_TRUE(w.p.modified());

    w.p.clearModified();
    w.editScene([](Scene& s) { s.red = 1; s.green = 2; s.blue = 3; });
    w.dialogs.colours = {std::nullopt, 0x030201 + 0x010101};
    EXPECT_FALSE(chooseSceneColour(w.p, w.e, w.dialogs));  // cancelled
    EXPECT_EQ(w.scene().red, 1);
    EXPECT_FALSE(w.p.modified());
    EXPECT_TRUE(chooseSceneColour(w.p, w.e, w.dialogs));
    EXPECT_EQ(w.dialogs.shown.back(), (Shown{"Colour", std::to_string(0x030201)}));  // opened on the scene colour
    EXPECT_EQ(w.scene().red, 2);
    EXPECT_EQ(w.scene().green, 3);
    EXPECT_EQ(w.scene().blue, 4);
    EXPECT_TRUE(w.p.modified());
}

TEST(SceneDone, BeforeASaveTheWindowStaysWithItsSelectionsAndPicture) {
    WindowFixture w;
    w.addSelectedInstance();
    w.e.backgroundPicture = solid(2, 2, {});
    SceneFields fields = sceneFieldsOf(w.scene());
    fields.keywords = "kept";
    ASSERT_TRUE(commitScene(w.p, w.dialogs, w.studio.root, w.e, fields, false));
    EXPECT_EQ(w.scene().keywords, "kept");
    EXPECT_EQ(w.p.objects[0].selected, 1);
    EXPECT_FALSE(w.e.backgroundPicture.empty());
}

// A scene read from a file gets its card drawn when the panel first asks for it, and
// only then; a new scene has none until its window's Done.
TEST(SceneCard, AReadScenesCardIsDrawnOnceWhenFirstAskedFor) {
    SceneFixture f(100, 100);
    f.editScene([](Scene& s) { s.red = 200; s.showgrid = 0; s.cardPending = true; });
    f.p.scenes.edit(1, [](Scene& s) { s.width = s.height = 50; s.blue = 150; s.showgrid = 0; });
    EXPECT_EQ(sceneCard(f.p, 1, "."), nullptr);
    EXPECT_EQ(sceneCard(f.p, 7, "."), nullptr);
    EXPECT_TRUE(f.p.scenes[0].preview.empty());

    const Image* card = sceneCard(f.p, 0, ".");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->pixel(75, 50), (Rgba{200, 0, 0, 255}));
    f.editScene([](Scene& s) { s.red = 10; });
    EXPECT_EQ(sceneCard(f.p, 0, ".")->pixel(75, 50), (Rgba{200, 0, 0, 255}));  // kept, as Done left it
    EXPECT_TRUE(f.p.scenes[1].preview.empty());
}
