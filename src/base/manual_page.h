#pragma once
// Where Help finds the user manual. A run folder or a studio folder may hold its own
// copy; a studio installed on the system finds the one installed with it, whatever
// folder it works in.
#include <filesystem>
#include <optional>

namespace pondaro {

// The manual's first page in the folder the studio works in.
inline constexpr const char* kManualPage = "manual/index.html";
// The installed manual's first page, from the folder that holds the installed program
// (PREFIX/bin to PREFIX/share/pondaro/manual).
inline constexpr const char* kInstalledManualPage = "../share/pondaro/manual/index.html";

// kManualPage of `root` when it is a file, else kInstalledManualPage from
// `programFolder` (none when that is empty), else nothing.
std::optional<std::filesystem::path> findManualPage(const std::filesystem::path& root,
                                                    const std::filesystem::path& programFolder);

} // namespace pondaro
