#include <gtest/gtest.h>

#include "app/start_argument.h"
#include "support/temp_folder.h"

using namespace pondaro;
namespace fs = std::filesystem;

TEST(StartRequest, ANameOpensInTheCurrentFolderAndAProjectFileInTheFolderAboveProjects) {
    struct Case {
        std::vector<std::string> arguments;
        fs::path folder;
        std::string project;
        bool refused;
    };
    const fs::path here = "/home/ann/Pondaro";
    const Case cases[] = {
        {{}, here, "", false},
        {{"bricks"}, here, "bricks", false},
        // Open itself refuses a name that is no name, with its own message.
        {{"../bricks"}, here, "../bricks", false},
        {{"/media/stick/Games/Projects/shooter.xml"}, "/media/stick/Games", "shooter", false},
        {{"Projects/bricks.xml"}, here, "bricks", false},
        {{"../Other/Projects/my game.xml"}, "/home/ann/Other", "my game", false},
        {{"/media/stick/Games/Projects/../Projects/shooter.xml"}, "/media/stick/Games", "shooter", false},
        {{"/Projects/top.xml"}, "/", "top", false},
        // Only a file of a Projects folder is a project the studio can find its media for.
        {{"/tmp/notes.xml"}, here, "", true},
        {{"bricks.xml"}, here, "", true},
        {{"/home/ann/Pondaro/Projects/.xml"}, here, "", true},
        {{"bricks", "shooter"}, here, "", true},
    };
    for (const Case& c : cases) {
        const StartRequest r = startRequest(c.arguments, here);
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(r.folder, c.folder) << label;
        EXPECT_EQ(r.project, c.project) << label;
        EXPECT_EQ(!r.problem.empty(), c.refused) << label;
        if (c.refused && c.arguments.size() == 1) EXPECT_NE(r.problem.find(label), std::string::npos) << r.problem;
    }
}

TEST(StartRequest, EnteringAFolderThatIsNotThereKeepsTheCurrentOneAndSaysWhich) {
    TempFolder temp;
    const fs::path before = fs::current_path();
    const Status s = enterFolder(temp.path() / "gone");
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find((temp.path() / "gone").string()), std::string::npos);
    EXPECT_EQ(fs::current_path(), before);
    ASSERT_TRUE(enterFolder(temp.path()).ok());
    EXPECT_EQ(fs::current_path(), fs::canonical(temp.path()));
    fs::current_path(before);
}
