// Building game.js and index.html, and running the game, through scripted ports.
#include <gtest/gtest.h>

#include "app/file_commands.h"
#include "app/game_commands.h"
#include "app/startup.h"
#include "base/files.h"
#include "export/game_files.h"
#include "project/naming.h"
#include "support/fake_ports.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

struct Building : TestStudio {
    Building() {
        newProject(studio, false);
        studio.engineTemplate = "/* //PONDARO_VERSION */\n//PONDARO_SCENES\n";
    }
    Project& p() { return studio.project; }
    fs::path root() { return folder.path(); }
    fs::path gameFolder() { return folder.path() / "Projects" / p().name; }
    std::string file(const char* name) { return readTestFile(gameFolder() / name); }
};

} // namespace

TEST(BuildGame, ANeverSavedProjectBuildsNothingAndCannotRun) {
    Building b;
    EXPECT_FALSE(buildGame(b.studio));
    EXPECT_TRUE(b.dialogs.shown.empty());
    EXPECT_FALSE(runGame(b.studio));
    EXPECT_EQ(b.dialogs.shown, (std::vector<Shown>{{"Message", "Please save your game."}}));
    EXPECT_TRUE(b.shell.pages.empty());
}

TEST(BuildGame, WritesThePageAndTheScriptAndWarnsWithoutScenes) {
    Building b;
    b.p().name = "g";
    std::vector<std::string> statuses;
    b.studio.showStatus = [&](const std::string& s, int) { statuses.push_back(s); };
    EXPECT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("game.js"), "/* v2.0.0 */\n\n");
    const std::string page = b.file("index.html");
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang='en'>\r\n<head>\r\n", 0), 0u);
    EXPECT_NE(page.find("\r\n<div id='pondarogame'></div>\r\n<a style='text-decoration:none;font-size:11px;font-family:"
                        "arial;color:rgb(255,255,255);' href='"),
              std::string::npos);
    EXPECT_NE(page.find("'>Made with Pondaro Game Maker</a>\r\n<script type='text/javascript' src='game.js'></script>\r\n"
                        "</body>\r\n</html>\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 16);
    EXPECT_EQ(statuses, (std::vector<std::string>{"PROJECT SAVED.", "STATUS: READY."}));
    EXPECT_EQ(b.studio.status, "STATUS: READY.");
    EXPECT_EQ(b.dialogs.shown, (std::vector<Shown>{{"Warning", "There is no scene added."}}));
}

TEST(BuildGame, AUsersOwnPageSurvivesWhenPagesAreNotGenerated) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    b.studio.prefs.GenerateIndexHTML = 0;
    EXPECT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("index.html"), indexHtml());  // missing: written all the same
    writeTestFile(b.gameFolder() / "index.html", "<html>mine</html>\n");
    EXPECT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("index.html"), "<html>mine</html>\n");
    b.studio.prefs.GenerateIndexHTML = 1;
    EXPECT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("index.html"), indexHtml());
    EXPECT_TRUE(b.dialogs.shown.empty());
}

TEST(BuildGame, MarkersAreFilledInOrderOneAfterTheOther) {
    Project p;
    p.game.variables = "var v; //PONDARO_SCENES";  // filled again by the later marker
    createScene(p);
    const std::string t = "//PONDARO_GLOBAL_VARIABLES|//PONDARO_VERSION|//PONDARO_VERSION|//PONDARO_UNKNOWN|";
    std::string out = gameScript(p, {}, t, "");
    const std::string scenes = out.substr(out.find("function __"));
    EXPECT_EQ(out.rfind("var v; function __scene_", 0), 0u) << out;
    EXPECT_NE(out.find("|v2.0.0|v2.0.0|//PONDARO_UNKNOWN|"), std::string::npos);
    // A marker missing from the template is simply not filled.
    EXPECT_EQ(gameScript(p, {}, "no markers", ""), "no markers");
}

TEST(BuildGame, ExtensionsAreReloadedForEveryBuild) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    b.studio.engineTemplate = "//PONDARO_EXTENSIONS";
    ASSERT_TRUE(writeExtensionFile(b.root(), "fx", {"Fx", "Ann", "", "", "fx();"}));
    ASSERT_TRUE(saveInstalledKeys(b.root(), "g", {"fx"}));
    ASSERT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("game.js"), "/* Fx by Ann */\r\n\r\nfx();\r\n\r\n\r\n");
    ASSERT_TRUE(saveInstalledKeys(b.root(), "g", {}));
    ASSERT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("game.js"), "\r\n");
}

TEST(BuildGame, NamesTheGameCannotUseAreListedAndTheGameIsWrittenAllTheSame) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    b.p().sprites.add({.name = "my sprite"});
    ASSERT_TRUE(buildGame(b.studio));
    ASSERT_EQ(b.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.dialogs.shown[0].title, "Warning");
    EXPECT_NE(b.dialogs.shown[0].text.find("'my sprite'"), std::string::npos);
    EXPECT_TRUE(isRegularFile(b.gameFolder() / "game.js"));
}

TEST(BuildGame, AFailedWriteIsReported) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    ensureDirectory(b.gameFolder() / "game.js" / "x");
    EXPECT_FALSE(buildGame(b.studio));
    EXPECT_EQ(b.dialogs.shown.back().title, "Error");
}

TEST(RunGame, SavesBuildsAndOpensThePage) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    ASSERT_TRUE(runGame(b.studio));
    EXPECT_TRUE(isRegularFile(b.root() / "Projects" / "g.xml"));
    ASSERT_EQ(b.shell.pages.size(), 1u);
    const std::string expected = fs::absolute(b.root()).lexically_normal().string() + "/Projects/g/index.html";
    EXPECT_EQ(b.shell.pages[0], expected);
    b.studio.prefs.add_file_protocol = 1;
    ASSERT_TRUE(runGame(b.studio));
    EXPECT_EQ(b.shell.pages[1], "file://" + expected);
}

TEST(RunGame, ABrowserThatDoesNotStartIsReportedWithThePagesPath) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    b.shell.browserStarts = false;
    b.studio.prefs.add_file_protocol = 1;
    EXPECT_FALSE(runGame(b.studio));
    EXPECT_EQ(b.dialogs.shown, (std::vector<Shown>{{"Error", "The browser could not be started. Open this page yourself:\r\n" +
                                                                 fs::absolute(b.root()).lexically_normal().string() +
                                                                 "/Projects/g/index.html"}}));
}

TEST(RunGame, AFailedBuildOpensNothing) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    ASSERT_TRUE(buildGame(b.studio));  // a page from an earlier build
    fs::remove(b.gameFolder() / "game.js");
    ensureDirectory(b.gameFolder() / "game.js" / "x");
    EXPECT_FALSE(runGame(b.studio));
    EXPECT_TRUE(b.shell.pages.empty());
    EXPECT_EQ(b.dialogs.shown.back().title, "Error");
}

TEST(RunGame, AMissingPageIsReportedAndNothingOpens) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    b.studio.prefs.GenerateIndexHTML = 0;
    writeTestFile(b.gameFolder() / "index.html", "");
    EXPECT_FALSE(runGame(b.studio));
    EXPECT_TRUE(b.shell.pages.empty());
    EXPECT_EQ(b.dialogs.shown.back(),
              (Shown{"Message", "The INDEX.HTML file is missing. You can allow Pondaro to create it (enable it in the "
                                "Preferences) or you can copy your file in the project folder."}));
}

TEST(BuildGame, AStudioInAFolderWithoutTheEngineFilesBuildsWithTheInstalledOnes) {
    Building b;
    b.studio.programFolder = b.root() / "prefix" / "bin";
    writeTestFile(b.root() / "prefix" / "share" / "pondaro" / "export.js", "/* installed */\n//PONDARO_SCENES\n");
    writeTestFile(b.root() / "prefix" / "share" / "pondaro" / "keywords.dat", "!installed_fn\ns\nd\n");
    loadEngineTemplate(b.studio);
    loadWordList(b.studio);
    ASSERT_FALSE(b.studio.keywords.empty());
    EXPECT_EQ(b.studio.keywords.front().word, "installed_fn");
    b.p().name = "g";
    createScene(b.p());
    EXPECT_TRUE(buildGame(b.studio));
    EXPECT_EQ(b.file("game.js").rfind("/* installed */", 0), 0u);
}

TEST(BuildGame, AMissingOrEmptyEngineIsAnErrorAndNoGameIsWritten) {
    Building b;
    b.p().name = "g";
    createScene(b.p());
    EXPECT_TRUE(readTemplate(b.root(), b.studio.engineTemplate));
    EXPECT_FALSE(fs::exists(b.root() / "export.js"));
    EXPECT_FALSE(buildGame(b.studio));
    EXPECT_EQ(b.dialogs.shown, (std::vector<Shown>{{"Error", "The game engine file export.js is missing or empty."}}));
    EXPECT_FALSE(fs::exists(b.gameFolder() / "game.js"));
    writeTestFile(b.root() / "export.js", "a\r\n\xE9");
    std::string text;
    EXPECT_TRUE(readTemplate(b.root(), text));
    EXPECT_EQ(text, "a\r\n\xE9");
}
