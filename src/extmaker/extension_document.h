#pragma once
// The extension maker's document: the current extension key and the five fields as
// plain text, with the File menu's decisions and messages. Questions and messages go
// through the Dialogs port; the window copies its controls into `fields` before every
// command (so edits count) and shows `fields` again after New and Open.
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

    // Whether the fields differ from what was last opened, saved or emptied.
    bool modified() const { return fields != unchanged_; }
    // The fields as they stand count as unchanged: the window calls this once it shows
    // them (after New and Open), with the fields read back from its controls.
    void markUnchanged() { unchanged_ = fields; }

    // Creates the Extensions folder when there is none (the program does this at start).
    Status prepareFolder() const;

    // "Create a new extension?" ("Unsaved changes will be lost. Create a new
    // extension?" with unsaved changes): on Yes the key and every field are emptied.
    bool newExtension();
    // With unsaved changes, "Unsaved changes will be lost. Open an extension?" first;
    // then the file-open dialog, then openFile. True when a file was read.
    bool open();
    // Reads an extension file as the maker does (empty lines dropped). A file that
    // cannot be read is reported and changes nothing, so a later Save cannot replace
    // the file with empty fields.
    bool openFile(const std::filesystem::path& file);
    // Save as when there is no key yet, else writes the file (asking before it replaces
    // an extension file of its key that is not the one this document was opened from
    // or last saved to).
    bool save();
    // Asks for the name (holding the current key), then writes under it. An empty name
    // or one that cannot be a file name is refused with a message and the key is kept;
    // so is the name of another extension file that the user does not want replaced
    // ("An extension named NAME already exists. Replace it?").
    bool saveAs();
    // Exit. With unsaved changes "Save the changes to KEY before exiting?" ("Save the
    // changes before exiting?" for a new extension) with Yes, No and Cancel: Yes saves
    // and ends only when the save succeeded, No ends, Cancel stays. Without changes,
    // "Exit from Pondaro Extension Maker?". True when the program should end.
    bool confirmExit();

    // Extensions/<key>.pdx, written atomically, then the success or failure message.
    bool write();

    const std::filesystem::path& root() const { return root_; }

private:
    Dialogs& dialogs_;
    std::filesystem::path root_;
    // Whether Extensions/<newKey>.pdx may be written: it is not there, it is the file
    // this document was opened from or saved to, or the user agrees to replace it.
    bool mayReplace(const std::string& newKey);

    ExtensionFields unchanged_;
    std::filesystem::path ownFile_;  // the file opened or last saved
};

// The key of a chosen file: its name without a final ".pdx" (in any letter case).
std::string extensionKeyOfFile(const std::filesystem::path& file);

} // namespace pondaro
