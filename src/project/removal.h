#pragma once
// Deleting a record by its "Delete" (a property window's button or the resource panel's
// menu): one question per kind, asked under "Confirm", and on Yes the record goes by
// name with what hangs on it (Project::removeByName: a template's instances and
// handlers, a sprite's frames and points, a background's tiles, a scene's instances,
// layers and tiles). Objects that showed a removed sprite lose its picture as well. A
// removal is a change to save, whichever window made it, so the project is marked
// modified for every kind. The window that asked closes itself afterwards.
#include <string>

#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

// "Do you really want to delete this sprite?" and so on, for the eight kinds of the
// resource panel ("sprite", "sound", "music", "background", "font", "object", "scene",
// "function").
std::string deleteQuestion(ResourceKind kind);

// Asks deleteQuestion(kind); on Yes removes the record and marks the project modified.
// True when it was removed. Nothing is asked and nothing changes when no record of the
// kind holds the name (the record went while its window was open).
bool deleteRecord(Project& p, Dialogs& dialogs, ResourceKind kind, const std::string& name);

} // namespace pondaro
