#include "extmaker/extension_document.h"

#include "base/files.h"
#include "base/text.h"

namespace pondaro {

Status ExtensionDocument::prepareFolder() const {
    if (ensureDirectory(extensionsFolder(root_))) return Status::success();
    return Status::failure("The folder " + extensionsFolder(root_).string() + " could not be created.");
}

bool ExtensionDocument::newExtension() {
    if (!dialogs_.confirm(modified() ? "Unsaved changes will be lost. Create a new extension?" : "Create a new extension?"))
        return false;
    key.clear();
    fields = {};
    ownFile_.clear();
    markUnchanged();
    return true;
}

std::string extensionKeyOfFile(const std::filesystem::path& file) {
    std::string name = file.filename().string();
    if (name.size() >= 4 && equalsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".pdx"))
        name.resize(name.size() - 4);
    return name;
}

bool ExtensionDocument::open() {
    if (modified() && !dialogs_.confirm("Unsaved changes will be lost. Open an extension?")) return false;
    const std::string file = dialogs_.chooseFileToOpen("Select a Pondaro Game Maker Extension...",
                                                       "Pondaro Extensions (*.pdx)|*.pdx", extensionsFolder(root_));
    if (file.empty()) return false;
    return openFile(file);
}

bool ExtensionDocument::openFile(const std::filesystem::path& file) {
    std::string text;
    // A file the user chose in the file dialog.
    if (Status s = readFile(file, text, kExtensionFileLimit, Links::Followed); !s) {
        dialogs_.error("The extension file " + file.string() + " could not be read: " + s.message());
        return false;
    }
    // The fields hold UTF-8: bytes that are not are shown as replacement characters
    // rather than making the whole text unreadable.
    fields = parseExtensionForMaker(sanitizeUtf8(text));
    key = extensionKeyOfFile(file);
    ownFile_ = file;
    markUnchanged();
    return true;
}

bool ExtensionDocument::save() {
    if (key.empty()) return saveAs();
    // An extension opened from another folder may meet a different file of its key here.
    if (!mayReplace(key)) return false;
    return write();
}

bool ExtensionDocument::mayReplace(const std::string& newKey) {
    const std::filesystem::path target = extensionFilePath(root_, newKey);
    if (!pathExists(target)) return true;
    std::error_code ec;
    if (!ownFile_.empty() && std::filesystem::equivalent(target, ownFile_, ec)) return true;
    return dialogs_.confirm("An extension named " + newKey + " already exists. Replace it?");
}

bool ExtensionDocument::saveAs() {
    auto answer = dialogs_.askName("Enter the extension name", key);
    if (!answer) return false;
    if (answer->empty()) {
        dialogs_.error("Please enter a name for the extension file.");
        return false;
    }
    if (Status s = checkPathComponent(*answer, "extension name"); !s) {
        dialogs_.error(s.message());
        return false;
    }
    if (!mayReplace(*answer)) return false;
    key = *answer;
    return write();
}

bool ExtensionDocument::write() {
    if (Status s = writeExtensionFile(root_, key, fields); !s) {
        dialogs_.error("Failed. Please try again.");
        return false;
    }
    ownFile_ = extensionFilePath(root_, key);
    markUnchanged();
    dialogs_.notice(kMakerTitle, "Extension: " + key + " successfully saved.");
    return true;
}

bool ExtensionDocument::confirmExit() {
    if (!modified()) return dialogs_.confirm("Exit from Pondaro Extension Maker?");
    switch (dialogs_.confirmOrCancel(key.empty() ? "Save the changes before exiting?"
                                                 : "Save the changes to " + key + " before exiting?")) {
    case Answer::Yes: return save();
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

} // namespace pondaro
