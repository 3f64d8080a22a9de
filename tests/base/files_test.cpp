#include <gtest/gtest.h>

#include "base/files.h"
#include "base/text.h"
#include "support/temp_folder.h"

using namespace pondaro;

namespace {
constexpr FileLimit kAnyText{"a text", 1 << 20};
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryBehind) {
    TempFolder dir;
    auto path = dir.path() / "a.txt";
    ASSERT_TRUE(writeFileAtomic(path, "first"));
    ASSERT_TRUE(writeFileAtomic(path, "second", WriteMode::Fast));
    std::string back;
    ASSERT_TRUE(readFile(path, back, kAnyText));
    EXPECT_EQ(back, "second");
    EXPECT_EQ(listFiles(dir.path(), "").size(), 1u);
}

TEST(AtomicWrite, AFailedWriteIsReportedAndKeepsTheOldFile) {
    // Folders in the way make the write fail for every user, root included.
    TempFolder dir;
    auto path = dir.path() / "a.txt";
    ASSERT_TRUE(writeFileAtomic(path, "old"));
    ensureDirectory(temporaryFileFor(path) / "inner");
    Status s = writeFileAtomic(path, "new contents");
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("a.txt"), std::string::npos) << s.message();
    EXPECT_EQ(readTestFile(path), "old");

    // The target itself a folder: the rename fails and the temporary file goes.
    removeAll(temporaryFileFor(path));
    ensureDirectory(dir.path() / "b.txt" / "inner");
    EXPECT_FALSE(writeFileAtomic(dir.path() / "b.txt", "new"));
    EXPECT_TRUE(isDirectory(dir.path() / "b.txt" / "inner"));
    EXPECT_FALSE(std::filesystem::exists(temporaryFileFor(dir.path() / "b.txt")));

    EXPECT_FALSE(writeFileAtomic(dir.path() / "missing" / "a.txt", "x"));
}

TEST(FileHelpers, ReportFailuresInsteadOfThrowing) {
    TempFolder dir;
    std::string text;
    EXPECT_FALSE(readFile(dir.path() / "nope", text, kAnyText));
    EXPECT_FALSE(readFile(dir.path(), text, kAnyText));  // a folder is not a file
    EXPECT_FALSE(copyFileOver(dir.path() / "nope", dir.path() / "b", kAnyText));
    EXPECT_FALSE(copyFileOver(dir.path() / "", dir.path() / "b", kAnyText));
    EXPECT_EQ(fileSize(dir.path() / "nope"), -1);
    EXPECT_TRUE(ensureDirectory(dir.path() / "x" / "y"));
    EXPECT_TRUE(isDirectory(dir.path() / "x" / "y"));
    EXPECT_TRUE(removeAll(dir.path() / "x"));
    EXPECT_FALSE(isDirectory(dir.path() / "x"));
    EXPECT_TRUE(listFiles(dir.path() / "nope", ".xml").empty());
}

TEST(FileHelpers, CopyOverwritesAndCopyOntoItselfKeepsTheFile) {
    TempFolder dir;
    ASSERT_TRUE(writeFileAtomic(dir.path() / "a", "A"));
    ASSERT_TRUE(writeFileAtomic(dir.path() / "b", "BBB"));
    EXPECT_TRUE(copyFileOver(dir.path() / "a", dir.path() / "b", kAnyText));
    std::string back;
    ASSERT_TRUE(readFile(dir.path() / "b", back, kAnyText));
    EXPECT_EQ(back, "A");
    EXPECT_TRUE(copyFileOver(dir.path() / "a", dir.path() / "a", kAnyText));
    ASSERT_TRUE(readFile(dir.path() / "a", back, kAnyText));
    EXPECT_EQ(back, "A");
}

TEST(FileHelpers, ListsBySuffixIgnoringCase) {
    TempFolder dir;
    ASSERT_TRUE(writeFileAtomic(dir.path() / "one.xml", ""));
    ASSERT_TRUE(writeFileAtomic(dir.path() / "two.XML", ""));
    ASSERT_TRUE(writeFileAtomic(dir.path() / "three.png", ""));
    ensureDirectory(dir.path() / "four.xml");
    auto names = listFiles(dir.path(), ".xml");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"one.xml", "two.XML"}));
}

TEST(TextFiles, AreWrittenWithCrlfAndNoByteOrderMark) {
    TempFolder dir;
    auto path = dir.path() / "t.txt";
    ASSERT_TRUE(writeTextFile(path, "\xEF\xBB\xBF" "a\nb\r\nc\rd"));
    std::string raw;
    ASSERT_TRUE(readFile(path, raw, kAnyText));
    EXPECT_EQ(raw, "a\r\nb\r\nc\r\nd");
    ASSERT_TRUE(writeFileAtomic(path, "\xEF\xBB\xBF" "x"));
    std::string text;
    ASSERT_TRUE(readTextFile(path, text, kAnyText));
    EXPECT_EQ(text, "x");
}

TEST(Utf8, InvalidSequencesAreFoundAndReplaced) {
    EXPECT_TRUE(isValidUtf8("plain \xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xC3"));           // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));       // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));   // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_EQ(sanitizeUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(sanitizeUtf8("\xE2\x82"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(PathComponents, OnlyPlainNamesPass) {
    EXPECT_TRUE(checkPathComponent("My Game 2", "project name"));
    EXPECT_TRUE(checkPathComponent("\xC3\xA9t\xC3\xA9", "project name"));
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "c:x", "a..b", "tab\there", "nl\n"}) {
        Status s = checkPathComponent(bad, "project name");
        EXPECT_FALSE(s) << bad;
        EXPECT_NE(s.message().find("project name"), std::string::npos) << bad;
    }
}
