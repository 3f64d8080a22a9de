#include "app/file_commands.h"

#include "app/game_commands.h"
#include "base/files.h"
#include "base/text.h"
#include "project/lifecycle.h"
#include "project/project_file.h"

namespace pondaro {

namespace {

// Text typed in an open editor counts as a change: it reaches the project before the
// question about unsaved changes, so that question is asked when it should be.
void commitOpenEditors(Studio& studio) {
    for (auto& commit : studio.commitHooks) commit();
}

// New without its question: the open windows closed, the preferences read again and
// an empty project with a fresh working folder.
void startEmptyProject(Studio& studio) {
    Project& p = studio.project;
    removeWorkingFolder(p, studio.root);
    p.workingFolder.clear();
    p.clearModified();
    for (auto& close : studio.closeWindowsHooks) close();
    // The studio goes on with the settings it has: a warning, not a refusal.
    if (Status s = readPreferences(studio.root, studio.prefs); !s) studio.dialogs.warning(s.message());
    if (Status s = startEmptyProject(p, studio.root, studio.prefs, studio.clock.now()); !s)
        studio.dialogs.error(s.message());
}

// The name dialog; a name that cannot be a file name is refused and changes nothing,
// and so does the name of another project that the user does not want replaced.
bool askProjectName(Studio& studio) {
    auto answer = studio.dialogs.askName("Enter the project name", studio.project.name);
    if (!answer || answer->empty()) {
        studio.project.name.clear();
        return false;
    }
    if (Status s = checkPathComponent(*answer, "project name"); !s) {
        studio.dialogs.error(s.message());
        return false;
    }
    if (*answer != studio.project.name && projectExists(studio.root, *answer) &&
        !studio.dialogs.confirm("A project named " + *answer + " already exists. Replace it?"))
        return false;
    studio.project.name = *answer;
    return true;
}

// Media a read could not copy stays where it is and reaches the saved project from
// there; the user is told which files live outside the working folder.
void warnAboutUncopiedMedia(Studio& studio, const std::vector<std::string>& files) {
    if (!files.empty())
        studio.dialogs.warning(headedList("These files could not be copied into the working folder:", files));
}

// Save once the project has its name.
bool saveNamedProject(Studio& studio) {
    commitOpenEditors(studio);
    if (Status s = writeProject(studio.project, studio.root); !s) {
        studio.dialogs.error(s.message());
        return false;
    }
    return buildGame(studio);
}

} // namespace

bool newProject(Studio& studio, bool ask) {
    if (ask) commitOpenEditors(studio);
    if (ask && studio.project.modified() && !studio.dialogs.confirm("Unsaved changes will be lost. New?")) return false;
    startEmptyProject(studio);
    return true;
}

bool openProject(Studio& studio) {
    commitOpenEditors(studio);
    if (studio.project.modified() && !studio.dialogs.confirm("Unsaved changes will be lost. Open a new project?"))
        return false;
    std::string name = studio.dialogs.chooseProject(listProjects(studio.root));
    if (name.empty()) {
        restartCounter(studio.project);
        return false;
    }
    return openProjectNamed(studio, name);
}

bool openProjectNamed(Studio& studio, const std::string& name) {
    ProjectFileData data;
    if (Status s = loadProjectFile(studio.root, name, data); !s) {
        studio.dialogs.error(s.message());
        restartCounter(studio.project);
        return false;
    }
    startEmptyProject(studio);
    Project& p = studio.project;
    p.name = name;
    studio.status = kStatusOpening;
    const auto uncopied = readIntoProject(p, std::move(data), name, false, studio.root);
    studio.status = kStatusReady;
    warnAboutUncopiedMedia(studio, uncopied);
    return true;
}

bool mergeProject(Studio& studio) {
    if (studio.project.name.empty()) {
        studio.dialogs.error("Please save your current project or open the base project.");
        return false;
    }
    std::string name = studio.dialogs.chooseProject(listProjects(studio.root));
    if (name.empty()) {
        restartCounter(studio.project);
        return false;
    }
    return mergeProjectNamed(studio, name);
}

bool mergeProjectNamed(Studio& studio, const std::string& name) {
    Project& p = studio.project;
    if (p.name.empty()) {
        studio.dialogs.error("Please save your current project or open the base project.");
        return false;
    }
    ProjectFileData data;
    if (Status s = loadProjectFile(studio.root, name, data); !s) {
        studio.dialogs.error(s.message());
        restartCounter(p);
        return false;
    }
    // Open editors hold texts the merge appends to: take them in first, and close them
    // afterwards so none writes its older copy back over the merged text.
    commitOpenEditors(studio);
    p.renames.clear();
    p.mergeLog.clear();
    studio.status = kStatusOpening;
    const auto uncopied = readIntoProject(p, std::move(data), name, true, studio.root);
    for (auto& close : studio.closeWindowsHooks) close();
    studio.status = kStatusReady;
    // The merged records are not saved anywhere yet: New or Open must ask first.
    p.markModified();
    warnAboutUncopiedMedia(studio, uncopied);
    if (!p.mergeLog.empty()) studio.dialogs.showMergeResult(mergeResultText(p.mergeLog));
    return true;
}

bool saveProject(Studio& studio) {
    if (studio.project.name.empty() && !askProjectName(studio)) return false;
    return saveNamedProject(studio);
}

bool saveProjectAs(Studio& studio) {
    if (!askProjectName(studio)) return false;
    return saveNamedProject(studio);
}

void duplicateObject(Studio& studio, const std::string& name) {
    if (Status s = duplicateObject(studio.project, name); !s) studio.dialogs.message(s.message());
}

void duplicateScene(Studio& studio, const std::string& name) {
    if (Status s = duplicateScene(studio.project, name); !s) studio.dialogs.message(s.message());
}

bool exitProgram(Studio& studio) {
    commitOpenEditors(studio);
    if (studio.project.modified()) {
        const std::string& name = studio.project.name;
        const Answer a = studio.dialogs.confirmOrCancel(name.empty() ? "Save the changes before exiting?"
                                                                     : "Save the changes to " + name + " before exiting?");
        if (a == Answer::Cancel) return false;
        // A save that is declined (no name given) or fails keeps the studio open.
        if (a == Answer::Yes && !saveProject(studio)) return false;
    } else if (studio.prefs.ConfirmExit == 1 && !studio.dialogs.confirm("Exit from Pondaro Game Maker?")) {
        return false;
    }
    removeWorkingFolder(studio.project, studio.root);
    if (Status s = writePreferences(studio.root, studio.prefs); !s) studio.dialogs.error(s.message());
    return true;
}

std::string mergeResultText(const std::string& mergeLog) {
    return "The following items had name conflicts during the merging process and they have been renamed:\r" + mergeLog;
}

} // namespace pondaro
