#pragma once
// Function libraries: XML files that carry functions from one project to another.
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/ports.h"
#include "base/status.h"
#include "project/model.h"

namespace pondaro {

// The library's text for the chosen functions (in the project's order), indented by
// four spaces a level.
std::string functionLibraryXml(const std::vector<const GameFunction*>& functions, const std::string& author,
                               const std::string& description);

// Every ".xml" removed from the chosen name, then ".xml" once.
std::string libraryFileName(const std::string& chosen);

// Export: the project functions whose `ticked` flag is set go to the file named
// `chosen` (normalised by libraryFileName). An existing file is only replaced after
// "File exists. Overwrite?" is answered Yes. Returns true when the file was written;
// false when the user declined (back to the window) or the write failed (reported).
bool exportFunctionLibrary(const Project& p, Dialogs& dialogs, const std::vector<bool>& ticked,
                           const std::string& author, const std::string& description, const std::string& chosen);

// What a function library file may hold at most.
inline constexpr FileLimit kFunctionLibraryLimit{"a function library", 64LL << 20};

// ---- The commands of the Functions page ---------------------------------------------

// "Export...": a project without functions has nothing to export, which is said
// ("There is nothing to export.", title "Message"); false then.
bool hasFunctionsToExport(const Project& p, Dialogs& dialogs);

// The export window's "Export": the save dialog "Exporting functions..." asks for the
// file; no answer returns false (the window stays), else exportFunctionLibrary.
bool exportChosenFunctions(const Project& p, Dialogs& dialogs, const std::vector<bool>& ticked,
                           const std::string& author, const std::string& description);

// "Import...": the open dialog "Select functions to import"; no answer does nothing. A
// file that is not a library, or cannot be read, adds nothing and its message is shown
// (title "Error"). True when the library's functions were added.
bool importChosenFunctions(Project& p, Dialogs& dialogs);

// Parses a library's bytes into its functions (names as written). `label` names the
// file in messages.
Status parseFunctionLibrary(std::string_view bytes, const std::string& label, std::vector<GameFunction>& out);

// Import: every function of the library is appended, its name followed by "_2" as
// often as needed to be free. A file that is not a library adds nothing and says why.
Status importFunctionLibrary(Project& p, const std::filesystem::path& file);

} // namespace pondaro
