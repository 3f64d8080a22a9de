#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "export/export_check.h"
#include "project/model.h"

namespace pondaro {
namespace {

using Lines = std::vector<std::string>;

// ---- Building projects ------------------------------------------------------------------

Sprite sprite(const std::string& name) {
    Sprite s;
    s.name = name;
    s.collisionshape = "Box";
    return s;
}

Frame frame(const std::string& spriteName, const std::string& file) {
    Frame f;
    f.sprite = spriteName;
    f.file = file;
    return f;
}

template <class Clip>
Clip clip(const std::string& name, const std::string& wav, const std::string& mp3 = "", const std::string& ogg = "") {
    Clip c;
    c.name = name;
    c.wav = wav;
    c.mp3 = mp3;
    c.ogg = ogg;
    return c;
}

Background background(const std::string& name, const std::string& file) {
    Background b;
    b.name = name;
    b.file = file;
    return b;
}

Font font(const std::string& name, const std::string& family = "Arial") {
    Font f;
    f.name = name;
    f.family = family;
    return f;
}

GameObject templ(const std::string& name, const std::string& spriteName = "", const std::string& parent = "") {
    GameObject o;
    o.prototype = 1;
    o.name = name;
    o.sprite = spriteName;
    o.parent = parent;
    return o;
}

GameObject instance(const std::string& name, const std::string& of, const std::string& scene) {
    GameObject o;
    o.prototype = 0;
    o.name = name;
    o.templ = of;
    o.scene = scene;
    return o;
}

Script script(const std::string& object, const std::string& event, const std::string& parameter = "") {
    Script s;
    s.name = object + "_" + event;
    s.object = object;
    s.event = event;
    s.parameter = parameter;
    return s;
}

Scene scene(const std::string& name, const std::string& back = "", const std::string& follows = "") {
    Scene s;
    s.name = name;
    s.background = back;
    s.viewportobject = follows;
    return s;
}

Tile tile(const std::string& name, const std::string& back, const std::string& sceneName) {
    Tile t;
    t.name = name;
    t.background = back;
    t.scene = sceneName;
    return t;
}

GameFunction function(const std::string& name) {
    GameFunction f;
    f.name = name;
    f.params = "a, b";
    return f;
}

// A small project using every kind of global and every kind of reference, all sound.
Project cleanProject() {
    Project p;
    p.sprites.add(sprite("hero"));
    p.frames.push_back(frame("hero", "1"));
    p.frames.push_back(frame("hero", "walk 2"));
    p.sounds.add(clip<Sound>("boom", "boom.wav", "boom (1).mp3"));
    p.sounds.add(clip<Sound>("silent", ""));  // no file: no global
    p.musics.add(clip<Music>("$theme_2", "", "", "théme.ogg"));
    p.backgrounds.add(background("back", "back.png"));
    p.backgrounds.add(background("unused", ""));  // no file, not referred to
    p.fonts.add(font("title", "DejaVu Sans"));
    p.objects.add(templ("thing"));
    p.objects.add(templ("player", "hero", "thing"));
    p.objects.add(instance("object_9", "player", "level"));
    p.scripts.add(script("player", "Collision", "thing"));
    p.scripts.add(script("player", "Collision", ""));  // no other object yet
    p.scripts.add(script("player", "Creation"));
    p.scenes.add(scene("level", "back", "player"));
    p.scenes.add(scene("menu"));
    p.tiles.add(tile("tile_1", "back", "level"));
    p.tiles.add(tile("tile_2", "", "level"));
    p.fns.add(function("_helper"));
    return p;
}

const Lines kEngine = {"instance_create", "sound_play", "room_goto", "__engine_state"};

bool hasLineWith(const Lines& lines, const std::string& start, const std::string& part) {
    for (const auto& line : lines)
        if (line.starts_with(start) && line.find(part) != std::string::npos) return true;
    return false;
}

std::string joined(const Lines& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

// ---- A sound project ---------------------------------------------------------------------

TEST(ExportCheckClean, SoundProjectHasNoProblemsAndNoText) {
    Project p = cleanProject();
    Lines problems = exportProblems(p, kEngine);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    EXPECT_EQ(exportProblemsText(problems), "");

    EXPECT_TRUE(exportProblems(Project{}, {}).empty());
}

TEST(ExportCheckClean, EngineWordListIsTrimmedAndEmptyEntriesIgnored) {
    Project p = cleanProject();
    // Words read from a text file may keep their line end; an empty word matches nothing.
    Lines problems = exportProblems(p, {"", "  ", "hero\r", "\tlevel "});
    ASSERT_EQ(problems.size(), 2u) << joined(problems);
    EXPECT_TRUE(problems[0].starts_with("Sprite 'hero': ")) << problems[0];
    EXPECT_TRUE(problems[1].starts_with("Scene 'level': ")) << problems[1];
}

// ---- Names of globals --------------------------------------------------------------------

TEST(ExportCheckNames, NamesThatAreNotJavaScriptNamesAreReportedForEveryKindOfGlobal) {
    Project p;
    p.sprites.add(sprite("my sprite"));
    p.sprites.add(sprite("1up"));
    p.sprites.add(sprite("ok$_9"));
    p.sounds.add(clip<Sound>("bo-om", "b.wav"));
    p.musics.add(clip<Music>("héros", "", "h.mp3"));
    p.backgrounds.add(background("sky.blue", "sky.png"));
    p.fonts.add(font(""));
    p.objects.add(templ("a+b"));
    p.scenes.add(scene("level 1"));
    p.fns.add(function("do it"));
    Lines problems = exportProblems(p, {});
    Lines starts = {"Sprite 'my sprite': ", "Sprite '1up': ",   "Sound 'bo-om': ",   "Music 'héros': ",
                    "Background 'sky.blue': ", "Font '': ",    "Object 'a+b': ",    "Scene 'level 1': ",
                    "Function 'do it': "};
    ASSERT_EQ(problems.size(), starts.size()) << joined(problems);
    for (size_t i = 0; i < starts.size(); ++i) {
        EXPECT_TRUE(problems[i].starts_with(starts[i])) << problems[i];
        if (i == 5) EXPECT_NE(problems[i].find("empty"), std::string::npos) << problems[i];
        else EXPECT_NE(problems[i].find("not a valid JavaScript name"), std::string::npos) << problems[i];
    }
}

TEST(ExportCheckNames, RecordsThatMakeNoGlobalAreNotCheckedByName) {
    Project p;
    p.sounds.add(clip<Sound>("no file", ""));
    p.musics.add(clip<Music>("class", ""));
    p.backgrounds.add(background("bad name", ""));
    p.objects.add(templ("t"));
    p.objects.add(instance("my instance", "t", "s"));
    p.objects.add(instance("var", "t", "s"));
    p.scenes.add(scene("s"));
    EXPECT_TRUE(exportProblems(p, {"my instance"}).empty()) << joined(exportProblems(p, {}));
}

TEST(ExportCheckNames, ReservedWordsAndValuesThatIgnoreAssignment) {
    Project p;
    for (const char* word : {"class", "let", "yield", "await", "enum", "null", "true", "undefined", "NaN", "Infinity",
                             "eval", "arguments", "static"})
        p.sprites.add(sprite(word));
    p.fns.add(function("function"));
    // Close to reserved words but free to use: JavaScript compares case.
    p.sprites.add(sprite("Class"));
    p.sprites.add(sprite("classes"));
    p.sprites.add(sprite("async"));
    Lines problems = exportProblems(p, {});
    ASSERT_EQ(problems.size(), 14u) << joined(problems);
    for (const auto& line : problems) EXPECT_NE(line.find("reserved by JavaScript"), std::string::npos) << line;
    EXPECT_EQ(problems.back(), "Function 'function': the name is a word reserved by JavaScript.");
}

TEST(ExportCheckNames, EngineAndBrowserNamesAreReportedOncePerResource) {
    Project p;
    p.sprites.add(sprite("instance_create"));
    p.objects.add(templ("Image"));     // the engine loads pictures with it
    p.scenes.add(scene("location"));   // assigning it leaves the page
    p.fns.add(function("sound_play"));
    p.fonts.add(font("Math"));
    // Both an engine word and a browser word: one line, the engine's.
    p.musics.add(clip<Music>("document", "d.wav"));
    Lines problems = exportProblems(p, {"instance_create", "sound_play", "document"});
    ASSERT_EQ(problems.size(), 6u) << joined(problems);
    EXPECT_TRUE(hasLineWith(problems, "Sprite 'instance_create': ", "game engine"));
    EXPECT_TRUE(hasLineWith(problems, "Function 'sound_play': ", "game engine"));
    EXPECT_TRUE(hasLineWith(problems, "Music 'document': ", "game engine"));
    EXPECT_TRUE(hasLineWith(problems, "Object 'Image': ", "web browser"));
    EXPECT_TRUE(hasLineWith(problems, "Scene 'location': ", "web browser"));
    EXPECT_TRUE(hasLineWith(problems, "Font 'Math': ", "web browser"));
}

TEST(ExportCheckNames, NamesSharedByGlobalsAreToldOnceAtTheFirstHolder) {
    Project p;
    p.objects.add(templ("player"));
    p.sprites.add(sprite("player"));
    p.scenes.add(scene("player"));
    p.sounds.add(clip<Sound>("hit", "hit.wav"));
    p.fns.add(function("hit"));
    // Two sprites of one name: the later replaces the earlier in the game too.
    p.sprites.add(sprite("twin"));
    p.sprites.add(sprite("twin"));
    p.sprites.add(sprite("twin"));
    // A background without a file makes no global, so it shares nothing.
    p.backgrounds.add(background("hit", ""));
    // An instance makes no global either.
    p.objects.add(instance("twin", "player", "player"));
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Sprite 'player': an object and a scene have the same name; in the game they are one variable, so one "
        "would replace the other.",
        "Sprite 'twin': 2 other sprites have the same name; in the game they are one variable, so one would "
        "replace the other.",
        "Sound 'hit': a function has the same name; in the game they are one variable, so one would replace the "
        "other.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckNames, NamesTakingAConstructorNameAreReported) {
    // Every global but a function also defines "__" + name as its constructor.
    Project p;
    p.sprites.add(sprite("hero"));
    p.objects.add(templ("__hero"));
    p.fns.add(function("__level"));
    p.scenes.add(scene("level"));
    p.fns.add(function("helper"));
    p.sprites.add(sprite("__helper"));  // functions have no constructor: free
    p.fonts.add(font("state"));         // its constructor is an engine name
    p.fonts.add(font("__"));            // nothing is named ""
    Lines problems = exportProblems(p, {"__state"});
    ASSERT_EQ(problems.size(), 3u) << joined(problems);
    EXPECT_TRUE(hasLineWith(problems, "Font 'state': ", "'__state'")) << joined(problems);
    EXPECT_TRUE(hasLineWith(problems, "Object '__hero': ", "constructor of sprite 'hero'")) << joined(problems);
    EXPECT_TRUE(hasLineWith(problems, "Function '__level': ", "constructor of scene 'level'")) << joined(problems);
}

// ---- File names between quotes ------------------------------------------------------------

TEST(ExportCheckFiles, FileNamesThatBreakTheQuotesAreReported) {
    Project p;
    p.sprites.add(sprite("hero"));
    p.frames.push_back(frame("hero", "it's"));
    p.sprites.add(sprite("enemy"));
    p.frames.push_back(frame("enemy", "ok"));
    p.frames.push_back(frame("enemy", "a\\b"));
    p.frames.push_back(frame("enemy", "c\nd"));
    p.frames.push_back(frame("enemy", "e'\r"));
    p.frames.push_back(frame("gone", "x'y"));  // no such sprite: not in the game
    p.sounds.add(clip<Sound>("boom", "ok.wav", "b'.mp3", "c\\.ogg"));
    p.musics.add(clip<Music>("song", "a\nb.wav"));
    p.backgrounds.add(background("back", "d'or.png"));
    p.fonts.add(font("title", "O'Brien Sans"));
    p.fonts.add(font("plain", "Courier \"New\""));  // double quotes are harmless
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Sprite 'hero': the frame file name 'it's' contains a single quote, which breaks it in the game script.",
        "Sprite 'enemy': 3 frame file names contain a single quote, a backslash or a line break, which breaks them "
        "in the game script (the first is 'a\\b').",
        "Sound 'boom': the mp3 file name 'b'.mp3' contains a single quote, which breaks it in the game script.",
        "Sound 'boom': the ogg file name 'c\\.ogg' contains a backslash, which breaks it in the game script.",
        "Music 'song': the wav file name 'a\\nb.wav' contains a line break, which breaks it in the game script.",
        "Background 'back': the image file name 'd'or.png' contains a single quote, which breaks it in the game "
        "script.",
        "Font 'title': the font family 'O'Brien Sans' contains a single quote, which breaks it in the game script.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckFiles, FoldersAreCheckedOnlyWhenFilesAreWrittenUnderThem) {
    Project p;
    p.imgfolder = "im'g";
    p.audfolder = "a\\ud";
    p.sounds.add(clip<Sound>("quiet", ""));
    EXPECT_TRUE(exportProblems(p, {}).empty());

    p.backgrounds.add(background("back", "b.png"));
    p.musics.add(clip<Music>("song", "", "", "s.ogg"));
    Lines problems = exportProblems(p, {});
    ASSERT_EQ(problems.size(), 2u) << joined(problems);
    EXPECT_TRUE(problems[0].starts_with("Project: the image folder 'im'g' contains a single quote")) << problems[0];
    EXPECT_TRUE(problems[1].starts_with("Project: the sound folder 'a\\ud' contains a backslash")) << problems[1];
}

TEST(ExportCheckFiles, MessagesStayOnOneReadableLine) {
    Project p;
    p.sprites.add(sprite("two\nlines\r\x01"));
    p.sprites.add(sprite(std::string(5000, 'x') + "!"));
    p.sprites.add(sprite("bad\xFF\xFEutf8"));
    p.sprites.add(sprite("para\xE2\x80\xA8graph"));
    Lines problems = exportProblems(p, {});
    ASSERT_EQ(problems.size(), 4u) << joined(problems);
    EXPECT_TRUE(problems[0].starts_with("Sprite 'two\\nlines\\r\\x01': ")) << problems[0];
    EXPECT_TRUE(problems[1].starts_with("Sprite '" + std::string(60, 'x') + "...': ")) << problems[1];
    EXPECT_TRUE(problems[3].starts_with("Sprite 'para\\u2028graph': ")) << problems[3];
    for (const auto& line : problems) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        EXPECT_TRUE(isValidUtf8(line)) << line;
        EXPECT_LT(line.size(), 400u);
    }
}

// ---- References ---------------------------------------------------------------------------

TEST(ExportCheckReferences, ObjectTemplatesNamingMissingSpritesParentsAndCollisions) {
    Project p;
    p.sprites.add(sprite("hero"));
    p.objects.add(templ("base"));
    p.objects.add(templ("player", "ghost", "nobody"));
    p.objects.add(templ("enemy", "hero", "inst"));
    p.objects.add(instance("inst", "base", "level"));
    p.scenes.add(scene("level"));
    p.scripts.add(script("player", "Collision", "wall"));
    p.scripts.add(script("player", "Collision", "wall"));  // same fact: one line
    p.scripts.add(script("player", "Collision", "inst"));
    p.scripts.add(script("player", "Collision", "base"));
    p.scripts.add(script("player", "Step", "wall"));        // not a collision: no name in the code
    p.scripts.add(script("inst", "Collision", "wall"));     // instances have no scripts in the game
    p.scripts.add(script("missing", "Collision", "wall"));  // owner gone: not in the game
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Object 'player': its sprite 'ghost' does not exist.",
        "Object 'player': its parent 'nobody' does not exist.",
        "Object 'player': its Collision event names 'wall', which does not exist.",
        "Object 'player': its Collision event names 'inst', which is an instance, not an object template.",
        "Object 'enemy': its parent 'inst' is an instance, not an object template.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckReferences, ParentChainsThatLoopAreToldOncePerLoop) {
    Project p;
    p.objects.add(templ("solo", "", "solo"));
    p.objects.add(templ("a", "", "c"));
    p.objects.add(templ("b", "", "a"));
    p.objects.add(templ("c", "", "b"));
    p.objects.add(templ("tail", "", "b"));  // leads into the loop but is not part of it
    p.objects.add(templ("root"));
    p.objects.add(templ("leaf", "", "root"));
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Object 'solo': its parent is itself; a template cannot inherit from itself.",
        "Object 'a': its chain of parents comes back to it ('a' -> 'c' -> 'b' -> 'a'); a template cannot inherit "
        "from itself.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckReferences, LongParentLoopIsShownShortened) {
    Project p;
    const int n = 5000;
    for (int i = 0; i < n; ++i) p.objects.add(templ(std::string("t").append(std::to_string(i)), "", std::string("t").append(std::to_string((i + 1) % n))));
    Lines problems = exportProblems(p, {});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].starts_with("Object 't0': its chain of parents comes back to it ('t0' -> 't1'"))
        << problems[0];
    EXPECT_NE(problems[0].find("-> ...)"), std::string::npos) << problems[0];
    EXPECT_LT(problems[0].size(), 300u);
}

TEST(ExportCheckReferences, ScenesNamingMissingBackgroundsAndTemplates) {
    Project p;
    p.backgrounds.add(background("sky", "sky.png"));
    p.backgrounds.add(background("blank", ""));
    p.objects.add(templ("player"));
    p.objects.add(instance("inst", "player", "one"));
    p.scenes.add(scene("one", "blank", "inst"));
    p.scenes.add(scene("two", "nowhere", "ghost"));
    p.scenes.add(scene("three", "sky", "player"));
    p.scenes.add(scene("four", "", ""));  // no background, no view to follow
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Scene 'one': its background 'blank' has no image file.",
        "Scene 'one': its view follows 'inst', which is an instance, not an object template.",
        "Scene 'two': its background 'nowhere' does not exist.",
        "Scene 'two': its view follows 'ghost', which does not exist.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckReferences, ABackgroundNameIsResolvedWhenAnyBackgroundOfItHasAFile) {
    Project p;
    p.backgrounds.add(background("sky", ""));
    p.backgrounds.add(background("sky", "sky.png"));
    p.scenes.add(scene("level", "sky"));
    p.tiles.add(tile("t", "sky", "level"));
    EXPECT_TRUE(exportProblems(p, {}).empty()) << joined(exportProblems(p, {}));
}

TEST(ExportCheckReferences, InstancesAndTilesAreCountedPerSceneAndTarget) {
    Project p;
    p.backgrounds.add(background("stone", "stone.png"));
    p.backgrounds.add(background("plan", ""));
    p.objects.add(templ("player"));
    p.objects.add(instance("real", "player", "level"));
    p.scenes.add(scene("level"));
    p.scenes.add(scene("bonus"));
    for (int i = 0; i < 2000; ++i) p.tiles.add(tile(std::string("t").append(std::to_string(i)), i % 2 ? "lava" : "stone", "level"));
    p.tiles.add(tile("p1", "plan", "level"));
    p.tiles.add(tile("b1", "lava", "bonus"));
    p.tiles.add(tile("gone", "lava", "deleted scene"));  // its scene is not in the game
    for (int i = 0; i < 3; ++i) p.objects.add(instance(std::string("e").append(std::to_string(i)), "enemy", "level"));
    p.objects.add(instance("r2", "real", "level"));
    p.objects.add(instance("none1", "", "level"));
    p.objects.add(instance("none2", "", "level"));
    p.objects.add(instance("lost", "enemy", "deleted scene"));
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Scene 'level': 3 instances are of template 'enemy', which does not exist.",
        "Scene 'level': 1 instance is of template 'real', which is an instance, not an object template.",
        "Scene 'level': 2 instances have no template, so the game cannot create them.",
        "Scene 'level': 1000 tiles use background 'lava', which does not exist.",
        "Scene 'level': 1 tile uses background 'plan', which has no image file.",
        "Scene 'bonus': 1 tile uses background 'lava', which does not exist.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckReferences, PartsBelongingToADuplicatedNameAreToldOnce) {
    // Frames, scripts, tiles and instances belong to their owner by name; two owners of
    // one name must not repeat the same fact.
    Project p;
    p.sprites.add(sprite("hero"));
    p.sprites.add(sprite("hero"));
    p.frames.push_back(frame("hero", "a'b"));
    p.objects.add(templ("player"));
    p.objects.add(templ("player"));
    p.scripts.add(script("player", "Collision", "wall"));
    p.scenes.add(scene("level"));
    p.scenes.add(scene("level"));
    p.tiles.add(tile("t", "lava", "level"));
    p.objects.add(instance("i", "ghost", "level"));
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Sprite 'hero': another sprite has the same name; in the game they are one variable, so one would replace "
        "the other.",
        "Sprite 'hero': the frame file name 'a'b' contains a single quote, which breaks it in the game script.",
        "Object 'player': another object has the same name; in the game they are one variable, so one would "
        "replace the other.",
        "Object 'player': its Collision event names 'wall', which does not exist.",
        "Scene 'level': another scene has the same name; in the game they are one variable, so one would replace "
        "the other.",
        "Scene 'level': 1 instance is of template 'ghost', which does not exist.",
        "Scene 'level': 1 tile uses background 'lava', which does not exist.",
    };
    EXPECT_EQ(problems, expected);
}

TEST(ExportCheckReferences, LargeProjectGivesOneLinePerFact) {
    Project p;
    p.objects.add(templ("player"));
    p.scenes.add(scene("world"));
    p.tiles.reserve(100000);
    p.objects.reserve(50001);
    for (int i = 0; i < 100000; ++i) p.tiles.add(tile(std::string("tile_").append(std::to_string(i)), "missing", "world"));
    for (int i = 0; i < 50000; ++i)
        p.objects.add(instance(std::string("object_").append(std::to_string(i)), i % 10 ? "player" : "gone", "world"));
    Lines problems = exportProblems(p, {});
    Lines expected = {
        "Scene 'world': 5000 instances are of template 'gone', which does not exist.",
        "Scene 'world': 100000 tiles use background 'missing', which does not exist.",
    };
    EXPECT_EQ(problems, expected);
}

// ---- Order ------------------------------------------------------------------------------

TEST(ExportCheckOrder, LinesFollowKindOrderThenTableOrderWhateverTheCreationOrder) {
    Project p;
    p.fns.add(function("f 1"));
    p.scenes.add(scene("s 1"));
    p.objects.add(templ("o 1"));
    p.fonts.add(font("f'1"));
    p.backgrounds.add(background("b 1", "b.png"));
    p.musics.add(clip<Music>("m 1", "m.wav"));
    p.sounds.add(clip<Sound>("z 1", "z.wav"));
    p.sounds.add(clip<Sound>("a 1", "a.wav"));
    p.sprites.add(sprite("p 1"));
    Lines problems = exportProblems(p, {});
    Lines starts = {"Sprite 'p 1'",     "Sound 'z 1'",  "Sound 'a 1'",  "Music 'm 1'",    "Background 'b 1'",
                    "Font 'f'1'",       "Object 'o 1'", "Scene 's 1'", "Function 'f 1'"};
    ASSERT_EQ(problems.size(), starts.size()) << joined(problems);
    for (size_t i = 0; i < starts.size(); ++i) EXPECT_TRUE(problems[i].starts_with(starts[i])) << problems[i];
    EXPECT_EQ(exportProblems(p, {}), problems);
}

// ---- The warning text ---------------------------------------------------------------------

Lines numbered(size_t n) {
    Lines lines;
    for (size_t i = 1; i <= n; ++i) lines.push_back(std::string("Problem ").append(std::to_string(i)).append("."));
    return lines;
}

TEST(ExportCheckText, HeadingThenOneProblemPerCrlfLine) {
    std::string text = exportProblemsText({"Sprite 'a b': first.", "Scene 's': second."});
    EXPECT_EQ(text,
              "The game was written, but some names in the project will not work in it:\r\n"
              "Sprite 'a b': first.\r\n"
              "Scene 's': second.");
}

TEST(ExportCheckText, LongListsAreCutWithACount) {
    // Exactly at the cap: everything is shown.
    std::string thirty = exportProblemsText(numbered(30));
    EXPECT_NE(thirty.find("\r\nProblem 30."), std::string::npos);
    EXPECT_EQ(thirty.find("more."), std::string::npos);

    // Above it: 29 problems and the count of the rest, so the listing never passes 30 lines.
    std::string many = exportProblemsText(numbered(100));
    EXPECT_NE(many.find("\r\nProblem 29.\r\n... and 71 more."), std::string::npos) << many;
    EXPECT_TRUE(many.ends_with("... and 71 more."));
    EXPECT_EQ(many.find("Problem 30."), std::string::npos);
    size_t lines = 1;
    for (size_t at = many.find("\r\n"); at != std::string::npos; at = many.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 31u);  // heading + 30

    std::string justOver = exportProblemsText(numbered(31));
    EXPECT_TRUE(justOver.ends_with("\r\nProblem 29.\r\n... and 2 more.")) << justOver;
}

} // namespace
} // namespace pondaro
