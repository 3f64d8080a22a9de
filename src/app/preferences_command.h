#pragma once
// File > Preferences...: what the dialog's Save does with the settings it was given.
#include "app/studio.h"
#include "preferences/preferences.h"

namespace pondaro {

// The edited settings are checked (the folder names), written to preferences.dat and
// taken by the studio; the open project's media goes to the new image and audio
// folders at its next save. A refused folder name or a failed write is shown under
// "Error" and changes nothing. True when saved.
bool savePreferences(Studio& studio, const Preferences& edited);

} // namespace pondaro
