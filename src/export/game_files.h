#pragma once
// The game's files: the engine template with its markers filled (game.js) and the page
// that loads it (index.html), written into the project's folder. The Build and Run
// commands (app/game_commands.h) reload the extensions, show the status texts and the
// messages around this.
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/status.h"
#include "extensions/extension_file.h"
#include "project/model.h"

namespace pondaro {

// The address of the product's web site, linked from every game page.
inline constexpr const char* kProductWebAddress = "https://pondaro.example.org/";

// The refusal of a build without an engine: its game would be an empty page.
inline constexpr const char* kEngineMissingMessage = "The game engine file export.js is missing or empty.";
// What export.js may hold at most.
inline constexpr FileLimit kEngineTemplateLimit{"an engine template", 64LL << 20};

// Reads export.js into `text`, from the folder the studio works in or else the copy
// installed beside `programFolder` (studio_files.h); "" when it is missing (nothing
// is created: an empty engine is refused when a game is written). One that is there but
// cannot be read (no regular file, too large) is reported and `text` left empty. Bytes
// are kept as they are (the template is plain ASCII).
Status readTemplate(const std::filesystem::path& root, std::string& text,
                    const std::filesystem::path& programFolder = {});

// The sixteen lines of the game page.
std::string indexHtml();

// The template with each marker replaced, in the fixed order, by its block. Each
// replacement works on the text the previous ones left. Reorders and re-sorts the
// object table as the export does.
std::string gameScript(Project& p, const std::vector<ExtensionEntry>& extensions, const std::string& engineTemplate,
                       const std::string& sortOrder);

// What a game is made of besides the project.
struct GameSources {
    const std::string& engineTemplate;
    const std::vector<ExtensionEntry>& extensions;  // with the project's installed flags
    const std::string& sortOrder;                   // the resource panel's: "", "ASC" or "DESC"
    bool writePage = true;                          // GenerateIndexHTML is 1
};

// Writes Projects/<name>/index.html (when `writePage`, or when there is none) and
// game.js, each replacing its file atomically, into the folder it creates. Reorders
// the objects as gameScript does. Refused, writing nothing, for a name that cannot be
// a folder's and for an empty engine template (kEngineMissingMessage); a file that
// cannot be written does not keep the other from being written, and the failure
// names each.
Status writeGame(Project& p, const std::filesystem::path& root, const GameSources& sources);

} // namespace pondaro
