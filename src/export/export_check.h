#pragma once
// The check run after a game is written: the game script is built by putting resource
// names and file names straight into JavaScript, so some names would make the game
// break without any error at export time. This finds them so the user can be told.
#include <string>
#include <vector>

#include "project/model.h"

namespace pondaro {

// Problems that would make the exported game break silently. Each line names the
// resource that holds the problem ("Sprite 'hero': ..."). The order is stable: the
// image and sound folders first, then sprites, sounds, musics, backgrounds, fonts,
// objects, scenes and functions, each in table order. One fact gives one line: many
// tiles or instances of a scene with the same faulty reference give one line with a
// count. `engineWords` are the names the game engine itself defines. Nothing of the
// project changes. Linear in the size of the project.
std::vector<std::string> exportProblems(const Project& p, const std::vector<std::string>& engineWords);

// The "Warning" text listing the problems: a heading, then one problem per line,
// lines joined with CR LF, at most 30 problem lines (the rest counted). Empty when
// there are no problems.
std::string exportProblemsText(const std::vector<std::string>& problems);

} // namespace pondaro
