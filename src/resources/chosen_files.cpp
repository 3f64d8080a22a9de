#include "resources/chosen_files.h"

#include <vector>

#include "base/files.h"
#include "project/working_folder.h"

namespace pondaro {

namespace fs = std::filesystem;

std::string takeChosenFile(Project& p, Dialogs& dialogs, const fs::path& root, const std::string& path,
                           const FileLimit& limit) {
    const fs::path from(path);
    const std::string file = from.filename().string();
    const long long size = fileSize(from);
    if (size <= 0) {
        dialogs.warning("The file '" + path + "' " + (size < 0 ? "no longer exists" : "is empty") +
                        ", so it was not copied into the project.");
        return file;
    }
    std::vector<std::string> uncopied;
    const fs::path work = p.workingFolder.empty() ? fs::path() : root / p.workingFolder;
    std::string name = copyIntoWorkingFolder(p, from.parent_path(), file, work, limit, uncopied);
    if (!uncopied.empty())
        dialogs.warning("The file '" + path + "' could not be copied into the working folder. It stays where it is, "
                        "and Save copies it from there.");
    return name;
}

} // namespace pondaro
