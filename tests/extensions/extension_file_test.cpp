#include <gtest/gtest.h>

#include "base/files.h"
#include "extensions/extension_file.h"
#include "support/temp_folder.h"

using namespace pondaro;

TEST(ExtensionFile, OneLineFieldsWrittenByTheMakerReadBackWithTheDocumentedLineEnds) {
    TempFolder dir;
    ExtensionFields f{"Particles", "Ann", "Sparks", "Call spark()", "function spark() {}"};
    ASSERT_TRUE(writeExtensionFile(dir.path(), "particles", f));
    EXPECT_EQ(readTestFile(dir.path() / "Extensions" / "particles.pdx"),
              "[EXTENSION]\r\nParticles\r\n\r\n[AUTHOR]\r\nAnn\r\n\r\n[DESCRIPTION]\r\nSparks\r\n\r\n"
              "[HELP]\r\nCall spark()\r\n\r\n[CODE]\r\nfunction spark() {}\r\n\r\n");
    auto list = loadExtensions(dir.path(), "");
    ASSERT_EQ(list.size(), 1u);
    const ExtensionEntry& e = list[0];
    EXPECT_EQ(e.key, "particles");
    EXPECT_EQ(e.name, "Particles");
    EXPECT_EQ(e.author, "Ann");
    EXPECT_EQ(e.description, "\r\nSparks\r\n\r\n");
    EXPECT_EQ(e.help, "\r\nCall spark()\r\n\r\n");
    EXPECT_EQ(e.code, "\r\nfunction spark() {}\r\n\r\n");
    EXPECT_EQ(e.installed, 0);
}

TEST(ExtensionFile, SectionRules) {
    // A lower-case header is a line of the current section; lines before the first
    // header are dropped; empty lines inside code are kept; any line end is accepted.
    ExtensionEntry e = parseExtension(
        "junk\n[EXTENSION]\nA\nB\r[code]\n[CODE]\r\nx\r\n\r\ny\n[help]\n", "k");
    EXPECT_EQ(e.name, "AB[code]");  // one-line sections join their lines
    EXPECT_EQ(e.code, "\r\nx\r\n\r\ny\r\n[help]\r\n");
    EXPECT_EQ(e.author, "");
    ExtensionEntry none = parseExtension("no headers at all\r\n", "k");
    EXPECT_EQ(none.name + none.author + none.description + none.help + none.code, "");
}

TEST(ExtensionFile, TheMakerDropsEmptyLinesWhenOpening) {
    ExtensionFields f{"N", "A", "line one\r\n\r\nline two", "", "a();\r\n\r\nb();"};
    ExtensionFields back = parseExtensionForMaker(extensionFileText(f));
    EXPECT_EQ(back.name, "N");
    EXPECT_EQ(back.author, "A");
    EXPECT_EQ(back.description, "line one\r\nline two\r\n");
    EXPECT_EQ(back.help, "");
    EXPECT_EQ(back.code, "a();\r\nb();\r\n");
}

TEST(InstalledExtensions, TicksAreStoredByKey) {
    TempFolder dir;
    ASSERT_TRUE(writeExtensionFile(dir.path(), "one", {"Same", "x", "", "", "1"}));
    ASSERT_TRUE(writeExtensionFile(dir.path(), "two", {"Same", "y", "", "", "2"}));
    writeTestFile(dir.path() / "Extensions" / "notes.txt", "ignored");
    ASSERT_TRUE(saveInstalledKeys(dir.path(), "game", {"two", "gone"}));
    EXPECT_EQ(readTestFile(dir.path() / "Projects" / "game" / "extensions.dat"), "two\r\ngone\r\n");
    auto list = loadExtensions(dir.path(), "game");
    ASSERT_EQ(list.size(), 2u);
    for (const auto& e : list) {
        EXPECT_EQ(e.name, "Same");
        EXPECT_EQ(e.installed, e.key == "two" ? 1 : 0) << e.key;
    }
    // An unnamed project reads no extensions.dat.
    for (const auto& e : loadExtensions(dir.path(), "")) EXPECT_EQ(e.installed, 0);

    ASSERT_TRUE(saveInstalledKeys(dir.path(), "game", {}));
    EXPECT_EQ(readTestFile(dir.path() / "Projects" / "game" / "extensions.dat"), "");
    EXPECT_TRUE(loadInstalledKeys(dir.path(), "game").empty());
}

TEST(InstalledExtensions, FailuresAreReportedAndBadKeysRefused) {
    TempFolder dir;
    ensureDirectory(dir.path() / "Projects" / "game" / "extensions.dat" / "x");
    Status s = saveInstalledKeys(dir.path(), "game", {"a"});
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("installed extensions"), std::string::npos);
    EXPECT_FALSE(writeExtensionFile(dir.path(), "../escape", {}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape.pdx"));
    EXPECT_TRUE(loadExtensions(dir.path() / "missing", "game").empty());
}

TEST(InstalledExtensions, TheInfoTextJoinsTheFieldsAsTheWindowShowsThem) {
    ExtensionEntry e = parseExtension("[EXTENSION]\r\nN\r\n\r\n[AUTHOR]\r\nA\r\n\r\n[DESCRIPTION]\r\nD\r\n\r\n[HELP]\r\nH\r\n\r\n", "k");
    EXPECT_EQ(extensionInfoText(e), "NAME:N\rAUTHOR: A\r\r" "DESCRIPTION: \r\nD\r\n\r\nHELP:\r\nH\r\n\r\n");
}
