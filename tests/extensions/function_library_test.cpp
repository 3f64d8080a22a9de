#include <gtest/gtest.h>

#include "base/files.h"
#include "extensions/function_library.h"
#include "project/naming.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

void addFunction(Project& p, const std::string& name, const std::string& code = "") {
    GameFunction f;
    f.name = name;
    f.params = "a, b";
    f.description = "desc of " + name;
    f.code = code;
    p.fns.add(f);
}

} // namespace

TEST(FunctionLibrary, ExportingTwoOfFiveAndImportingThemBack) {
    TestStudio s;
    for (const char* n : {"f1", "f2", "f3", "f4", "f5"}) addFunction(s.studio.project, n, std::string("return \"") + n + "\";\r\n\tok();");
    const auto file = s.folder.path() / "lib.xml.xml";
    ASSERT_TRUE(exportFunctionLibrary(s.studio.project, s.dialogs, {false, true, false, true, false}, "Ann <a@b>", "two\r\nlines",
                                      file.string()));
    const auto written = s.folder.path() / "lib.xml";
    ASSERT_TRUE(isRegularFile(written));
    EXPECT_FALSE(std::filesystem::exists(file));
    std::string xml = readTestFile(written);
    EXPECT_NE(xml.find("<pondaro_functions version=\"200\" author=\"Ann &lt;a@b&gt;\" description=\"two&#13;&#10;lines\">\r\n"
                       "    <fns count=\"2\">\r\n        <fn name=\"f2\" params=\"a, b\" description=\"desc of f2\">"),
              std::string::npos)
        << xml;

    Project target;
    addFunction(target, "f2");
    ASSERT_TRUE(importFunctionLibrary(target, written));
    ASSERT_EQ(target.fns.size(), 3u);
    EXPECT_EQ(target.fns[1].name, "f2_2");
    EXPECT_EQ(target.fns[1].code, "return \"f2\";\r\n\tok();");
    EXPECT_EQ(target.fns[1].params, "a, b");
    EXPECT_EQ(target.fns[2].name, "f4");
    EXPECT_EQ(target.fns[2].description, "desc of f4");
    EXPECT_TRUE(target.modified());
}

TEST(FunctionLibrary, ImportedNamesAreMadeFreeByRepeatingTheSuffix) {
    TempFolder dir;
    Project lib;
    addFunction(lib, "a");
    writeTestFile(dir.path() / "lib.xml", functionLibraryXml({&lib.fns[0]}, "", ""));
    Project p;
    addFunction(p, "a_2");  // before the clashing name: a single pass would repeat it
    addFunction(p, "a");
    ASSERT_TRUE(importFunctionLibrary(p, dir.path() / "lib.xml"));
    EXPECT_EQ(p.fns[2].name, "a_2_2");
    Project q;
    addFunction(q, "a");
    addFunction(q, "a_2");
    ASSERT_TRUE(importFunctionLibrary(q, dir.path() / "lib.xml"));
    EXPECT_EQ(q.fns[2].name, "a_2_2");
}

TEST(FunctionLibrary, AnExistingFileIsOnlyReplacedAfterYes) {
    TestStudio s;
    addFunction(s.studio.project, "f");
    const auto file = s.folder.path() / "out.xml";
    writeTestFile(file, "old");
    s.dialogs.yesNo = {false, true};
    EXPECT_FALSE(exportFunctionLibrary(s.studio.project, s.dialogs, {true}, "", "", file.string()));
    EXPECT_EQ(readTestFile(file), "old");
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Message", "File exists. Overwrite?"}));
    EXPECT_TRUE(exportFunctionLibrary(s.studio.project, s.dialogs, {true}, "", "", file.string()));
    EXPECT_NE(readTestFile(file).find("count=\"1\""), std::string::npos);
}

TEST(FunctionLibrary, AFailedExportIsReported) {
    TestStudio s;
    addFunction(s.studio.project, "f");
    EXPECT_FALSE(exportFunctionLibrary(s.studio.project, s.dialogs, {true}, "", "", (s.folder.path() / "no" / "dir" / "x").string()));
    EXPECT_EQ(s.dialogs.shown.back().title, "Error");
}

TEST(FunctionLibrary, FilesThatAreNotLibrariesAddNothing) {
    TempFolder dir;
    writeTestFile(dir.path() / "bad.xml", "<pondaro_functions><fns count=\"1\">");
    writeTestFile(dir.path() / "nocount.xml", "<pondaro_functions><fns><fn name=\"x\"/></fns></pondaro_functions>");
    writeTestFile(dir.path() / "short.xml",
                  "<pondaro_functions><fns count=\"3\"><fn name=\"x\"/></fns></pondaro_functions>");
    writeTestFile(dir.path() / "extra.xml",
                  "<pondaro_functions><fns count=\"1\"><fn name=\"x\"/><fn name=\"y\"/></fns></pondaro_functions>");
    Project p;
    for (const char* f : {"bad.xml", "nocount.xml", "short.xml", "missing.xml"}) {
        Status s = importFunctionLibrary(p, dir.path() / f);
        EXPECT_FALSE(s) << f;
        EXPECT_FALSE(s.message().empty());
        EXPECT_TRUE(p.fns.empty()) << f;
        EXPECT_FALSE(p.modified());
    }
    ASSERT_TRUE(importFunctionLibrary(p, dir.path() / "extra.xml"));
    ASSERT_EQ(p.fns.size(), 1u);
    EXPECT_EQ(p.fns[0].name, "x");
}

TEST(FunctionLibrary, CharactersXmlCannotCarryDoNotMakeTheLibraryUnreadable) {
    TestStudio s;
    addFunction(s.studio.project, "f", "a\xEF\xBF\xBF" "b\x01" "c\r\nd");
    const auto file = s.folder.path() / "odd.xml";
    ASSERT_TRUE(exportFunctionLibrary(s.studio.project, s.dialogs, {true}, "", "", file.string()));
    Project back;
    ASSERT_TRUE(importFunctionLibrary(back, file));
    EXPECT_EQ(back.fns[0].code, "abc\r\nd");
}

TEST(FunctionLibrary, TheCommandsSayWhyNothingWasExportedOrImportedAndLeaveTheProject) {
    TestStudio s;
    Project& p = s.studio.project;
    EXPECT_FALSE(hasFunctionsToExport(p, s.dialogs));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Message", "There is nothing to export."}));
    addFunction(p, "f1");
    EXPECT_TRUE(hasFunctionsToExport(p, s.dialogs));

    const auto damaged = s.folder.path() / "damaged.xml";
    writeTestFile(damaged, "<pondaro_functions><fns count=\"3\"><fn name=\"x\"/></fns></pondaro_functions>");
    p.clearModified();
    s.dialogs.files = {"", damaged.string()};
    EXPECT_FALSE(importChosenFunctions(p, s.dialogs));  // cancelled
    EXPECT_FALSE(importChosenFunctions(p, s.dialogs));
    EXPECT_EQ(s.dialogs.shown.back().title, "Error");
    EXPECT_NE(s.dialogs.shown.back().text.find("damaged"), std::string::npos);
    EXPECT_EQ(p.fns.size(), 1u);
    EXPECT_FALSE(p.modified());

    s.dialogs.files = {""};  // no file chosen: back to the window, nothing written
    EXPECT_FALSE(exportChosenFunctions(p, s.dialogs, {true}, "", ""));
    s.dialogs.files = {(s.folder.path() / "lib").string()};
    EXPECT_TRUE(exportChosenFunctions(p, s.dialogs, {true}, "", ""));
    s.dialogs.files = {(s.folder.path() / "lib.xml").string()};
    EXPECT_TRUE(importChosenFunctions(p, s.dialogs));
    EXPECT_EQ(p.fns[1].name, "f1_2");
}
