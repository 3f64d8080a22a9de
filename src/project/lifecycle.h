#pragma once
// The whole-project operations of the File menu and the two Duplicate commands.
// Questions and messages go through the Studio's Dialogs port.
#include <string>
#include <vector>

#include "app/studio.h"

namespace pondaro {

// Starts an empty project. With `ask`, a modified project is only discarded after
// "Unsaved changes will be lost. New?" is answered Yes. Returns false when declined.
bool newProject(Studio& studio, bool ask = true);

// File > Open: asks about unsaved changes, shows the open dialog and reads the chosen
// project. The file is read completely before anything of the open project changes;
// a refused file is reported and leaves the project as it was. True when a project
// was opened.
bool openProject(Studio& studio);

// Opens the named project as Open does once the dialog has returned the name.
bool openProjectNamed(Studio& studio, const std::string& name);

// File > Merge: appends a stored project to the open, named one. True when merged.
bool mergeProject(Studio& studio);
bool mergeProjectNamed(Studio& studio, const std::string& name);

// File > Save: names the project first when it has no name, commits the open editors
// and writes it. True when the project was written (the game export follows).
bool saveProject(Studio& studio);
// File > Save as: always asks for the name first.
bool saveProjectAs(Studio& studio);

// Copies of an object (with its event handlers) and of a scene (with its instances).
void duplicateObject(Studio& studio, const std::string& name);
void duplicateScene(Studio& studio, const std::string& name);

// File > Exit: asks when ConfirmExit is 1, removes the working folder and writes the
// preferences. True when the program should end.
bool exitProgram(Studio& studio);

// Removes the program's own working folder (Exit does this; so do tools that end
// without the question).
void removeWorkingFolder(Studio& studio);

// The names of the projects under Projects/, in directory order.
std::vector<std::string> listProjects(const std::filesystem::path& root);
// "Project started: " + the project file's last-modified time ("%Y-%m-%d %H:%M").
std::string projectStartedText(const std::filesystem::path& root, const std::string& name);
// Projects/<name>.png when it exists with a size above 0, else "".
std::filesystem::path projectPreviewPicture(const std::filesystem::path& root, const std::string& name);

// The text of the "Merge result" window.
std::string mergeResultText(const std::string& mergeLog);

} // namespace pondaro
