#include <gtest/gtest.h>

#include "app/version_check.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

const Shown kNewer{"Version information", "A new version has been released."};
const Shown kLatest{"Version information", "You are using the latest version."};
const Shown kUnchecked{"Version information", "The latest version could not be checked. Please try again later."};

} // namespace

TEST(VersionCheck, TheFirstLineIsTheNumberAndAnythingElseIsNoVersion) {
    EXPECT_EQ(parseVersionText("201\r\n300\r\n"), 201);
    EXPECT_EQ(parseVersionText("  200"), 200);
    EXPECT_EQ(parseVersionText("v201"), 0);
    EXPECT_EQ(versionInAnswer(std::string("201\r\n300\r\n")), 201);
    for (const char* nonsense : {"", "\n201", "v201", "<html>", "0", "-5"})
        EXPECT_EQ(versionInAnswer(std::string(nonsense)), std::nullopt) << nonsense;
    EXPECT_EQ(versionInAnswer(std::nullopt), std::nullopt);
}

TEST(VersionCheck, OnDemandAlwaysAnswersAndAtStartUpOnlyANewerVersionIsTold) {
    struct Case {
        std::optional<std::string> body;
        std::vector<Shown> atStartup, onDemand;
        int latestAfter;
    };
    const Case cases[] = {
        {"201", {kNewer}, {kNewer}, 201},
        {"200\r\n", {}, {kLatest}, 200},
        {std::nullopt, {}, {kUnchecked}, 0},                         // no answer
        {std::string("\x00\xff<html>", 8), {}, {kUnchecked}, 0},     // nonsense
    };
    for (const Case& c : cases) {
        for (VersionCheckMode mode : {VersionCheckMode::AtStartup, VersionCheckMode::OnDemand}) {
            TestStudio t;
            reportVersionAnswer(t.studio, mode, c.body);
            EXPECT_EQ(t.dialogs.shown, mode == VersionCheckMode::AtStartup ? c.atStartup : c.onDemand)
                << c.body.value_or("(no answer)");
            EXPECT_EQ(t.studio.latestVersion, c.latestAfter);
        }
    }
}

TEST(VersionCheck, WhoAsksTheServer) {
    TestStudio t;
    EXPECT_TRUE(versionCheckAsks(t.studio, VersionCheckMode::AtStartup, "http://x/v"));
    EXPECT_TRUE(versionCheckAsks(t.studio, VersionCheckMode::OnDemand, "http://x/v"));
    // Switched off, the start-up check asks nothing; on demand it still asks.
    t.studio.prefs.CheckProgramVersion = 0;
    EXPECT_FALSE(versionCheckAsks(t.studio, VersionCheckMode::AtStartup, "http://x/v"));
    EXPECT_TRUE(versionCheckAsks(t.studio, VersionCheckMode::OnDemand, "http://x/v"));
    EXPECT_TRUE(t.dialogs.shown.empty());
    // A build that names no server asks nothing, and says so when asked.
    t.studio.prefs.CheckProgramVersion = 1;
    EXPECT_FALSE(versionCheckAsks(t.studio, VersionCheckMode::AtStartup, ""));
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_FALSE(versionCheckAsks(t.studio, VersionCheckMode::OnDemand, ""));
    EXPECT_EQ(t.dialogs.shown, (std::vector<Shown>{{"Version information", kNoVersionServerText}}));
}
