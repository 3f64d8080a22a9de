#pragma once
// Extension files: Extensions/<key>.pdx, five sections of text opened by the header
// lines [EXTENSION], [AUTHOR], [DESCRIPTION], [HELP] and [CODE]. A project's installed
// extensions are the keys listed in Projects/<name>/extensions.dat.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "base/status.h"

namespace pondaro {

// What the files of extensions may hold at most.
inline constexpr FileLimit kExtensionFileLimit{"an extension file", 16LL << 20};
inline constexpr FileLimit kInstalledExtensionsLimit{"a list of installed extensions", 1LL << 20};

struct ExtensionEntry {
    std::string key;  // file name without ".pdx"
    std::string name;
    std::string author;
    std::string description;
    std::string help;
    std::string code;
    int installed = 0;
};

// The five fields as the extension maker edits them.
struct ExtensionFields {
    std::string name;
    std::string author;
    std::string description;
    std::string help;
    std::string code;
    bool operator==(const ExtensionFields&) const = default;
};

// Reads a file's text as the studio does: description, help and code keep every line
// with a CR LF after it (so each starts with the line end of its header line).
ExtensionEntry parseExtension(std::string_view text, const std::string& key);

// Reads a file's text as the extension maker does: empty lines are dropped.
ExtensionFields parseExtensionForMaker(std::string_view text);

// The file's text as the maker writes it.
std::string extensionFileText(const ExtensionFields& fields);

std::filesystem::path extensionsFolder(const std::filesystem::path& root);
std::filesystem::path extensionFilePath(const std::filesystem::path& root, const std::string& key);
std::filesystem::path installedExtensionsPath(const std::filesystem::path& root, const std::string& projectName);

// Writes Extensions/<key>.pdx atomically. Refused when the folder Extensions leads
// outside `root`.
Status writeExtensionFile(const std::filesystem::path& root, const std::string& key, const ExtensionFields& fields);

// The keys listed in the project's extensions.dat ({} for an unnamed project). A file
// that is there but cannot be read (no regular file, too large, in a folder leading
// outside `root`) gives no keys, and its message is added to `problems` (one line
// each) when given.
std::vector<std::string> loadInstalledKeys(const std::filesystem::path& root, const std::string& projectName,
                                           std::string* problems = nullptr);
// Writes extensions.dat: one key per line. Refused when the project's folder leads
// outside `root`.
Status saveInstalledKeys(const std::filesystem::path& root, const std::string& projectName,
                         const std::vector<std::string>& keys);

// Every Extensions/*.pdx in folder order, each marked installed when the project
// lists its key. Files that cannot be read are left out and their messages added to
// `problems` as above; so is the whole folder when it leads outside `root`.
std::vector<ExtensionEntry> loadExtensions(const std::filesystem::path& root, const std::string& projectName,
                                           std::string* problems = nullptr);

// The Installed extensions window's text for one entry.
std::string extensionInfoText(const ExtensionEntry& e);

} // namespace pondaro
