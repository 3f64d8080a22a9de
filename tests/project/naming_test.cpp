#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "project/model.h"
#include "project/naming.h"

namespace pondaro {
namespace {

using Errors = std::vector<std::string>;

// Every stored field of every table, so "nothing changed" can be checked in one go.
std::string describe(const Project& p) {
    std::ostringstream out;
    out << "modified " << p.modified() << " counter " << p.counter << "\n";
    for (const auto& s : p.sprites)
        out << "sprite " << s.name << '|' << s.collisionshape << '|' << s.collisionradius << '|' << s.collisionleft
            << '|' << s.collisionright << '|' << s.collisiontop << '|' << s.collisionbottom << '|' << s.centerx << '|'
            << s.centery << '|' << s.keywords << '|' << s.uid << "\n";
    for (const auto& f : p.frames) out << "frame " << f.file << '|' << f.sprite << "\n";
    for (const auto& pt : p.points) out << "point " << pt.sprite << '|' << pt.x << '|' << pt.y << "\n";
    for (const auto& s : p.sounds) out << "sound " << s.name << '|' << s.wav << '|' << s.mp3 << '|' << s.ogg << '|' << s.keywords << '|' << s.uid << "\n";
    for (const auto& s : p.musics) out << "music " << s.name << '|' << s.wav << '|' << s.mp3 << '|' << s.ogg << '|' << s.keywords << '|' << s.uid << "\n";
    for (const auto& b : p.backgrounds)
        out << "background " << b.name << '|' << b.file << '|' << b.tile << '|' << b.tilewidth << '|' << b.tileheight
            << '|' << b.tilexoffset << '|' << b.tileyoffset << '|' << b.tilexspace << '|' << b.tileyspace << '|'
            << b.keywords << '|' << b.uid << '|' << (b.picture ? b.picture->width() : 0) << '|' << b.preview.width() << "\n";
    for (const auto& f : p.fonts)
        out << "font " << f.name << '|' << f.family << '|' << f.size << '|' << f.bold << '|' << f.italic << '|'
            << f.keywords << '|' << f.uid << "\n";
    for (const auto& o : p.objects)
        out << "object " << o.prototype << '|' << o.templ << '|' << o.name << '|' << o.sprite << '|' << o.scene << '|'
            << o.x << '|' << o.y << '|' << o.visible << '|' << o.depth << '|' << o.collision << '|' << o.parent << '|'
            << o.direction << '|' << o.image_angle << '|' << o.keywords << '|' << o.uid << "\n";
    for (const auto& s : p.scripts)
        out << "script " << s.name << '|' << s.object << '|' << s.event << '|' << s.parameter << '|' << s.code << "\n";
    for (const auto& s : p.scenes)
        out << "scene " << s.name << '|' << s.width << '|' << s.height << '|' << s.viewportwidth << '|'
            << s.viewportheight << '|' << s.red << '|' << s.green << '|' << s.blue << '|' << s.code << '|' << s.speed
            << '|' << s.background << '|' << s.backgroundtilex << '|' << s.backgroundtiley << '|'
            << s.backgroundstretch << '|' << s.viewportobject << '|' << s.viewportxborder << '|' << s.viewportyborder
            << '|' << s.keywords << '|' << s.uid << "\n";
    for (const auto& l : p.layers) out << "layer " << l.name << '|' << l.value << '|' << l.scene << "\n";
    for (const auto& t : p.tiles)
        out << "tile " << t.name << '|' << t.background << '|' << t.left << '|' << t.top << '|' << t.width << '|'
            << t.height << '|' << t.x << '|' << t.y << '|' << t.depth << '|' << t.scene << "\n";
    for (const auto& f : p.fns)
        out << "function " << f.name << '|' << f.params << '|' << f.description << '|' << f.code << '|' << f.keywords
            << '|' << f.uid << "\n";
    return out.str();
}

template <class Record>
Record named(const std::string& name) {
    Record r{};
    r.name = name;
    return r;
}

GameObject templ(const std::string& name, const std::string& sprite = "") {
    GameObject o = defaultObjectTemplate();
    o.name = name;
    o.sprite = sprite;
    return o;
}

GameObject instance(const std::string& name, const std::string& of, const std::string& scene,
                    const std::string& sprite = "") {
    GameObject o;
    o.name = name;
    o.templ = of;
    o.scene = scene;
    o.sprite = sprite;
    return o;
}

Script script(const std::string& name, const std::string& object, const std::string& event,
              const std::string& parameter = "") {
    Script s;
    s.name = name;
    s.object = object;
    s.event = event;
    s.parameter = parameter;
    return s;
}

// Adds a record of the kind holding the name, the way a file read would.
void addNamed(Project& p, ResourceKind kind, const std::string& name) {
    switch (kind) {
    case ResourceKind::Sprite: p.sprites.add(named<Sprite>(name)); break;
    case ResourceKind::Sound: p.sounds.add(named<Sound>(name)); break;
    case ResourceKind::Music: p.musics.add(named<Music>(name)); break;
    case ResourceKind::Font: p.fonts.add(named<Font>(name)); break;
    case ResourceKind::Background: p.backgrounds.add(named<Background>(name)); break;
    case ResourceKind::Object: p.objects.add(named<GameObject>(name)); break;
    case ResourceKind::Scene: p.scenes.add(named<Scene>(name)); break;
    case ResourceKind::Function: p.fns.add(named<GameFunction>(name)); break;
    case ResourceKind::Layer: p.layers.add(named<Layer>(name)); break;
    case ResourceKind::Tile: p.tiles.add(named<Tile>(name)); break;
    case ResourceKind::Script: p.scripts.add(named<Script>(name)); break;
    }
}

// ---- Creating records -----------------------------------------------------------------

TEST(NamingCreate, NameAndUidDrawSeparateCounterValues) {
    Project p;
    EXPECT_EQ(createSprite(p, "walk run"), "sprite_2");
    ASSERT_EQ(p.sprites.size(), 1u);
    EXPECT_EQ(p.sprites[0].name, "sprite_2");
    EXPECT_EQ(p.sprites[0].uid, 3);
    EXPECT_EQ(p.sprites[0].keywords, "walk run");
    EXPECT_TRUE(p.modified());
    EXPECT_EQ(p.counter, 3);

    EXPECT_EQ(createSound(p), "sound_4");
    EXPECT_EQ(p.sounds[0].uid, 5);
    EXPECT_EQ(createMusic(p), "music_6");
    EXPECT_EQ(createBackground(p), "background_8");
    EXPECT_EQ(createFont(p), "font_10");
    EXPECT_EQ(createObject(p), "object_12");
    EXPECT_EQ(createScene(p), "scene_14");
    EXPECT_EQ(createFunction(p), "function_16");
    EXPECT_EQ(p.fns[0].uid, 17);
    EXPECT_EQ(p.sprites.find("sprite_2"), 0u);
}

TEST(NamingCreate, EachKindStartsFromItsDefaults) {
    Project p;
    createSprite(p);
    createSound(p, "k");
    createMusic(p);
    createBackground(p);
    createFont(p);
    createObject(p);
    createScene(p);
    createFunction(p);

    const Sprite& sp = p.sprites[0];
    EXPECT_EQ(sp.collisionshape, "Box");
    EXPECT_EQ(sp.collisionradius + sp.collisionleft + sp.collisionright + sp.collisiontop + sp.collisionbottom, 0);
    EXPECT_EQ(sp.centerx + sp.centery, 0);

    EXPECT_EQ(p.sounds[0].wav + p.sounds[0].mp3 + p.sounds[0].ogg, "");
    EXPECT_EQ(p.sounds[0].keywords, "k");
    EXPECT_EQ(p.musics[0].wav + p.musics[0].mp3 + p.musics[0].ogg, "");

    const Background& b = p.backgrounds[0];
    EXPECT_EQ(b.file, "");
    EXPECT_EQ(b.tile, 0);
    EXPECT_EQ(b.tilewidth, 32);
    EXPECT_EQ(b.tileheight, 32);
    EXPECT_EQ(b.tilexoffset + b.tileyoffset + b.tilexspace + b.tileyspace, 0);

    const Font& f = p.fonts[0];
    EXPECT_EQ(f.family, "Arial");
    EXPECT_EQ(f.size, 12);
    EXPECT_EQ(f.bold + f.italic, 0);

    const GameObject& o = p.objects[0];
    EXPECT_TRUE(o.isTemplate());
    EXPECT_EQ(o.visible, 1);
    EXPECT_EQ(o.collision, 1);
    EXPECT_EQ(o.depth, 0);
    EXPECT_EQ(o.templ + o.sprite + o.scene + o.parent, "");

    const Scene& s = p.scenes[0];
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.viewportwidth, 640);
    EXPECT_EQ(s.viewportheight, 480);
    EXPECT_EQ(s.red + s.green + s.blue, 0);
    EXPECT_EQ(s.speed, 30);
    EXPECT_EQ(s.viewportxborder, 50);
    EXPECT_EQ(s.viewportyborder, 50);
    EXPECT_EQ(s.background + s.viewportobject + s.code, "");
    EXPECT_EQ(s.backgroundtilex + s.backgroundtiley + s.backgroundstretch, 0);

    const GameFunction& fn = p.fns[0];
    EXPECT_EQ(fn.params + fn.description + fn.code, "");
}

TEST(NamingCreate, LayerBelongsToItsSceneAndDoesNotMarkModified) {
    Project p;
    EXPECT_EQ(createLayer(p, "level 1"), "layer_2");
    ASSERT_EQ(p.layers.size(), 1u);
    EXPECT_EQ(p.layers[0].value, 1000000);
    EXPECT_EQ(p.layers[0].scene, "level 1");
    EXPECT_EQ(p.counter, 2);  // layers carry no uid
    EXPECT_FALSE(p.modified());
}

TEST(NamingCreate, DefaultNamesSkipNamesAlreadyTaken) {
    // After a read the counter restarts from the record count, so the next
    // default name may already be in use.
    Project p;
    p.sprites.add(named<Sprite>("sprite_2"));
    p.sprites.add(named<Sprite>("sprite_3"));
    p.counter = 1;
    EXPECT_EQ(createSprite(p), "sprite_4");
    EXPECT_EQ(p.sprites[2].uid, 5);

    // Templates and instances share a name space: an instance's name is skipped too.
    p.objects.add(instance("object_6", "t", "s"));
    EXPECT_EQ(createObject(p), "object_7");

    // Another kind holding the name does not count.
    p.sounds.add(named<Sound>("scene_9"));
    p.counter = 8;
    EXPECT_EQ(createScene(p), "scene_9");

    p.layers.add(named<Layer>("layer_11"));
    p.counter = 10;
    EXPECT_EQ(createLayer(p, "scene_9"), "layer_12");
}

// ---- Clash check on read --------------------------------------------------------------

TEST(NamingClashOnRead, FreeNameIsKeptWithoutBookkeeping) {
    Project p;
    p.sprites.add(named<Sprite>("a"));
    p.counter = 6;
    EXPECT_EQ(clashCheckOnRead(p, ResourceKind::Sprite, "b"), "b");
    // The same name in another kind is free.
    EXPECT_EQ(clashCheckOnRead(p, ResourceKind::Object, "a"), "a");
    EXPECT_EQ(p.counter, 6);
    EXPECT_TRUE(p.renames.empty());
    EXPECT_EQ(p.mergeLog, "");
}

TEST(NamingClashOnRead, LoggedKindsAreRenamedRecordedAndLogged) {
    const ResourceKind logged[] = {ResourceKind::Sprite, ResourceKind::Sound,  ResourceKind::Music,
                                   ResourceKind::Font,   ResourceKind::Background, ResourceKind::Object,
                                   ResourceKind::Scene,  ResourceKind::Function};
    for (ResourceKind kind : logged) {
        SCOPED_TRACE(kindKeyword(kind));
        Project p;
        addNamed(p, kind, "a");
        p.counter = 6;
        EXPECT_EQ(clashCheckOnRead(p, kind, "a"), "a_7");
        EXPECT_EQ(p.mergeLog, std::string(kindKeyword(kind)) + " -> a to a_7\r");
        ASSERT_EQ(p.renames.entries().size(), 1u);
        EXPECT_EQ(p.renames.entries()[0].oldName, "a");
        EXPECT_EQ(p.renames.entries()[0].newName, "a_7");
        EXPECT_EQ(p.renames.entries()[0].kind, kindKeyword(kind));
        EXPECT_EQ(p.renames.lookup(asciiLower(kindKeyword(kind)), "A"), "a_7");
    }
}

TEST(NamingClashOnRead, ScriptsLayersAndTilesAreRenamedWithoutALogLine) {
    for (ResourceKind kind : {ResourceKind::Script, ResourceKind::Layer, ResourceKind::Tile}) {
        SCOPED_TRACE(kindKeyword(kind));
        Project p;
        addNamed(p, kind, "x");
        p.counter = 2;
        EXPECT_EQ(clashCheckOnRead(p, kind, "x"), "x_3");
        EXPECT_EQ(p.mergeLog, "");
        ASSERT_EQ(p.renames.entries().size(), 1u);
        EXPECT_EQ(p.renames.lookup(kindKeyword(kind), "x"), "x_3");
    }
}

TEST(NamingClashOnRead, TakenRenameDrawsTheNextCounterValue) {
    Project p;
    p.sprites.add(named<Sprite>("a"));
    p.sprites.add(named<Sprite>("a_7"));
    p.sprites.add(named<Sprite>("a_8"));
    p.counter = 6;
    EXPECT_EQ(clashCheckOnRead(p, ResourceKind::Sprite, "a"), "a_9");
    EXPECT_EQ(p.mergeLog, "SPRITE -> a to a_9\r");
    EXPECT_EQ(p.counter, 9);

    // A second clash appends its own line; the rename table keeps both entries.
    p.sprites.add(named<Sprite>("a_9"));
    EXPECT_EQ(clashCheckOnRead(p, ResourceKind::Sprite, "a"), "a_10");
    EXPECT_EQ(p.mergeLog, "SPRITE -> a to a_9\rSPRITE -> a to a_10\r");
    EXPECT_EQ(p.renames.entries().size(), 2u);
    EXPECT_EQ(p.renames.lookup("SPRITE", "a"), "a_10");
}

// ---- Applying property windows ----------------------------------------------------------

// What a window holds for the record at `i`: a copy with the edited name. A window
// whose record has gone holds blank fields.
template <class Record>
Record windowFields(const Table<Record>& table, size_t i, const std::string& name) {
    Record f = i < table.size() ? table[i] : Record{};
    f.name = name;
    return f;
}

// The eight kinds' apply steps behind one shape, for the checks every kind shares.
struct ApplyKind {
    const char* word;
    std::function<void(Project&, const std::string&)> add;
    std::function<ApplyResult(Project&, size_t, const std::string&)> applyName;
};

std::vector<ApplyKind> applyKinds() {
    return {
        {"sprite", [](Project& p, const std::string& n) { p.sprites.add(named<Sprite>(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applySprite(p, i, windowFields(p.sprites, i, n));
         }},
        {"sound", [](Project& p, const std::string& n) { p.sounds.add(named<Sound>(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applySound(p, i, windowFields(p.sounds, i, n));
         }},
        {"music", [](Project& p, const std::string& n) { p.musics.add(named<Music>(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applyMusic(p, i, windowFields(p.musics, i, n));
         }},
        {"background", [](Project& p, const std::string& n) { p.backgrounds.add(named<Background>(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applyBackground(p, i, windowFields(p.backgrounds, i, n));
         }},
        {"font",
         [](Project& p, const std::string& n) {
             Font f = defaultFont();
             f.name = n;
             p.fonts.add(f);
         },
         [](Project& p, size_t i, const std::string& n) {
             return applyFont(p, i, windowFields(p.fonts, i, n), "12");
         }},
        {"object", [](Project& p, const std::string& n) { p.objects.add(templ(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applyObject(p, i, windowFields(p.objects, i, n));
         }},
        {"scene",
         [](Project& p, const std::string& n) {
             Scene s = defaultScene();
             s.name = n;
             p.scenes.add(s);
         },
         [](Project& p, size_t i, const std::string& n) {
             return applyScene(p, i, windowFields(p.scenes, i, n), "30");
         }},
        {"function", [](Project& p, const std::string& n) { p.fns.add(named<GameFunction>(n)); },
         [](Project& p, size_t i, const std::string& n) {
             return applyFunction(p, i, windowFields(p.fns, i, n));
         }},
    };
}

TEST(NamingApply, EveryKindChecksNameMissingTakenAndSelf) {
    for (const auto& kind : applyKinds()) {
        SCOPED_TRACE(kind.word);
        const std::string word = kind.word;
        Project p;
        kind.add(p, "first");
        kind.add(p, "second");
        const std::string before = describe(p);

        EXPECT_EQ(kind.applyName(p, 1, "").errors, (Errors{"The " + word + " name is missing"}));
        EXPECT_EQ(kind.applyName(p, 1, "first").errors, (Errors{"The " + word + " name 'first' already exists"}));
        EXPECT_EQ(describe(p), before);

        // The record's own current name passes.
        EXPECT_TRUE(kind.applyName(p, 1, "second").ok());
        EXPECT_TRUE(p.modified());
        p.clearModified();
        EXPECT_EQ(describe(p), before);

        // Names are compared exactly: another letter case is another name.
        EXPECT_TRUE(kind.applyName(p, 1, "First").ok());
        EXPECT_EQ(kind.applyName(p, 0, "First").errors, (Errors{"The " + word + " name 'First' already exists"}));

        // Names may hold any characters.
        EXPECT_TRUE(kind.applyName(p, 0, "a b/..\\'\"<é>").ok());

        // A window whose record has gone reports it instead of touching another record.
        p.clearModified();
        const std::string now = describe(p);
        ApplyResult stale = kind.applyName(p, 2, "third");
        EXPECT_FALSE(stale.ok());
        EXPECT_EQ(describe(p), now);
    }
}

TEST(NamingApply, DifferentKindsMayShareANameButObjectsShareOneNameSpace) {
    Project p;
    p.sprites.add(named<Sprite>("hero"));
    p.scenes.add(named<Scene>("hero"));
    p.objects.add(templ("player"));
    p.objects.add(instance("SceneObject3", "player", "hero"));
    p.objects.add(templ("enemy"));

    GameObject f = p.objects[0];
    f.name = "hero";
    EXPECT_TRUE(applyObject(p, 0, f).ok());

    // A template may not take an instance's name, nor an instance a template's.
    f = p.objects[2];
    f.name = "SceneObject3";
    EXPECT_EQ(applyObject(p, 2, f).errors, (Errors{"The object name 'SceneObject3' already exists"}));
    f = p.objects[1];
    f.name = "enemy";
    EXPECT_EQ(applyObject(p, 1, f).errors, (Errors{"The object name 'enemy' already exists"}));
}

TEST(NamingApplySprite, StoresTheWindowFieldsButKeepsUid) {
    Project p;
    createSprite(p);
    p.clearModified();

    Sprite f = p.sprites[0];
    f.name = "hero";
    f.collisionshape = "Circle";
    f.collisionradius = 9;
    f.collisionleft = 1;
    f.collisionright = 2;
    f.collisiontop = 3;
    f.collisionbottom = 4;
    f.centerx = 5;
    f.centery = 6;
    f.keywords = "player";
    f.uid = 999;
    ASSERT_TRUE(applySprite(p, 0, f).ok());

    const Sprite& s = p.sprites[0];
    EXPECT_EQ(s.name, "hero");
    EXPECT_EQ(s.collisionshape, "Circle");
    EXPECT_EQ(s.collisionradius, 9);
    EXPECT_EQ(s.collisionleft, 1);
    EXPECT_EQ(s.collisionright, 2);
    EXPECT_EQ(s.collisiontop, 3);
    EXPECT_EQ(s.collisionbottom, 4);
    EXPECT_EQ(s.centerx, 5);
    EXPECT_EQ(s.centery, 6);
    EXPECT_EQ(s.keywords, "player");
    EXPECT_EQ(s.uid, 3);
    EXPECT_TRUE(p.modified());
    EXPECT_EQ(p.sprites.find("hero"), 0u);
    EXPECT_FALSE(p.sprites.contains("sprite_2"));
}

TEST(NamingApplySprite, RenameReachesObjectsInstancesFramesAndPoints) {
    Project p;
    p.sprites.add(named<Sprite>("hero"));
    p.sprites.add(named<Sprite>("wall"));
    p.objects.add(templ("player", "hero"));
    p.objects.add(templ("block", "wall"));
    p.objects.add(instance("i1", "player", "level1", "hero"));
    p.objects.add(instance("i2", "player", "level2", "hero"));
    p.frames.push_back({"0", "hero", {}});
    p.frames.push_back({"0", "wall", {}});
    p.frames.push_back({"1", "hero", {}});
    p.points.push_back({"hero", 1, 1});
    p.points.push_back({"wall", 2, 2});
    p.points.push_back({"hero", 3, 3});

    Sprite f = p.sprites[0];
    f.name = "knight";
    ASSERT_TRUE(applySprite(p, 0, f).ok());

    EXPECT_EQ(p.objects[0].sprite, "knight");
    EXPECT_EQ(p.objects[1].sprite, "wall");
    EXPECT_EQ(p.objects[2].sprite, "knight");
    EXPECT_EQ(p.objects[3].sprite, "knight");
    EXPECT_EQ(p.frames[0].sprite, "knight");
    EXPECT_EQ(p.frames[1].sprite, "wall");
    EXPECT_EQ(p.frames[2].sprite, "knight");
    EXPECT_EQ(p.points[0].sprite, "knight");
    EXPECT_EQ(p.points[1].sprite, "wall");
    EXPECT_EQ(p.points[2].sprite, "knight");
    EXPECT_EQ(p.spriteIndex("knight"), 0);
    EXPECT_EQ(p.spriteIndex("hero"), -1);
}

TEST(NamingApplySprite, FailedRenameRewritesNothing) {
    Project p;
    p.sprites.add(named<Sprite>("hero"));
    p.sprites.add(named<Sprite>("wall"));
    p.objects.add(templ("player", "hero"));
    p.frames.push_back({"0", "hero", {}});
    const std::string before = describe(p);

    Sprite f = p.sprites[0];
    f.name = "wall";
    f.centerx = 77;
    EXPECT_EQ(applySprite(p, 0, f).errors, (Errors{"The sprite name 'wall' already exists"}));
    EXPECT_EQ(describe(p), before);
}

TEST(NamingApplySprite, ReferencesStayWhenTheOldNameNamedNothingOrIsStillHeld) {
    // An unnamed record (read from a file) has no references: empty reference fields
    // mean "none" and must not all take the new name.
    Project p;
    p.sprites.add(named<Sprite>(""));
    p.objects.add(templ("player", ""));
    p.frames.push_back({"0", "", {}});
    Sprite f = p.sprites[0];
    f.name = "hero";
    ASSERT_TRUE(applySprite(p, 0, f).ok());
    EXPECT_EQ(p.objects[0].sprite, "");
    EXPECT_EQ(p.frames[0].sprite, "");

    // Two sprites holding one name: the frames belong to whichever still holds it.
    Project q;
    q.sprites.add(named<Sprite>("dup"));
    q.sprites.add(named<Sprite>("dup"));
    q.frames.push_back({"0", "dup", {}});
    Sprite g = q.sprites[1];
    g.name = "other";
    ASSERT_TRUE(applySprite(q, 1, g).ok());
    EXPECT_EQ(q.frames[0].sprite, "dup");
    EXPECT_EQ(q.sprites.find("dup"), 0u);
    EXPECT_EQ(q.sprites.find("other"), 1u);
}

TEST(NamingApplyFont, SizeIsCheckedOnlyWhenTheNamePassed) {
    Project p;
    p.fonts.add(named<Font>("title"));
    p.fonts.add(named<Font>("body"));
    const std::string before = describe(p);

    Font f = p.fonts[1];
    f.name = "";
    EXPECT_EQ(applyFont(p, 1, f, "0").errors, (Errors{"The font name is missing"}));
    f.name = "title";
    EXPECT_EQ(applyFont(p, 1, f, "0").errors, (Errors{"The font name 'title' already exists"}));
    f.name = "body";
    EXPECT_EQ(applyFont(p, 1, f, "0").errors, (Errors{"The font size '0' is invalid"}));
    EXPECT_EQ(applyFont(p, 1, f, "").errors, (Errors{"The font size '' is invalid"}));
    EXPECT_EQ(applyFont(p, 1, f, "-4").errors, (Errors{"The font size '-4' is invalid"}));
    EXPECT_EQ(applyFont(p, 1, f, "big").errors, (Errors{"The font size 'big' is invalid"}));
    EXPECT_EQ(describe(p), before);
}

TEST(NamingApplyFont, SizeComesFromTheLeadingNumberOfTheText) {
    Project p;
    createFont(p);
    Font f = p.fonts[0];
    f.name = "caption";
    f.family = "Courier";
    f.bold = 1;
    f.italic = 1;
    f.size = 99;  // the window's size text wins over the copied record
    ASSERT_TRUE(applyFont(p, 0, f, "14pt").ok());
    EXPECT_EQ(p.fonts[0].size, 14);
    EXPECT_EQ(p.fonts[0].family, "Courier");
    EXPECT_EQ(p.fonts[0].bold, 1);
    EXPECT_EQ(p.fonts[0].italic, 1);
    EXPECT_EQ(p.fonts[0].name, "caption");
    ASSERT_TRUE(applyFont(p, 0, f, "1").ok());
    EXPECT_EQ(p.fonts[0].size, 1);
}

TEST(NamingApplyScene, SpeedIsAlwaysCheckedAfterTheName) {
    Project p;
    p.scenes.add(named<Scene>("level1"));
    p.scenes.add(named<Scene>("level2"));
    const std::string before = describe(p);

    Scene f = p.scenes[1];
    f.name = "level1";
    EXPECT_EQ(applyScene(p, 1, f, "").errors,
              (Errors{"The scene name 'level1' already exists", "Invalid scene speed value"}));
    f.name = "";
    EXPECT_EQ(applyScene(p, 1, f, "fast").errors,
              (Errors{"The scene name is missing", "Invalid scene speed value"}));
    f.name = "level2";
    for (const char* bad : {"", "0", "-30", "abc", " "})
        EXPECT_EQ(applyScene(p, 1, f, bad).errors, (Errors{"Invalid scene speed value"})) << "'" << bad << "'";
    EXPECT_EQ(describe(p), before);
}

TEST(NamingApplyScene, StoresFieldsAndParsedSpeed) {
    Project p;
    createScene(p);
    Scene f = p.scenes[0];
    f.name = "arena";
    f.width = 800;
    f.height = 600;
    f.viewportwidth = 400;
    f.viewportheight = 300;
    f.red = 10;
    f.green = 20;
    f.blue = 30;
    f.code = "x = 1;";
    f.speed = 1;
    f.background = "sky";
    f.backgroundtilex = 1;
    f.backgroundtiley = 1;
    f.backgroundstretch = 1;
    f.viewportobject = "player";
    f.viewportxborder = 5;
    f.viewportyborder = 6;
    f.keywords = "boss";
    f.uid = -1;
    ASSERT_TRUE(applyScene(p, 0, f, "60 fps").ok());
    Scene expected = f;
    expected.speed = 60;
    expected.uid = 3;
    Project q;
    q.scenes.add(expected);
    q.markModified();
    q.counter = p.counter;
    EXPECT_EQ(describe(p), describe(q));
}

TEST(NamingApplyScene, RenameReachesInstancesLayersAndTiles) {
    Project p;
    p.scenes.add(named<Scene>("level1"));
    p.scenes.add(named<Scene>("level2"));
    p.objects.add(templ("player"));
    p.objects.add(instance("i1", "player", "level1"));
    p.objects.add(instance("i2", "player", "level2"));
    p.objects.add(instance("i3", "player", "level1"));
    Layer l1 = named<Layer>("layer_1"), l2 = named<Layer>("layer_2");
    l1.scene = "level1";
    l2.scene = "level2";
    p.layers.add(l1);
    p.layers.add(l2);
    Tile t1 = named<Tile>("tile_1"), t2 = named<Tile>("tile_2");
    t1.scene = "level1";
    t2.scene = "level2";
    p.tiles.add(t1);
    p.tiles.add(t2);

    Scene f = p.scenes[0];
    f.name = "intro";
    ASSERT_TRUE(applyScene(p, 0, f, "30").ok());
    EXPECT_EQ(p.objects[1].scene, "intro");
    EXPECT_EQ(p.objects[2].scene, "level2");
    EXPECT_EQ(p.objects[3].scene, "intro");
    EXPECT_EQ(p.layers[0].scene, "intro");
    EXPECT_EQ(p.layers[1].scene, "level2");
    EXPECT_EQ(p.tiles[0].scene, "intro");
    EXPECT_EQ(p.tiles[1].scene, "level2");

    // The renamed scene's cascade follows the new name.
    p.removeByName(ResourceKind::Scene, "intro");
    EXPECT_EQ(p.objects.size(), 2u);
    EXPECT_EQ(p.layers.size(), 1u);
    EXPECT_EQ(p.tiles.size(), 1u);
}

TEST(NamingApplyBackground, RenameReachesScenesAndTilesAndKeepsThePicture) {
    Project p;
    p.backgrounds.add(named<Background>("sky"));
    p.backgrounds.add(named<Background>("bricks"));
    p.backgrounds.edit(0, [&](auto& r) { r.picture = std::make_shared<const Image>(8, 8); r.preview = Image(2, 2); });
    Scene s1 = named<Scene>("r1"), s2 = named<Scene>("r2");
    s1.background = "sky";
    s2.background = "bricks";
    p.scenes.add(s1);
    p.scenes.add(s2);
    Tile t1 = named<Tile>("t1"), t2 = named<Tile>("t2");
    t1.background = "sky";
    t2.background = "bricks";
    p.tiles.add(t1);
    p.tiles.add(t2);

    Background f = p.backgrounds[0];
    f.name = "clouds";
    f.file = "clouds.png";
    f.tile = 1;
    f.tilewidth = 16;
    f.tileheight = 8;
    f.tilexoffset = 1;
    f.tileyoffset = 2;
    f.tilexspace = 3;
    f.tileyspace = 4;
    f.picture.reset();
    f.preview = Image();
    ASSERT_TRUE(applyBackground(p, 0, f).ok());

    const Background& b = p.backgrounds[0];
    EXPECT_EQ(b.name, "clouds");
    EXPECT_EQ(b.file, "clouds.png");
    EXPECT_EQ(b.tile, 1);
    EXPECT_EQ(b.tilewidth, 16);
    EXPECT_EQ(b.tileheight, 8);
    EXPECT_EQ(b.tilexoffset + b.tileyoffset + b.tilexspace + b.tileyspace, 10);
    ASSERT_TRUE(b.picture);
    EXPECT_EQ(b.picture->width(), 8);
    EXPECT_EQ(b.preview.width(), 2);
    EXPECT_EQ(p.scenes[0].background, "clouds");
    EXPECT_EQ(p.scenes[1].background, "bricks");
    EXPECT_EQ(p.tiles[0].background, "clouds");
    EXPECT_EQ(p.tiles[1].background, "bricks");
}

TEST(NamingApplyObject, RenameReachesScriptsInstancesParentsAndFollowedObject) {
    Project p;
    p.objects.add(templ("enemy"));
    p.objects.add(templ("boss"));
    p.objects.edit(1, [&](auto& r) { r.parent = "enemy"; });
    p.objects.add(templ("player"));
    p.objects.add(instance("e1", "enemy", "level1"));
    p.objects.add(instance("b1", "boss", "level1"));
    p.objects.add(instance("enemy_spawn", "enemy", "level2"));
    p.scripts.add(script("scr_1", "enemy", "Step"));
    p.scripts.add(script("scr_2", "player", "Collision", "enemy"));
    p.scripts.add(script("scr_3", "boss", "Collision", "player"));
    Scene s = named<Scene>("level1");
    s.viewportobject = "enemy";
    p.scenes.add(s);

    GameObject f = p.objects[0];
    f.name = "foe";
    ASSERT_TRUE(applyObject(p, 0, f).ok());

    EXPECT_EQ(p.objects[0].name, "foe");
    EXPECT_EQ(p.objects[1].parent, "foe");
    EXPECT_EQ(p.objects[3].templ, "foe");
    EXPECT_EQ(p.objects[4].templ, "boss");
    EXPECT_EQ(p.objects[5].templ, "foe");
    // Instance names are names of their own, not references.
    EXPECT_EQ(p.objects[3].name, "e1");
    EXPECT_EQ(p.objects[5].name, "enemy_spawn");
    EXPECT_EQ(p.scripts[0].object, "foe");
    EXPECT_EQ(p.scripts[1].object, "player");
    EXPECT_EQ(p.scripts[1].parameter, "foe");
    EXPECT_EQ(p.scripts[2].parameter, "player");
    EXPECT_EQ(p.scenes[0].viewportobject, "foe");

    // Removing the renamed template takes its instances and scripts under the new name.
    p.removeByName(ResourceKind::Object, "foe");
    EXPECT_EQ(p.objects.size(), 3u);
    EXPECT_EQ(p.scripts.size(), 2u);
}

TEST(NamingApplyObject, InstancesTakeTheTemplateDepthEvenWithoutARename) {
    Project p;
    p.objects.add(templ("enemy"));
    p.objects.add(templ("wall"));
    p.objects.add(instance("e1", "enemy", "level1"));
    p.objects.add(instance("w1", "wall", "level1"));
    p.objects.add(instance("e2", "enemy", "level2"));
    p.objects.edit(3, [&](auto& r) { r.depth = 7; });

    GameObject f = p.objects[0];
    f.depth = -20;
    f.visible = 0;
    f.collision = 0;
    f.sprite = "ghost";
    f.parent = "wall";
    f.keywords = "bad guys";
    ASSERT_TRUE(applyObject(p, 0, f).ok());
    EXPECT_EQ(p.objects[0].depth, -20);
    EXPECT_EQ(p.objects[0].visible, 0);
    EXPECT_EQ(p.objects[0].collision, 0);
    EXPECT_EQ(p.objects[0].sprite, "ghost");
    EXPECT_EQ(p.objects[0].parent, "wall");
    EXPECT_EQ(p.objects[0].keywords, "bad guys");
    EXPECT_EQ(p.objects[2].depth, -20);
    EXPECT_EQ(p.objects[3].depth, 7);
    EXPECT_EQ(p.objects[4].depth, -20);
    // The instances take the sprite too, and keep their own place.
    EXPECT_EQ(p.objects[2].sprite, "ghost");
    EXPECT_EQ(p.objects[3].sprite, "");

    f = p.objects[0];
    f.name = "foe";
    f.depth = 3;
    ASSERT_TRUE(applyObject(p, 0, f).ok());
    EXPECT_EQ(p.objects[2].templ, "foe");
    EXPECT_EQ(p.objects[2].depth, 3);
    EXPECT_EQ(p.objects[4].depth, 3);
}

TEST(NamingApplyObject, FailedApplyLeavesDepthAndReferencesAlone) {
    Project p;
    p.objects.add(templ("enemy"));
    p.objects.add(templ("wall"));
    p.objects.add(instance("e1", "enemy", "level1"));
    p.scripts.add(script("scr_1", "enemy", "Step"));
    const std::string before = describe(p);

    GameObject f = p.objects[0];
    f.name = "wall";
    f.depth = 50;
    EXPECT_FALSE(applyObject(p, 0, f).ok());
    f.name = "";
    EXPECT_FALSE(applyObject(p, 0, f).ok());
    EXPECT_EQ(describe(p), before);
}

TEST(NamingApplyPlainKinds, StoreEveryWindowField) {
    Project p;
    createSound(p);
    createMusic(p);
    createFunction(p);
    const int soundUid = p.sounds[0].uid, musicUid = p.musics[0].uid, fnUid = p.fns[0].uid;

    Sound s = p.sounds[0];
    s.name = "jump";
    s.wav = "jump.wav";
    s.mp3 = "jump.mp3";
    s.ogg = "jump.ogg";
    s.keywords = "sfx";
    s.uid = 0;
    ASSERT_TRUE(applySound(p, 0, s).ok());
    EXPECT_EQ(p.sounds[0].name + p.sounds[0].wav + p.sounds[0].mp3 + p.sounds[0].ogg + p.sounds[0].keywords,
              "jumpjump.wavjump.mp3jump.oggsfx");
    EXPECT_EQ(p.sounds[0].uid, soundUid);

    Music m = p.musics[0];
    m.name = "theme";
    m.ogg = "theme.ogg";
    m.uid = 0;
    ASSERT_TRUE(applyMusic(p, 0, m).ok());
    EXPECT_EQ(p.musics[0].name, "theme");
    EXPECT_EQ(p.musics[0].ogg, "theme.ogg");
    EXPECT_EQ(p.musics[0].uid, musicUid);

    GameFunction fn = p.fns[0];
    fn.name = "clamp";
    fn.params = "v, lo, hi";
    fn.description = "keeps v between lo and hi";
    fn.code = "return Math.min(hi, Math.max(lo, v));";
    fn.keywords = "math";
    fn.uid = 0;
    ASSERT_TRUE(applyFunction(p, 0, fn).ok());
    EXPECT_EQ(p.fns[0].name, "clamp");
    EXPECT_EQ(p.fns[0].params, "v, lo, hi");
    EXPECT_EQ(p.fns[0].description, "keeps v between lo and hi");
    EXPECT_EQ(p.fns[0].code, "return Math.min(hi, Math.max(lo, v));");
    EXPECT_EQ(p.fns[0].keywords, "math");
    EXPECT_EQ(p.fns[0].uid, fnUid);

    // Renaming a sound touches no other table, even where a name matches.
    p.objects.add(templ("player", "jump"));
    s = p.sounds[0];
    s.name = "hop";
    ASSERT_TRUE(applySound(p, 0, s).ok());
    EXPECT_EQ(p.objects[0].sprite, "jump");
}

TEST(NamingApply, RecordsSharingANameCannotBeAppliedUntilOneIsRenamed) {
    // Each window of two records holding one name reports the clash; the record
    // passed as its own window fields applies cleanly once the clash is gone.
    Project p;
    p.sprites.add(named<Sprite>("sprite_2"));
    p.sprites.add(named<Sprite>("sprite_2"));
    Sprite f = p.sprites[1];
    EXPECT_EQ(applySprite(p, 1, f).errors, (Errors{"The sprite name 'sprite_2' already exists"}));
    EXPECT_EQ(applySprite(p, 0, f).errors, (Errors{"The sprite name 'sprite_2' already exists"}));
    f.name = "sprite_3";
    EXPECT_TRUE(applySprite(p, 1, f).ok());
    EXPECT_TRUE(applySprite(p, 0, p.sprites[0]).ok());
}

} // namespace
TEST(ApplyEditorState, ASpriteKeepsItsWindowsStateWhenTheFieldsComeFromAnOlderCopy) {
    Project p;
    std::string name = createSprite(p);
    Sprite fields = p.sprites[0];  // the window took its copy when it opened
    p.sprites.edit(0, [&](auto& r) { r.spritewindow.zoom = 8; r.shapeeditor = {}; });
    fields.name = name + "_renamed";
    ASSERT_TRUE(applySprite(p, 0, fields).ok());
    EXPECT_EQ(p.sprites[0].name, name + "_renamed");
    EXPECT_EQ(p.sprites[0].spritewindow.zoom, 8);
}

} // namespace pondaro
