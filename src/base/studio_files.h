#pragma once
// Where the studio finds the files it ships with: the engine template, the engine's
// word list and the user manual. A run folder or a studio folder holds its own copies;
// a studio installed on the system that works in a folder without them (a project
// double-clicked on a USB stick) reads the ones installed with it.
#include <filesystem>

namespace pondaro {

// The engine template the game is built from.
inline constexpr const char* kEngineFile = "export.js";
// The engine's word list of the code windows.
inline constexpr const char* kKeywordsFile = "keywords.dat";
// The manual's first page.
inline constexpr const char* kManualPage = "manual/index.html";
// Where the installed copies are, from the folder that holds the installed program
// (PREFIX/bin to PREFIX/share/pondaro).
inline constexpr const char* kInstalledFilesFolder = "../share/pondaro";

// Where the file `name` is read from: `root`/name when it is a regular file, else the
// installed copy from `programFolder` when that is a regular file (none when
// `programFolder` is empty: a program that is not installed looks in its own folder
// only), else `root`/name, so that a file found nowhere is reported as missing from
// the folder the studio works in.
std::filesystem::path studioFile(const std::filesystem::path& root, const std::filesystem::path& programFolder,
                                 const std::filesystem::path& name);

} // namespace pondaro
