#include <gtest/gtest.h>

#include "base/manual_page.h"
#include "support/temp_folder.h"

using namespace pondaro;

TEST(ManualPage, TheStudioFoldersOwnCopyComesFirstThenTheOneInstalledBesideTheProgram) {
    TempFolder temp;
    const auto studio = temp.path() / "studio", bin = temp.path() / "prefix" / "bin";
    const auto installed = temp.path() / "prefix" / "share" / "pondaro" / "manual" / "index.html";
    std::filesystem::create_directories(studio);
    std::filesystem::create_directories(bin);
    EXPECT_FALSE(findManualPage(studio, bin));
    writeTestFile(installed, "<html></html>");
    EXPECT_EQ(findManualPage(studio, bin), installed);
    // A program that is not installed (a build folder) looks in its own folder only.
    EXPECT_FALSE(findManualPage(studio, {}));
    writeTestFile(studio / "manual" / "index.html", "<html></html>");
    EXPECT_EQ(findManualPage(studio, bin), studio / "manual" / "index.html");
    // A folder where the page should be is no page.
    std::filesystem::remove_all(studio / "manual");
    std::filesystem::create_directories(studio / "manual" / "index.html");
    EXPECT_EQ(findManualPage(studio, bin), installed);
}
