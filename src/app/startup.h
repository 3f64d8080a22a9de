#pragma once
// The start-up steps that need no window: the defaults, the engine word list and the
// engine template. The window layer runs them in the start-up order around its own
// steps (the editing component check, the pictures, the splash, the main window).
#include "app/studio.h"

namespace pondaro {

// Every default: the preference values, the project's folder names, no name, no
// working folder, not modified, identity counter 1, empty tables, no sort order.
void setStartupDefaults(Studio& studio);

// The engine word list: keywords.dat and the key constants.
void loadWordList(Studio& studio);

// Reads the engine template export.js into memory; a file there that cannot be read is
// reported under "Error".
void loadEngineTemplate(Studio& studio);

} // namespace pondaro
