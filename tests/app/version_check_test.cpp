#include <gtest/gtest.h>

#include "app/version_check.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

struct ScriptedServer {
    explicit ScriptedServer(std::optional<std::string> a) : answer(std::move(a)) {}
    std::optional<std::string> answer;
    std::vector<std::string> asked;
    FetchText fetch() {
        return [this](const std::string& address) {
            asked.push_back(address);
            return answer;
        };
    }
};

const Shown kNewer{"Version information", "A new version has been released."};
const Shown kLatest{"Version information", "You are using the latest version."};

} // namespace

TEST(VersionCheck, TheFirstLineIsTheNumber) {
    EXPECT_EQ(parseVersionText("201\r\n300\r\n"), 201);
    EXPECT_EQ(parseVersionText("  200"), 200);
    EXPECT_EQ(parseVersionText("v201"), 0);
    EXPECT_EQ(parseVersionText(""), 0);
    EXPECT_EQ(parseVersionText("\n201"), 0);
}

TEST(VersionCheck, TheSameVersionIsSilentAtStartUpAndReportedOnDemand) {
    TestStudio t;
    ScriptedServer server{"200\r\n"};
    EXPECT_TRUE(checkProgramVersion(t.studio, VersionCheckMode::AtStartup, "http://x/v", server.fetch()));
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.studio.latestVersion, 200);
    checkProgramVersion(t.studio, VersionCheckMode::OnDemand, "http://x/v", server.fetch());
    EXPECT_EQ(t.dialogs.shown, std::vector<Shown>{kLatest});
    EXPECT_EQ(server.asked, (std::vector<std::string>{"http://x/v", "http://x/v"}));
}

TEST(VersionCheck, ANewerVersionIsReportedInBothVariants) {
    TestStudio t;
    ScriptedServer server{"201"};
    checkProgramVersion(t.studio, VersionCheckMode::AtStartup, "a", server.fetch());
    checkProgramVersion(t.studio, VersionCheckMode::OnDemand, "a", server.fetch());
    EXPECT_EQ(t.dialogs.shown, (std::vector<Shown>{kNewer, kNewer}));
}

TEST(VersionCheck, FailuresAndGarbageNeverClaimANewVersion) {
    TestStudio t;
    ScriptedServer failing{std::nullopt};
    checkProgramVersion(t.studio, VersionCheckMode::OnDemand, "a", failing.fetch());
    checkProgramVersion(t.studio, VersionCheckMode::AtStartup, "a", failing.fetch());
    EXPECT_TRUE(t.dialogs.shown.empty());
    ScriptedServer garbage{std::string("\x00\xff<html>", 8)};
    checkProgramVersion(t.studio, VersionCheckMode::AtStartup, "a", garbage.fetch());
    EXPECT_TRUE(t.dialogs.shown.empty());
    checkProgramVersion(t.studio, VersionCheckMode::OnDemand, "a", garbage.fetch());
    EXPECT_EQ(t.dialogs.shown, std::vector<Shown>{kLatest});
}

TEST(VersionCheck, SwitchedOffTheStartUpCheckAsksNothing) {
    TestStudio t;
    t.studio.prefs.CheckProgramVersion = 0;
    ScriptedServer server{"999"};
    EXPECT_FALSE(checkProgramVersion(t.studio, VersionCheckMode::AtStartup, "a", server.fetch()));
    EXPECT_TRUE(server.asked.empty());
    // On demand it still asks.
    checkProgramVersion(t.studio, VersionCheckMode::OnDemand, "a", server.fetch());
    EXPECT_EQ(t.dialogs.shown, std::vector<Shown>{kNewer});
}
