#pragma once
// The working folder "_temp_" + hhmmss beside the program holds the open project's
// sounds, musics and backgrounds until Save copies them into the project folder.
#include <ctime>
#include <filesystem>
#include <string>

namespace pondaro {

// "_temp_" + the time of day as two-digit hours, minutes and seconds.
std::string workingFolderName(const std::tm& timeOfDay);

// Creates a fresh working folder under `root` named for the time of day. When a folder
// of that name is already there (another studio started in the same second), a
// distinct name is taken ("_temp_hhmmss_2", ...) so neither deletes the other's files.
// Returns the folder's name relative to root, or "" when none could be created.
std::string createWorkingFolder(const std::filesystem::path& root, const std::tm& timeOfDay);

} // namespace pondaro
