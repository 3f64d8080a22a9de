#include <gtest/gtest.h>

#include "base/files.h"
#include "project/naming.h"
#include "resources/audio_sources.h"
#include "support/fake_ports.h"

using namespace pondaro;
namespace fs = std::filesystem;

namespace {

// A sound whose WAV source is in the working folder, as Open leaves it, and a file of
// the same name but other bytes in the program's folder.
struct SoundWindow : testing::Test {
    void SetUp() override {
        p().workingFolder = "_temp_123456";
        writeTestFile(work() / "jump.wav", "working copy");
        writeTestFile(s.folder.path() / "jump.wav", "program folder");
        Sound clip;
        clip.name = "jump";
        clip.wav = "jump.wav";
        clip.mp3 = "jump.mp3";
        p().sounds.add(clip);
        sources = pendingSources(p().sounds[0]);
    }
    Project& p() { return s.studio.project; }
    fs::path work() { return s.folder.path() / "_temp_123456"; }
    bool done(const std::string& name = "jump") {
        AudioClip typed;
        typed.name = name;
        typed.keywords = "sfx";
        return applyAudioWindow(p(), s.dialogs, s.folder.path(), ResourceKind::Sound, "jump", typed, sources);
    }

    TestStudio s;
    PendingSources sources;
};

} // namespace

TEST_F(SoundWindow, OnlySourcesChosenInTheWindowAreCopiedAndUnsetStoresAnEmptySource) {
    writeTestFile(s.folder.path() / "in" / "boom.ogg", "ogg bytes");
    s.dialogs.files = {"", (s.folder.path() / "in" / "boom.ogg").string()};
    EXPECT_FALSE(chooseSource(s.dialogs, ResourceKind::Sound, 2, sources[2]));  // cancelled
    ASSERT_TRUE(chooseSource(s.dialogs, ResourceKind::Sound, 2, sources[2]));
    EXPECT_EQ(s.dialogs.shown[1], (Shown{"Select a sound", ""}));
    EXPECT_EQ(sourceLabel(sources[2]), "File: boom.ogg");
    s.dialogs.yesNo = {false, true};
    EXPECT_FALSE(unsetSource(s.dialogs, 1, sources[1]));
    EXPECT_TRUE(unsetSource(s.dialogs, 1, sources[1]));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Remove MP3 source?"}));
    EXPECT_EQ(sourceLabel(sources[1]), "File: ");

    ASSERT_TRUE(done());
    const Sound& clip = p().sounds[0];
    EXPECT_EQ(clip.wav, "jump.wav");
    EXPECT_EQ(clip.mp3, "");
    EXPECT_EQ(clip.ogg, "boom.ogg");
    EXPECT_EQ(clip.keywords, "sfx");
    EXPECT_TRUE(p().modified());
    EXPECT_EQ(readTestFile(work() / "boom.ogg"), "ogg bytes");
    // The record's own file is not fetched again from the program's folder.
    EXPECT_EQ(readTestFile(work() / "jump.wav"), "working copy");
}

TEST_F(SoundWindow, AChosenFileNamedLikeAnotherOfTheProjectTakesAFreeNameInsteadOfReplacingIt) {
    Sound other;
    other.name = "land";
    p().sounds.add(other);
    writeTestFile(s.folder.path() / "in" / "jump.wav", "another jump");
    s.dialogs.files = {(s.folder.path() / "in" / "jump.wav").string()};
    PendingSources otherSources = pendingSources(p().sounds[1]);
    ASSERT_TRUE(chooseSource(s.dialogs, ResourceKind::Sound, 0, otherSources[0]));
    AudioClip typed;
    typed.name = "land";
    ASSERT_TRUE(applyAudioWindow(p(), s.dialogs, s.folder.path(), ResourceKind::Sound, "land", typed, otherSources));
    EXPECT_EQ(p().sounds[1].wav, "jump_2.wav");
    EXPECT_EQ(readTestFile(work() / "jump_2.wav"), "another jump");
    EXPECT_EQ(readTestFile(work() / "jump.wav"), "working copy");
    EXPECT_EQ(otherSources[0].file, "jump_2.wav");
    EXPECT_EQ(otherSources[0].chosen, "");  // a second commit copies nothing
}

TEST_F(SoundWindow, AFileGoneOrEmptyBeforeDoneIsNotCopiedButNamedAndSaid) {
    writeTestFile(s.folder.path() / "in" / "empty.mp3", "");
    sources[0] = {"gone.wav", (s.folder.path() / "in" / "gone.wav").string()};
    sources[1] = {"empty.mp3", (s.folder.path() / "in" / "empty.mp3").string()};
    ASSERT_TRUE(done());
    EXPECT_EQ(p().sounds[0].wav, "gone.wav");
    EXPECT_EQ(p().sounds[0].mp3, "empty.mp3");
    EXPECT_FALSE(fs::exists(work() / "gone.wav"));
    EXPECT_FALSE(fs::exists(work() / "empty.mp3"));
    ASSERT_EQ(s.dialogs.shown.size(), 2u);
    EXPECT_EQ(s.dialogs.shown[0].title, "Warning");
    EXPECT_NE(s.dialogs.shown[0].text.find("gone.wav' no longer exists"), std::string::npos);
    EXPECT_NE(s.dialogs.shown[1].text.find("empty.mp3' is empty"), std::string::npos);
}

TEST_F(SoundWindow, ANameThatIsTakenKeepsTheRecordAndCopiesNothing) {
    Sound other;
    other.name = "land";
    p().sounds.add(other);
    writeTestFile(s.folder.path() / "in" / "boom.ogg", "ogg bytes");
    sources[2] = {"boom.ogg", (s.folder.path() / "in" / "boom.ogg").string()};
    p().clearModified();
    EXPECT_FALSE(done("land"));
    EXPECT_EQ(s.dialogs.shown, (std::vector<Shown>{{"Error", "The sound name 'land' already exists"}}));
    EXPECT_EQ(p().sounds[0].name, "jump");
    EXPECT_EQ(p().sounds[0].ogg, "");
    EXPECT_FALSE(p().modified());
    EXPECT_FALSE(fs::exists(work() / "boom.ogg"));
}
