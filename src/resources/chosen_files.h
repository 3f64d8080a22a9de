#pragma once
// Files chosen in a property window (a sound's source, a background's picture) reach
// the working folder only at Done, and only when chosen in that window: a row that
// still holds the record's own file copies nothing.
#include <filesystem>
#include <string>

#include "base/files.h"
#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

// Takes the file at `path` (as the file dialog gave it) into the open project's
// working folder under `root` and returns the name the record keeps: its file name, or
// a free name when a different file of the project already has that one (see
// copyIntoWorkingFolder). Each of these is said in a warning, and then the record
// still takes the file name: a file that no longer exists or is empty (copied
// nowhere), and one that cannot be copied (it stays where it is, and Save copies it
// from there).
// `limit` bounds the file's size (a sound or a picture).
std::string takeChosenFile(Project& p, Dialogs& dialogs, const std::filesystem::path& root, const std::string& path,
                           const FileLimit& limit);

} // namespace pondaro
