// The generated JavaScript, character for character.
#include <gtest/gtest.h>

#include "export/generator.h"
#include "project/naming.h"

using namespace pondaro;

namespace {

GameObject templ(const std::string& name, const std::string& parent = "", int uid = 0) {
    GameObject o = defaultObjectTemplate();
    o.name = name;
    o.parent = parent;
    o.uid = uid;
    return o;
}

GameObject instance(const std::string& name, const std::string& of, const std::string& scene, int x, int y) {
    GameObject o;
    o.name = name;
    o.templ = of;
    o.scene = scene;
    o.x = x;
    o.y = y;
    return o;
}

Image sized(int w, int h) { return Image(w, h); }

} // namespace

TEST(Generator, TheWorkedSceneExample) {
    Project p;
    p.objects.add(templ("ball"));
    GameObject b = instance("SceneObject1", "ball", "level1", 10, 20);
    b.direction = 90;
    p.objects.add(b);
    Scene s = defaultScene();
    s.name = "level1";
    s.red = s.green = s.blue = 255;
    s.viewportxborder = s.viewportyborder = 0;
    p.scenes.add(s);
    EXPECT_EQ(scenesBlock(p),
              "function __level1() { \r\n"
              "this.tiles = [\r\n"
              "];\r\n"
              "this.objects = [\r\n"
              "[{o:ball, x:10, y:20, d:90}]];\r\n"
              "this.start = function() {\r\n"
              "__room_start__(this, level1, 640, 480, 30, 255, 255, 255, null, 0, 0, 0, 640, 480, null, 0, 0);\r\n"
              "};\r\n"
              "}\r\n"
              "var level1 = new __level1();\r\n"
              "pd_scenes.push(level1);\r\n"
              "pd_room_to_go = level1;\r\n");
}

TEST(Generator, SceneTileTreeObjectListCodeAndStartScene) {
    Project p;
    Scene a = defaultScene();
    a.name = "first";
    a.background = "sky";
    a.viewportobject = "hero";
    a.code = "score = 0;";
    a.backgroundtilex = 1;
    p.scenes.add(a);
    Scene b = defaultScene();
    b.name = "second";
    p.scenes.add(b);
    // Two depths, two backgrounds, in first-appearance order; another scene's tile between.
    p.tiles.add({"t1", "rock", 0, 0, 16, 16, 1, 2, 100, "first", nullptr});
    p.tiles.add({"t2", "grass", 16, 0, 16, 16, 3, 4, 50, "first", nullptr});
    p.tiles.add({"tx", "rock", 0, 0, 16, 16, 9, 9, 100, "second", nullptr});
    p.tiles.add({"t3", "rock", 32, 0, 16, 16, 5, 6, 100, "first", nullptr});
    p.tiles.add({"t4", "rock", 0, 16, 8, 8, -7, -8, 50, "first", nullptr});
    GameObject i = instance("i1", "hero", "first", 1, 2);
    i.image_angle = -45;
    p.objects.add(i);
    p.objects.add(instance("i2", "hero", "first", 3, 4));
    GameObject stray = templ("stray");
    stray.scene = "first";  // a template never stands in a scene
    p.objects.add(stray);
    const std::string block = scenesBlock(p);
    const std::string first = block.substr(0, block.find("function __second"));
    EXPECT_EQ(first,
              "function __first() { \r\n"
              "this.tiles = [\r\n"
              "[100,\r\n"
              "[rock,\r\n"
              "[0,0,16,16,1,2],\r\n"
              "[32,0,16,16,5,6]]],\r\n"
              "[50,\r\n"
              "[rock,\r\n"
              "[0,16,8,8,-7,-8]],\r\n"
              "[grass,\r\n"
              "[16,0,16,16,3,4]]]];\r\n"
              "this.objects = [\r\n"
              "[{o:hero, x:1, y:2, a:-45}],\r\n"
              "[{o:hero, x:3, y:4}]];\r\n"
              "this.start = function() {\r\n"
              "__room_start__(this, first, 640, 480, 30, 0, 0, 0, sky.image, 1, 0, 0, 640, 480, hero, 50, 50);\r\n"
              "\r\nscore = 0;\r\n"
              "};\r\n"
              "}\r\n"
              "var first = new __first();\r\n"
              "pd_scenes.push(first);\r\n");
    EXPECT_NE(block.find("[{o:hero"), std::string::npos);
    EXPECT_EQ(block.substr(block.size() - 24), "pd_room_to_go = first;\r\n");
    Project none;
    EXPECT_EQ(scenesBlock(none), "");
}

TEST(Generator, SpritesUseTheLastFramesSizeAndListEveryFrame) {
    Project p;
    p.imgfolder = "pics";
    Sprite s = defaultSprite();
    s.name = "hero";
    s.centerx = 8;
    s.centery = -2;
    s.collisionright = 16;
    s.collisionbottom = 24;
    p.sprites.add(s);
    Sprite e = defaultSprite();
    e.name = "empty";
    e.collisionshape = "Circle";
    e.collisionradius = 5;
    p.sprites.add(e);
    p.frames.push_back({"1", "hero", sized(10, 20)});
    p.frames.push_back({"1", "other", sized(99, 99)});
    p.frames.push_back({"7", "hero", sized(16, 24)});
    EXPECT_EQ(spritesBlock(p),
              "function __hero() { \r\n"
              "__sprite_init__(this, hero, 16, 24, 8, -2, 'Box', 0, 0, 16, 0, 24, ['pics/hero_1.png','pics/hero_7.png']);\r\n"
              "}; var hero = new __hero();\r\n\r\n"
              "function __empty() { \r\n"
              "__sprite_init__(this, empty, 0, 0, 0, 0, 'Circle', 5, 0, 0, 0, 0, []);\r\n"
              "}; var empty = new __empty();\r\n\r\n");
}

TEST(Generator, SoundsMusicsBackgroundsAndFonts) {
    Project p;
    Sound only;
    only.name = "s";
    only.ogg = "s.ogg";
    p.sounds.add(only);
    Sound silent;
    silent.name = "silent";
    p.sounds.add(silent);
    Music m;
    m.name = "tune";
    m.wav = "a.wav";
    m.mp3 = "a.mp3";
    p.musics.add(m);
    Background none = defaultBackground();
    none.name = "nothing";
    p.backgrounds.add(none);
    Background sky = defaultBackground();
    sky.name = "sky";
    sky.file = "sky.png";
    p.backgrounds.add(sky);
    Font f = defaultFont();
    f.name = "big";
    f.size = 24;
    f.bold = 1;
    p.fonts.add(f);
    EXPECT_EQ(soundsBlock(p), "function __s() { \r\n__audio_init__(this, s, '', '', 'aud/s.ogg');\r\n}; var s = new __s();\r\n\r\n");
    EXPECT_EQ(musicsBlock(p),
              "function __tune() { \r\n__audio_init__(this, tune, 'aud/a.wav', 'aud/a.mp3', '');\r\n}; var tune = new "
              "__tune();\r\n\r\n");
    EXPECT_EQ(backgroundsBlock(p),
              "function __sky() { \r\n__background_init__(this, sky, 'img/sky.png')}; var sky = new __sky();\r\n\r\n");
    EXPECT_EQ(fontsBlock(p),
              "function __big() { \r\n__font_init__(this, big, 'Arial', 24, 1, 0)}; var big = new __big();\r\n\r\n");
}

TEST(Generator, GlobalTextsFunctionsExtensionsAndVersion) {
    Project p;
    EXPECT_EQ(globalFunctionsBlock(p), "\r\n");
    p.game.functions = "var helper = 1;";
    p.game.variables = "var lives = 3;";
    GameFunction f;
    f.name = "add";
    f.params = "a, b";
    f.code = "return a + b;";
    p.fns.add(f);
    EXPECT_EQ(globalFunctionsBlock(p), "var helper = 1;\r\nfunction add(a, b) { \r\nreturn a + b;\r\n}\r\n");
    EXPECT_EQ(globalVariablesBlock(p), "var lives = 3;");
    std::vector<ExtensionEntry> ext = {{"k1", "Fx", "Ann", "", "", "\r\nfx();\r\n\r\n", 1},
                                       {"k2", "Off", "Bob", "", "", "off();", 0}};
    EXPECT_EQ(extensionsBlock(ext), "/* Fx by Ann */\r\n\r\nfx();\r\n\r\n\r\n\r\n");
    EXPECT_EQ(versionText(200), "v2.0.0");
    EXPECT_EQ(versionText(1234), "v1.2.3");
    EXPECT_EQ(versionText(7), "v7");
}

TEST(Generator, AnObjectWithoutScriptsGetsTheNineDefaultHandlers) {
    Project p;
    GameObject o = templ("rock");
    o.sprite = "stone";
    o.depth = -3;
    o.visible = 0;
    p.objects.add(instance("before", "rock", "r", 0, 0));
    p.objects.add(o);
    EXPECT_EQ(objectsBlock(p),
              "function __rock() {\r\n"
              "__instance_init__(this, rock, null, 0, -3, stone, 1, 1);\r\n"
              "this.on_creation = on_creation_i;\r\n"
              "this.on_destroy = on_destroy_i;\r\n"
              "this.on_step = on_step_i;\r\n"
              "this.on_end_step = on_end_step_i;\r\n"
              "this.on_collision = on_collision_i;\r\n"
              "this.on_roomstart = on_roomstart_i;\r\n"
              "this.on_roomend = on_roomend_i;\r\n"
              "this.on_animationend = on_animationend_i;\r\n"
              "this.on_draw = on_draw_i;\r\n"
              "}; var rock = new __rock();\r\n\r\n");
}

TEST(Generator, EventSectionsWithTheirWrappers) {
    Project p;
    p.objects.add(templ("hero", "actor"));
    p.scripts.add({"s1", "hero", "Step", "", "x += 1;"});
    p.scripts.add({"s2", "hero", "Collision", "wall", "x = xprevious;"});
    p.scripts.add({"s3", "hero", "Collision", "", "dropped();"});
    p.scripts.add({"s4", "hero", "Animation end", "", "image_index = 0;"});
    p.scripts.add({"s5", "hero", "Draw", "", "draw_self();"});
    p.scripts.add({"s6", "hero", "Step", "", "y += 1;"});
    p.scripts.add({"s7", "hero", "Keyboard", "", "never();"});
    p.scripts.add({"s8", "other", "Step", "", "notmine();"});
    const std::string block = objectsBlock(p);
    EXPECT_EQ(block,
              "function __hero() {\r\n"
              "__instance_init__(this, hero, actor, 1, 0, null, 1, 0);\r\n"
              "this.on_creation = on_creation_i;\r\n"
              "this.on_destroy = on_destroy_i;\r\n"
              "this.on_step = function() {\r\n"
              "with(this) {\r\n"
              "x += 1;\r\n"
              "y += 1;\r\n"
              "}\r\n"
              "};\r\n"
              "this.on_end_step = on_end_step_i;\r\n"
              "this.on_collision = function() {\r\n"
              "with(this) {\r\n"
              "this.other = this.place_meeting(this.x, this.y, wall);\r\n"
              "if(this.other != null) {\r\n"
              "x = xprevious;\r\n"
              "}\r\n"
              "}\r\n"
              "};\r\n"
              "this.on_roomstart = on_roomstart_i;\r\n"
              "this.on_roomend = on_roomend_i;\r\n"
              "this.on_animationend = function() {\r\n"
              "if(this.image_index >= this.image_number - 1) {\r\n"
              "with(this) {\r\n"
              "image_index = 0;\r\n"
              "}\r\n"
              "}\r\n"
              "};\r\n"
              "this.on_draw = function() {\r\n"
              "if (this.visible == 1) {\r\n"
              "__handle_sprite__(this);\r\n"
              "with(this) {\r\n"
              "draw_self();\r\n"
              "}\r\n"
              "}\r\n"
              "};\r\n"
              "}; var hero = new __hero();\r\n\r\n");
    p.game.advancedscriptmode = 1;
    const std::string advanced = objectsBlock(p);
    EXPECT_EQ(advanced.find("with(this)"), std::string::npos);
    EXPECT_NE(advanced.find("this.on_step = function() {\r\nx += 1;\r\ny += 1;\r\n};\r\n"), std::string::npos);
}

TEST(Generator, ACollisionWithOnlyAnEmptyParameterKeepsItsWrappers) {
    Project p;
    p.objects.add(templ("a"));
    p.scripts.add({"s", "a", "Collision", "", "lost();"});
    EXPECT_NE(objectsBlock(p).find("this.on_collision = function() {\r\nwith(this) {\r\n}\r\n};\r\n"), std::string::npos);
}

TEST(Generator, ExportOrdersParentsFirstThenSortsForDisplay) {
    Project p;
    p.objects.add(templ("child", "parent", 3));
    p.objects.add(templ("grandchild", "child", 1));
    p.objects.add(templ("parent", "", 2));
    const std::string block = exportObjects(p, "");
    EXPECT_LT(block.find("function __parent"), block.find("function __child"));
    EXPECT_LT(block.find("function __child"), block.find("function __grandchild"));
    EXPECT_NE(block.find("__instance_init__(this, parent, null, 1, 0, null, 1, 0);"), std::string::npos);
    // Back in display order by uid, with a working name index.
    EXPECT_EQ(p.objects[0].name, "grandchild");
    EXPECT_EQ(p.objects[2].name, "child");
    EXPECT_EQ(p.objects.find("parent"), 1u);
    exportObjects(p, "DESC");
    EXPECT_EQ(p.objects[0].name, "parent");
    exportObjects(p, "ASC");
    EXPECT_EQ(p.objects[0].name, "child");
    EXPECT_EQ(p.objects.find("grandchild"), 1u);
}
