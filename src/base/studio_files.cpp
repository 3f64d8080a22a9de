#include "base/studio_files.h"

#include "base/files.h"

namespace pondaro {

std::filesystem::path studioFile(const std::filesystem::path& root, const std::filesystem::path& programFolder,
                                 const std::filesystem::path& name) {
    const auto here = root / name;
    if (isRegularFile(here) || programFolder.empty()) return here;
    if (const auto installed = (programFolder / kInstalledFilesFolder / name).lexically_normal();
        isRegularFile(installed))
        return installed;
    return here;
}

} // namespace pondaro
