#include "base/manual_page.h"

#include "base/files.h"

namespace pondaro {

std::optional<std::filesystem::path> findManualPage(const std::filesystem::path& root,
                                                    const std::filesystem::path& programFolder) {
    if (const auto here = root / kManualPage; isRegularFile(here)) return here;
    if (programFolder.empty()) return std::nullopt;
    if (const auto installed = (programFolder / kInstalledManualPage).lexically_normal(); isRegularFile(installed))
        return installed;
    return std::nullopt;
}

} // namespace pondaro
