#include "project/working_folder.h"

#include <cstdio>
#include <system_error>

namespace pondaro {

std::string workingFolderName(const std::tm& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "_temp_%02d%02d%02d", t.tm_hour % 100, t.tm_min % 100, t.tm_sec % 100);
    return buffer;
}

std::string createWorkingFolder(const std::filesystem::path& root, const std::tm& timeOfDay) {
    const std::string base = workingFolderName(timeOfDay);
    for (int n = 1; n < 1000; ++n) {
        std::string name = n == 1 ? base : base + "_" + std::to_string(n);
        std::error_code ec;
        // create_directory reports false when the folder was already there, so two
        // programs racing for the same name cannot both take it.
        if (std::filesystem::create_directory(root / name, ec)) return name;
        std::error_code ec2;
        if (ec && !std::filesystem::exists(root / name, ec2)) return "";
    }
    return "";
}

} // namespace pondaro
