// A Save writes only the files that differ from what the project folder holds, and
// leaves exactly the folder a save of everything leaves: after any change made in
// the studio or outside it.
#include <functional>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "base/file_stamp.h"
#include "base/files.h"
#include "image/image_test_util.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "sprites/effect_dialog.h"
#include "sprites/frames.h"
#include "sprites/image_editor.h"
#include "sprites/strip_import.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;
namespace fs = std::filesystem;

namespace {

// The same project saved two ways after every change: only what changed into
// Projects/changed, everything into Projects/full.
struct TwoSaves {
    TempFolder dir;
    Project p;

    TwoSaves() {
        p.workingFolder = "_temp_1";
        writeTestFile(dir.path() / p.workingFolder / "boom.wav", "RIFF-one");
        writeTestFile(dir.path() / p.workingFolder / "sky.png", "sky picture");
        addSprite(p, "hero");
        addSprite(p, "rock");
        addFrame(p, "hero", "0", patterned(6, 4));
        addFrame(p, "hero", "1", filled(6, 4, {1, 2, 3, 255}));
        addFrame(p, "rock", "0", filled(3, 3, {9, 9, 9, 128}));
        createSound(p);
        p.sounds.edit(0, [](auto& r) { r.wav = "boom.wav"; });
        createBackground(p);
        p.backgrounds.edit(0, [](auto& r) { r.file = "sky.png"; });
        save();
    }
    fs::path folder(const std::string& name) const { return dir.path() / "Projects" / name; }
    fs::path work(const std::string& file) const { return dir.path() / p.workingFolder / file; }

    void save() {
        p.name = "changed";
        ASSERT_TRUE(writeProject(p, dir.path()));
        p.name = "full";
        ASSERT_TRUE(writeProject(p, dir.path(), SaveWrites::All));
    }
};

// Every file of the folder (relative name) with its bytes, or with its stamp.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = readTestFile(e.path());
    return files;
}
std::map<std::string, FileStamp> stamps(const fs::path& folder) {
    std::map<std::string, FileStamp> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (auto s = fileStamp(e.path())) files[fs::relative(e.path(), folder).string()] = *s;
    return files;
}

// The files of the two folders that differ, by name; none when they are the same.
std::vector<std::string> differences(const fs::path& a, const fs::path& b) {
    const auto inA = contents(a), inB = contents(b);
    std::set<std::string> names;
    for (const auto& [file, bytes] : inA) names.insert(file);
    for (const auto& [file, bytes] : inB) names.insert(file);
    std::vector<std::string> differing;
    for (const std::string& file : names)
        if (!inA.count(file) || !inB.count(file) || inA.at(file) != inB.at(file)) differing.push_back(file);
    return differing;
}

// The files other than `written` kept their stamps: the save left them alone.
void expectOnlyWritten(const std::map<std::string, FileStamp>& before, const std::map<std::string, FileStamp>& after,
                       const std::set<std::string>& written) {
    for (const auto& [file, stamp] : before)
        if (!written.count(file) && after.count(file)) EXPECT_EQ(after.at(file), stamp) << file << " was written again";
}

} // namespace

TEST(SaveChanges, WritesOnlyWhatChangedAndLeavesTheFolderAFullSaveLeaves) {
    TwoSaves t;
    struct Step {
        const char* change;
        std::function<void(TwoSaves&)> make;
        std::set<std::string> written;  // in Projects/changed, besides the project file
    };
    const std::vector<Step> steps = {
        {"nothing", [](TwoSaves&) {}, {}},
        {"one pixel of a frame", [](TwoSaves& t) { t.p.frames[1].image.setPixel(5, 3, {1, 2, 4, 255}); },
         {"img/hero_1.png"}},
        {"a new frame", [](TwoSaves& t) { addFrame(t.p, "rock", "1", filled(3, 3, {7, 7, 7, 255})); },
         {"img/rock_1.png"}},
        {"a deleted frame", [](TwoSaves& t) { t.p.frames.erase(t.p.frames.begin()); }, {}},
        {"a renamed sprite",
         [](TwoSaves& t) {
             Sprite fields = t.p.sprites[1];
             fields.name = "stone";
             ASSERT_TRUE(applySprite(t.p, 1, fields).ok());
         },
         {"img/stone_0.png", "img/stone_1.png"}},
        {"a frame file deleted on disk", [](TwoSaves& t) { fs::remove(t.folder("changed") / "img/hero_1.png"); },
         {"img/hero_1.png"}},
        {"a frame file replaced outside the studio",
         [](TwoSaves& t) { writeTestFile(t.folder("changed") / "img/stone_0.png", "edited elsewhere"); },
         {"img/stone_0.png"}},
        {"a sound file deleted on disk", [](TwoSaves& t) { fs::remove(t.folder("changed") / "aud/boom.wav"); },
         {"aud/boom.wav"}},
        {"a sound loaded again into the working folder",
         [](TwoSaves& t) { writeTestFile(t.work("boom.wav"), "RIFF-two"); }, {"aud/boom.wav"}},
        {"a background file replaced outside the studio",
         [](TwoSaves& t) { writeTestFile(t.folder("changed") / "img/sky.png", "other sky!!"); }, {"img/sky.png"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        step.make(t);
        const auto before = stamps(t.folder("changed"));
        t.save();
        expectOnlyWritten(before, stamps(t.folder("changed")), step.written);
        EXPECT_EQ(differences(t.folder("changed"), t.folder("full")), std::vector<std::string>{});
        EXPECT_EQ(readTestFile(t.dir.path() / "Projects/changed.xml"), readTestFile(t.dir.path() / "Projects/full.xml"));
    }
}

TEST(SaveChanges, AnOpenedProjectIsSavedWithoutWritingItsFilesAgainUntilOneChanges) {
    TwoSaves t;
    Project q;
    q.workingFolder = "_temp_2";
    ensureDirectory(t.dir.path() / q.workingFolder);
    ASSERT_TRUE(readProject(q, "changed", false, t.dir.path()));
    q.name = "changed";
    auto before = stamps(t.folder("changed"));
    ASSERT_TRUE(writeProject(q, t.dir.path()));
    expectOnlyWritten(before, stamps(t.folder("changed")), {});

    q.frames[2].image.setPixel(0, 0, {0, 0, 0, 0});
    ASSERT_TRUE(writeProject(q, t.dir.path()));
    Project r;
    r.workingFolder = "_temp_3";
    ensureDirectory(t.dir.path() / r.workingFolder);
    ASSERT_TRUE(readProject(r, "changed", false, t.dir.path()));
    EXPECT_EQ(r.frames[2].image, q.frames[2].image);
}

// Every editing operation on frames reaches the next Save, whichever way it changes
// them: none needs to tell the save.
TEST(SaveChanges, AFrameChangedByAnyEditingOperationIsWrittenAtTheNextSave) {
    struct Operation {
        const char* name;
        std::function<void(TwoSaves&)> edit;
    };
    auto stroke = [](Project& p, ImageEditor& ed) {
        pressButton(p, ed, MouseButton::Left, 2, 2);
        releaseButton(p, ed, MouseButton::Left, 2, 2);
    };
    const std::vector<Operation> operations = {
        {"an effect",
         [](TwoSaves& t) {
             auto preview = openEffectPreview(t.p, Effect::Invert, "hero", 0, 0);
             ASSERT_TRUE(preview);
             preview->applyToAllFrames = false;
             applyEffectPreview(t.p, *preview);
         }},
        {"a stretch of every frame",
         [](TwoSaves& t) {
             auto dialog = openSizeDialog(t.p, SizeOperation::Stretch, "hero");
             ASSERT_TRUE(dialog);
             ASSERT_EQ(applySizeDialog(t.p, *dialog, "12", "8"), "");
         }},
        {"a stroke of the image editor",
         [&](TwoSaves& t) {
             auto ed = openImageEditor(t.p, "hero", 1);
             ASSERT_TRUE(ed);
             stroke(t.p, *ed);
         }},
        {"undo in the image editor after a save",
         [&](TwoSaves& t) {
             auto ed = openImageEditor(t.p, "hero", 1);
             ASSERT_TRUE(ed);
             stroke(t.p, *ed);
             t.save();
             undoLastChange(t.p, *ed);
         }},
        {"a strip import",
         [](TwoSaves& t) {
             FakeDialogs d;
             StripImport import;
             import.sheet = patterned(12, 4);
             setStripGrid(import, "2", "1");
             ASSERT_TRUE(importStrip(t.p, d, import));
         }},
        {"frames moved", [](TwoSaves& t) { moveFrameRight(t.p, "hero", 0); }},
        {"a frame duplicated", [](TwoSaves& t) { duplicateFrame(t.p, "hero", 1); }},
        {"a new sprite picture",
         [](TwoSaves& t) {
             int current = 0;
             ASSERT_EQ(createNewSprite(t.p, "hero", 5, 5, current), "");
         }},
    };
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        TwoSaves t;
        op.edit(t);
        t.save();
        EXPECT_EQ(differences(t.folder("changed"), t.folder("full")), std::vector<std::string>{});
    }
}

// The project file is left alone only while every value it holds is as the last Save
// wrote it: each kind of change of a record, of the record order or of the project's
// own fields reaches the next Save, and so does the file changed outside the studio.
TEST(SaveChanges, TheProjectFileIsWrittenAgainAfterAnyChangeOfWhatItHoldsAndOnlyThen) {
    TwoSaves t;
    Project& p = t.p;
    createMusic(p);
    createFont(p);
    const std::string templ = createObject(p);
    GameObject instance;
    instance.templ = templ;
    instance.scene = "scene_a";
    for (const char* name : {"inst_1", "inst_2"}) {
        instance.name = name;
        p.objects.add(instance);
    }
    Script script;
    script.name = "scr_1";
    script.object = templ;
    script.event = "Step";
    script.code = "x += 1;";
    p.scripts.add(script);
    createScene(p);
    createLayer(p, p.scenes[0].name);
    Tile tile;
    tile.name = "tile_1";
    tile.background = p.backgrounds[0].name;
    tile.scene = p.scenes[0].name;
    p.tiles.add(tile);
    createFunction(p);
    p.points.push_back(Point{"hero", 1, 2});
    t.save();

    const fs::path file = t.dir.path() / "Projects/changed.xml";
    struct Change {
        const char* what;
        std::function<void(TwoSaves&)> make;
    };
    const std::vector<Change> changes = {
        {"the game title", [](TwoSaves& t) { t.p.game.title = "Cave"; }},
        {"the scripting mode", [](TwoSaves& t) { t.p.game.advancedscriptmode = 1; }},
        {"the global variables", [](TwoSaves& t) { t.p.game.variables = "var lives = 3;"; }},
        {"the custom functions", [](TwoSaves& t) { t.p.game.functions = "function f() {}"; }},
        {"the game comments", [](TwoSaves& t) { t.p.game.comments = "made on a rainy day"; }},
        {"the identity counter", [](TwoSaves& t) { t.p.nextIdentity(); }},
        {"the image folder", [](TwoSaves& t) { t.p.imgfolder = "pictures"; }},
        {"a sprite field", [](TwoSaves& t) { t.p.sprites.edit(0, [](Sprite& s) { s.centerx = 3; }); }},
        {"the frame order", [](TwoSaves& t) { std::swap(t.p.frames[0], t.p.frames[1]); }},
        {"a sound file", [](TwoSaves& t) { t.p.sounds.edit(0, [](Sound& s) { s.ogg = "boom.ogg"; }); }},
        {"a music's keywords", [](TwoSaves& t) { t.p.musics.edit(0, [](Music& m) { m.keywords = "calm"; }); }},
        {"a background's tiling", [](TwoSaves& t) { t.p.backgrounds.edit(0, [](Background& b) { b.tile = 1; }); }},
        {"a font's size", [](TwoSaves& t) { t.p.fonts.edit(0, [](Font& f) { f.size = 14; }); }},
        {"a template's depth", [](TwoSaves& t) { t.p.objects.edit(0, [](GameObject& o) { o.depth = -5; }); }},
        {"an instance moved", [](TwoSaves& t) { t.p.objects.edit(1, [](GameObject& o) { o.x = 40; }); }},
        {"the object order", [](TwoSaves& t) { t.p.objects.reorder({0, 2, 1}); }},
        {"an event's code", [](TwoSaves& t) { t.p.scripts.edit(0, [](Script& s) { s.code = "x -= 1;"; }); }},
        {"an event's kind", [](TwoSaves& t) { t.p.scripts.edit(0, [](Script& s) { s.event = "Draw"; }); }},
        {"a scene's speed", [](TwoSaves& t) { t.p.scenes.edit(0, [](Scene& s) { s.speed = 60; }); }},
        {"a scene's code", [](TwoSaves& t) { t.p.scenes.edit(0, [](Scene& s) { s.code = "start();"; }); }},
        {"a layer's depth", [](TwoSaves& t) { t.p.layers.edit(0, [](Layer& l) { l.value = 10; }); }},
        {"a tile moved", [](TwoSaves& t) { t.p.tiles.edit(0, [](Tile& l) { l.y = 8; }); }},
        {"a function's parameters", [](TwoSaves& t) { t.p.fns.edit(0, [](GameFunction& f) { f.params = "a, b"; }); }},
        {"a collision point", [](TwoSaves& t) { t.p.points[0].y = 7; }},
        {"a record removed", [](TwoSaves& t) { t.p.removeByName(ResourceKind::Font, t.p.fonts[0].name); }},
        {"the file edited outside the studio", [&](TwoSaves&) { writeTestFile(file, "<pondaro/>"); }},
        {"the file removed outside the studio", [&](TwoSaves&) { fs::remove(file); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.make(t);
        const std::string before = readTestFile(file);
        t.save();
        EXPECT_NE(readTestFile(file), before);
        EXPECT_EQ(readTestFile(file), readTestFile(t.dir.path() / "Projects/full.xml"));

        const auto written = fileStamp(file);
        t.save();
        EXPECT_EQ(fileStamp(file), written) << "written again without a change";
    }
}
