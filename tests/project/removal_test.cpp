// Deleting a record by its "Delete": the question of its kind, what goes with it, and
// the modified flag.
#include <gtest/gtest.h>

#include <memory>

#include "image/image_test_util.h"
#include "project/removal.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

template <class Record>
Record named(const std::string& name) {
    Record r;
    r.name = name;
    return r;
}

// One record of every kind named "x", with something hanging on each that may go.
Project everyKind() {
    Project p;
    addSprite(p, "x");
    addFrame(p, "x", "0", filled(2, 2, {1, 2, 3, 255}));
    p.points.push_back({"x", 1, 1});
    p.sounds.add(named<Sound>("x"));
    p.musics.add(named<Music>("x"));
    p.fonts.add(named<Font>("x"));
    p.fns.add(named<GameFunction>("x"));
    p.backgrounds.add(named<Background>("x"));
    Scene scene = named<Scene>("x");
    scene.background = "x";
    p.scenes.add(scene);
    p.scenes.add(named<Scene>("other"));
    Tile tile = named<Tile>("t");
    tile.background = "x";
    tile.scene = "other";
    p.tiles.add(tile);
    GameObject templ = named<GameObject>("x");
    templ.prototype = 1;
    templ.sprite = "x";
    templ.canvasImage = std::make_shared<const Image>(filled(2, 2, {1, 2, 3, 255}));
    p.objects.add(templ);
    GameObject instance = named<GameObject>("i");
    instance.templ = "x";
    instance.scene = "other";
    p.objects.add(instance);
    Script handler = named<Script>("s");
    handler.object = "x";
    p.scripts.add(handler);
    p.clearModified();
    return p;
}

} // namespace

TEST(DeleteRecord, EachKindAsksItsQuestionAndOnYesGoesWithWhatHangsOnIt) {
    struct Case {
        ResourceKind kind;
        const char* question;
    };
    const Case cases[] = {
        {ResourceKind::Sprite, "Do you really want to delete this sprite?"},
        {ResourceKind::Sound, "Do you really want to delete this sound?"},
        {ResourceKind::Music, "Do you really want to delete this music?"},
        {ResourceKind::Background, "Do you really want to delete this background?"},
        {ResourceKind::Font, "Do you really want to delete this font?"},
        {ResourceKind::Object, "Do you really want to delete this object?"},
        {ResourceKind::Scene, "Do you really want to delete this scene?"},
        {ResourceKind::Function, "Do you really want to delete this function?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        Project p = everyKind();
        FakeDialogs d;
        d.yesNo = {false, true};
        EXPECT_FALSE(deleteRecord(p, d, c.kind, "x"));
        EXPECT_TRUE(p.nameTaken(c.kind, "x"));
        EXPECT_FALSE(p.modified());
        EXPECT_TRUE(deleteRecord(p, d, c.kind, "x"));
        EXPECT_EQ(d.shown, (std::vector<Shown>{{"Confirm", c.question}, {"Confirm", c.question}}));
        EXPECT_FALSE(p.nameTaken(c.kind, "x"));
        // Sounds and musics too: a removal is a change to save.
        EXPECT_TRUE(p.modified());
        // Gone: nothing is asked again.
        EXPECT_FALSE(deleteRecord(p, d, c.kind, "x"));
        EXPECT_EQ(d.shown.size(), 2u);

        switch (c.kind) {
        case ResourceKind::Sprite:
            EXPECT_TRUE(p.frames.empty());
            EXPECT_TRUE(p.points.empty());
            EXPECT_EQ(p.objects[0].sprite, "");
            EXPECT_EQ(p.objects[0].canvasImage, nullptr);
            break;
        case ResourceKind::Background:
            EXPECT_EQ(p.scenes[0].background, "");
            EXPECT_TRUE(p.tiles.empty());
            break;
        case ResourceKind::Object:
            EXPECT_TRUE(p.objects.empty());
            EXPECT_TRUE(p.scripts.empty());
            break;
        case ResourceKind::Scene:
            // The instance and tile live in the other scene and stay.
            EXPECT_EQ(p.objects.size(), 2u);
            EXPECT_EQ(p.tiles.size(), 1u);
            break;
        default:
            EXPECT_EQ(p.objects.size(), 2u);
            EXPECT_EQ(p.frames.size(), 1u);
            break;
        }
    }
}
