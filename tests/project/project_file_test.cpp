// The project file: what Save writes, what Open and Merge read back, and every file
// that must be refused without touching the open project.
#include <gtest/gtest.h>

#include "base/files.h"
#include "image/codecs.h"
#include "project/canvas_pictures.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "support/temp_folder.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

// What a tile shows, drawn on its own.
Image shownBy(const Tile& t) {
    Image shown(t.width, t.height);
    drawTile(shown, t, 0, 0);
    return shown;
}

// A folder laid out like the program's current folder, with a working folder.
struct Workspace {
    TempFolder dir;
    fs::path root() const { return dir.path(); }
    fs::path projects() const { return dir.path() / "Projects"; }

    Project fresh() {
        Project p;
        p.workingFolder = "_temp_" + std::to_string(++sessions);
        ensureDirectory(root() / p.workingFolder);
        return p;
    }
    void writeXml(const std::string& name, const std::string& xml) { writeTestFile(projects() / (name + ".xml"), xml); }
    std::string readXml(const std::string& name) { return readTestFile(projects() / (name + ".xml")); }
    int sessions = 0;
};

Image solid(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

// The root element and its first three children, for hand-written files.
std::string header(int version, const std::string& extra = "") {
    return "<?xml version=\"1.0\"?><pondaro version=\"" + std::to_string(version) +
           "\" title=\"T\" imgfolder=\"pics\" audfolder=\"snd\"" + extra + "><functions/><variables/><comments/>";
}
std::string emptyLists(int from, int to) {
    static const char* names[] = {"sprites", "frames", "sounds", "musics", "backgrounds", "fonts", "objects",
                                  "scripts", "scenes",  "layers", "tiles",  "fns",    "points"};
    std::string s;
    for (int k = from; k < to; ++k) s += std::string("<") + names[k] + " count=\"0\"/>";
    return s;
}

// A project with a record of every kind, references between them, and awkward text.
Project sampleProject(Workspace& ws) {
    Project p = ws.fresh();
    p.name = "sample";
    p.game.title = "Title with \"quotes\" & <tags>\ttab\r\nand a line end";
    p.game.functions = "function f() {\r\n\treturn 1;\r\n}\r\n";
    p.game.variables = "var a = 1;\rvar b = 2;\n";
    p.game.comments = "caf\xC3\xA9 \xE2\x82\xAC";
    p.game.advancedscriptmode = 1;
    std::string hero = createSprite(p, "heroes");
    p.sprites.edit(0, [&](auto& r) { r.collisionright = 16; });
    p.frames.push_back({"1", hero, solid(16, 8, {10, 20, 30, 255})});
    p.frames.push_back({"2", hero, solid(16, 8, {40, 50, 60, 128})});
    p.points.push_back({hero, 3, -4});
    std::string snd = createSound(p);
    p.sounds.edit(0, [&](auto& r) { r.wav = "boom.wav"; });
    createMusic(p);
    p.musics.edit(0, [&](auto& r) { r.ogg = "boom.wav"; });
    writeTestFile(ws.root() / p.workingFolder / "boom.wav", "RIFF-data");
    std::string bg = createBackground(p);
    p.backgrounds.edit(0, [&](auto& r) { r.file = "tiles.png"; r.tile = 1; });
    Image tileset(64, 32);
    tileset.fill({0, 0, 255, 255});
    for (int y = 0; y < 32; ++y)
        for (int x = 32; x < 64; ++x) tileset.setPixel(x, y, {0, 255, 0, 255});
    EXPECT_TRUE(savePng(tileset, ws.root() / p.workingFolder / "tiles.png"));
    createFont(p);
    std::string obj = createObject(p);
    p.objects.edit(0, [&](auto& r) { r.depth = 7; r.sprite = hero; });
    std::string room = createScene(p);
    p.scenes.edit(0, [&](auto& r) { r.code = "scene code\r\nline 2"; r.background = bg; r.viewportobject = obj; });
    GameObject inst;
    inst.name = "SceneObject99";
    inst.templ = obj;
    inst.scene = room;
    inst.sprite = hero;
    inst.x = 5;
    inst.y = -6;
    inst.direction = 90;
    inst.image_angle = 45;
    inst.depth = 7;
    inst.uid = 123;
    p.objects.add(inst);
    p.scripts.add({"scr_1", obj, "Collision", obj, "other.x = 1;\r\n// done"});
    std::string layer = createLayer(p, room);
    p.tiles.add({"tile_1", bg, 32, 0, 32, 32, 100, 200, 1000000, room, nullptr});
    std::string fn = createFunction(p);
    p.fns.edit(0, [&](auto& r) { r.params = "a, b"; r.description = "adds\tthings"; r.code = "return a + b;\r\n"; });
    return p;
}

} // namespace

TEST(ProjectFileWrite, AnEmptyProjectWritesEveryListWithCountZero) {
    Workspace ws;
    Project p = ws.fresh();
    p.name = "empty";
    ASSERT_TRUE(writeProject(p, ws.root()));
    std::string xml = ws.readXml("empty");
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(xml.find("<functions></functions><variables></variables><comments></comments>"), std::string::npos);
    for (const char* list : {"sprites", "frames", "sounds", "musics", "backgrounds", "fonts", "objects", "scripts",
                             "scenes", "layers", "tiles", "fns", "points"})
        EXPECT_NE(xml.find(std::string("<") + list + " count=\"0\">"), std::string::npos) << list;
    EXPECT_TRUE(isDirectory(ws.projects() / "empty" / "img"));
    EXPECT_TRUE(isDirectory(ws.projects() / "empty" / "aud"));
}

TEST(ProjectFileWrite, AttributesComeInTheFileOrder) {
    Workspace ws;
    Project p = sampleProject(ws);
    std::string xml = projectXml(p);
    EXPECT_NE(xml.find("<pondaro version=\"200\" uid=\"" + std::to_string(p.counter) + "\" title=\""), std::string::npos);
    EXPECT_NE(xml.find("<frame file=\"1\" sprite=\"" + p.sprites[0].name + "\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<layer name=\"" + p.layers[0].name + "\" scene=\"" + p.scenes[0].name + "\" value=\"1000000\"/>"),
              std::string::npos);
    EXPECT_NE(xml.find("<point sprite=\"" + p.sprites[0].name + "\" x=\"3\" y=\"-4\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<tile name=\"tile_1\" background=\"" + p.backgrounds[0].name +
                       "\" width=\"32\" height=\"32\" x=\"100\" y=\"200\" top=\"0\" left=\"32\" depth=\"1000000\" scene=\""),
              std::string::npos);
    size_t obj = xml.find("<object name=\"SceneObject99\"");
    ASSERT_NE(obj, std::string::npos);
    std::string_view item(xml.c_str() + obj);
    item = item.substr(0, item.find("/>"));
    const char* order[] = {"name=", "template=", "prototype=", "scene=", "sprite=", "x=", "y=", "visible=",
                           "depth=", "collision=", "parent=", "direction=", "image_angle=", "keywords=", "uid="};
    size_t last = 0;
    for (const char* a : order) {
        size_t at = item.find(std::string(" ") + a);
        ASSERT_NE(at, std::string::npos) << a;
        EXPECT_GT(at, last) << a;
        last = at;
    }
}

TEST(ProjectFileRoundTrip, SaveOpenSaveGivesTheSameFileAndTheSameRecords) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    EXPECT_FALSE(p.modified());
    std::string first = ws.readXml("sample");

    Project q = ws.fresh();
    q.name = "sample";
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    EXPECT_EQ(q.game.title, p.game.title);
    EXPECT_EQ(q.game.functions, p.game.functions);
    EXPECT_EQ(q.game.variables, p.game.variables);
    EXPECT_EQ(q.game.comments, p.game.comments);
    EXPECT_EQ(q.game.advancedscriptmode, 1);
    EXPECT_EQ(q.scenes[0].code, "scene code\r\nline 2");
    EXPECT_EQ(q.scripts[0].code, "other.x = 1;\r\n// done");
    EXPECT_EQ(q.fns[0].description, "adds\tthings");
    EXPECT_EQ(q.objects[1].direction, 90);
    EXPECT_EQ(q.objects[1].image_angle, 45);
    EXPECT_EQ(q.objects[1].uid, 123);
    ASSERT_EQ(q.frames.size(), 2u);
    EXPECT_EQ(q.frames[1].image, p.frames[1].image);
    EXPECT_EQ(q.points[0].y, -4);
    // The counter restarts from the record counts.
    EXPECT_EQ(q.counter, q.recordCountForCounter());

    ASSERT_TRUE(writeProject(q, ws.root()));
    std::string second = ws.readXml("sample");
    Project r = ws.fresh();
    r.name = "sample";
    ASSERT_TRUE(readProject(r, "sample", false, ws.root()));
    ASSERT_TRUE(writeProject(r, ws.root()));
    EXPECT_EQ(ws.readXml("sample"), second);
    // Only the counter in the root differs from the first save.
    auto withoutUid = [](std::string s) {
        size_t a = s.find(" uid=\"");
        size_t b = s.find('"', a + 6);
        return s.erase(a, b - a + 1);
    };
    EXPECT_EQ(withoutUid(first), withoutUid(second));
}

TEST(ProjectFileRoundTrip, TextKeepsEveryCharacterThroughManySaves) {
    Workspace ws;
    Project p = ws.fresh();
    p.name = "text";
    const std::string tricky = "a\r\nb\rc\nd\te  f&amp;<>\"'\xF0\x9F\x98\x80]]>";
    p.game.title = tricky;
    p.game.comments = tricky;
    createFunction(p);
    p.fns.edit(0, [&](auto& r) { r.params = tricky; r.code = tricky; });
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(writeProject(p, ws.root()));
        Project q = ws.fresh();
        q.name = "text";
        ASSERT_TRUE(readProject(q, "text", false, ws.root()));
        EXPECT_EQ(q.game.title, tricky);
        EXPECT_EQ(q.game.comments, tricky);
        EXPECT_EQ(q.fns[0].params, tricky);
        EXPECT_EQ(q.fns[0].code, tricky);
        p = std::move(q);
    }
}

TEST(ProjectFileRoundTrip, CharactersXmlCannotCarryAreDroppedSoTheFileStaysReadable) {
    Workspace ws;
    Project p = ws.fresh();
    p.name = "ctrl";
    p.game.title = std::string("a\x01" "b\x1F" "c\xFF" "d");
    ASSERT_TRUE(writeProject(p, ws.root()));
    Project q = ws.fresh();
    ASSERT_TRUE(readProject(q, "ctrl", false, ws.root()));
    EXPECT_EQ(q.game.title, "abc\xEF\xBF\xBD" "d");
}

TEST(ProjectFileMedia, SaveWritesFramesAndCopiesMediaOpenBringsThemBack) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    const std::string hero = p.sprites[0].name;
    EXPECT_TRUE(isRegularFile(ws.projects() / "sample" / "img" / (hero + "_1.png")));
    EXPECT_TRUE(isRegularFile(ws.projects() / "sample" / "img" / (hero + "_2.png")));
    EXPECT_TRUE(isRegularFile(ws.projects() / "sample" / "img" / "tiles.png"));
    EXPECT_EQ(readTestFile(ws.projects() / "sample" / "aud" / "boom.wav"), "RIFF-data");

    Project q = ws.fresh();
    q.name = "sample";
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    EXPECT_EQ(readTestFile(ws.root() / q.workingFolder / "boom.wav"), "RIFF-data");
    EXPECT_TRUE(isRegularFile(ws.root() / q.workingFolder / "tiles.png"));
    EXPECT_EQ(q.frames[0].image.width(), 16);
    EXPECT_EQ(q.frames[0].image.height(), 8);
    // The tile shows the right half of the tile set.
    const Image tile = shownBy(q.tiles[0]);
    EXPECT_EQ(tile.pixel(0, 0), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(tile.pixel(31, 31), (Rgba{0, 255, 0, 255}));
    // Templates and instances get their sprite's first frame for the scene canvas.
    ASSERT_TRUE(q.objects[1].canvasImage);
    EXPECT_EQ(*q.objects[1].canvasImage, q.frames[0].image);
}

TEST(ProjectFileMedia, MediaTheWorkingFolderCannotTakeIsNamedAndSavedFromWhereItIs) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    Project q = ws.fresh();
    // A file where the working folder should be: no copy into it can succeed.
    removeAll(ws.root() / q.workingFolder);
    writeTestFile(ws.root() / q.workingFolder, "in the way");
    ProjectFileData data;
    ASSERT_TRUE(loadProjectFile(ws.root(), "sample", data));
    EXPECT_EQ(readIntoProject(q, std::move(data), "sample", false, ws.root()),
              (std::vector<std::string>{"boom.wav", "tiles.png"}));
    EXPECT_EQ(shownBy(q.tiles[0]).pixel(0, 0), (Rgba{0, 255, 0, 255}));  // the picture where it stayed

    q.name = "copy";
    ASSERT_TRUE(writeProject(q, ws.root()));
    EXPECT_EQ(readTestFile(ws.projects() / "copy" / "aud" / "boom.wav"), "RIFF-data");
    EXPECT_EQ(readTestFile(ws.projects() / "copy" / "img" / "tiles.png"),
              readTestFile(ws.projects() / "sample" / "img" / "tiles.png"));
    // Gone from there too: the save says so instead of dropping it.
    fs::remove(ws.projects() / "sample" / "aud" / "boom.wav");
    q.name = "third";
    Status s = writeProject(q, ws.root());
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("boom.wav"), std::string::npos) << s.message();
}

TEST(ProjectFileMedia, TilesOfAMissingBackgroundPictureAreRed) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    fs::remove(ws.projects() / "sample" / "img" / "tiles.png");
    Project q = ws.fresh();
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    EXPECT_EQ(shownBy(q.tiles[0]).pixel(5, 5), (Rgba{255, 0, 0, 255}));
}

TEST(ProjectFileMedia, AFrameWithoutAPictureKeepsTheFileOnDiskWhenSaved) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    const fs::path png = ws.projects() / "sample" / "img" / (p.sprites[0].name + "_1.png");
    writeTestFile(png, "not a png");  // unreadable: the frame opens without an image
    Project q = ws.fresh();
    q.name = "sample";
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    EXPECT_TRUE(q.frames[0].image.empty());
    ASSERT_TRUE(writeProject(q, ws.root()));
    EXPECT_EQ(readTestFile(png), "not a png");
}

TEST(ProjectFileVersions, Version128ReadsMediaFromTheProjectFolderWithFreshIds) {
    Workspace ws;
    Image px = solid(4, 2, {1, 2, 3, 255});
    ensureDirectory(ws.projects() / "old");
    ASSERT_TRUE(savePng(px, ws.projects() / "old" / "s_1.png"));
    writeTestFile(ws.projects() / "old" / "a.wav", "wav");
    ws.writeXml("old", header(128) +
                           "<sprites count=\"1\"><sprite name=\"s\" uid=\"500\"/></sprites>"
                           "<frames count=\"1\"><frame file=\"1\" sprite=\"s\"/></frames>"
                           "<sounds count=\"1\"><sound name=\"a\" wav=\"a.wav\" uid=\"501\"/></sounds>" +
                           emptyLists(3, 6) +
                           "<objects count=\"1\"><object name=\"o\" direction=\"9\" image_angle=\"8\" uid=\"502\"/></objects>" +
                           emptyLists(7, 11) + "<fns count=\"5\"/><points count=\"9\"/></pondaro>");
    Project p = ws.fresh();
    p.imgfolder = "img";
    p.audfolder = "aud";
    Status read = readProject(p, "old", false, ws.root());
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(p.imgfolder, "img");  // the file's folders are not read before 129
    EXPECT_EQ(p.frames[0].image, px);
    EXPECT_EQ(readTestFile(ws.root() / p.workingFolder / "a.wav"), "wav");
    EXPECT_NE(p.sprites[0].uid, 500);
    EXPECT_NE(p.sounds[0].uid, 501);
    EXPECT_EQ(p.objects[0].direction, 0);
    EXPECT_EQ(p.objects[0].image_angle, 0);
    EXPECT_TRUE(p.fns.empty());  // not read, so its wrong count does not matter
}

TEST(ProjectFileVersions, Version150ReadsFunctionsButNotPointsAndGivesFreshIds) {
    Workspace ws;
    ws.writeXml("mid", header(150) + "<sprites count=\"1\"><sprite name=\"s\" uid=\"500\"/></sprites>" + emptyLists(1, 6) +
                           "<objects count=\"1\"><object name=\"o\" direction=\"9\" image_angle=\"8\"/></objects>" +
                           emptyLists(7, 11) +
                           "<fns count=\"1\"><fn name=\"f\" params=\"x\" uid=\"77\">body</fn></fns>"
                           "<points count=\"1\"><point sprite=\"s\" x=\"1\" y=\"1\"/></points></pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "mid", false, ws.root()));
    EXPECT_EQ(p.imgfolder, "pics");
    EXPECT_EQ(p.audfolder, "snd");
    ASSERT_EQ(p.fns.size(), 1u);
    EXPECT_EQ(p.fns[0].code, "body");
    EXPECT_NE(p.fns[0].uid, 77);
    EXPECT_NE(p.sprites[0].uid, 500);
    EXPECT_EQ(p.objects[0].direction, 9);
    EXPECT_TRUE(p.points.empty());
}

TEST(ProjectFileVersions, Version201IsRefusedAndTheProjectStaysAsItWas) {
    Workspace ws;
    ws.writeXml("future", header(201) + emptyLists(0, 13) + "</pondaro>");
    Workspace other;
    Project p = sampleProject(other);
    std::string before = projectXml(p);
    Status s = readProject(p, "future", false, ws.root());
    ASSERT_FALSE(s);
    EXPECT_EQ(s.message(), "This project requires a new program version (v201).");
    EXPECT_EQ(projectXml(p), before);
}

TEST(ProjectFileRefused, BrokenFilesAreRefusedWithTheFileNamedAndNothingChanges) {
    Workspace ws;
    const std::string good = header(200) + emptyLists(0, 13) + "</pondaro>";
    ws.writeXml("empty", "");
    ws.writeXml("garbage", "this is not xml");
    ws.writeXml("truncated", good.substr(0, good.size() / 2));
    ws.writeXml("noroot", "<?xml version=\"1.0\"?>");
    ws.writeXml("nochildren", "<pondaro version=\"200\"/>");
    ws.writeXml("nopoints", header(200) + emptyLists(0, 12) + "</pondaro>");
    ws.writeXml("short", header(200) + "<sprites count=\"3\"><sprite name=\"a\"/><sprite name=\"b\"/></sprites>" +
                             emptyLists(1, 13) + "</pondaro>");
    ws.writeXml("shortpoints", header(200) + emptyLists(0, 12) + "<points count=\"1\"/></pondaro>");
    ensureDirectory(ws.projects() / "folder.xml");

    Workspace other;
    Project p = sampleProject(other);
    p.markModified();
    const std::string before = projectXml(p);
    const int counter = p.counter;
    for (const char* name : {"empty", "garbage", "truncated", "noroot", "nochildren", "nopoints", "short",
                             "shortpoints", "missing", "folder"}) {
        Status s = readProject(p, name, true, ws.root());
        EXPECT_FALSE(s) << name;
        EXPECT_NE(s.message().find(std::string("Projects/") + name + ".xml"), std::string::npos)
            << name << ": " << s.message();
        EXPECT_EQ(projectXml(p), before) << name;
        EXPECT_EQ(p.counter, counter) << name;
        EXPECT_TRUE(p.modified());
    }
}

TEST(ProjectFileRefused, NamesThatWouldLeaveTheProjectsFolderAreRefused) {
    Workspace ws;
    writeTestFile(ws.root() / "secret.xml", header(200) + emptyLists(0, 13) + "</pondaro>");
    Project p = ws.fresh();
    for (const char* name : {"../secret", "", "a/b", ".."}) {
        Status s = readProject(p, name, false, ws.root());
        EXPECT_FALSE(s) << name;
    }
    p.name = "../escape";
    EXPECT_FALSE(writeProject(p, ws.root()));
    EXPECT_FALSE(fs::exists(ws.root() / "escape.xml"));
    // A file may not send its media outside the project folder either.
    ws.writeXml("sneaky", header(200, "").replace(header(200).find("pics"), 4, "../..") + emptyLists(0, 13) + "</pondaro>");
    EXPECT_FALSE(readProject(p, "sneaky", false, ws.root()));
}

TEST(ProjectFileRefused, ASpriteNameThatCannotBeAFileNameStopsTheSaveBeforeAnythingIsWritten) {
    Workspace ws;
    Project p = ws.fresh();
    p.name = "slash";
    p.sprites.add({.name = "a/b"});
    p.frames.push_back({"1", "a/b", solid(2, 2, {1, 1, 1, 255})});
    p.markModified();
    Status s = writeProject(p, ws.root());
    ASSERT_FALSE(s);
    EXPECT_NE(s.message().find("a/b"), std::string::npos);
    EXPECT_FALSE(fs::exists(ws.projects() / "slash.xml"));
    EXPECT_TRUE(p.modified());
}

TEST(ProjectFileRefused, AFailedWriteIsReportedAndTheOldFileIsKept) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    const std::string before = ws.readXml("sample");
    // A folder where the temporary file must go makes the replacement fail.
    ensureDirectory(temporaryFileFor(projectFilePath(ws.root(), "sample")) / "inner");
    p.game.title = "changed";
    p.markModified();
    Status s = writeProject(p, ws.root());
    ASSERT_FALSE(s);
    EXPECT_EQ(s.message().rfind("The project could not be saved: ", 0), 0u) << s.message();
    EXPECT_TRUE(p.modified());
    EXPECT_EQ(ws.readXml("sample"), before);
}

TEST(ProjectFileLenient, ExtraItemsUnknownAttributesAndRenamedListsAreFine) {
    Workspace ws;
    ws.writeXml("lenient",
                header(200) +
                    "<whatever count=\"1\"><sprite name=\"a\" bogus=\"1\"/><sprite name=\"extra\"/></whatever>" +
                    emptyLists(1, 13) + "<child17><sprite name=\"ignored\"/></child17></pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "lenient", false, ws.root()));
    ASSERT_EQ(p.sprites.size(), 1u);
    EXPECT_EQ(p.sprites[0].name, "a");
    // Missing attributes read as 0 and "", not as creation defaults.
    EXPECT_EQ(p.sprites[0].collisionshape, "");
    EXPECT_EQ(p.counter, 1);
}

TEST(ProjectFileLenient, CountIsAHintNotAnAllocation) {
    Workspace ws;
    ws.writeXml("huge", header(200) + "<sprites count=\"2147483647\"/>" + emptyLists(1, 13) + "</pondaro>");
    ws.writeXml("negative", header(200) + "<sprites count=\"-5\"><sprite name=\"x\"/></sprites>" + emptyLists(1, 13) +
                                "</pondaro>");
    Project p = ws.fresh();
    EXPECT_FALSE(readProject(p, "huge", false, ws.root()));
    ASSERT_TRUE(readProject(p, "negative", false, ws.root()));
    EXPECT_TRUE(p.sprites.empty());
}

TEST(ProjectFileLenient, SwappingTwoRootChildrenMatters) {
    Workspace ws;
    // The sprites list in the place of the frames list reads its items as frames.
    ws.writeXml("swapped", header(200) + "<frames count=\"0\"/><sprites count=\"1\"><sprite file=\"3\" sprite=\"s\"/></sprites>" +
                               emptyLists(2, 13) + "</pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "swapped", false, ws.root()));
    EXPECT_TRUE(p.sprites.empty());
    ASSERT_EQ(p.frames.size(), 1u);
    EXPECT_EQ(p.frames[0].file, "3");
}

TEST(ProjectFileRead, InstancesTakeTheirTemplatesDepth) {
    Workspace ws;
    ws.writeXml("depth", header(200) + emptyLists(0, 6) +
                             "<objects count=\"3\"><object name=\"t\" prototype=\"1\" depth=\"12\"/>"
                             "<object name=\"i\" prototype=\"0\" template=\"t\" depth=\"3\"/>"
                             "<object name=\"j\" prototype=\"0\" template=\"nobody\" depth=\"4\"/></objects>" +
                             emptyLists(7, 13) + "</pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "depth", false, ws.root()));
    EXPECT_EQ(p.objects[1].depth, 12);
    EXPECT_EQ(p.objects[2].depth, 4);
}

TEST(ProjectFileRead, DuplicateNamesInOneFileAreRenamedOnOpen) {
    Workspace ws;
    ws.writeXml("dups", header(200) + "<sprites count=\"2\"><sprite name=\"a\"/><sprite name=\"a\"/></sprites>" +
                            "<frames count=\"1\"><frame file=\"1\" sprite=\"A\"/></frames>" + emptyLists(2, 13) + "</pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "dups", false, ws.root()));
    EXPECT_EQ(p.sprites[0].name, "a");
    EXPECT_EQ(p.sprites[1].name, "a_2");
    // The rename table compares ignoring case, so the frame follows the rename.
    EXPECT_EQ(p.frames[0].sprite, "a_2");
    EXPECT_EQ(p.mergeLog, "SPRITE -> a to a_2\r");
}

TEST(ProjectFileMerge, MergingAProjectIntoItselfRenamesAndKeepsReferencesTogether) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    Project q = ws.fresh();
    q.name = "sample";
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    const size_t objects = q.objects.size();
    q.renames.clear();
    q.mergeLog.clear();
    ASSERT_TRUE(readProject(q, "sample", true, ws.root()));

    EXPECT_EQ(q.name, "sample");
    EXPECT_EQ(q.sprites.size(), 2u);
    EXPECT_EQ(q.objects.size(), 2 * objects);
    // Every logged kind got a line; scripts, layers and tiles were renamed silently.
    for (const char* kind : {"SPRITE -> ", "SOUND -> ", "MUSIC -> ", "BACKGROUND -> ", "FONT -> ", "OBJECT -> ",
                             "SCENE -> ", "FUNCTION -> "})
        EXPECT_NE(q.mergeLog.find(kind), std::string::npos) << kind;
    EXPECT_EQ(q.mergeLog.find("SCRIPT"), std::string::npos);
    EXPECT_NE(q.scripts[1].name, q.scripts[0].name);
    EXPECT_NE(q.layers[1].name, q.layers[0].name);
    EXPECT_NE(q.tiles[1].name, q.tiles[0].name);

    const GameObject& tmpl = q.objects[objects];
    const GameObject& inst = q.objects[objects + 1];
    const Scene& room = q.scenes[1];
    EXPECT_EQ(tmpl.sprite, q.sprites[1].name);
    EXPECT_EQ(inst.templ, tmpl.name);
    EXPECT_EQ(inst.scene, room.name);  // a reference to a later list follows the rename too
    EXPECT_EQ(room.viewportobject, tmpl.name);
    EXPECT_EQ(room.background, q.backgrounds[1].name);
    EXPECT_EQ(q.scripts[1].object, tmpl.name);
    EXPECT_EQ(q.scripts[1].parameter, tmpl.name);  // the collision partner follows
    EXPECT_EQ(q.layers[1].scene, room.name);
    EXPECT_EQ(q.tiles[1].scene, room.name);
    EXPECT_EQ(q.tiles[1].background, q.backgrounds[1].name);
    EXPECT_EQ(q.frames[2].sprite, q.sprites[1].name);
    EXPECT_EQ(q.points[1].sprite, q.sprites[1].name);
    // The renamed sprite's frames are read from the file's own pictures, nothing is copied.
    EXPECT_EQ(q.frames[2].image, q.frames[0].image);
    EXPECT_FALSE(fs::exists(ws.projects() / "sample" / "img" / (q.sprites[1].name + "_1.png")));
    // The merged texts are joined by a line end where one is missing.
    EXPECT_EQ(q.game.comments, "caf\xC3\xA9 \xE2\x82\xAC\r\ncaf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(q.game.functions, p.game.functions + p.game.functions);
    EXPECT_EQ(q.counter, q.recordCountForCounter());
    // Every name is still unique within its table.
    for (size_t i = 0; i < q.objects.size(); ++i) EXPECT_FALSE(q.objects.takenByOther(q.objects[i].name, i));
}

TEST(ProjectFileMerge, AClashRenameSkipsNamesThatAreAlreadyTaken) {
    Workspace ws;
    ws.writeXml("other", header(200) + "<sprites count=\"1\"><sprite name=\"hero\"/></sprites>" + emptyLists(1, 13) +
                             "</pondaro>");
    Project p = ws.fresh();
    p.name = "base";
    p.sprites.add({.name = "hero"});
    p.sprites.add({.name = "hero_3"});
    p.counter = 2;
    ASSERT_TRUE(readProject(p, "other", true, ws.root()));
    ASSERT_EQ(p.sprites.size(), 3u);
    EXPECT_EQ(p.sprites[2].name, "hero_4");
    EXPECT_EQ(p.mergeLog, "SPRITE -> hero to hero_4\r");
    EXPECT_EQ(p.name, "base");
}

TEST(ProjectFileMerge, MediaNamedLikeTheOpenProjectsNeverReplacesIt) {
    Workspace ws;
    auto store = [&](const std::string& name, Rgba colour, const std::string& wav) {
        Project p = ws.fresh();
        p.name = name;
        createBackground(p);
        p.backgrounds.edit(0, [&](auto& r) { r.file = "back.png"; });
        ASSERT_TRUE(savePng(solid(4, 4, colour), ws.root() / p.workingFolder / "back.png"));
        createSound(p);
        p.sounds.edit(0, [&](auto& r) { r.wav = "s.wav"; });
        writeTestFile(ws.root() / p.workingFolder / "s.wav", wav);
        ASSERT_TRUE(writeProject(p, ws.root()));
    };
    store("red", {255, 0, 0, 255}, "red sound");
    store("blue", {0, 0, 255, 255}, "blue sound");
    const std::string redPicture = readTestFile(ws.projects() / "red" / "img" / "back.png");

    Project p = ws.fresh();
    p.name = "red";
    ASSERT_TRUE(readProject(p, "red", false, ws.root()));
    ASSERT_TRUE(readProject(p, "blue", true, ws.root()));
    EXPECT_EQ(readTestFile(ws.projects() / "red" / "img" / "back.png"), redPicture);
    ASSERT_EQ(p.backgrounds.size(), 2u);
    EXPECT_EQ(p.backgrounds[0].file, "back.png");
    EXPECT_EQ(p.backgrounds[1].file, "back_2.png");
    EXPECT_EQ(p.backgrounds[0].picture->pixel(0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(p.backgrounds[1].picture->pixel(0, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(p.sounds[1].wav, "s_2.wav");
    EXPECT_EQ(readTestFile(ws.root() / p.workingFolder / "s.wav"), "red sound");
    EXPECT_EQ(readTestFile(ws.root() / p.workingFolder / "s_2.wav"), "blue sound");

    // Merging a project into itself finds the same files and renames none.
    ASSERT_TRUE(readProject(p, "red", true, ws.root()));
    EXPECT_EQ(p.backgrounds[2].file, "back.png");
    // Saved, every picture and sound is there under its own name.
    ASSERT_TRUE(writeProject(p, ws.root()));
    EXPECT_EQ(readTestFile(ws.projects() / "red" / "aud" / "s_2.wav"), "blue sound");
    EXPECT_EQ(readTestFile(ws.projects() / "red" / "img" / "back.png"), redPicture);

    // The same when the open project's sound could not be copied and stayed outside.
    Project r = ws.fresh();
    r.name = "red";
    removeAll(ws.root() / r.workingFolder);
    writeTestFile(ws.root() / r.workingFolder, "in the way");
    ASSERT_TRUE(readProject(r, "red", false, ws.root()));
    removeAll(ws.root() / r.workingFolder);
    ensureDirectory(ws.root() / r.workingFolder);
    ASSERT_TRUE(readProject(r, "blue", true, ws.root()));
    EXPECT_NE(r.sounds[r.sounds.size() - 1].wav, "s.wav");
    ASSERT_TRUE(writeProject(r, ws.root()));
    EXPECT_EQ(readTestFile(ws.projects() / "red" / "aud" / "s.wav"), "red sound");
}

TEST(ProjectFileMerge, InstancesListedBeforeTheirTemplateFollowItsRename) {
    Workspace ws;
    // Saved in name order: the instance and the child come before "enemy" and "parent".
    ws.writeXml("b", header(200) + emptyLists(0, 6) +
                         "<objects count=\"4\">"
                         "<object name=\"SceneObject9\" prototype=\"0\" template=\"enemy\" scene=\"room\"/>"
                         "<object name=\"child\" prototype=\"1\" parent=\"enemy\"/>"
                         "<object name=\"enemy\" prototype=\"1\" depth=\"7\"/>"
                         "<object name=\"parent\" prototype=\"1\"/></objects>" +
                         emptyLists(7, 13) + "</pondaro>");
    Project p = ws.fresh();
    p.name = "a";
    GameObject mine = defaultObjectTemplate();
    mine.name = "enemy";
    mine.depth = 5;
    p.objects.add(mine);
    ASSERT_TRUE(readProject(p, "b", true, ws.root()));
    const std::string renamed = p.objects[3].name;
    ASSERT_NE(renamed, "enemy");
    EXPECT_EQ(p.objects[1].templ, renamed);
    EXPECT_EQ(p.objects[1].depth, 7);
    EXPECT_EQ(p.objects[2].parent, renamed);
    EXPECT_EQ(p.objects[0].depth, 5);
}

TEST(ProjectFileRefused, AFrameCannotReadAPictureOutsideTheProjectFolder) {
    Workspace ws;
    Image secret = solid(3, 3, {9, 9, 9, 255});
    ensureDirectory(ws.root() / "outside");
    ASSERT_TRUE(savePng(secret, ws.root() / "outside" / "secret_a.png"));
    ws.writeXml("sneaky", header(200) + "<sprites count=\"1\"><sprite name=\"../../../outside/secret\"/></sprites>" +
                              "<frames count=\"1\"><frame file=\"a\" sprite=\"../../../outside/secret\"/></frames>" +
                              emptyLists(2, 13) + "</pondaro>");
    Project p = ws.fresh();
    ASSERT_TRUE(readProject(p, "sneaky", false, ws.root()));
    ASSERT_EQ(p.frames.size(), 1u);
    EXPECT_TRUE(p.frames[0].image.empty());
}

TEST(ProjectFileRefused, AMediaFileThatCannotBeCopiedMakesTheSaveFail) {
    Workspace ws;
    Project p = sampleProject(ws);
    ensureDirectory(ws.projects() / "sample" / "aud" / "boom.wav" / "in the way");
    p.markModified();
    Status s = writeProject(p, ws.root());
    ASSERT_FALSE(s);
    EXPECT_NE(s.message().find("boom.wav"), std::string::npos) << s.message();
    EXPECT_TRUE(p.modified());
}

// However many and however large, tiles hold no pixels of their own: a hundred tiles
// of 512 x 512 at distinct places of a small picture, or of a background whose file is
// gone, take the memory of that picture alone.
TEST(ProjectFileMedia, TilesShowTheirBackgroundsPictureAndHoldNoPixelsOfTheirOwn) {
    Workspace ws;
    Project p = sampleProject(ws);
    std::string gone = createBackground(p);
    p.backgrounds.edit(1, [&](auto& r) { r.file = "gone.png"; });
    for (int i = 0; i < 100; ++i)
        p.tiles.add({"big_" + std::to_string(i), i % 2 ? gone : p.backgrounds[0].name, i, i, 512, 512, 0, 0, 0,
                     p.scenes[0].name, nullptr});
    ASSERT_TRUE(writeProject(p, ws.root()));
    Project q = ws.fresh();
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    long long frames = 0;
    for (const Frame& f : q.frames) frames += (long long)f.image.byteSize();
    EXPECT_EQ(q.pictureBytes(), frames + 64 * 32 * 4);  // the frames and the one tile set
    EXPECT_EQ(shownBy(q.tiles[2]).pixel(0, 0), (Rgba{255, 0, 0, 255}));  // big_1's picture is gone: red
    EXPECT_EQ(shownBy(q.tiles[1]).pixel(40, 0), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(shownBy(q.tiles[1]).pixel(100, 100), (Rgba{}));  // beyond the picture
}

TEST(ProjectFileRefused, PicturesBeyondTheMemoryBudgetRefuseTheFile) {
    Workspace ws;
    Project p = sampleProject(ws);
    ASSERT_TRUE(writeProject(p, ws.root()));
    ProjectFileData data;
    // Two frames of 16 x 8 and the 64 x 32 tile set: 9,216 bytes of pixels.
    Status s = loadProjectFile(ws.root(), "sample", data, 9216 - 1);
    ASSERT_FALSE(s);
    EXPECT_NE(s.message().find("more memory"), std::string::npos) << s.message();
    EXPECT_TRUE(data.frames.empty());
    EXPECT_TRUE(loadProjectFile(ws.root(), "sample", data, 9216));
}

TEST(ProjectFileMedia, TilesFarOutsideTheirBackgroundAreSafe) {
    Workspace ws;
    Project p = sampleProject(ws);
    p.tiles.add({"tile_far", p.backgrounds[0].name, INT32_MIN, INT32_MIN, 8, 8, 0, 0, 1000000, p.scenes[0].name, nullptr});
    p.tiles.add({"tile_edge", p.backgrounds[0].name, -2147483000, 5, 8, 8, 0, 0, 1000000, p.scenes[0].name, nullptr});
    ASSERT_TRUE(writeProject(p, ws.root()));
    Project q = ws.fresh();
    ASSERT_TRUE(readProject(q, "sample", false, ws.root()));
    EXPECT_EQ(shownBy(q.tiles[1]).pixel(0, 0), (Rgba{}));
    EXPECT_EQ(shownBy(q.tiles[2]).pixel(7, 7), (Rgba{}));
}
