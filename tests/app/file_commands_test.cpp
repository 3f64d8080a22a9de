// New, Open, Merge, Save, Save as, Duplicate and Exit through scripted dialogs.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "app/file_commands.h"
#include "base/files.h"
#include "project/lifecycle.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "support/fake_ports.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

// A studio that has started (New without its question) in its folder.
struct Started : TestStudio {
    Started() { newProject(studio, false); }
    Project& p() { return studio.project; }
    fs::path root() { return folder.path(); }
    fs::path work() { return root() / p().workingFolder; }

    // Saves a small project under the name, then starts a fresh empty one.
    void storeProject(const std::string& name, const std::string& comments = "") {
        createSprite(p());
        std::string obj = createObject(p());
        std::string room = createScene(p());
        GameObject inst;
        inst.name = "SceneObject1";
        inst.templ = obj;
        inst.scene = room;
        p().objects.add(inst);
        p().scripts.add({"scr_1", obj, "Step", "", "x += 1;"});
        p().game.comments = comments;
        p().name = name;
        ASSERT_TRUE(writeProject(p(), root()));
        newProject(studio, false);
    }
};

} // namespace

TEST(LifecycleNew, StartsEmptyWithAFreshWorkingFolderAndThePreferences) {
    Started s;
    EXPECT_TRUE(isDirectory(s.root() / "Projects"));
    EXPECT_TRUE(isDirectory(s.root() / "Extensions"));
    EXPECT_TRUE(isRegularFile(s.root() / "preferences.dat"));
    EXPECT_EQ(s.p().workingFolder, "_temp_123456");
    EXPECT_TRUE(isDirectory(s.work()));
    EXPECT_EQ(s.p().name, "");
    EXPECT_EQ(s.p().counter, 1);
    EXPECT_TRUE(s.dialogs.shown.empty());

    createSprite(s.p());
    s.p().name = "x";
    s.clock.set(1, 2, 3);
    const fs::path old = s.work();
    s.dialogs.yesNo = {false};
    EXPECT_FALSE(newProject(s.studio));
    EXPECT_EQ(s.p().sprites.size(), 1u);
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Unsaved changes will be lost. New?"}));

    s.dialogs.yesNo = {true};
    EXPECT_TRUE(newProject(s.studio));
    EXPECT_TRUE(s.p().sprites.empty());
    EXPECT_EQ(s.p().name, "");
    EXPECT_FALSE(s.p().modified());
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(s.p().workingFolder, "_temp_010203");
}

TEST(LifecycleNew, AnUnmodifiedProjectIsReplacedWithoutAQuestion) {
    Started s;
    EXPECT_TRUE(newProject(s.studio));
    EXPECT_TRUE(s.dialogs.shown.empty());
}

TEST(LifecycleNew, TheImageAndAudioFoldersComeFromThePreferences) {
    Started s;
    writeTestFile(s.root() / "preferences.dat", "[Export]\r\nImgFolder = pics\r\nAudFolder = snd\r\n");
    newProject(s.studio, false);
    EXPECT_EQ(s.p().imgfolder, "pics");
    EXPECT_EQ(s.p().audfolder, "snd");
}

TEST(LifecycleWorkingFolder, TwoStudiosStartedInTheSameSecondKeepTheirOwnFolders) {
    TestStudio first, second;
    // Both work in one folder: the second studio uses the first one's folder as root.
    Studio other(second.dialogs, second.shell, second.clock, first.folder.path());
    newProject(first.studio, false);
    writeTestFile(first.folder.path() / first.studio.project.workingFolder / "boom.wav", "mine");
    // A foreign program's mark on the folder (our own process id would be reused).
    writeTestFile(first.folder.path() / first.studio.project.workingFolder / ".owner", "1");
    newProject(other, false);
    EXPECT_NE(other.project.workingFolder, first.studio.project.workingFolder);
    EXPECT_EQ(readTestFile(first.folder.path() / first.studio.project.workingFolder / "boom.wav"), "mine");
    // A folder without the mark may be another studio's that has not written it yet.
    removeWorkingFolder(other.project, other.root);
    writeTestFile(first.folder.path() / "_temp_111111" / "boom.wav", "theirs");
    second.clock.set(11, 11, 11);
    newProject(other, false);
    EXPECT_EQ(other.project.workingFolder, "_temp_111111_2");
    EXPECT_EQ(readTestFile(first.folder.path() / "_temp_111111" / "boom.wav"), "theirs");
    second.clock.set(12, 34, 56);
    // A folder left by a program that has ended is reused.
    writeTestFile(first.folder.path() / "_temp_123456" / ".owner", "999999999");
    removeWorkingFolder(other.project, other.root);
    newProject(other, false);
    EXPECT_EQ(other.project.workingFolder, "_temp_123456");
    EXPECT_FALSE(fs::exists(first.folder.path() / "_temp_123456" / "boom.wav"));
}

namespace {

// The process id of a program that has ended.
long long endedProgram() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(LifecycleLeftovers, WhatStoppedProgramsLeftIsRemovedAtStartAndBySave) {
    Started s;
    const std::string ended = std::to_string(endedProgram()), running = "1";
    const fs::path img = s.root() / "Projects" / "p" / "img";
    struct Leftover {
        fs::path path;
        bool stays;
    } files[] = {
        {img / (".p_0.png.tmp" + ended), false},                   // a save that was killed
        {img / ".p_1.png.tmp99999999999", false},                  // an id no program can have
        {s.root() / "Projects" / (".p.xml.tmp" + ended), false},
        {s.root() / ("_temp_010203"), false},                      // a killed studio's working folder
        {img / (".p_2.png.tmp" + running), true},                  // a program still writing
        {img / "notes.tmp5", true},                                // the user's own files
        {s.root() / ("_temp_010204"), true},                       // a running studio's
        {s.root() / ("_temp_010205"), true},                       // unmarked: not known to be ours
    };
    auto plant = [&] {
        for (const auto& f : files) {
            if (f.path.filename().string().rfind("_temp_", 0) == 0) ensureDirectory(f.path);
            else writeTestFile(f.path, "x");
        }
        writeTestFile(s.root() / "_temp_010203" / ".owner", ended);
        writeTestFile(s.root() / "_temp_010204" / ".owner", running);
    };
    plant();
    removeLeftovers(s.root());
    for (const auto& f : files) EXPECT_EQ(pathExists(f.path), f.stays) << f.path;
    EXPECT_TRUE(isDirectory(s.work()));  // this studio's own

    // Save clears the folders of the project it writes.
    plant();
    s.p().name = "p";
    ASSERT_TRUE(saveProject(s.studio));
    for (const auto& f : files)
        if (f.path.parent_path() != s.root()) EXPECT_EQ(pathExists(f.path), f.stays) << f.path;
}

TEST(LifecycleOpen, CancelChangesNothingButTheCounter) {
    Started s;
    s.storeProject("alpha");
    createSprite(s.p());
    s.p().counter = 99;
    s.dialogs.yesNo = {true};
    s.dialogs.projects = {""};
    EXPECT_FALSE(openProject(s.studio));
    EXPECT_EQ(s.dialogs.offered, (std::vector<std::string>{"alpha"}));
    EXPECT_EQ(s.p().sprites.size(), 1u);
    EXPECT_TRUE(s.p().modified());
    EXPECT_EQ(s.p().counter, 1);
}

TEST(LifecycleOpen, DecliningTheQuestionShowsNoDialog) {
    Started s;
    createSprite(s.p());
    s.dialogs.yesNo = {false};
    EXPECT_FALSE(openProject(s.studio));
    EXPECT_FALSE(s.dialogs.anyShown("Open a project..."));
}

TEST(LifecycleOpen, ReadsTheChosenProjectIntoAFreshSession) {
    Started s;
    s.storeProject("alpha", "read me");
    s.clock.set(8, 0, 0);
    s.dialogs.projects = {"alpha"};
    ASSERT_TRUE(openProject(s.studio));
    EXPECT_EQ(s.p().name, "alpha");
    EXPECT_EQ(s.p().objects.size(), 2u);
    EXPECT_EQ(s.p().game.comments, "read me");
    EXPECT_EQ(s.p().workingFolder, "_temp_080000");
    EXPECT_EQ(s.studio.status, "STATUS: READY.");
    EXPECT_FALSE(s.p().modified());
}

TEST(LifecycleOpen, AnUnreadableFileLeavesProjectNameAndWorkingFolderAsTheyWere) {
    Started s;
    s.storeProject("alpha");
    writeTestFile(s.root() / "Projects" / "broken.xml", "<pondaro version=\"200\"><functions>");
    writeTestFile(s.root() / "Projects" / "future.xml", "<pondaro version=\"300\"/>");
    createSprite(s.p());
    s.p().name = "mine";
    writeTestFile(s.work() / "keep.wav", "x");
    const std::string work = s.p().workingFolder;
    for (const char* name : {"broken", "future"}) {
        s.dialogs.yesNo = {true};
        s.dialogs.projects = {name};
        EXPECT_FALSE(openProject(s.studio)) << name;
        EXPECT_EQ(s.dialogs.shown.back().title, "Error") << name;
        EXPECT_EQ(s.p().name, "mine");
        EXPECT_EQ(s.p().sprites.size(), 1u);
        EXPECT_EQ(s.p().workingFolder, work);
        EXPECT_TRUE(isRegularFile(s.work() / "keep.wav"));
    }
    EXPECT_EQ(s.dialogs.shown.back().text, "This project requires a new program version (v300).");
}

TEST(LifecycleMerge, AnUnsavedProjectCannotBeTheBase) {
    Started s;
    EXPECT_FALSE(mergeProject(s.studio));
    EXPECT_EQ(s.dialogs.shown, (std::vector<Shown>{{"Error", "Please save your current project or open the base project."}}));
}

TEST(LifecycleMerge, MergingIntoItselfLogsEveryRenameAndMarksTheProjectModified) {
    Started s;
    s.storeProject("alpha");
    s.dialogs.projects = {"alpha", "alpha"};
    ASSERT_TRUE(openProject(s.studio));
    ASSERT_TRUE(mergeProject(s.studio));
    EXPECT_TRUE(s.p().modified());
    EXPECT_EQ(s.p().name, "alpha");
    ASSERT_EQ(s.dialogs.shown.back().title, "Merge result");
    const std::string& text = s.dialogs.shown.back().text;
    EXPECT_EQ(text.rfind("The following items had name conflicts during the merging process and they have been "
                         "renamed:\rSPRITE -> ",
                         0),
              0u);
    EXPECT_NE(text.find("OBJECT -> SceneObject1 to SceneObject1_"), std::string::npos);
    EXPECT_NE(text.find("SCENE -> "), std::string::npos);
    // The merged instance stays in the merged scene.
    EXPECT_EQ(s.p().objects[3].scene, s.p().scenes[1].name);
    // New now asks before discarding the merged records.
    s.dialogs.yesNo = {false};
    EXPECT_FALSE(newProject(s.studio));
}

TEST(LifecycleMerge, MediaTheWorkingFolderCannotTakeIsNamedInAWarning) {
    Started s;
    createSound(s.p());
    s.p().sounds.edit(0, [](auto& r) { r.wav = "a.wav"; });
    writeTestFile(s.work() / "a.wav", "wav");
    s.storeProject("alpha");
    s.p().name = "base";
    // A file where the working folder should be: nothing can be copied into it.
    removeAll(s.work());
    writeTestFile(s.work(), "in the way");
    ASSERT_TRUE(mergeProjectNamed(s.studio, "alpha"));
    EXPECT_EQ(s.dialogs.shown,
              (std::vector<Shown>{{"Warning", "These files could not be copied into the working folder:\r\na.wav"}}));
}

TEST(LifecycleSave, AnUnnamedProjectAsksForANameAndCancelWritesNothing) {
    Started s;
    createSprite(s.p());
    s.dialogs.names = {std::nullopt};
    EXPECT_FALSE(saveProject(s.studio));
    EXPECT_EQ(s.p().name, "");
    EXPECT_TRUE(listProjects(s.root()).empty());

    s.dialogs.names = {std::string("game one")};
    ASSERT_TRUE(saveProject(s.studio));
    EXPECT_EQ(s.p().name, "game one");
    EXPECT_FALSE(s.p().modified());
    EXPECT_TRUE(isRegularFile(s.root() / "Projects" / "game one.xml"));
    // Named now: Save asks nothing.
    ASSERT_TRUE(saveProject(s.studio));
    EXPECT_TRUE(s.dialogs.names.empty());
}

TEST(LifecycleSave, SaveAsThenCancelLeavesTheProjectUnnamed) {
    Started s;
    s.p().name = "named";
    s.dialogs.names = {std::nullopt};
    EXPECT_FALSE(saveProjectAs(s.studio));
    EXPECT_EQ(s.p().name, "");
    EXPECT_TRUE(listProjects(s.root()).empty());
}

TEST(LifecycleSave, ANameThatCannotBeAFileNameIsRefused) {
    Started s;
    s.p().name = "good";
    s.dialogs.names = {std::string("../evil")};
    EXPECT_FALSE(saveProjectAs(s.studio));
    EXPECT_EQ(s.p().name, "good");
    EXPECT_EQ(s.dialogs.shown.back().title, "Error");
    EXPECT_FALSE(fs::exists(s.root() / "evil.xml"));
}

TEST(LifecycleSave, TheNameOfAnotherStoredProjectIsTakenOnlyAfterTheUserAgrees) {
    Started s;
    s.storeProject("other");
    const std::string stored = readTestFile(s.root() / "Projects" / "other.xml");
    createFont(s.p());
    s.p().name = "mine";
    // Save as, then the first Save of an unnamed project: No keeps the project as it
    // was and writes nothing.
    for (bool unnamed : {false, true}) {
        if (unnamed) s.p().name.clear();
        const std::string before = s.p().name;
        s.dialogs.names = {std::string("other")};
        s.dialogs.yesNo = {false};
        EXPECT_FALSE(unnamed ? saveProject(s.studio) : saveProjectAs(s.studio));
        EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "A project named other already exists. Replace it?"}));
        EXPECT_EQ(s.p().name, before);
        EXPECT_EQ(readTestFile(s.root() / "Projects" / "other.xml"), stored);
    }
    s.dialogs.names = {std::string("other")};
    s.dialogs.yesNo = {true};
    EXPECT_TRUE(saveProjectAs(s.studio));
    EXPECT_NE(readTestFile(s.root() / "Projects" / "other.xml"), stored);
    // Its own name asks nothing.
    s.dialogs.names = {std::string("other")};
    EXPECT_TRUE(saveProjectAs(s.studio));
}

TEST(LifecycleSave, OpenEditorsAreCommittedFirstAndFailuresAreReported) {
    Started s;
    createSprite(s.p());
    s.p().name = "commit";
    int commits = 0;
    s.studio.commitHooks.push_back([&] {
        ++commits;
        s.p().game.title = "committed";
    });
    ASSERT_TRUE(saveProject(s.studio));
    EXPECT_EQ(commits, 1);
    ProjectFileData data;
    ASSERT_TRUE(loadProjectFile(s.root(), "commit", data));
    EXPECT_EQ(data.title, "committed");

    ensureDirectory(s.root() / "Projects" / "blocked.xml" / "x");
    s.p().name = "blocked";
    s.p().markModified();
    EXPECT_FALSE(saveProject(s.studio));
    EXPECT_EQ(s.dialogs.shown.back().title, "Error");
    EXPECT_EQ(s.dialogs.shown.back().text.rfind("The project could not be saved: ", 0), 0u);
    EXPECT_TRUE(s.p().modified());
}

TEST(LifecycleDuplicate, ObjectsAreCopiedWithTheirHandlersOnce) {
    Started s;
    std::string obj = createObject(s.p());
    s.p().objects.edit(0, [&](auto& r) { r.depth = 5; });
    s.p().scripts.add({"scr_a", obj, "Creation", "", "a"});
    s.p().scripts.add({"scr_b", "other", "Step", "", "b"});
    s.p().scripts.add({"scr_c", obj, "Collision", "other", "c"});
    s.p().clearModified();
    duplicateObject(s.studio, obj);
    ASSERT_EQ(s.p().objects.size(), 2u);
    EXPECT_EQ(s.p().objects[1].name, obj + "_dup");
    EXPECT_EQ(s.p().objects[1].uid, s.p().objects[0].uid);
    EXPECT_EQ(s.p().objects[1].depth, 5);
    ASSERT_EQ(s.p().scripts.size(), 5u);
    EXPECT_EQ(s.p().scripts[3].object, obj + "_dup");
    EXPECT_EQ(s.p().scripts[3].code, "a");
    EXPECT_EQ(s.p().scripts[4].parameter, "other");
    EXPECT_NE(s.p().scripts[3].name, "scr_a");  // removing one handler never takes the other
    EXPECT_TRUE(s.p().modified());

    duplicateObject(s.studio, obj);
    EXPECT_EQ(s.p().objects.size(), 2u);
    EXPECT_EQ(s.p().scripts.size(), 5u);
    EXPECT_EQ(s.dialogs.shown.back(),
              (Shown{"Message", "The name of the duplicated object (" + obj +
                                    "_dup) already exist.\rPlease rename it before creating a new duplication."}));
}

TEST(LifecycleDuplicate, ScenesAreCopiedWithTheirInstancesButNoTiles) {
    Started s;
    std::string obj = createObject(s.p());
    std::string room = createScene(s.p());
    std::string other = createScene(s.p());
    for (const auto& [name, scene] : {std::pair{"SceneObject1", room}, {"SceneObject2", other}, {"SceneObject3", room}}) {
        GameObject inst;
        inst.name = name;
        inst.templ = obj;
        inst.scene = scene;
        inst.x = 7;
        inst.selected = 1;
        s.p().objects.add(inst);
    }
    createLayer(s.p(), room);
    s.p().tiles.add({.name = "tile_1", .scene = room});
    duplicateScene(s.studio, room);
    ASSERT_EQ(s.p().scenes.size(), 3u);
    EXPECT_EQ(s.p().scenes[2].name, room + "_dup");
    ASSERT_EQ(s.p().objects.size(), 6u);
    for (size_t i : {4u, 5u}) {
        EXPECT_EQ(s.p().objects[i].scene, room + "_dup");
        EXPECT_EQ(s.p().objects[i].name.rfind("SceneObject", 0), 0u);
        EXPECT_FALSE(s.p().objects.takenByOther(s.p().objects[i].name, i));
        EXPECT_EQ(s.p().objects[i].x, 7);
        EXPECT_EQ(s.p().objects[i].selected, 0);
    }
    EXPECT_EQ(s.p().layers.size(), 1u);
    EXPECT_EQ(s.p().tiles.size(), 1u);
    duplicateScene(s.studio, room);
    EXPECT_EQ(s.p().scenes.size(), 3u);
    EXPECT_EQ(s.dialogs.shown.back().title, "Message");
}

TEST(LifecycleExit, AsksOnlyWhenConfiguredAndRemovesOnlyItsOwnFolder) {
    Started s;
    const fs::path work = s.work();
    ensureDirectory(s.root() / "_temp_000000");
    s.dialogs.yesNo = {false};
    EXPECT_FALSE(exitProgram(s.studio));
    EXPECT_TRUE(isDirectory(work));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Exit from Pondaro Game Maker?"}));

    s.studio.prefs.ConfirmExit = 0;
    s.studio.prefs.x = 33;
    s.dialogs.shown.clear();
    EXPECT_TRUE(exitProgram(s.studio));
    EXPECT_TRUE(s.dialogs.shown.empty());
    EXPECT_FALSE(fs::exists(work));
    EXPECT_TRUE(isDirectory(s.root() / "_temp_000000"));
    Preferences back;
    ASSERT_TRUE(readPreferences(s.root(), back));
    EXPECT_EQ(back.x, 33);
    EXPECT_EQ(back.ConfirmExit, 0);
}

TEST(LifecycleExit, UnsavedChangesAreSavedDiscardedOrKeptAsAnswered) {
    struct Case {
        std::string name;  // "" unnamed
        Answer answer;
        std::optional<std::string> nameTyped;  // the name dialog's answer when asked
        bool ends;
        bool saved;
    };
    const Case cases[] = {
        {"game", Answer::Cancel, {}, false, false},
        {"game", Answer::No, {}, true, false},
        {"game", Answer::Yes, {}, true, true},
        {"", Answer::Yes, std::nullopt, false, false},  // no name given: nothing saved, stays
        {"", Answer::Yes, "named", true, true},
    };
    for (const Case& c : cases) {
        Started s;
        createSprite(s.p());
        s.p().name = c.name;
        s.studio.prefs.ConfirmExit = 0;  // the question about changes is asked all the same
        s.dialogs.answers = {c.answer};
        if (c.name.empty() && c.answer == Answer::Yes) s.dialogs.names = {c.nameTyped};
        const fs::path work = s.work();
        EXPECT_EQ(exitProgram(s.studio), c.ends) << c.name << " " << int(c.answer);
        EXPECT_EQ(s.dialogs.shown.front(),
                  (Shown{"Confirm", c.name.empty() ? "Save the changes before exiting?"
                                                   : "Save the changes to game before exiting?"}));
        EXPECT_EQ(listProjects(s.root()).size(), c.saved ? 1u : 0u);
        EXPECT_EQ(isDirectory(work), !c.ends);
    }
}

TEST(LifecycleOpenDialog, ListsProjectsAndDescribesThem) {
    Started s;
    writeTestFile(s.root() / "Projects" / "one.xml", "x");
    writeTestFile(s.root() / "Projects" / "two.XML", "x");
    writeTestFile(s.root() / "Projects" / "notes.txt", "x");
    writeTestFile(s.root() / "Projects" / "one.png", "png");
    writeTestFile(s.root() / "Projects" / "two.png", "");
    auto names = listProjects(s.root());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(projectPreviewPicture(s.root(), "one"), s.root() / "Projects" / "one.png");
    EXPECT_EQ(projectPreviewPicture(s.root(), "two"), fs::path());
    std::string started = projectStartedText(s.root(), "one");
    ASSERT_EQ(started.size(), std::string("Project started: 2026-12-08 10:11").size()) << started;
    EXPECT_EQ(started.rfind("Project started: 20", 0), 0u);
}

TEST(LifecycleOpenEditors, TextTypedInAnOpenEditorCountsBeforeNewAndSurvivesAMerge) {
    Started s;
    s.storeProject("other");
    s.p().name = "base";
    s.p().clearModified();
    std::string typed = "var a;";
    bool open = true;
    // A stand-in code window: commits its text when it changed, closes on request.
    s.studio.commitHooks.push_back([&] {
        if (open && s.p().game.variables != typed) {
            s.p().game.variables = typed;
            s.p().markModified();
        }
    });
    s.studio.closeWindowsHooks.push_back([&] { open = false; });
    s.dialogs.yesNo = {false};
    EXPECT_FALSE(newProject(s.studio));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Unsaved changes will be lost. New?"}));

    writeTestFile(s.root() / "Projects" / "vars.xml",
                  "<pondaro version=\"200\"><functions/><variables>var b;</variables><comments/>"
                  "<a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/>"
                  "<a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/><a count=\"0\"/>"
                  "<a count=\"0\"/></pondaro>");
    ASSERT_TRUE(mergeProjectNamed(s.studio, "vars"));
    EXPECT_FALSE(open);  // the window holding the old text is gone
    ASSERT_TRUE(saveProject(s.studio));
    EXPECT_EQ(s.p().game.variables, "var a;\r\nvar b;");
}
