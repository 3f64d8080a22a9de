#include <gtest/gtest.h>

#include "code/keywords.h"
#include "support/temp_folder.h"

using namespace pondaro;

TEST(Keywords, RecordsOfThreeLinesWithTheirKinds) {
    auto list = parseKeywords(
        "!instance_create\r\ninstance_create(x, y, obj)\r\nCreates an instance.\r\n"
        ".score\rn/a\rThe score.\r"
        "?skipped\nwhatever\nignored\n"
        "#c_red\nn/a\nRed.\n"
        "!!odd\nx\ny");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], (KeywordEntry{"instance_create", "Fn", "instance_create(x, y, obj)", "Creates an instance."}));
    EXPECT_EQ(list[1], (KeywordEntry{"score", "Var", "n/a", "The score."}));
    EXPECT_EQ(list[2], (KeywordEntry{"c_red", "Cons", "n/a", "Red."}));
    EXPECT_EQ(list[3].word, "!odd");  // only the first prefix character goes
}

TEST(Keywords, TheKeyConstantsFollowTheFileAndStandAloneWithoutIt) {
    EXPECT_EQ(keyConstants().size(), 82u);
    EXPECT_EQ(keyConstants().front(), "vk_0");
    EXPECT_EQ(keyConstants().back(), "vk_z");
    TempFolder dir;
    auto none = loadKeywords(dir.path());
    ASSERT_EQ(none.size(), 82u);
    EXPECT_EQ(none[0], (KeywordEntry{"vk_0", "Cons", "", ""}));
    writeTestFile(dir.path() / "keywords.dat", "!f\nf()\nDoes f.\n");
    auto both = loadKeywords(dir.path());
    ASSERT_EQ(both.size(), 83u);
    EXPECT_EQ(both[0].word, "f");
    EXPECT_EQ(both[1].word, "vk_0");
}
