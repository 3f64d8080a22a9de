// The levels of the code. Each folder of src/ sits on a level and its files include
// only folders on lower levels (and their own), so no change can make two parts
// depend on each other; only windows and the programs use wxWidgets, so core builds
// and is tested without a display. A new folder must be given its level here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The core folders by level.
const std::map<std::string, int> kLevels = {
    {"base", 0},
    {"image", 1}, {"preferences", 1},
    {"project", 2},
    {"code", 3}, {"extensions", 3}, {"export", 3}, {"sprites", 3}, {"scene", 3}, {"resources", 3},
    {"app", 4}, {"extmaker", 4},
    {"cli", 5},
};
// Folders of one level that one of them may include: the game export joins the
// extensions' code in, and the resource windows' logic uses the code editor's rules.
const std::set<std::pair<std::string, std::string>> kSideways = {{"export", "extensions"}, {"resources", "code"}};

// Where a file of src/ lies: its folder, whether it is a window file (a folder's ui/,
// or the shared window kit src/ui/), and whether it is a program's main.cpp.
struct Place {
    std::string folder;
    bool window = false;
    bool program = false;
};

Place placeOf(const fs::path& relative) {
    std::vector<std::string> parts;
    for (const auto& part : relative) parts.push_back(part.string());
    Place p;
    p.folder = parts.front();
    p.window = p.folder == "ui" || (parts.size() > 2 && parts[1] == "ui");
    p.program = parts.back() == "main.cpp";
    return p;
}

// Why the file at `from` may not include "folder/..." (`window` when it is "folder/ui/..."), or nothing.
std::optional<std::string> wrongInclude(const Place& from, const std::string& folder, bool window) {
    if (folder == from.folder && (window == from.window || from.window || from.program)) return std::nullopt;
    if (folder == "ui" || window) {
        if (!from.window && !from.program) return "core includes a window file";
        // Any window may use the shared kit and the code editor widget; the other windows
        // are reached through the main window, which wires every one.
        if (folder == "ui" || folder == "code") return std::nullopt;
        if (from.folder == "app" || from.program) return std::nullopt;
        return "a window includes another folder's windows (wire it through app/ui)";
    }
    if (from.folder == "ui") {
        if (kLevels.count(folder)) return std::nullopt;
        return "folder not in the level table";
    }
    if (!kLevels.count(folder) || !kLevels.count(from.folder)) return "folder not in the level table";
    if (from.window || from.program) return std::nullopt;
    const int own = kLevels.at(from.folder), other = kLevels.at(folder);
    if (other < own) return std::nullopt;
    if (other == own && kSideways.count({from.folder, folder})) return std::nullopt;
    return "level " + std::to_string(own) + " includes level " + std::to_string(other);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& line : lines) all += line + "\n";
    return all;
}

} // namespace

TEST(Levels, EachIncludeIsJudgedByTheTable) {
    struct Case {
        const char* file;
        const char* include;
        bool allowed;
    };
    const Case cases[] = {
        {"project/model.h", "image/image.h", true},         // down
        {"image/frames.h", "project/model.h", false},       // up
        {"project/reader.cpp", "scene/display.h", false},   // up by one
        {"scene/scene_canvas.h", "scene/scene_index.h", true},
        {"scene/scene_canvas.h", "sprites/frames.h", false},  // beside, not allowed
        {"export/game_files.h", "extensions/extension_file.h", true},
        {"extensions/extension_file.h", "export/generator.h", false},
        {"resources/object_window.h", "code/keywords.h", true},
        {"base/files.h", "image/image.h", false},
        {"app/studio.h", "project/model.h", true},
        {"extmaker/document.h", "app/studio.h", false},     // level 4 beside level 4
        {"scene/scene_window.h", "app/studio.h", false},
        {"project/model.h", "ui/wx_text.h", false},          // core includes a window file
        {"code/colouring.h", "code/ui/code_editor.h", false},
        {"scene/ui/scene_window.cpp", "scene/scene_canvas.h", true},
        {"scene/ui/scene_window.cpp", "app/studio.h", true},  // windows may use any core
        {"scene/ui/scene_window.cpp", "ui/wx_text.h", true},
        {"scene/ui/scene_window.cpp", "code/ui/code_editor.h", true},
        {"scene/ui/scene_window.cpp", "sprites/ui/sprite_window.h", false},
        {"app/ui/main_frame.cpp", "sprites/ui/sprite_window.h", true},
        {"app/main.cpp", "scene/ui/scene_window.h", true},
        {"ui/wx_ports.cpp", "project/lifecycle.h", true},
        {"ui/wx_ports.cpp", "app/ui/main_frame.h", false},
        {"cli/main.cpp", "app/file_commands.h", true},
        {"project/model.h", "games/engine.h", false},        // a folder the table does not know
    };
    for (const Case& c : cases) {
        const std::string include = c.include;
        const std::string folder = include.substr(0, include.find('/'));
        const bool window = include.find("/ui/") != std::string::npos;
        const auto why = wrongInclude(placeOf(c.file), folder, window);
        EXPECT_EQ(!why.has_value(), c.allowed) << c.file << " includes " << c.include << ": " << why.value_or("allowed");
    }
}

TEST(Levels, EveryIncludeUnderSrcPointsDownAndOnlyWindowsUseWx) {
    const fs::path src = fs::path(PONDARO_SOURCE_DIR) / "src";
    const std::regex folderInclude(R"re(^\s*#\s*include\s*"([a-z_]+)/(ui/)?)re");
    const std::regex wxInclude(R"(^\s*#\s*include\s*[<"]wx/)");
    std::vector<std::string> wrong;
    size_t files = 0, includes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const fs::path& path = entry.path();
        const std::string ext = path.extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".hpp" && ext != ".cpp" && ext != ".cc")) continue;
        const fs::path relative = fs::relative(path, src);
        const Place from = placeOf(relative);
        ++files;
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string where = relative.string() + ":" + std::to_string(number) + ": " + line;
            if (std::regex_search(line, wxInclude) && !from.window && !from.program)
                wrong.push_back(where + "  (wxWidgets outside the windows)");
            std::smatch m;
            if (!std::regex_search(line, m, folderInclude)) continue;
            ++includes;
            if (auto why = wrongInclude(from, m[1].str(), m[2].matched)) wrong.push_back(where + "  (" + *why + ")");
        }
    }
    EXPECT_GT(files, 150u);
    EXPECT_GT(includes, 400u);
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " includes point the wrong way:\n" << joined(wrong);
}

TEST(Levels, EveryFolderOfSrcHasItsLevel) {
    const fs::path src = fs::path(PONDARO_SOURCE_DIR) / "src";
    std::vector<std::string> unplaced;
    for (const auto& entry : fs::directory_iterator(src))
        if (entry.is_directory() && entry.path().filename() != "ui" && !kLevels.count(entry.path().filename().string()))
            unplaced.push_back(entry.path().filename().string());
    EXPECT_TRUE(unplaced.empty()) << joined(unplaced);
}
