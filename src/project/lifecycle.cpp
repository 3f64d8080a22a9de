#include "project/lifecycle.h"

#include <cstdio>
#include <sys/stat.h>

#include "base/files.h"
#include "base/text.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "project/working_folder.h"

namespace pondaro {

namespace fs = std::filesystem;

void removeWorkingFolder(Studio& studio) {
    Project& p = studio.project;
    if (!p.workingFolder.empty() && isDirectory(studio.root / p.workingFolder)) removeAll(studio.root / p.workingFolder);
}

namespace {

// Text typed in an open editor counts as a change: it reaches the project before the
// question about unsaved changes, so that question is asked when it should be.
void commitOpenEditors(Studio& studio) {
    for (auto& commit : studio.commitHooks) commit();
}


// New without its question: a fresh working folder, empty tables, the preferences.
void startEmptyProject(Studio& studio) {
    Project& p = studio.project;
    removeWorkingFolder(studio);
    p.workingFolder.clear();
    p.modified = false;
    for (auto& close : studio.closeWindowsHooks) close();
    p.reset();
    p.mergeLog.clear();
    if (Status s = readPreferences(studio.root, studio.prefs); !s) studio.dialogs.error(s.message());
    p.imgfolder = studio.prefs.ImgFolder;
    p.audfolder = studio.prefs.AudFolder;
    ensureDirectory(studio.root / "Extensions");
    ensureDirectory(studio.root / "Projects");
    p.name.clear();
    p.workingFolder = createWorkingFolder(studio.root, studio.clock.now());
    if (p.workingFolder.empty())
        studio.dialogs.error("The working folder could not be created in '" + studio.root.string() +
                             "'. Sounds, musics and backgrounds cannot be kept until this is fixed.");
}

// Reading ends by restarting the counter, also when nothing was read.
void restartCounter(Project& p) { p.counter = p.recordCountForCounter(); }

std::string duplicateMessage(const char* what, const std::string& name) {
    return std::string("The name of the duplicated ") + what + " (" + name + "_dup) already exist.\r" +
           "Please rename it before creating a new duplication.";
}

// The name dialog; a name that cannot be a file name is refused and changes nothing.
bool askProjectName(Studio& studio) {
    auto answer = studio.dialogs.askName("Enter the project name", studio.project.name);
    if (!answer) {
        studio.project.name.clear();
        return false;
    }
    if (answer->empty()) {
        studio.project.name.clear();
        return false;
    }
    if (Status s = checkPathComponent(*answer, "project name"); !s) {
        studio.dialogs.error(s.message());
        return false;
    }
    studio.project.name = *answer;
    return true;
}

bool writeNamedProject(Studio& studio) {
    commitOpenEditors(studio);
    if (Status s = writeProject(studio.project, studio.root); !s) {
        studio.dialogs.error(s.message());
        return false;
    }
    return true;
}

} // namespace

bool newProject(Studio& studio, bool ask) {
    if (ask) commitOpenEditors(studio);
    if (ask && studio.project.modified && !studio.dialogs.confirm("Unsaved changes will be lost. New?")) return false;
    startEmptyProject(studio);
    return true;
}

bool openProject(Studio& studio) {
    commitOpenEditors(studio);
    if (studio.project.modified && !studio.dialogs.confirm("Unsaved changes will be lost. Open a new project?"))
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
    readIntoProject(p, std::move(data), name, false, studio.root);
    studio.status = kStatusReady;
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
    readIntoProject(p, std::move(data), name, true, studio.root);
    for (auto& close : studio.closeWindowsHooks) close();
    studio.status = kStatusReady;
    // The merged records are not saved anywhere yet: New or Open must ask first.
    p.modified = true;
    if (!p.mergeLog.empty()) studio.dialogs.showMergeResult(mergeResultText(p.mergeLog));
    return true;
}

bool saveProject(Studio& studio) {
    if (studio.project.name.empty() && !askProjectName(studio)) return false;
    return writeNamedProject(studio);
}

bool saveProjectAs(Studio& studio) {
    if (!askProjectName(studio)) return false;
    return writeNamedProject(studio);
}

void duplicateObject(Studio& studio, const std::string& name) {
    Project& p = studio.project;
    const std::string copyName = name + "_dup";
    if (p.objects.contains(copyName)) {
        studio.dialogs.message(duplicateMessage("object", name));
        return;
    }
    const GameObject* original = p.objects.get(name);
    if (!original) return;
    GameObject copy = *original;
    copy.name = copyName;
    p.objects.add(std::move(copy));
    // Each handler copy gets a name of its own, so removing one never takes the other.
    const size_t count = p.scripts.size();
    for (size_t i = 0; i < count; ++i) {
        if (p.scripts[i].object != name) continue;
        Script copyScript = p.scripts[i];
        copyScript.object = copyName;
        copyScript.name = freshName(p, ResourceKind::Script, "scr_");
        p.scripts.add(std::move(copyScript));
    }
    p.modified = true;
}

void duplicateScene(Studio& studio, const std::string& name) {
    Project& p = studio.project;
    const std::string copyName = name + "_dup";
    if (p.scenes.contains(copyName)) {
        studio.dialogs.message(duplicateMessage("scene", name));
        return;
    }
    const Scene* original = p.scenes.get(name);
    if (!original) return;
    Scene copy = *original;
    copy.name = copyName;
    p.scenes.add(std::move(copy));
    const size_t count = p.objects.size();
    for (size_t i = 0; i < count; ++i) {
        if (p.objects[i].isTemplate() || p.objects[i].scene != name) continue;
        GameObject instance = p.objects[i];
        instance.scene = copyName;
        instance.name = freshName(p, ResourceKind::Object, "SceneObject");
        instance.selected = 0;  // the copy starts unselected in its own scene
        p.objects.add(std::move(instance));
    }
    p.modified = true;
}

bool exitProgram(Studio& studio) {
    if (studio.prefs.ConfirmExit == 1 && !studio.dialogs.confirm("Exit from Pondaro Game Maker?")) return false;
    removeWorkingFolder(studio);
    if (Status s = writePreferences(studio.root, studio.prefs); !s) studio.dialogs.error(s.message());
    return true;
}

std::vector<std::string> listProjects(const fs::path& root) {
    std::vector<std::string> names;
    for (std::string file : listFiles(projectsFolder(root), ".xml")) {
        // Every ".xml" goes, in any letter case, as the file pattern matched it.
        std::string name;
        for (size_t i = 0; i < file.size();) {
            if (i + 4 <= file.size() && equalsIgnoringCase(std::string_view(file).substr(i, 4), ".xml")) {
                i += 4;
            } else {
                name += file[i++];
            }
        }
        names.push_back(name);
    }
    return names;
}

std::string projectStartedText(const fs::path& root, const std::string& name) {
    struct stat info {};
    if (::stat(projectFilePath(root, name).c_str(), &info) != 0) return "Project started: ";
    std::time_t t = info.st_mtime;
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &local);
    return std::string("Project started: ") + buffer;
}

fs::path projectPreviewPicture(const fs::path& root, const std::string& name) {
    fs::path picture = projectsFolder(root) / (name + ".png");
    return fileSize(picture) > 0 ? picture : fs::path();
}

std::string mergeResultText(const std::string& mergeLog) {
    return "The following items had name conflicts during the merging process and they have been renamed:\r" + mergeLog;
}

} // namespace pondaro
