#include <gtest/gtest.h>

#include "base/files.h"
#include "extmaker/extension_document.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

struct Maker {
    TempFolder folder;
    FakeDialogs dialogs;
    ExtensionDocument doc{dialogs, folder.path()};
    std::filesystem::path file(const std::string& key) const { return folder.path() / "Extensions" / (key + ".pdx"); }
    size_t asked(const std::string& title) const {
        size_t n = 0;
        for (const auto& s : dialogs.shown) n += s.title == title;
        return n;
    }
};

const Shown kSaved{"Pondaro Extension Maker", "Extension: particles successfully saved."};

} // namespace

TEST(ExtensionMaker, OpenDropsEmptyLinesAndSaveWritesThemWithoutThem) {
    Maker m;
    writeTestFile(m.file("particles"),
                  "[EXTENSION]\r\nParticles\r\n\r\n[AUTHOR]\r\nAnn\r\n\r\n[DESCRIPTION]\r\nSparks\r\n\r\nand smoke\r\n\r\n"
                  "[HELP]\r\n\r\nspark(x, y)\r\n\r\n[CODE]\r\nfunction spark() {\r\n\r\n  return 1;\r\n}\r\n\r\n");
    m.dialogs.files.push_back(m.file("particles").string());
    ASSERT_TRUE(m.doc.open());
    EXPECT_EQ(m.dialogs.shown.front(), (Shown{"Select a Pondaro Game Maker Extension...", ""}));
    // It starts where the extension files are, not in the program's folder.
    EXPECT_EQ(m.dialogs.openFolders, std::vector<std::filesystem::path>{m.folder.path() / "Extensions"});
    EXPECT_EQ(m.doc.key, "particles");
    EXPECT_EQ(m.doc.fields.name, "Particles");
    EXPECT_EQ(m.doc.fields.description, "Sparks\r\nand smoke\r\n");
    EXPECT_EQ(m.doc.fields.help, "spark(x, y)\r\n");
    EXPECT_EQ(m.doc.fields.code, "function spark() {\r\n  return 1;\r\n}\r\n");

    ASSERT_TRUE(m.doc.save());  // the key is known: no name asked
    EXPECT_EQ(m.asked("Enter the extension name"), 0u);
    EXPECT_EQ(m.dialogs.shown.back(), kSaved);
    EXPECT_EQ(readTestFile(m.file("particles")),
              "[EXTENSION]\r\nParticles\r\n\r\n[AUTHOR]\r\nAnn\r\n\r\n[DESCRIPTION]\r\nSparks\r\nand smoke\r\n\r\n\r\n"
              "[HELP]\r\nspark(x, y)\r\n\r\n\r\n[CODE]\r\nfunction spark() {\r\n  return 1;\r\n}\r\n\r\n\r\n");
    // Opening that file again gives the same fields: the text has settled.
    ExtensionFields first = m.doc.fields;
    ASSERT_TRUE(m.doc.openFile(m.file("particles")));
    EXPECT_EQ(m.doc.fields, first);
}

TEST(ExtensionMaker, SavingANewExtensionAsksForTheNameOnce) {
    Maker m;
    m.doc.fields = {"Particles", "Ann", "Sparks", "Help", "spark();"};
    m.dialogs.names.push_back(std::string("particles"));
    ASSERT_TRUE(m.doc.save());
    m.doc.fields.code = "spark(2);";
    ASSERT_TRUE(m.doc.save());
    EXPECT_EQ(m.asked("Enter the extension name"), 1u);
    EXPECT_EQ(m.asked("Pondaro Extension Maker"), 2u);
    EXPECT_EQ(m.dialogs.shown[0], (Shown{"Enter the extension name", ""}));  // the field holds the empty key
    EXPECT_EQ(m.doc.key, "particles");
    EXPECT_NE(readTestFile(m.file("particles")).find("spark(2);"), std::string::npos);
}

TEST(ExtensionMaker, SaveAsOverAnotherExtensionFileAsksFirst) {
    Maker m;
    writeTestFile(m.file("other"), "[EXTENSION]\r\nOld\r\n");
    m.doc.key = "particles";
    m.doc.fields.name = "New";
    m.dialogs.names = {std::string("other"), std::string("other")};
    m.dialogs.yesNo = {false, true};
    EXPECT_FALSE(m.doc.saveAs());
    EXPECT_EQ(m.dialogs.shown[0], (Shown{"Enter the extension name", "particles"}));
    EXPECT_EQ(m.dialogs.shown[1], (Shown{"Confirm", "An extension named other already exists. Replace it?"}));
    EXPECT_EQ(m.doc.key, "particles");
    EXPECT_EQ(readTestFile(m.file("other")), "[EXTENSION]\r\nOld\r\n");
    ASSERT_TRUE(m.doc.saveAs());
    EXPECT_EQ(m.doc.key, "other");
    EXPECT_EQ(readTestFile(m.file("other")).substr(0, 18), "[EXTENSION]\r\nNew\r\n");
    // The file name comes from the key, the [EXTENSION] section from the name field.
    EXPECT_FALSE(std::filesystem::exists(m.file("New")));
}

TEST(ExtensionMaker, AnEmptyOrUnsafeNameIsRefusedAndNothingIsWritten) {
    Maker m;
    m.dialogs.names = {std::string(""), std::string("../escape"), std::string("a/b"), std::nullopt};
    EXPECT_FALSE(m.doc.save());  // empty
    EXPECT_EQ(m.dialogs.shown.back(), (Shown{"Error", "Please enter a name for the extension file."}));
    EXPECT_FALSE(m.doc.saveAs());  // a path outside Extensions
    EXPECT_FALSE(m.doc.saveAs());  // a path separator
    EXPECT_FALSE(m.doc.saveAs());  // Cancel
    EXPECT_EQ(m.asked("Error"), 3u);
    EXPECT_EQ(m.doc.key, "");
    EXPECT_FALSE(std::filesystem::exists(m.folder.path() / "Extensions" / ".pdx"));
    EXPECT_FALSE(std::filesystem::exists(m.folder.path() / "escape.pdx"));
    EXPECT_FALSE(m.asked("Pondaro Extension Maker"));
    // The key is still empty, so the next Save asks again.
    m.dialogs.names.push_back(std::string("fine"));
    EXPECT_TRUE(m.doc.save());
    EXPECT_TRUE(std::filesystem::exists(m.file("fine")));
}

TEST(ExtensionMaker, AFailedWriteSaysSoAndKeepsTheOldFile) {
    Maker m;
    writeTestFile(m.file("busy"), "[EXTENSION]\r\nOld\r\n");
    // A folder where the temporary file must go: the write fails.
    ensureDirectory(temporaryFileFor(m.file("busy")) / "inside");
    m.doc.key = "busy";
    m.doc.fields.name = "New";
    m.dialogs.yesNo = {true};  // replace what is there
    EXPECT_FALSE(m.doc.save());
    EXPECT_EQ(m.dialogs.shown.back(), (Shown{"Error", "Failed. Please try again."}));
    EXPECT_EQ(readTestFile(m.file("busy")), "[EXTENSION]\r\nOld\r\n");
    EXPECT_FALSE(m.asked("Pondaro Extension Maker"));
}

TEST(ExtensionMaker, AnExtensionFromAnotherFolderIsSavedIntoExtensionsUnderItsKey) {
    Maker m;
    const auto elsewhere = m.folder.path() / "downloads" / "Glow.PDX";
    writeTestFile(elsewhere, "[EXTENSION]\nGlow\n[CODE]\nglow();\n");
    ASSERT_TRUE(m.doc.openFile(elsewhere));
    EXPECT_EQ(m.doc.key, "Glow");
    ASSERT_TRUE(m.doc.save());
    EXPECT_TRUE(std::filesystem::exists(m.file("Glow")));
    EXPECT_EQ(extensionKeyOfFile("notes"), "notes");
    EXPECT_EQ(extensionKeyOfFile("/x/y/a.b.pdx"), "a.b");
}

TEST(ExtensionMaker, AFileThatCannotBeReadChangesNothing) {
    Maker m;
    m.doc.key = "mine";
    m.doc.fields.code = "keep();";
    EXPECT_FALSE(m.doc.openFile(m.folder.path() / "missing.pdx"));
    EXPECT_EQ(m.dialogs.shown.back().title, "Error");
    EXPECT_EQ(m.doc.key, "mine");
    EXPECT_EQ(m.doc.fields.code, "keep();");
    m.dialogs.yesNo = {true};         // the unsaved edits may go
    m.dialogs.files.push_back("");  // the open dialog cancelled
    EXPECT_FALSE(m.doc.open());
    EXPECT_EQ(m.doc.key, "mine");

    // Bytes that are not UTF-8 become replacement characters instead of emptying a field.
    writeTestFile(m.file("latin"), "[EXTENSION]\r\nCaf\xE9\r\n");
    ASSERT_TRUE(m.doc.openFile(m.file("latin")));
    EXPECT_EQ(m.doc.fields.name, "Caf\xEF\xBF\xBD");
}

TEST(ExtensionMaker, NewAndExitAsk) {
    Maker m;
    m.dialogs.yesNo = {false, true, false, true};
    EXPECT_FALSE(m.doc.newExtension());
    EXPECT_TRUE(m.doc.newExtension());
    EXPECT_EQ(m.dialogs.shown[0], (Shown{"Confirm", "Create a new extension?"}));
    EXPECT_FALSE(m.doc.confirmExit());
    EXPECT_TRUE(m.doc.confirmExit());
    EXPECT_EQ(m.dialogs.shown.back(), (Shown{"Confirm", "Exit from Pondaro Extension Maker?"}));
}

TEST(ExtensionMaker, UnsavedEditsAreLostOnlyAfterAQuestion) {
    Maker m;
    writeTestFile(m.file("glow"), "[EXTENSION]\r\nGlow\r\n");
    m.dialogs.files = {m.file("glow").string()};
    ASSERT_TRUE(m.doc.open());
    EXPECT_FALSE(m.doc.modified());
    m.doc.fields.code = "glow(2);";
    m.dialogs.yesNo = {false, false};
    EXPECT_FALSE(m.doc.newExtension());
    EXPECT_FALSE(m.doc.open());
    EXPECT_EQ(m.doc.fields.code, "glow(2);");
    EXPECT_EQ(m.dialogs.shown[m.dialogs.shown.size() - 2],
              (Shown{"Confirm", "Unsaved changes will be lost. Create a new extension?"}));
    EXPECT_EQ(m.dialogs.shown.back(), (Shown{"Confirm", "Unsaved changes will be lost. Open an extension?"}));
    // Exit: Cancel stays, Yes saves and ends.
    m.dialogs.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(m.doc.confirmExit());
    EXPECT_EQ(m.dialogs.shown.back(), (Shown{"Confirm", "Save the changes to glow before exiting?"}));
    EXPECT_TRUE(m.doc.confirmExit());
    EXPECT_NE(readTestFile(m.file("glow")).find("glow(2);"), std::string::npos);
    EXPECT_FALSE(m.doc.modified());
}

TEST(ExtensionMaker, TheFolderIsCreatedAtStart) {
    Maker m;
    ASSERT_TRUE(m.doc.prepareFolder());
    EXPECT_TRUE(isDirectory(m.folder.path() / "Extensions"));
    EXPECT_TRUE(m.doc.prepareFolder());  // already there
    writeTestFile(m.folder.path() / "blocked" / "Extensions", "a file in the way");
    ExtensionDocument blocked(m.dialogs, m.folder.path() / "blocked");
    EXPECT_FALSE(blocked.prepareFolder());
}
