#include "app/preferences_command.h"

namespace pondaro {

bool savePreferences(Studio& studio, const Preferences& edited) {
    Status s = checkFolderNames(edited);
    if (s) s = writePreferences(studio.root, edited);
    if (!s) {
        studio.dialogs.error(s.message());
        return false;
    }
    studio.prefs = edited;
    studio.project.imgfolder = edited.ImgFolder;
    studio.project.audfolder = edited.AudFolder;
    return true;
}

} // namespace pondaro
