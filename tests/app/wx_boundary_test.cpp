// Only the windows (src/*/ui/) and the programs' main.cpp may use wxWidgets: core
// must build and be tested without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

TEST(WxBoundary, OnlyWindowFilesAndMainIncludeWx) {
    const fs::path src = fs::path(PONDARO_SOURCE_DIR) / "src";
    const std::regex include(R"(^\s*#\s*include\s*[<"]wx/)");
    std::vector<std::string> offenders;
    size_t checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const fs::path& path = entry.path();
        const std::string ext = path.extension().string();
        if (ext != ".cpp" && ext != ".h" && ext != ".hpp") continue;
        const bool inUi = path.parent_path().filename() == "ui";
        const bool isMain = path.filename() == "main.cpp";
        if (inUi || isMain) continue;
        ++checked;
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line))
            if (std::regex_search(line, include)) {
                offenders.push_back(fs::relative(path, src).string() + ": " + line);
                break;
            }
    }
    EXPECT_GT(checked, 20u);
    EXPECT_TRUE(offenders.empty()) << [&] {
        std::string all;
        for (const auto& o : offenders) all += o + "\n";
        return all;
    }();
}
