#include <gtest/gtest.h>

#include "scene/scene_layers.h"
#include "scene_fixture.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {
void addLayerRecord(Project& p, const std::string& name, int depth, const std::string& scene = "room") {
    Layer l;
    l.name = name;
    l.value = depth;
    l.scene = scene;
    p.layers.add(l);
}
} // namespace

TEST(Layers, AddRefusesADepthTheSceneHasAndKeepsOthersScenesApart) {
    SceneFixture f;
    FakeDialogs dialogs;
    addLayerRecord(f.p, "l1", 100);
    addLayerRecord(f.p, "l2", 300, "hall");
    EXPECT_FALSE(addLayer(f.p, f.e, dialogs, "100"));
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Error", "Depth already exists"}));
    EXPECT_EQ(f.p.layers.size(), 2u);
    EXPECT_EQ(f.e.currentLayer, 0);
    EXPECT_TRUE(addLayer(f.p, f.e, dialogs, "300"));  // another scene's depth is free here
    EXPECT_EQ(layerDepths(f.p, "room"), (std::vector<int>{100, 300}));
    EXPECT_EQ(f.e.currentLayer, 300);
    EXPECT_EQ(f.p.layers.records().back().name.rfind("layer_", 0), 0u);
}

TEST(Layers, DeletingTheLastLayerRecreatesTheDefault) {
    SceneFixture f;
    FakeDialogs dialogs;
    addLayerRecord(f.p, "l1", 100);
    addLayerRecord(f.p, "l1b", 100);
    f.addTile("on", 0, 0, 4, 4, 100);
    f.addTile("elsewhere", 0, 0, 4, 4, 100, {}, "hall");
    f.addTile("other", 0, 0, 4, 4, 5);
    f.e.currentLayer = 100;
    dialogs.yesNo = {false};
    EXPECT_FALSE(deleteLayer(f.p, f.e, dialogs));
    EXPECT_EQ(f.p.layers.size(), 2u);
    dialogs.yesNo = {true};
    EXPECT_TRUE(deleteLayer(f.p, f.e, dialogs));
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Delete this layer and all tiles on this layer?"}));
    EXPECT_EQ(layerDepths(f.p, "room"), (std::vector<int>{1000000}));
    EXPECT_EQ(f.e.currentLayer, 1000000);
    ASSERT_EQ(f.p.tiles.size(), 2u);
    EXPECT_EQ(f.p.tiles[0].name, "elsewhere");
    EXPECT_EQ(f.p.tiles[1].name, "other");
}

TEST(Layers, ChangingOntoAnotherLayersDepthMergesThem) {
    SceneFixture f;
    addLayerRecord(f.p, "a", 100);
    addLayerRecord(f.p, "b", 200);
    addLayerRecord(f.p, "c", 200, "hall");
    f.addTile("ta", 0, 0, 4, 4, 100);
    f.addTile("tb", 0, 0, 4, 4, 200);
    f.addTile("tc", 0, 0, 4, 4, 100, {}, "hall");
    f.e.currentLayer = 100;
    ASSERT_EQ(layerToChange(f.p, f.e), 0u);
    EXPECT_TRUE(changeLayerDepth(f.p, f.e, "200"));
    EXPECT_EQ(layerDepths(f.p, "room"), (std::vector<int>{200}));
    EXPECT_EQ(f.p.layers[0].name, "a");
    EXPECT_EQ(f.p.tiles[0].depth, 200);
    EXPECT_EQ(f.p.tiles[1].depth, 200);
    EXPECT_EQ(f.p.tiles[2].depth, 100);  // another scene's tiles stay
    EXPECT_EQ(layerDepths(f.p, "hall"), (std::vector<int>{200}));

    f.e.currentLayer = 42;  // no layer of that depth: nothing to change
    EXPECT_FALSE(layerToChange(f.p, f.e));
    EXPECT_FALSE(changeLayerDepth(f.p, f.e, "7"));
}

TEST(Layers, AnOpenedSceneWithoutLayersGetsItsDefaultLayerUnmarked) {
    SceneFixture f;
    addLayerRecord(f.p, "l1", 100, "hall");
    EXPECT_TRUE(ensureDefaultLayer(f.p, "room"));
    EXPECT_EQ(layerDepths(f.p, "room"), (std::vector<int>{1000000}));
    EXPECT_FALSE(ensureDefaultLayer(f.p, "room"));
    EXPECT_FALSE(ensureDefaultLayer(f.p, "hall"));
    EXPECT_FALSE(ensureDefaultLayer(f.p, "gone"));
    EXPECT_EQ(f.p.layers.size(), 2u);
    EXPECT_FALSE(f.p.modified());
}
