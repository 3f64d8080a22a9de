#include "app/startup.h"

#include "export/game_files.h"

namespace pondaro {

void setStartupDefaults(Studio& studio) {
    studio.prefs = Preferences{};
    Project& p = studio.project;
    p.reset();
    p.imgfolder = "img";
    p.audfolder = "aud";
    p.name.clear();
    p.workingFolder.clear();
    p.clearModified();
    p.counter = 1;
    p.mergeLog.clear();
    studio.sortOrder.clear();
    for (auto& f : studio.panelFilters) f.clear();
    studio.latestVersion = 0;
    studio.status = kStatusReady;
}

void loadWordList(Studio& studio) { studio.keywords = loadKeywords(studio.root, studio.programFolder); }

void loadEngineTemplate(Studio& studio) {
    if (Status s = readTemplate(studio.root, studio.engineTemplate, studio.programFolder); !s) studio.dialogs.error(s.message());
}

} // namespace pondaro
