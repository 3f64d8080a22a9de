#include <gtest/gtest.h>

#include "base/files.h"
#include "preferences/preferences.h"
#include "support/temp_folder.h"

using namespace pondaro;

TEST(Preferences, AMissingFileIsCreatedWithExactlyTheDefaults) {
    TempFolder dir;
    Preferences prefs;
    bool created = false;
    ASSERT_TRUE(readPreferences(dir.path(), prefs, &created));
    EXPECT_TRUE(created);
    EXPECT_EQ(readTestFile(dir.path() / "preferences.dat"),
              "[Code editor]\r\n"
              "sci_color_fore = 0\r\n"
              "sci_color_selection_back = 4194304\r\n"
              "sci_color_selection_fore = 16777215\r\n"
              "sci_color_command = 14888246\r\n"
              "sci_color_comment = 10526880\r\n"
              "sci_color_function = 2335523\r\n"
              "sci_color_number = 4210896\r\n"
              "sci_color_resource = 12298801\r\n"
              "sci_color_string = 12976326\r\n"
              "sci_color_pd_constant = 3947580\r\n"
              "sci_color_pd_function = 2255392\r\n"
              "sci_color_pd_variable = 1265745\r\n"
              "sci_color_caret = 15790335\r\n"
              "sci_font_family = Consolas\r\n"
              "sci_font_size = 11\r\n"
              "x = -1\r\n"
              "y = -1\r\n"
              "width = -1\r\n"
              "height = -1\r\n"
              "maximized = -1\r\n"
              "\r\n[Browser]\r\n"
              "add_file_protocol = 0\r\n"
              "\r\n[Misc]\r\n"
              "CheckProgramVersion = 1\r\n"
              "GenerateIndexHTML = 1\r\n"
              "ConfirmExit = 1\r\n"
              "\r\n[Export]\r\n"
              "ImgFolder = img\r\n"
              "AudFolder = aud\r\n");
    Preferences again;
    again.ConfirmExit = 0;
    ASSERT_TRUE(readPreferences(dir.path(), again, &created));
    EXPECT_FALSE(created);
    EXPECT_EQ(again, Preferences{});
}

TEST(Preferences, ReadingIgnoresCaseBlanksCommentsAndOtherGroupsKeys) {
    Preferences p = parsePreferences(
        "\xEF\xBB\xBF; a comment = 5\n"
        "[code EDITOR]\n"
        "  SCI_FONT_SIZE\t=\t14  \r\n"
        "sci_font_family =  Deja Vu Mono \n"
        "ConfirmExit = 0\n"  // belongs to Misc, not here
        "sci_color_fore = $FF\n"
        "[misc]\r"
        "confirmexit=0\r"
        "confirmexit=1\r"
        "[Export]\n"
        "ImgFolder = pictures\n"
        "garbage line\n"
        "; AudFolder = nope\n");
    EXPECT_EQ(p.sci_font_size, 14);
    EXPECT_EQ(p.sci_font_family, "Deja Vu Mono");
    EXPECT_EQ(p.sci_color_fore, 255);
    EXPECT_EQ(p.ConfirmExit, 0);  // the first occurrence counts
    EXPECT_EQ(p.ImgFolder, "pictures");
    EXPECT_EQ(p.AudFolder, "aud");
    EXPECT_EQ(p.sci_color_caret, colourValue(255, 240, 240));  // missing key: default
    EXPECT_EQ(p.CheckProgramVersion, 1);
}

TEST(Preferences, WrittenValuesReadBack) {
    TempFolder dir;
    Preferences p;
    p.sci_font_size = parsePreferences("[Code editor]\nsci_font_size = abc\n").sci_font_size;
    EXPECT_EQ(p.sci_font_size, 0);
    p.x = 120;
    p.maximized = 1;
    p.add_file_protocol = 1;
    p.AudFolder = "sounds";
    p.sci_color_string = colourValue(1, 2, 3);
    ASSERT_TRUE(writePreferences(dir.path(), p));
    Preferences back;
    ASSERT_TRUE(readPreferences(dir.path(), back));
    EXPECT_EQ(back, p);
}

TEST(Preferences, AFileThatCannotBeCreatedIsReported) {
    TempFolder dir;
    Preferences p;
    Status s = readPreferences(dir.path() / "no" / "such" / "folder", p);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("preferences"), std::string::npos);
}
