#include <gtest/gtest.h>

#include <chrono>

#include "expectations.h"
#include "gui_support.h"
#include "local_http_server.h"
#include "ui/http_get.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

constexpr const char* kLatest = "You are using the latest version.";
constexpr const char* kNewer = "A new version has been released.";

} // namespace

TEST(VersionCheckWindow, OnDemandTellsWhetherTheServerHasANewerVersion) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    {
        LocalHttpServer server(200, "201\r\n");
        f->setVersionFileAddress(server.address(), 2000);
        wxTEST_DIALOG(f->runCommand(Command::CheckVersion), ExpectMessage("Version information", kNewer));
        EXPECT_EQ(s.studio.latestVersion, 201);
    }
    {
        LocalHttpServer server(200, "200");
        f->setVersionFileAddress(server.address(), 2000);
        wxTEST_DIALOG(f->runCommand(Command::CheckVersion), ExpectMessage("Version information", kLatest));
    }
    {
        // Garbage reads as version 0, which is never newer.
        LocalHttpServer server(200, std::string("\x89PNG\x01\xff garbage", 13));
        f->setVersionFileAddress(server.address(), 2000);
        wxTEST_DIALOG(f->runCommand(Command::CheckVersion), ExpectMessage("Version information", kLatest));
        EXPECT_EQ(s.studio.latestVersion, 0);
    }
}

TEST(VersionCheckWindow, FailuresEndInSilenceWithinTheTimeOut) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    {
        // A server that accepts and never answers: silence once the time-out is over.
        LocalHttpServer server(0, "");
        f->setVersionFileAddress(server.address(), 800);
        const auto start = std::chrono::steady_clock::now();
        f->runCommand(Command::CheckVersion);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(server.requests(), 1);
        EXPECT_LT(waited, std::chrono::milliseconds(3000));
    }
    {
        // A missing file on the server is no answer either, whatever its body says.
        LocalHttpServer server(404, "201");
        f->setVersionFileAddress(server.address(), 2000);
        f->runCommand(Command::CheckVersion);
        EXPECT_EQ(server.requests(), 1);
    }
    // Nothing listening at all.
    f->setVersionFileAddress("http://127.0.0.1:9/version.txt", 2000);
    f->runCommand(Command::CheckVersion);
    EXPECT_EQ(s.studio.latestVersion, 0);
}

TEST(VersionCheckWindow, AtStartUpOnlyANewerVersionIsReportedAndOnlyWhenAskedFor) {
    {
        LocalHttpServer server(200, "200\r\n");
        GuiStudio s;
        s.start(server.address());
        EXPECT_TRUE(pumpUntil([&] { return s.studio.latestVersion == 200; }));
        EXPECT_EQ(server.requests(), 1);
    }
    {
        LocalHttpServer server(200, "201");
        GuiStudio s;
        wxTEST_DIALOG(
            {
                s.start(server.address());
                EXPECT_TRUE(pumpUntil([&] { return s.studio.latestVersion == 201; }));
            },
            ExpectMessage("Version information", kNewer));
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
