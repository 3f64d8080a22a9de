#pragma once
// Building the game (game.js and index.html in the project folder) and running it.
#include <filesystem>
#include <string>

#include "app/studio.h"

namespace pondaro {

// The address of the product's web site, linked from every game page.
inline constexpr const char* kProductWebAddress = "https://pondaro.example.org/";

// Reads export.js from the program's folder, creating it empty when it is missing.
// Bytes are kept as they are (the template is plain ASCII).
std::string readTemplate(const std::filesystem::path& root);

// The sixteen lines of the game page.
std::string indexHtml();

// The template with each marker replaced, in the fixed order, by its block. Each
// replacement works on the text the previous ones left. Reorders and re-sorts the
// object table as the export does.
std::string gameScript(Project& p, const std::vector<ExtensionEntry>& extensions, const std::string& engineTemplate,
                       const std::string& sortOrder);

// Build game: reloads the extensions, writes game.js and (when GenerateIndexHTML is 1
// or the page is missing) index.html, shows the status texts, warns about names the
// game cannot use and when there is no scene. Does nothing for an unnamed project.
// True when the files were written.
bool buildGame(Studio& studio);

// Run game: saves, builds and opens the page in the browser.
bool runGame(Studio& studio);

// The File menu's Save and Save as: save, then build the game.
bool saveCommand(Studio& studio);
bool saveAsCommand(Studio& studio);

// Projects/<name>/index.html as the browser is given it: the program's folder in
// front, "file://" before it when add_file_protocol is 1.
std::string gamePageAddress(const Studio& studio);

} // namespace pondaro
