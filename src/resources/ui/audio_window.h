#pragma once
// The sound and music windows ("Sound properties - " / "Music properties - " + name):
// one row per source format with its set button, its "File: " label and "<< Unset".
// The rows hold pending sources until " Done " (resources/audio_sources.h).
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"
#include "project/model.h"

namespace pondaro::ui {

// Opens the window of the sound (kind Sound) or music (kind Music) named `name`, or
// brings it to the front when it is open. `rebuildPanel` runs after it closed.
void openAudioWindow(Studio& studio, wxWindow* mainWindow, ResourceKind kind, const std::string& name,
                     std::function<void()> rebuildPanel);

} // namespace pondaro::ui
