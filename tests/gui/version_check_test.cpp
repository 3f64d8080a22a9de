#include <gtest/gtest.h>

#include <chrono>

#include "expectations.h"
#include "gui_support.h"
#include "local_http_server.h"
#include "ui/http_get.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

constexpr const char* kTitle = "Version information";

// Lets the window thread run until the check under way has given its answer.
void awaitVersionCheck(ui::MainFrame* f) { EXPECT_TRUE(pumpUntil([&] { return !f->versionCheckRunning(); })); }

} // namespace

TEST(VersionCheckWindow, OnDemandAlwaysSaysWhatCameOfIt) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    struct Case {
        int status;  // 0: nothing listens
        std::string body;
        const char* told;
    };
    const Case cases[] = {
        {200, "201\r\n", kNewVersionText},
        {200, "200", kLatestVersionText},
        {200, std::string("\x89PNG\x01\xff garbage", 13), kVersionUncheckedText},  // nonsense
        {404, "201", kVersionUncheckedText},  // a missing file is no answer, whatever its body
        {0, "", kVersionUncheckedText},
    };
    for (const Case& c : cases) {
        LocalHttpServer server(c.status == 0 ? 200 : c.status, c.body);
        f->setVersionFileAddress(c.status == 0 ? kNoVersionServer : server.address(), 2000);
        wxTEST_DIALOG(
            {
                f->runCommand(Command::CheckVersion);
                awaitVersionCheck(f);
            },
            ExpectMessage(kTitle, c.told));
    }
    EXPECT_EQ(s.studio.latestVersion, 200);  // the last version read; nonsense reads none
}

TEST(VersionCheckWindow, TheRequestRunsBesideTheWindowOnceAtATimeAndExitDoesNotWaitForIt) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    // A server that accepts and never answers, and a time-out far longer than any wait here.
    LocalHttpServer server(0, "");
    f->setVersionFileAddress(server.address(), 20000);
    f->runCommand(Command::CheckVersion);
    EXPECT_TRUE(f->versionCheckRunning());  // the command returned while the request waits
    EXPECT_TRUE(pumpUntil([&] { return server.requests() == 1; }));
    f->runCommand(Command::CheckVersion);  // ignored while the first one runs
    pump(300);                             // time a second request would have had to come
    EXPECT_EQ(server.requests(), 1);

    const auto closing = std::chrono::steady_clock::now();
    wxTEST_DIALOG(f->Close(), ExpectMessage("Confirm", "Exit from Pondaro Game Maker?", wxID_YES));
    const auto waited = std::chrono::steady_clock::now() - closing;
    s.frame = nullptr;
    pump(50);
    EXPECT_LT(waited, std::chrono::seconds(5));
}

TEST(VersionCheckWindow, AtStartUpOnlyANewerVersionIsReportedAndOnlyWhenAskedFor) {
    {
        LocalHttpServer server(200, "200\r\n");
        GuiStudio s;
        awaitVersionCheck(s.start(server.address()));
        EXPECT_EQ(server.requests(), 1);
    }
    {
        LocalHttpServer server(200, "201");
        GuiStudio s;
        wxTEST_DIALOG(awaitVersionCheck(s.start(server.address())), ExpectMessage(kTitle, kNewVersionText));
    }
    {
        // Unanswered at start-up: nothing is said.
        GuiStudio s;
        awaitVersionCheck(s.start(kNoVersionServer));
    }
    {
        LocalHttpServer server(200, "201");
        GuiStudio s;
        writeTestFile(s.folder.path() / "preferences.dat", "[Misc]\r\nCheckProgramVersion = 0\r\n");
        s.start(server.address());
        pump(300);
        EXPECT_EQ(server.requests(), 0);
    }
}

TEST(HttpGet, RefusesAnswersLongerThanTheLimitAndOtherProtocols) {
    LocalHttpServer server(200, std::string(10000, '7'));
    ui::HttpGetOptions options;
    options.maxBytes = 4096;
    EXPECT_FALSE(ui::httpGet(server.address(), options));
    options.maxBytes = 20000;
    EXPECT_EQ(ui::httpGet(server.address(), options)->size(), 10000u);
    EXPECT_FALSE(ui::httpGet("file:///etc/hostname", options));
}
