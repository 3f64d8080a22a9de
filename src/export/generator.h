#pragma once
// The game script generator: the project as JavaScript, one block per marker of the
// engine template. Every generated line ends with CR LF; names and texts are inserted
// exactly as they stand.
#include <string>
#include <vector>

#include "extensions/extension_file.h"
#include "project/model.h"

namespace pondaro {

// "v" + the first three digits of the version joined by "." (200 gives "v2.0.0").
std::string versionText(int version);
std::string extensionsBlock(const std::vector<ExtensionEntry>& extensions);
std::string globalVariablesBlock(const Project& p);
std::string globalFunctionsBlock(const Project& p);
std::string spritesBlock(const Project& p);
std::string soundsBlock(const Project& p);
std::string musicsBlock(const Project& p);
std::string backgroundsBlock(const Project& p);
std::string fontsBlock(const Project& p);
// The templates in the list's current order (call orderObjectsParentFirst first).
std::string objectsBlock(const Project& p);
std::string scenesBlock(const Project& p);

// Reorders the object table so that parents stand before their children.
void orderObjectsParentFirst(Project& p);

// The resource panel's sort orders: "" (by uid), "ASC" or "DESC" (by name).
void sortObjectsForDisplay(Project& p, const std::string& sortOrder);

// The objects block with the reordering before it and the display sort after it, as
// the export does.
std::string exportObjects(Project& p, const std::string& sortOrder);

} // namespace pondaro
