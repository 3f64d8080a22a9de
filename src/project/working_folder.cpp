#include "project/working_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <system_error>
#include <unistd.h>

#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"

namespace pondaro {

namespace {

// Holds the process id of the program using the folder. Save copies media by name,
// so this file never reaches a project.
constexpr const char* kOwnerFile = ".owner";
constexpr FileLimit kOwnerLimit{"a working folder's mark", 64};

} // namespace

std::string workingFolderName(const std::tm& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "_temp_%02d%02d%02d", t.tm_hour % 100, t.tm_min % 100, t.tm_sec % 100);
    return buffer;
}

bool workingFolderInUse(const std::filesystem::path& folder) {
    std::string text;
    if (!readFile(folder / kOwnerFile, text, kOwnerLimit)) return false;
    // Not when it is our own, left from an earlier project.
    return otherProgramRunning(readInteger(text));
}

std::string createWorkingFolder(const std::filesystem::path& root, const std::tm& timeOfDay) {
    const std::string base = workingFolderName(timeOfDay);
    for (int n = 1; n < 1000; ++n) {
        std::string name = n == 1 ? base : base + "_" + std::to_string(n);
        const auto folder = root / name;
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(folder, ec))) {
            // Reused only when a program that has ended left it; a folder without the
            // mark may be another studio's that has not written it yet.
            const bool leftBehind = isDirectory(folder) && isRegularFile(folder / kOwnerFile) && !workingFolderInUse(folder);
            if (!leftBehind || !removeAll(folder)) continue;
        }
        // create_directory reports false when the folder appeared meanwhile, so two
        // programs racing for the same name cannot both take it.
        if (!std::filesystem::create_directory(folder, ec)) continue;
        if (!writeFileAtomic(folder / kOwnerFile, std::to_string(::getpid()), WriteMode::Fast)) {
            removeAll(folder);
            return "";
        }
        return name;
    }
    return "";
}

std::filesystem::path mediaFilePath(const Project& p, const std::filesystem::path& root, const std::string& file) {
    if (!isPlainFileName(file)) return {};
    if (!p.workingFolder.empty() && isRegularFile(root / p.workingFolder / file)) return root / p.workingFolder / file;
    auto outside = p.uncopiedMedia.find(file);
    if (outside != p.uncopiedMedia.end()) return outside->second;
    return {};
}

int removeAbandonedWorkingFolders(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code ec2;
        if (name.rfind("_temp_", 0) != 0 || it->is_symlink(ec2) || !it->is_directory(ec2)) continue;
        std::string owner;
        if (!readFile(it->path() / kOwnerFile, owner, kOwnerLimit)) continue;
        // Our own folder is in use while this program runs.
        const int pid = readInteger(owner);
        if (pid <= 0 || pid == int(::getpid()) || otherProgramRunning(pid)) continue;
        if (removeAll(it->path())) ++removed;
    }
    return removed;
}

} // namespace pondaro
