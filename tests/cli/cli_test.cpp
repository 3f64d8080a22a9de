// pondaro-cli as its users run it: a program in a folder holding Projects/.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "base/files.h"
#include "image/codecs.h"
#include "project/model.h"
#include "project/project_file.h"
#include "support/temp_folder.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const fs::path& folder, const std::string& args) {
    CliRun r;
    fs::path errFile = folder / ".stderr";
    std::string cmd = "cd '" + folder.string() + "' && '" PONDARO_CLI_PATH "' " + args + " 2>'" + errFile.string() + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    int st = pclose(pipe);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = readTestFile(errFile);
    fs::remove(errFile);
    return r;
}

const char* kDemo =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<pondaro version=\"200\" uid=\"3\" title=\"Demo\" advancedscriptmode=\"0\" imgfolder=\"img\" audfolder=\"aud\">"
    "<functions></functions><variables>var a = 1</variables><comments></comments>"
    "<sprites count=\"1\"><sprite name=\"hero\" centerx=\"0\" centery=\"0\" collisionshape=\"Box\" collisionradius=\"0\" "
    "collisionleft=\"0\" collisionright=\"16\" collisiontop=\"0\" collisionbottom=\"8\" keywords=\"\" uid=\"5\"/></sprites>"
    "<frames count=\"1\"><frame file=\"1\" sprite=\"hero\"/></frames>"
    "<sounds count=\"0\"/><musics count=\"0\"/><backgrounds count=\"0\"/><fonts count=\"0\"/><objects count=\"0\"/>"
    "<scripts count=\"0\"/><scenes count=\"0\"/><layers count=\"0\"/><tiles count=\"0\"/><fns count=\"0\"/>"
    "<points count=\"0\"/></pondaro>";

std::string withVersion(int v) {
    std::string xml = kDemo;
    return xml.replace(xml.find("version=\"200\""), 13, "version=\"" + std::to_string(v) + "\"");
}

struct CliFolder {
    CliFolder() {
        writeTestFile(dir.path() / "Projects" / "demo.xml", kDemo);
        Image frame(16, 8);
        frame.fill({1, 2, 3, 255});
        ensureDirectory(dir.path() / "Projects" / "demo" / "img");
        EXPECT_TRUE(savePng(frame, dir.path() / "Projects" / "demo" / "img" / "hero_1.png"));
    }
    CliRun run(const std::string& args) { return runCli(dir.path(), args); }
    bool hasWorkingFolder() const {
        for (auto& e : fs::directory_iterator(dir.path()))
            if (e.path().filename().string().rfind("_temp_", 0) == 0) return true;
        return false;
    }
    TempFolder dir;
};

} // namespace

TEST(CliDump, PrintsTheProjectAsJsonInTheDocumentedShape) {
    CliFolder f;
    CliRun r = f.run("dump demo");
    ASSERT_EQ(r.status, 0) << r.err;
    auto j = nlohmann::ordered_json::parse(r.out);
    std::vector<std::string> keys;
    for (auto& [k, v] : j.items()) keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"version", "title", "advancedscriptmode", "functions", "variables",
                                              "comments", "imgfolder", "audfolder", "counter", "mergelog", "sprites",
                                              "frames", "sounds", "musics", "backgrounds", "fonts", "objects", "scripts",
                                              "scenes", "layers", "tiles", "fns", "points"}));
    EXPECT_EQ(j["version"], 200);
    EXPECT_EQ(j["title"], "Demo");
    EXPECT_EQ(j["counter"], 2);
    EXPECT_EQ(j["sprites"][0]["uid"], 5);
    EXPECT_EQ(j["sprites"][0]["collisionright"], 16);
    EXPECT_EQ(j["frames"][0], nlohmann::ordered_json::parse(R"({"file":"1","sprite":"hero","width":16,"height":8})"));
    EXPECT_TRUE(j["fns"].is_array() && j["fns"].empty());
    EXPECT_FALSE(f.hasWorkingFolder());
}

TEST(CliDump, MergesEveryOtherInOrder) {
    CliFolder f;
    CliRun r = f.run("dump demo demo demo");
    ASSERT_EQ(r.status, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["sprites"].size(), 3u);
    EXPECT_EQ(j["sprites"][1]["name"], "hero_3");
    EXPECT_EQ(j["sprites"][2]["name"], "hero_5");
    // The merge log holds the last merge only, each line ended by a carriage return.
    EXPECT_EQ(j["mergelog"], "SPRITE -> hero to hero_5\r");
    EXPECT_EQ(j["frames"][2]["sprite"], "hero_5");
    EXPECT_EQ(j["frames"][2]["width"], 16);
    EXPECT_EQ(j["variables"], "var a = 1\r\nvar a = 1\r\nvar a = 1");
    EXPECT_EQ(j["counter"], 6);
}

TEST(CliDump, RefusedFilesGiveAMessageAndStatusOne) {
    CliFolder f;
    writeTestFile(f.dir.path() / "Projects" / "future.xml", withVersion(201));
    writeTestFile(f.dir.path() / "Projects" / "broken.xml", std::string(kDemo).substr(0, 300));
    struct Case {
        const char* args;
        const char* mentions;
    } cases[] = {
        {"dump future", "(v201)"},
        {"dump demo future", "(v201)"},
        {"dump demo demo future", "(v201)"},
        {"dump broken", "broken.xml"},
        {"dump missing", "missing.xml"},
        {"dump ../demo", "project name"},
        {"save broken", "broken.xml"},
    };
    for (const auto& c : cases) {
        CliRun r = f.run(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.args << ": " << r.err;
        EXPECT_FALSE(f.hasWorkingFolder()) << c.args;
    }
}

TEST(CliSave, WritesTheProjectUnderANewNameWithItsFrames) {
    CliFolder f;
    CliRun r = f.run("save demo copy");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(isRegularFile(f.dir.path() / "Projects" / "copy.xml"));
    Image img;
    ASSERT_TRUE(loadImage(f.dir.path() / "Projects" / "copy" / "img" / "hero_1.png", img));
    EXPECT_EQ(img.width(), 16);
    CliRun back = f.run("dump copy");
    ASSERT_EQ(back.status, 0) << back.err;
    auto j = nlohmann::json::parse(back.out);
    EXPECT_EQ(j["variables"], "var a = 1");
    EXPECT_EQ(j["frames"][0]["height"], 8);

    CliRun same = f.run("save demo");
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_FALSE(f.hasWorkingFolder());
}

TEST(CliSave, AFailedWriteIsReported) {
    CliFolder f;
    ensureDirectory(f.dir.path() / "Projects" / "blocked.xml" / "inner");
    CliRun r = f.run("save demo blocked");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("could not be saved"), std::string::npos) << r.err;
    CliRun bad = f.run("save demo ../outside");
    EXPECT_EQ(bad.status, 1);
    EXPECT_FALSE(fs::exists(f.dir.path() / "outside.xml"));
}

TEST(CliUsage, HelpAndUnknownCommands) {
    CliFolder f;
    CliRun help = f.run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("dump NAME"), std::string::npos);
    EXPECT_EQ(f.run("").status, 2);
    EXPECT_EQ(f.run("frobnicate").status, 2);
    EXPECT_EQ(f.run("dump").status, 2);
}

TEST(CliExport, BuildsTheGameFromTheTemplateInTheFolder) {
    CliFolder f;
    writeTestFile(f.dir.path() / "export.js", "//PONDARO_VERSION\n//PONDARO_SPRITES//PONDARO_SCENES");
    CliRun r = f.run("export demo");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("There is no scene added."), std::string::npos);
    const std::string game = readTestFile(f.dir.path() / "Projects" / "demo" / "game.js");
    EXPECT_EQ(game,
              "v2.0.0\n"
              "function __hero() { \r\n"
              "__sprite_init__(this, hero, 16, 8, 0, 0, 'Box', 0, 0, 16, 0, 8, ['img/hero_1.png']);\r\n"
              "}; var hero = new __hero();\r\n\r\n");
    EXPECT_TRUE(isRegularFile(f.dir.path() / "Projects" / "demo" / "index.html"));
    EXPECT_FALSE(f.hasWorkingFolder());
}

TEST(CliExport, ARefusedProjectWritesNothing) {
    CliFolder f;
    writeTestFile(f.dir.path() / "Projects" / "future.xml", withVersion(201));
    CliRun r = f.run("export future");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("(v201)"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "Projects" / "future" / "game.js"));
    EXPECT_EQ(f.run("export").status, 2);
}

// A save reaches nothing outside the folder it runs in: a link where a file goes is
// replaced, a project or media folder that is a link leading outside is refused.
TEST(CliSave, LinksAtTheDestinationLeadNothingOutside) {
    struct Case {
        const char* link;    // under Projects/, the link made
        const char* target;  // under the outside folder, what it points to
        int status;
    } cases[] = {
        {"q/aud/s.wav", "victim.wav", 0},
        {"q/img", "folder", 1},
        {"q", "folder", 1},
    };
    for (const auto& c : cases) {
        CliFolder f;
        std::string tune = kDemo;
        tune.replace(tune.find("<sounds count=\"0\"/>"), 19,
                     "<sounds count=\"1\"><sound name=\"s\" wav=\"s.wav\" mp3=\"\" ogg=\"\" keywords=\"\" uid=\"7\"/></sounds>");
        writeTestFile(f.dir.path() / "Projects" / "tune.xml", tune);
        writeTestFile(f.dir.path() / "Projects" / "tune" / "aud" / "s.wav", "RIFF-tune");
        TempFolder outside;
        writeTestFile(outside.path() / "victim.wav", "outside");
        ensureDirectory(outside.path() / "folder");
        const fs::path link = f.dir.path() / "Projects" / c.link;
        ensureDirectory(link.parent_path());
        fs::create_symlink(outside.path() / c.target, link);
        CliRun r = f.run("save tune q");
        EXPECT_EQ(r.status, c.status) << c.link << ": " << r.err;
        EXPECT_EQ(readTestFile(outside.path() / "victim.wav"), "outside") << c.link;
        EXPECT_TRUE(fs::is_empty(outside.path() / "folder")) << c.link;
        if (c.status == 0) EXPECT_EQ(readTestFile(link), "RIFF-tune");  // the link replaced by the copy
        else EXPECT_NE(r.err.find("leads outside"), std::string::npos) << r.err;
    }
}

TEST(CliPreferences, AnUnreadablePreferencesFileIsToldOnceAndTheCommandGoesOn) {
    CliFolder f;
    ensureDirectory(f.dir.path() / "preferences.dat");
    const CliRun r = f.run("dump demo");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string warning = "The preferences could not be read";
    const size_t first = r.err.find(warning);
    ASSERT_NE(first, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(warning, first + 1), std::string::npos) << r.err;
}

// A pipe where a file is read gives a message at once; reading from it would wait for
// a writer for ever. The watch opens the pipe for writing after a while, which lets a
// blocked reader go on, so a fault shows as a failure and never as a hung test.
TEST(CliSpecialFiles, APipeInsteadOfAFileIsToldAtOnce) {
    struct Case {
        const char* pipe;  // in the run folder
        const char* args;
        int status;
    } cases[] = {
        {"Projects/demo/img/hero_1.png", "dump demo", 1},
        {"Projects/demo/extensions.dat", "export demo", 0},
        {"preferences.dat", "dump demo", 0},
        {"export.js", "export demo", 1},
    };
    for (const auto& c : cases) {
        CliFolder f;
        writeTestFile(f.dir.path() / "export.js", "//PONDARO_VERSION\n//PONDARO_SPRITES//PONDARO_SCENES");
        const fs::path pipe = f.dir.path() / c.pipe;
        fs::remove(pipe);
        ensureDirectory(pipe.parent_path());
        ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
        std::mutex m;
        std::condition_variable finished;
        bool done = false, unblocked = false;
        std::thread watch([&] {
            std::unique_lock lock(m);
            if (finished.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) return;
            unblocked = true;
            while (!done) {  // until the reader has the pipe open
                int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                lock.lock();
            }
        });
        CliRun r = f.run(c.args);
        {
            std::lock_guard lock(m);
            done = true;
        }
        finished.notify_one();
        watch.join();
        EXPECT_FALSE(unblocked) << c.pipe << " was waited on";
        EXPECT_EQ(r.status, c.status) << c.pipe << ": " << r.err;
        EXPECT_NE(r.err.find("is a pipe"), std::string::npos) << c.pipe << ": " << r.err;
        EXPECT_NE(r.err.find(fs::path(c.pipe).filename().string()), std::string::npos) << r.err;
    }
}

TEST(CliPreview, DrawsTheFirstSceneOrTheNamedOneAsTheOpenDialogsPicture) {
    CliFolder f;
    Project p;
    p.name = "rooms";
    for (auto [name, red] : {std::pair{"first", 200}, std::pair{"second", 10}}) {
        Scene s;
        s.name = name;
        s.width = 320;
        s.height = 240;
        s.red = red;
        p.scenes.add(s);
    }
    ASSERT_TRUE(writeProject(p, f.dir.path()));
    const fs::path picture = f.dir.path() / "Projects" / "rooms.png";
    // The picture of the scene window's Done: 240 x 240, the scene fitted and centred,
    // without the editing grid.
    auto centre = [&] {
        Image img;
        EXPECT_TRUE(loadImage(picture, img));
        EXPECT_EQ(img.width(), 240);
        EXPECT_EQ(img.pixel(0, 0).a, 0);                         // above the 240 x 180 scene
        // The scene's first row is where the grid's first line would lie.
        EXPECT_EQ(img.pixel(1, 30), img.pixel(121, 121)) << "a grid line";
        return img.pixel(121, 121);
    };
    ASSERT_EQ(f.run("preview rooms").status, 0);
    EXPECT_EQ(centre(), (Rgba{200, 0, 0, 255}));
    ASSERT_EQ(f.run("preview rooms second").status, 0);
    EXPECT_EQ(centre(), (Rgba{10, 0, 0, 255}));

    CliRun none = f.run("preview demo");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("has no scene"), std::string::npos) << none.err;
    EXPECT_EQ(f.run("preview rooms third").status, 1);
    EXPECT_EQ(f.run("preview").status, 2);
    EXPECT_FALSE(f.hasWorkingFolder());
}

TEST(CliSave, EverySampleIsWrittenBackToTheSameBytes) {
    TempFolder dir;
    fs::copy(fs::path(PONDARO_SOURCE_DIR) / "samples" / "Projects", dir.path() / "Projects", fs::copy_options::recursive);
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(dir.path() / "Projects")) {
        if (entry.path().extension() != ".xml") continue;
        ++samples;
        const std::string name = entry.path().stem().string(), before = readTestFile(entry.path());
        CliRun r = runCli(dir.path(), "save " + name);
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(readTestFile(entry.path()), before) << name;
        // Its preview picture is there for the open dialog.
        EXPECT_TRUE(isRegularFile(dir.path() / "Projects" / (name + ".png"))) << name;
    }
    EXPECT_GE(samples, 3);
}
