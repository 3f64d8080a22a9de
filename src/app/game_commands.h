#pragma once
// The game commands: Build (the last step of every Save) and Run game (F5).
#include <string>

#include "app/studio.h"

namespace pondaro {

// Build game: reloads the extension list with the project's installed flags, writes
// game.js and index.html (export/game_files.h, index.html when GenerateIndexHTML is 1
// or the page is missing), shows "PROJECT SAVED." and then "STATUS: READY.", and then
// reports a failed write under "Error", or else warns about names the game cannot use
// and when there is no scene. Does nothing for an unnamed project. True when the files
// were written.
bool buildGame(Studio& studio);

// Run game: "Please save your game." for an unnamed project; otherwise Save (with its
// build), then the page opened in the browser. A failed save or build opens nothing (an
// old page would mislead), and so does a missing page, which is reported. A browser
// that does not start is reported with the page's path, for the user to open it. True
// when the browser was started.
bool runGame(Studio& studio);

// Projects/<name>/index.html with the program's folder in front.
std::string gamePagePath(const Studio& studio);
// The page as the browser is given it: "file://" before its path when
// add_file_protocol is 1.
std::string gamePageAddress(const Studio& studio);

} // namespace pondaro
