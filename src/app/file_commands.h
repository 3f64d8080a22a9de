#pragma once
// The File menu's commands (New, Open, Merge, Save, Save as, Exit) and the panel's two
// Duplicate commands. They ask their questions and show their messages through the
// Studio's Dialogs port, run the open windows' commit and close hooks, and leave the
// work on the project to project/ (lifecycle.h, project_file.h) and the game to
// game_commands.h.
#include <filesystem>
#include <string>

#include "app/studio.h"

namespace pondaro {

// Starts an empty project. With `ask`, the open editors are committed first and a
// modified project is only discarded after "Unsaved changes will be lost. New?" is
// answered Yes. Returns false when declined.
bool newProject(Studio& studio, bool ask = true);

// File > Open: asks about unsaved changes, shows the open dialog and reads the chosen
// project. The file is read completely before anything of the open project changes;
// a refused file is reported and leaves the project as it was. Media files that could
// not be copied into the working folder are named in a warning (the read succeeds and
// Save takes them from where they are). True when a project was opened.
bool openProject(Studio& studio);

// Opens the named project as Open does once the dialog has returned the name.
bool openProjectNamed(Studio& studio, const std::string& name);

// File > Merge: appends a stored project to the open, named one. The merged records
// are an unsaved change; media that could not be copied is named as Open does, and
// renames made on the way are shown in the "Merge result" window. True when merged.
bool mergeProject(Studio& studio);
bool mergeProjectNamed(Studio& studio, const std::string& name);

// File > Save, the one Save: names the project first when it has no name (Cancel, an
// empty name, one that cannot be a file name, or the name of another stored project
// that the user does not want replaced writes nothing), commits the open editors,
// writes the project (clearing the modified flag) and builds its game. A failed write
// is reported under "Error" and builds nothing. True when the project was written and
// its game built.
bool saveProject(Studio& studio);
// File > Save as: always asks for the name first, then saves as Save does. A name of
// another stored project is taken only after "A project named NAME already exists.
// Replace it?" is answered Yes.
bool saveProjectAs(Studio& studio);

// The panel's Duplicate: a copy of an object (with its event handlers) or of a scene
// (with its instances); a copy whose name is taken is refused with a message.
void duplicateObject(Studio& studio, const std::string& name);
void duplicateScene(Studio& studio, const std::string& name);

// File > Exit. With unsaved changes (open editors committed first) it asks "Save the
// changes to NAME before exiting?" ("Save the changes before exiting?" unnamed) with Yes,
// No and Cancel: Yes saves as Save does and ends only when the save succeeded, No ends
// without saving, Cancel stays. Without changes it asks "Exit from Pondaro Game Maker?"
// when ConfirmExit is 1. Ending removes the working folder and writes the preferences.
// True when the program should end.
bool exitProgram(Studio& studio);

// The text of the "Merge result" window.
std::string mergeResultText(const std::string& mergeLog);

} // namespace pondaro
