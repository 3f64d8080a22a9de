#pragma once
// The working folder "_temp_" + hhmmss beside the program holds the open project's
// sounds, musics and backgrounds until Save copies them into the project folder.
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "project/model.h"

namespace pondaro {

// "_temp_" + the time of day as two-digit hours, minutes and seconds.
std::string workingFolderName(const std::tm& timeOfDay);

// Creates a fresh working folder under `root` named for the time of day and marks it
// as this program's. A folder of that name left behind by a program that is no longer
// running is cleared and reused; any other (another studio started in the same
// second, or anything else of that name) is left alone and a distinct name is taken
// ("_temp_hhmmss_2", ...). Returns the name relative to root, or "" on failure.
std::string createWorkingFolder(const std::filesystem::path& root, const std::tm& timeOfDay);

// True when the folder is marked as belonging to a program that is still running.
bool workingFolderInUse(const std::filesystem::path& folder);

// Where the open project's media file of that name is: in the working folder, or, for
// one that could not be copied there, the file it stayed in (which may have gone
// since). Empty for a name that is no plain file name or that neither place knows.
std::filesystem::path mediaFilePath(const Project& p, const std::filesystem::path& root, const std::string& file);

// Removes the working folders under `root` that programs no longer running left
// behind (a studio that was killed removes nothing). Only folders named like working
// folders and marked by the program that made them go: anything else is left alone.
// Returns how many went.
int removeAbandonedWorkingFolders(const std::filesystem::path& root);

// Copies the media file `file` of the folder `fromFolder` into the working folder `work`
// and returns the name it has there. A different file already known under that name
// (another sound or picture of the open project named alike) keeps its name, and the
// new one takes a free name ("jump_2.wav"), so taking a file in never replaces the
// project's other media; the same file known under that name is not copied again. A
// file that is there but cannot be copied stays where it is, remembered in
// `uncopiedMedia` for Save, and its name goes to `uncopied`. A missing file, or a name
// that is no plain file name, comes back as it is and copies nothing.
// `limit` bounds the file's size (a sound or a picture).
std::string copyIntoWorkingFolder(Project& p, const std::filesystem::path& fromFolder, const std::string& file,
                                  const std::filesystem::path& work, const FileLimit& limit,
                                  std::vector<std::string>& uncopied);

} // namespace pondaro
