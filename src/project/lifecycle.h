#pragma once
// The project's side of the whole-project operations: emptying it for New and Open,
// its working folder, the copies Duplicate makes, and the projects stored under
// Projects/. Each takes only the project and the program's folder (`root`) and reports
// a failure as a Status; the File menu's commands (app/file_commands.h) ask the
// questions, show the messages and run the open windows' hooks around these.
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "preferences/preferences.h"
#include "project/model.h"

namespace pondaro {

// Removes the project's working folder with everything in it, when it has one. The
// project keeps the folder's name.
void removeWorkingFolder(const Project& p, const std::filesystem::path& root);

// The empty project New and Open start from: every table, the rename table, the merge
// log and the name emptied, the identity counter at 1, the image and audio folder
// names from the preferences, the Extensions and Projects folders under root, and a
// fresh working folder named for the time of day. Does not touch the modified flag.
// The project is empty even on failure, which names each folder that could not be
// created (without a working folder, sounds, musics and backgrounds cannot be kept).
Status startEmptyProject(Project& p, const std::filesystem::path& root, const Preferences& prefs,
                         const std::tm& timeOfDay);

// What programs stopped midway (a crash, a kill) left behind, cleared at start-up:
// their working folders, and the temporary files of interrupted saves in the program's
// folder, in Projects/, Extensions/ and each project's folder and the folders in it
// (links are not followed).
void removeLeftovers(const std::filesystem::path& root);

// Reading ends by restarting the identity counter from the record counts, also when
// nothing was read.
void restartCounter(Project& p);

// Duplicate: a copy "<name>_dup" of the object with a copy of each of its event
// handlers (each under a fresh name, so removing one never takes the other), or of the
// scene with a copy of each of its instances (fresh names, unselected). Marks the
// project modified. Refused, changing nothing, when the copy's name is taken; a name
// that is no object (scene) changes nothing and is no failure.
Status duplicateObject(Project& p, const std::string& name);
Status duplicateScene(Project& p, const std::string& name);

// The names of the projects under Projects/, in directory order.
std::vector<std::string> listProjects(const std::filesystem::path& root);
// Whether a project of this name is stored: its file Projects/<name>.xml or its folder
// Projects/<name>/ is there (a save would replace or add to them).
bool projectExists(const std::filesystem::path& root, const std::string& name);
// "Project started: " + the project file's last-modified time ("%Y-%m-%d %H:%M").
std::string projectStartedText(const std::filesystem::path& root, const std::string& name);
// Projects/<name>.png when it exists with a size above 0, else "".
std::filesystem::path projectPreviewPicture(const std::filesystem::path& root, const std::string& name);

} // namespace pondaro
