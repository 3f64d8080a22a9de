#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "project/model.h"
#include "project/table.h"

namespace pondaro {
namespace {

// ---- Table name index ------------------------------------------------------------

struct Named {
    std::string name;
    int tag = 0;
};

// What the index must agree with: the first record in table order holding the name.
size_t linearFind(const std::vector<Named>& records, const std::string& name) {
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].name == name) return i;
    return Table<Named>::npos;
}

bool linearTakenByOther(const std::vector<Named>& records, const std::string& name, size_t self) {
    for (size_t i = 0; i < records.size(); ++i)
        if (i != self && records[i].name == name) return true;
    return false;
}

void expectIndexMatchesScan(const Table<Named>& table, const std::vector<Named>& shadow,
                            const std::vector<std::string>& names) {
    ASSERT_EQ(table.size(), shadow.size());
    for (size_t i = 0; i < shadow.size(); ++i) {
        ASSERT_EQ(table[i].name, shadow[i].name) << "record " << i;
        ASSERT_EQ(table[i].tag, shadow[i].tag) << "record " << i;
    }
    for (const auto& name : names) {
        size_t expected = linearFind(shadow, name);
        ASSERT_EQ(table.find(name), expected) << "name '" << name << "'";
        ASSERT_EQ(table.contains(name), expected != Table<Named>::npos) << "name '" << name << "'";
        const Named* got = table.get(name);
        if (expected == Table<Named>::npos) ASSERT_EQ(got, nullptr);
        else ASSERT_EQ(got, &table[expected]);
        for (size_t self = 0; self <= shadow.size(); ++self)
            ASSERT_EQ(table.takenByOther(name, self), linearTakenByOther(shadow, name, self))
                << "name '" << name << "', self " << self;
    }
}

TEST(TableIndex, AgreesWithLinearScanOverRandomEditSequences) {
    // A pool of five names over hundreds of records keeps many duplicates alive, so
    // renames and removals keep moving the first holder of a name.
    const std::vector<std::string> pool = {"a", "b", "c", "d", "e"};
    std::vector<std::string> probed = pool;
    probed.push_back("never");
    probed.push_back("");

    for (unsigned seed : {1u, 7u, 42u, 1234u, 98765u}) {
        std::mt19937 rng(seed);
        auto pick = [&](size_t n) { return size_t(rng() % n); };
        Table<Named> table;
        std::vector<Named> shadow;
        int nextTag = 0;

        for (int step = 0; step < 1500; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            const uint64_t version = table.version();
            const size_t records = shadow.size();
            bool renamed = false;
            size_t op = pick(20);
            if (op < 8 || shadow.empty()) {
                // "" is a legal name too: a record read from a file may hold it.
                Named r{op == 0 ? std::string() : pool[pick(pool.size())], nextTag++};
                ASSERT_EQ(table.add(r), shadow.size());
                shadow.push_back(r);
            } else if (op < 15) {
                size_t i = pick(shadow.size());
                std::string name = pool[pick(pool.size())];
                table.rename(i, name);
                renamed = shadow[i].name != name;
                shadow[i].name = name;
            } else if (op < 17) {
                std::string name = pool[pick(pool.size())];
                size_t removed = table.removeByName(name);
                size_t before = shadow.size();
                std::erase_if(shadow, [&](const Named& r) { return r.name == name; });
                ASSERT_EQ(removed, before - shadow.size());
            } else {
                int k = int(pick(4)) + 2, rest = int(pick(size_t(k)));
                auto pred = [&](const Named& r) { return r.tag % k == rest; };
                size_t removed = table.removeIf(pred);
                size_t before = shadow.size();
                std::erase_if(shadow, pred);
                ASSERT_EQ(removed, before - shadow.size());
            }
            // A rename to the same name or a removal that found nothing changed nothing.
            if (shadow.size() != records || renamed) EXPECT_GT(table.version(), version) << "op " << op;
            expectIndexMatchesScan(table, shadow, probed);
        }
    }
}

// Views compare versions instead of being told of changes: every step below changes
// the table, so each must count the version up.
TEST(TableIndex, EditsAndCopiesKeepTheIndexTrueEvenWhenAnEditRenamesAndEveryChangeCountsTheVersionUp) {
    const std::vector<std::string> pool = {"a", "b", "c"};
    std::vector<std::string> probed = pool;
    probed.push_back("never");
    for (unsigned seed : {3u, 11u, 2024u}) {
        std::mt19937 rng(seed);
        auto pick = [&](size_t n) { return size_t(rng() % n); };
        Table<Named> table;
        std::vector<Named> shadow;
        for (int step = 0; step < 800; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            const uint64_t before = table.version();
            const size_t op = pick(10);
            if (op < 4 || shadow.empty()) {
                Named r{pool[pick(pool.size())], step};
                table.add(r);
                shadow.push_back(r);
            } else if (op < 7) {
                // Mostly a field; now and then the name itself.
                const size_t i = pick(shadow.size());
                const bool rename = pick(3) == 0;
                const std::string name = pool[pick(pool.size())];
                auto change = [&](Named& r) {
                    r.tag += 1000;
                    if (rename) r.name = name;
                };
                if (pick(2)) {
                    table.edit(i, change);
                } else {
                    // An edit may hand back what it worked out.
                    const int tag = table.edit(i, [&](Named& r) {
                        change(r);
                        return r.tag;
                    });
                    ASSERT_EQ(tag, shadow[i].tag + 1000);
                }
                change(shadow[i]);
            } else if (op < 8) {
                const std::string from = pool[pick(pool.size())], to = pool[pick(pool.size())];
                auto change = [&](Named& r) {
                    ++r.tag;
                    if (r.name == from && r.tag % 2) r.name = to;
                };
                table.editEach(change);
                for (Named& r : shadow) change(r);
            } else if (op < 9) {
                // A copy has an index of its own, which outlives the table it came from.
                Table<Named> copy(table);
                table = Table<Named>();
                table = copy;
            } else {
                const size_t i = pick(shadow.size() + 1);
                EXPECT_EQ(table.tryEdit(i, [](Named& r) { r.tag = -r.tag; }), i < shadow.size());
                if (i < shadow.size()) shadow[i].tag = -shadow[i].tag;
                else continue;  // nothing changed
            }
            EXPECT_GT(table.version(), before) << "op " << op;
            expectIndexMatchesScan(table, shadow, probed);
        }
    }
}

TEST(TableIndex, FirstMatchMovesWithRenamesOfHolders) {
    Table<Named> t;
    t.add({"x", 0});
    t.add({"y", 1});
    t.add({"x", 2});
    t.add({"x", 3});
    ASSERT_EQ(t.find("x"), 0u);

    // The first holder leaves the name: the next one in table order takes over.
    t.rename(0, "z");
    EXPECT_EQ(t.find("x"), 2u);
    EXPECT_EQ(t.find("z"), 0u);

    // A record before the current first holder takes the name: it becomes first.
    t.rename(1, "x");
    EXPECT_EQ(t.find("x"), 1u);
    EXPECT_TRUE(t.takenByOther("x", 1));

    t.rename(1, "y");
    t.rename(2, "y");
    t.rename(3, "w");
    EXPECT_FALSE(t.contains("x"));
    EXPECT_EQ(t.find("y"), 1u);
    EXPECT_FALSE(t.takenByOther("w", 3));
    EXPECT_TRUE(t.takenByOther("w", 0));

    // Renaming to the current name changes nothing.
    t.rename(3, "w");
    EXPECT_EQ(t.find("w"), 3u);
    EXPECT_FALSE(t.takenByOther("w", 3));
}

TEST(TableIndex, RemovalKeepsOrderAndReindexes) {
    Table<Named> t;
    for (int i = 0; i < 6; ++i) t.add({i % 2 ? "odd" : "even", i});
    EXPECT_EQ(t.removeByName("even"), 3u);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].tag, 1);
    EXPECT_EQ(t[1].tag, 3);
    EXPECT_EQ(t[2].tag, 5);
    EXPECT_EQ(t.find("odd"), 0u);
    EXPECT_FALSE(t.contains("even"));
    EXPECT_EQ(t.removeByName("even"), 0u);
    // A record added after a removal is found at its new index.
    EXPECT_EQ(t.add({"even", 9}), 3u);
    EXPECT_EQ(t.find("even"), 3u);
    const uint64_t version = t.version();
    t.reorder({3, 2, 1, 0});
    EXPECT_EQ(t.find("even"), 0u);
    EXPECT_GT(t.version(), version);
    t.clear();
    EXPECT_TRUE(t.empty());
    EXPECT_FALSE(t.contains("odd"));
}

// ---- Project ---------------------------------------------------------------------

GameObject templ(const std::string& name, const std::string& sprite = "") {
    GameObject o;
    o.prototype = 1;
    o.name = name;
    o.sprite = sprite;
    return o;
}

GameObject instance(const std::string& name, const std::string& of, const std::string& scene,
                    const std::string& sprite = "") {
    GameObject o;
    o.prototype = 0;
    o.name = name;
    o.templ = of;
    o.scene = scene;
    o.sprite = sprite;
    return o;
}

template <class Record>
std::vector<std::string> namesOf(const Table<Record>& table) {
    std::vector<std::string> names;
    for (const auto& r : table) names.push_back(r.name);
    return names;
}

using Names = std::vector<std::string>;

TEST(ProjectModel, NameTakenIsPerKindAndExact) {
    Project p;
    Sprite s;
    s.name = "hero";
    p.sprites.add(s);
    p.objects.add(templ("Hero"));
    Layer l;
    l.name = "ground";
    p.layers.add(l);

    EXPECT_TRUE(p.nameTaken(ResourceKind::Sprite, "hero"));
    EXPECT_FALSE(p.nameTaken(ResourceKind::Sprite, "Hero"));
    EXPECT_FALSE(p.nameTaken(ResourceKind::Sprite, "hero "));
    EXPECT_TRUE(p.nameTaken(ResourceKind::Object, "Hero"));
    EXPECT_FALSE(p.nameTaken(ResourceKind::Object, "hero"));
    EXPECT_FALSE(p.nameTaken(ResourceKind::Sound, "hero"));
    EXPECT_TRUE(p.nameTaken(ResourceKind::Layer, "ground"));
    EXPECT_FALSE(p.nameTaken(ResourceKind::Tile, "ground"));
}

TEST(ProjectModel, TemplatesAndInstancesShareOneNameSpace) {
    Project p;
    p.objects.add(templ("player"));
    p.objects.add(instance("SceneObject5", "player", "level"));
    EXPECT_TRUE(p.nameTaken(ResourceKind::Object, "player"));
    EXPECT_TRUE(p.nameTaken(ResourceKind::Object, "SceneObject5"));
    // An instance named like the template clashes with it.
    EXPECT_TRUE(p.objects.takenByOther("player", p.objects.size()));
}

TEST(ProjectModel, ResetEmptiesEverythingAndRestartsTheCounter) {
    Project p;
    p.game.title = "T";
    p.game.advancedscriptmode = 1;
    {
        Sprite s;
        s.name = "s";
        p.sprites.add(s);
        p.frames.push_back({"0", "s", Image(2, 2)});
        p.points.push_back({"s", 1, 1});
        p.objects.add(templ("o"));
        Scene sc;
        sc.name = "r";
        p.scenes.add(sc);
        p.renames.add({"a", "a_2", "SPRITE"});
        p.counter = 40;
    }
    p.reset();
    EXPECT_TRUE(p.sprites.empty());
    EXPECT_TRUE(p.frames.empty());
    EXPECT_TRUE(p.points.empty());
    EXPECT_TRUE(p.objects.empty());
    EXPECT_TRUE(p.scenes.empty());
    EXPECT_TRUE(p.renames.empty());
    EXPECT_FALSE(p.nameTaken(ResourceKind::Sprite, "s"));
    EXPECT_EQ(p.game.title, "");
    EXPECT_EQ(p.game.advancedscriptmode, 0);
    EXPECT_EQ(p.counter, 1);
    EXPECT_EQ(p.nextIdentity(), 2);
}

TEST(ProjectModel, CounterRestartCountsTwelveTablesButNotPoints) {
    Project p;
    auto named = [](const char* n) {
        Sprite s;
        s.name = n;
        return s;
    };
    p.sprites.add(named("a"));
    p.sprites.add(named("b"));
    p.frames.push_back({"0", "a", {}});
    p.points.push_back({"a", 0, 0});
    p.points.push_back({"a", 1, 0});
    p.objects.add(templ("o"));
    Script sc;
    sc.name = "scr_1";
    p.scripts.add(sc);
    Layer l;
    l.name = "layer_1";
    p.layers.add(l);
    EXPECT_EQ(p.recordCountForCounter(), 6);
}

TEST(ProjectModel, SpriteIndexAndFirstFrameImage) {
    Project p;
    for (const char* n : {"a", "b"}) {
        Sprite s;
        s.name = n;
        p.sprites.add(s);
    }
    p.frames.push_back({"0", "a", Image(1, 1)});
    p.frames.push_back({"0", "b", Image(2, 3)});
    p.frames.push_back({"1", "b", Image(4, 4)});
    EXPECT_EQ(p.spriteIndex("b"), 1);
    EXPECT_EQ(p.spriteIndex("c"), -1);
    ASSERT_NE(p.firstFrameImage("b"), nullptr);
    EXPECT_EQ(p.firstFrameImage("b")->width(), 2);
    EXPECT_EQ(p.firstFrameImage("b")->height(), 3);
    EXPECT_EQ(p.firstFrameImage("c"), nullptr);
}

// ---- Removal and its cascades -----------------------------------------------------

TEST(ProjectModelRemoval, SceneTakesItsInstancesLayersAndTilesButNoTemplates) {
    Project p;
    for (const char* n : {"s1", "s2"}) {
        Scene s;
        s.name = n;
        p.scenes.add(s);
    }
    GameObject odd = templ("t");
    odd.scene = "s1";  // a template is never one of a scene's instances
    p.objects.add(odd);
    p.objects.add(instance("i1", "t", "s1"));
    p.objects.add(instance("i2", "t", "s2"));
    p.objects.add(instance("i3", "t", "s1"));
    for (auto [n, s] : {std::pair{"l1", "s1"}, {"l2", "s2"}, {"l3", "s1"}}) {
        Layer l;
        l.name = n;
        l.scene = s;
        p.layers.add(l);
    }
    for (auto [n, s] : {std::pair{"t1", "s1"}, {"t2", "s2"}}) {
        Tile t;
        t.name = n;
        t.scene = s;
        p.tiles.add(t);
    }

    p.removeByName(ResourceKind::Scene, "s1");
    EXPECT_EQ(namesOf(p.scenes), (Names{"s2"}));
    EXPECT_EQ(namesOf(p.objects), (Names{"t", "i2"}));
    EXPECT_EQ(namesOf(p.layers), (Names{"l2"}));
    EXPECT_EQ(namesOf(p.tiles), (Names{"t2"}));
    EXPECT_TRUE(p.modified());
    EXPECT_EQ(p.objects.find("i2"), 1u);
}

TEST(ProjectModelRemoval, TemplateTakesItsInstancesAndScripts) {
    Project p;
    p.objects.add(templ("a"));
    p.objects.add(templ("b"));
    p.objects.add(instance("ia1", "a", "s1"));
    p.objects.add(instance("ib1", "b", "s1"));
    p.objects.add(instance("ia2", "a", "s2"));
    for (auto [n, o] : {std::pair{"scr_1", "a"}, {"scr_2", "b"}, {"scr_3", "a"}}) {
        Script s;
        s.name = n;
        s.object = o;
        p.scripts.add(s);
    }
    p.removeByName(ResourceKind::Object, "a");
    EXPECT_EQ(namesOf(p.objects), (Names{"b", "ib1"}));
    EXPECT_EQ(namesOf(p.scripts), (Names{"scr_2"}));

    // Removing an instance removes that instance only.
    p.removeByName(ResourceKind::Object, "ib1");
    EXPECT_EQ(namesOf(p.objects), (Names{"b"}));
    EXPECT_EQ(namesOf(p.scripts), (Names{"scr_2"}));
}

TEST(ProjectModelRemoval, SpriteLeavesObjectsWithoutASpriteAndTakesFramesAndPoints) {
    Project p;
    for (const char* n : {"hero", "wall"}) {
        Sprite s;
        s.name = n;
        p.sprites.add(s);
    }
    p.objects.add(templ("player", "hero"));
    p.objects.add(templ("block", "wall"));
    p.objects.add(instance("i1", "player", "s", "hero"));
    p.frames.push_back({"0", "hero", {}});
    p.frames.push_back({"0", "wall", {}});
    p.frames.push_back({"1", "hero", {}});
    p.points.push_back({"hero", 1, 2});
    p.points.push_back({"wall", 3, 4});

    p.removeByName(ResourceKind::Sprite, "hero");
    EXPECT_EQ(namesOf(p.sprites), (Names{"wall"}));
    EXPECT_EQ(p.objects[0].sprite, "");
    EXPECT_EQ(p.objects[1].sprite, "wall");
    EXPECT_EQ(p.objects[2].sprite, "");
    ASSERT_EQ(p.frames.size(), 1u);
    EXPECT_EQ(p.frames[0].sprite, "wall");
    ASSERT_EQ(p.points.size(), 1u);
    EXPECT_EQ(p.points[0].x, 3);
}

TEST(ProjectModelRemoval, BackgroundClearsScenesAndTakesItsTiles) {
    Project p;
    for (const char* n : {"sky", "bricks"}) {
        Background b;
        b.name = n;
        p.backgrounds.add(b);
    }
    for (auto [n, bg] : {std::pair{"r1", "sky"}, {"r2", "bricks"}}) {
        Scene s;
        s.name = n;
        s.background = bg;
        p.scenes.add(s);
    }
    for (auto [n, bg] : {std::pair{"t1", "sky"}, {"t2", "bricks"}, {"t3", "sky"}}) {
        Tile t;
        t.name = n;
        t.background = bg;
        p.tiles.add(t);
    }
    p.removeByName(ResourceKind::Background, "sky");
    EXPECT_EQ(namesOf(p.backgrounds), (Names{"bricks"}));
    EXPECT_EQ(p.scenes[0].background, "");
    EXPECT_EQ(p.scenes[1].background, "bricks");
    EXPECT_EQ(namesOf(p.tiles), (Names{"t2"}));
}

TEST(ProjectModelRemoval, PlainKindsRemoveEveryHolderAndNothingElse) {
    Project p;
    for (const char* n : {"x", "y", "x"}) {
        Sound s;
        s.name = n;
        p.sounds.add(s);
    }
    Music m;
    m.name = "x";
    p.musics.add(m);
    p.removeByName(ResourceKind::Sound, "x");
    EXPECT_EQ(namesOf(p.sounds), (Names{"y"}));
    EXPECT_EQ(namesOf(p.musics), (Names{"x"}));
    EXPECT_TRUE(p.modified());  // a deletion is an unsaved change

    // A name no record holds changes nothing, cascades and the modified flag included.
    GameObject stray = instance("i", "t", "nowhere");
    p.objects.add(stray);
    p.clearModified();
    p.removeByName(ResourceKind::Scene, "nowhere");
    p.removeByName(ResourceKind::Font, "x");
    EXPECT_EQ(namesOf(p.objects), (Names{"i"}));
    EXPECT_EQ(namesOf(p.musics), (Names{"x"}));
    EXPECT_FALSE(p.modified());
}

// ---- Rename table and kind keywords -------------------------------------------------

TEST(RenameTableLookup, IgnoresCaseAndTakesTheLastMatch) {
    RenameTable t;
    t.add({"Hero", "Hero_4", "SPRITE"});
    t.add({"hero", "hero_9", "SPRITE"});
    t.add({"hero", "hero_12", "OBJECT"});

    EXPECT_EQ(t.lookup("SPRITE", "HERO"), "hero_9");
    EXPECT_EQ(t.lookup("sprite", "Hero"), "hero_9");
    EXPECT_EQ(t.lookup("Object", "hero"), "hero_12");
    // Another kind is not matched; an unknown name comes back as it is.
    EXPECT_EQ(t.lookup("SOUND", "hero"), "hero");
    EXPECT_EQ(t.lookup("SPRITE", "villain"), "villain");
    EXPECT_EQ(t.entries().size(), 3u);

    t.clear();
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t.lookup("SPRITE", "hero"), "hero");
}

TEST(ProjectModelKindKeyword, ParsesAnyLetterCaseAndRoundTrips) {
    const ResourceKind all[] = {ResourceKind::Sprite, ResourceKind::Sound,      ResourceKind::Music,
                                ResourceKind::Font,   ResourceKind::Background, ResourceKind::Object,
                                ResourceKind::Scene,  ResourceKind::Function,   ResourceKind::Layer,
                                ResourceKind::Tile,   ResourceKind::Script};
    for (ResourceKind k : all) {
        std::string keyword = kindKeyword(k);
        ASSERT_FALSE(keyword.empty());
        EXPECT_EQ(parseResourceKind(keyword), k) << keyword;
        std::string lower = keyword;
        for (char& c : lower) c = char(c - 'A' + 'a');
        EXPECT_EQ(parseResourceKind(lower), k) << lower;
    }
    EXPECT_EQ(parseResourceKind("bAcKgRoUnD"), ResourceKind::Background);
    EXPECT_EQ(parseResourceKind("SPRITES"), std::nullopt);
    EXPECT_EQ(parseResourceKind(" SPRITE"), std::nullopt);
    EXPECT_EQ(parseResourceKind(""), std::nullopt);
    EXPECT_EQ(parseResourceKind("FRAME"), std::nullopt);
}

} // namespace
} // namespace pondaro
