#include "resources/audio_sources.h"

#include <type_traits>

#include "project/naming.h"
#include "project/project_file.h"
#include "resources/chosen_files.h"
#include "resources/record_windows.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

std::string AudioClip::*const kFields[3] = {&AudioClip::wav, &AudioClip::mp3, &AudioClip::ogg};

template <class Clip>
bool applyClip(Project& p, Table<Clip>& table, Dialogs& dialogs, const fs::path& root, const std::string& record,
               const AudioClip& typed, PendingSources& sources) {
    const size_t index = indexForApply(table, record);
    Clip fields;
    if (index < table.size()) fields = table[index];
    fields.name = typed.name;
    fields.keywords = typed.keywords;
    for (size_t k = 0; k < 3; ++k) fields.*kFields[k] = sources[k].file;
    ApplyResult result;
    if constexpr (std::is_same_v<Clip, Sound>) result = applySound(p, index, fields);
    else result = applyMusic(p, index, fields);
    if (!showApplyResult(result, dialogs)) return false;

    for (size_t k = 0; k < 3; ++k) {
        PendingSource& source = sources[k];
        if (source.chosen.empty()) continue;
        source.file = takeChosenFile(p, dialogs, root, source.chosen, kSoundFileLimit);
        source.chosen.clear();
        table.edit(index, [&](Clip& c) { c.*kFields[k] = source.file; });
    }
    return true;
}

} // namespace

PendingSources pendingSources(const AudioClip& clip) {
    PendingSources sources;
    for (size_t k = 0; k < 3; ++k) sources[k].file = clip.*kFields[k];
    return sources;
}

std::string sourceLabel(const PendingSource& source) { return "File: " + source.file; }

bool chooseSource(Dialogs& dialogs, ResourceKind kind, size_t row, PendingSource& source) {
    const std::string path = dialogs.chooseFileToOpen(kind == ResourceKind::Music ? "Select a music" : "Select a sound",
                                                      kSourceRows[row].filter);
    if (path.empty()) return false;
    source.chosen = path;
    source.file = fs::path(path).filename().string();
    return true;
}

bool unsetSource(Dialogs& dialogs, size_t row, PendingSource& source) {
    if (!dialogs.confirm(kSourceRows[row].unsetQuestion)) return false;
    source = {};
    return true;
}

bool applyAudioWindow(Project& p, Dialogs& dialogs, const fs::path& root, ResourceKind kind, const std::string& record,
                      const AudioClip& fields, PendingSources& sources) {
    if (kind == ResourceKind::Music) return applyClip(p, p.musics, dialogs, root, record, fields, sources);
    return applyClip(p, p.sounds, dialogs, root, record, fields, sources);
}

} // namespace pondaro
