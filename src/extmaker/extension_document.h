#pragma once
// The extension maker's document: the current extension key and the five fields as
// plain text, with the File menu's decisions and messages. Questions and messages go
// through the Dialogs port; the window copies its controls into `fields` before a save
// and shows `fields` again after New and Open.
#include <filesystem>
#include <string>

#include "base/ports.h"
#include "extensions/extension_file.h"

namespace pondaro {

inline constexpr const char* kMakerTitle = "Pondaro Extension Maker";

class ExtensionDocument {
public:
    ExtensionDocument(Dialogs& dialogs, std::filesystem::path root) : dialogs_(dialogs), root_(std::move(root)) {}

    // The file name under which Save writes, without ".pdx"; empty for a new extension.
    std::string key;
    ExtensionFields fields;

    // Creates the Extensions folder when there is none (the program does this at start).
    Status prepareFolder() const;

    // "Create a new extension?": on Yes the key and every field are emptied.
    bool newExtension();
    // The file-open dialog, then openFile. True when a file was read.
    bool open();
    // Reads an extension file as the maker does (empty lines dropped). A file that
    // cannot be read is reported and changes nothing, so a later Save cannot replace
    // the file with empty fields.
    bool openFile(const std::filesystem::path& file);
    // Save as when there is no key yet, else writes the file.
    bool save();
    // Asks for the name (holding the current key), then writes under it. An empty name
    // or one that cannot be a file name is refused with a message and the key is kept.
    bool saveAs();
    // "Exit from Pondaro Extension Maker?": true when the program should end.
    bool confirmExit();

    // Extensions/<key>.pdx, written atomically, then the success or failure message.
    bool write();

    const std::filesystem::path& root() const { return root_; }

private:
    Dialogs& dialogs_;
    std::filesystem::path root_;
};

// The key of a chosen file: its name without a final ".pdx" (in any letter case).
std::string extensionKeyOfFile(const std::filesystem::path& file);

} // namespace pondaro
