// The object window's rules: the event list, the boxes, handlers added and deleted,
// Done, and the sprite icons kept between fills.
#include <gtest/gtest.h>

#include <memory>

#include "image/image_test_util.h"
#include "resources/object_window.h"
#include "resources/sprite_icons.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

GameObject templ(const std::string& name, const std::string& sprite = "") {
    GameObject o;
    o.prototype = 1;
    o.name = name;
    o.sprite = sprite;
    return o;
}

GameObject instance(const std::string& name, const std::string& of, const std::string& scene, int angle = 0) {
    GameObject o;
    o.name = name;
    o.templ = of;
    o.scene = scene;
    o.image_angle = angle;
    return o;
}

size_t addScript(Project& p, const std::string& name, const std::string& object, const std::string& event,
                 const std::string& parameter = "") {
    Script s;
    s.name = name;
    s.object = object;
    s.event = event;
    s.parameter = parameter;
    return p.scripts.add(s);
}

std::vector<std::string> texts(const std::vector<BoxRow>& rows) {
    std::vector<std::string> out;
    for (const BoxRow& r : rows) out.push_back(r.text);
    return out;
}

} // namespace

TEST(ObjectEventList, GroupedInTheTypeOrderEachGroupInTableOrderUnknownTypesLast) {
    Project p;
    addScript(p, "a", "hero", "Draw");
    addScript(p, "b", "hero", "Step");
    addScript(p, "c", "enemy", "Creation");
    addScript(p, "d", "hero", "Teleport");
    addScript(p, "e", "hero", "Collision", "enemy");
    addScript(p, "f", "hero", "Step");
    addScript(p, "g", "hero", "Creation");
    EXPECT_EQ(eventListRows(p, "hero"), (std::vector<size_t>{6, 1, 5, 4, 0, 3}));
    EXPECT_EQ(eventListRows(p, "enemy"), (std::vector<size_t>{2}));
    EXPECT_TRUE(eventListRows(p, "nobody").empty());

    // A row drawn before the list caught up with a change made elsewhere shows nothing.
    EXPECT_EQ(eventRowHandler(p, "hero", 4)->parameter, "enemy");
    EXPECT_EQ(eventRowHandler(p, "hero", 2), nullptr);
    EXPECT_EQ(eventRowHandler(p, "hero", 99), nullptr);
}

TEST(ObjectEventList, AddedHandlersAreNamedAndDeletedOnesAskFirstAndGoByPosition) {
    Project p;
    p.objects.add(templ("hero"));
    addScript(p, "scr_5", "hero", "Step");
    addScript(p, "scr_5", "hero", "Draw");  // a repeated name, as a damaged file may hold
    const size_t added = addEventHandler(p, "hero", "Collision");
    EXPECT_EQ(added, 2u);
    EXPECT_EQ(p.scripts[2].object, "hero");
    EXPECT_EQ(p.scripts[2].event, "Collision");
    EXPECT_EQ(p.scripts[2].parameter, "");
    EXPECT_EQ(p.scripts[2].name.rfind("scr_", 0), 0u);
    EXPECT_TRUE(p.modified());

    p.clearModified();
    FakeDialogs d;
    d.yesNo = {false, true};
    EXPECT_FALSE(deleteEventHandler(p, d, "hero", 1));
    EXPECT_EQ(p.scripts.size(), 3u);
    EXPECT_FALSE(p.modified());
    EXPECT_TRUE(deleteEventHandler(p, d, "hero", 1));
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Confirm", "Delete this event?"}, {"Confirm", "Delete this event?"}}));
    ASSERT_EQ(p.scripts.size(), 2u);
    EXPECT_EQ(p.scripts[0].event, "Step");
    EXPECT_EQ(p.scripts[1].event, "Collision");
    EXPECT_TRUE(p.modified());
    // Another template's handler, or one that is gone: nothing is asked.
    EXPECT_FALSE(deleteEventHandler(p, d, "enemy", 0));
    EXPECT_FALSE(deleteEventHandler(p, d, "hero", 7));
    EXPECT_EQ(d.shown.size(), 2u);
}

TEST(ObjectBoxes, ParentBoxOffersEveryOtherTemplateAndAFilledBoxKeepsWhatItCan) {
    Project p;
    p.objects.add(templ("hero", "walk"));
    p.objects.add(instance("h1", "hero", "level"));
    p.objects.add(templ("enemy", "fly"));
    p.objects.add(templ("wall"));
    EXPECT_EQ(parentBoxRows(p, "hero"), (std::vector<BoxRow>{{"", ""}, {"enemy", "fly"}, {"wall", ""}}));
    EXPECT_EQ(texts(parentBoxRows(p, "wall")), (std::vector<std::string>{"", "hero", "enemy"}));
    addSprite(p, "walk");
    addSprite(p, "fly");
    EXPECT_EQ(texts(spriteBoxRows(p)), (std::vector<std::string>{"", "walk", "fly"}));
    // A name the record holds that is not there stays offered, so Done keeps it; the
    // template itself is never its own parent.
    EXPECT_EQ(texts(spriteBoxRows(p, "lost")), (std::vector<std::string>{"", "walk", "fly", "lost"}));
    EXPECT_EQ(texts(spriteBoxRows(p, "fly")), (std::vector<std::string>{"", "walk", "fly"}));
    EXPECT_EQ(parentBoxRows(p, "wall", "gone").back(), (BoxRow{"gone", ""}));
    EXPECT_EQ(texts(parentBoxRows(p, "wall", "wall")), (std::vector<std::string>{"", "hero", "enemy"}));

    const std::vector<BoxRow> rows = parentBoxRows(p, "hero");
    struct Case {
        const char* chosen;
        const char* stored;
        const char* shown;
    };
    for (const Case& c : {Case{"wall", "enemy", "wall"}, Case{"gone", "enemy", "enemy"}, Case{"gone", "lost", ""},
                          Case{"", "enemy", ""}}) {
        EXPECT_EQ(keptChoice(rows, c.chosen, c.stored), c.shown) << c.chosen << " / " << c.stored;
    }
}

TEST(ObjectBoxes, SpritePreviewAndSize) {
    Project p;
    addSprite(p, "walk");
    addSprite(p, "empty");
    addFrame(p, "walk", "0", filled(200, 50, {255, 0, 0, 255}));
    addFrame(p, "walk", "1", filled(10, 10, {0, 255, 0, 255}));
    EXPECT_EQ(objectSpriteSizeText(p, "walk"), "Size: 200 x 50 px");
    EXPECT_EQ(objectSpriteSizeText(p, "empty"), "Size: <no sprite>");
    EXPECT_EQ(objectSpriteSizeText(p, ""), "Size: <no sprite>");

    const Image preview = objectSpritePreview(p, "walk");
    ASSERT_EQ(preview.width(), 100);
    ASSERT_EQ(preview.height(), 100);
    // The first frame fitted to the width, centred, on the checkerboard.
    EXPECT_EQ(preview.pixel(50, 50), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(preview.pixel(0, 0), (Rgba{127, 127, 127, 255}));
    EXPECT_NE(objectSpritePreview(p, "empty"), objectSpritePreview(p, "walk"));
}

TEST(ObjectDone, DepthSpriteAndRenameReachEveryInstanceInEveryScene) {
    Project p;
    addSprite(p, "walk");
    addFrame(p, "walk", "0", filled(4, 2, {9, 9, 9, 255}));
    p.objects.add(templ("hero"));
    p.objects.add(templ("enemy"));
    p.objects.add(instance("h1", "hero", "level1"));
    p.objects.add(instance("e1", "enemy", "level1"));
    p.objects.add(instance("h2", "hero", "level2", 90));
    p.objects.add(instance("h3", "hero", "level2", 90));
    addScript(p, "scr_1", "hero", "Step");
    addScript(p, "scr_2", "enemy", "Collision", "hero");

    FakeDialogs d;
    ObjectFields f = objectFieldsOf(p.objects[0]);
    f.name = "player";
    f.sprite = "walk";
    f.depth = "-7";
    f.parent = "enemy";
    ASSERT_TRUE(commitObject(p, d, "hero", f));
    EXPECT_TRUE(d.shown.empty());
    EXPECT_EQ(p.objects[0].name, "player");
    EXPECT_EQ(p.objects[0].parent, "enemy");
    ASSERT_NE(p.objects[0].canvasImage, nullptr);
    for (size_t i : {2u, 4u, 5u}) {
        const GameObject& o = p.objects[i];
        EXPECT_EQ(o.templ, "player") << o.name;
        EXPECT_EQ(o.depth, -7) << o.name;
        EXPECT_EQ(o.sprite, "walk") << o.name;
        ASSERT_NE(o.canvasImage, nullptr) << o.name;
        EXPECT_EQ(o.canvasImage->width(), 4) << o.name;
        ASSERT_NE(o.displayImage, nullptr) << o.name;
    }
    // Turned a quarter, the display copy stands upright.
    EXPECT_EQ(p.objects[4].displayImage->width(), 2);
    EXPECT_EQ(p.objects[3].depth, 0);
    EXPECT_EQ(p.objects[3].sprite, "");
    EXPECT_EQ(p.scripts[0].object, "player");
    EXPECT_EQ(p.scripts[1].parameter, "player");

    // A depth that is not a number reads as 0; a taken name stores nothing.
    f = objectFieldsOf(p.objects[0]);
    f.depth = "deep";
    ASSERT_TRUE(commitObject(p, d, "player", f));
    EXPECT_EQ(p.objects[5].depth, 0);
    f.name = "enemy";
    f.depth = "5";
    EXPECT_FALSE(commitObject(p, d, "player", f));
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Error", "The object name 'enemy' already exists"}}));
    EXPECT_EQ(p.objects[0].depth, 0);
    // The template went while its window was open.
    EXPECT_FALSE(commitObject(p, d, "ghost", f));
}

TEST(ObjectSpriteIcons, MadeOnceAndAgainOnlyWhenTheFirstFrameChanges) {
    Project p;
    addSprite(p, "walk");
    addSprite(p, "bare");
    addFrame(p, "walk", "0", filled(8, 8, {1, 2, 3, 255}));
    SpriteIcons<Image> icons(4, [](const Image& square) { return square; });
    icons.refresh(p);
    ASSERT_NE(icons.icon("walk"), nullptr);
    EXPECT_EQ(icons.icon("walk")->width(), 4);
    EXPECT_EQ(icons.icon("bare"), nullptr);
    icons.refresh(p);
    icons.icon("walk");
    EXPECT_EQ(icons.madeCount(), 1u);

    addSprite(p, "jump");
    addFrame(p, "jump", "0", filled(8, 8, {9, 9, 9, 255}));
    addFrame(p, "walk", "1", filled(8, 8, {7, 7, 7, 255}));  // not the first frame, after another sprite's
    icons.refresh(p);
    icons.icon("walk");
    EXPECT_EQ(icons.madeCount(), 1u);

    p.frames[0].image.setPixel(0, 0, {200, 0, 0, 255});
    icons.refresh(p);
    EXPECT_EQ(icons.icon("walk")->pixel(0, 0), (Rgba{200, 0, 0, 255}));
    EXPECT_EQ(icons.madeCount(), 2u);
}
