#pragma once
// The sound and music windows' rules. A sound or music has three sources, one per
// format (WAV, MP3, OGG); the window holds a pending source per row, which "Set ..."
// and "<< Unset" change, and " Done " applies the name and keywords and takes the
// pending sources into the record. A source chosen in the window is copied into the
// working folder at Done; a row that still holds the record's own file copies nothing
// (that file is in the working folder already, and a file of the same name in the
// program's folder must not replace it).
#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

struct SourceRow {
    const char* setCaption;     // "Set WAV file..."
    const char* filter;         // the file dialog's filter
    const char* unsetQuestion;  // asked by "<< Unset"
};
inline constexpr std::array<SourceRow, 3> kSourceRows = {{
    {"Set WAV file...", "WAV files(*.wav)|*.wav", "Remove WAV source?"},
    {"Set MP3 file...", "MP3 files(*.mp3)|*.mp3", "Remove MP3 source?"},
    {"Set OGG file...", "OGG files(*.ogg)|*.ogg", "Remove OGG source?"},
}};
inline constexpr const char* kUnsetCaption = "<< Unset";

// One row's source until Done.
struct PendingSource {
    std::string file;    // the file name the row shows and the record takes
    std::string chosen;  // the path chosen in this window; "" while the row holds the record's own file
};
using PendingSources = std::array<PendingSource, 3>;

// `kind` below is ResourceKind::Sound or ResourceKind::Music.
// The rows as the window opens: the record's wav, mp3 and ogg.
PendingSources pendingSources(const AudioClip& clip);
// "File: " + the row's file name.
std::string sourceLabel(const PendingSource& source);

// "Set ...": the file dialog titled "Select a sound" (or "Select a music") with the
// row's filter; the chosen path becomes the row's source. False, changing nothing,
// when cancelled.
bool chooseSource(Dialogs& dialogs, ResourceKind kind, size_t row, PendingSource& source);
// "<< Unset": the row's question; Yes empties the row. False on No.
bool unsetSource(Dialogs& dialogs, size_t row, PendingSource& source);

// " Done " (and the pre-save commit) of the window of the record named `record`:
// `fields` holds the name and keywords typed. The naming checks run first; each
// refusal is shown as an error and nothing changes. Then the record takes the name,
// the keywords and the rows' file names, the sources chosen in the window are taken
// into the working folder (chosen_files.h) and the project is marked modified. The
// rows are left as the record now holds them, so a second commit copies nothing.
bool applyAudioWindow(Project& p, Dialogs& dialogs, const std::filesystem::path& root, ResourceKind kind,
                      const std::string& record, const AudioClip& fields, PendingSources& sources);

} // namespace pondaro
