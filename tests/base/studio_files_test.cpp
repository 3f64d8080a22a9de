#include <gtest/gtest.h>

#include "base/studio_files.h"
#include "support/temp_folder.h"

using namespace pondaro;
namespace fs = std::filesystem;

TEST(StudioFiles, TheStudioFoldersOwnCopyComesFirstThenTheOneInstalledBesideTheProgram) {
    enum Copy { None, File, Folder };
    struct Case {
        const char* what;
        Copy here, installed;
        bool installedProgram;
        bool readsInstalled;
    };
    const Case cases[] = {
        {"only the studio folder's", File, None, true, false},
        {"both: the studio folder's wins", File, File, true, false},
        {"only the installed one", None, File, true, true},
        {"a folder where the file should be is no file", Folder, File, true, true},
        {"neither: the studio folder's name, to be reported missing", None, None, true, false},
        {"neither, a folder there: still the studio folder's", Folder, Folder, true, false},
        {"a program that is not installed looks in its own folder only", None, File, false, false},
    };
    for (const char* name : {kEngineFile, kKeywordsFile, kManualPage}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.what);
            TempFolder temp;
            const fs::path studio = temp.path() / "stick", bin = temp.path() / "prefix" / "bin";
            const fs::path here = studio / name, installed = temp.path() / "prefix" / "share" / "pondaro" / name;
            fs::create_directories(studio);
            fs::create_directories(bin);
            for (auto [copy, path] : {std::pair{c.here, here}, std::pair{c.installed, installed}}) {
                if (copy == File) writeTestFile(path, "x");
                if (copy == Folder) fs::create_directories(path);
            }
            EXPECT_EQ(studioFile(studio, c.installedProgram ? bin : fs::path(), name), c.readsInstalled ? installed : here);
        }
    }
}
