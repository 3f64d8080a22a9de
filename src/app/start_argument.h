#pragma once
// What the studio opens when it is started with an argument. `PondaroMaker NAME` opens
// the project NAME of the current folder. A project file's path, as a file manager
// passes it on a double-click (.../Projects/NAME.xml), starts the studio in the folder
// above Projects/, where that project's media, export.js and preferences live, and
// opens NAME there. Whether NAME can be a project's name is left to Open, which says
// why it refuses one; so is a project file that is missing or unreadable.
#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"

namespace pondaro {

struct StartRequest {
    // The folder the studio works in.
    std::filesystem::path folder;
    // The project to open once the main window is up; "" opens none.
    std::string project;
    // Why the arguments cannot be followed; the studio then starts with an empty
    // project in the current folder and shows this under "Error".
    std::string problem;
};

// The request of the program's arguments (without the program's own name), read
// against the folder the program was started in. No argument asks for nothing.
StartRequest startRequest(const std::vector<std::string>& arguments, const std::filesystem::path& currentFolder);

// Makes `folder` the program's current folder; on failure the current folder is kept
// and the message says which folder could not be entered.
Status enterFolder(const std::filesystem::path& folder);

} // namespace pondaro
