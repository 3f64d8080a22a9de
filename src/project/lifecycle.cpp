#include "project/lifecycle.h"

#include <sys/stat.h>

#include "base/files.h"
#include "base/text.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "project/working_folder.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

Status duplicateTaken(const char* what, const std::string& name) {
    return Status::failure(std::string("The name of the duplicated ") + what + " (" + name + "_dup) already exist.\r" +
                           "Please rename it before creating a new duplication.");
}

} // namespace

void removeWorkingFolder(const Project& p, const fs::path& root) {
    if (!p.workingFolder.empty() && isDirectory(root / p.workingFolder)) removeAll(root / p.workingFolder);
}

Status startEmptyProject(Project& p, const fs::path& root, const Preferences& prefs, const std::tm& timeOfDay) {
    p.reset();
    p.mergeLog.clear();
    p.imgfolder = prefs.ImgFolder;
    p.audfolder = prefs.AudFolder;
    std::string problems;
    for (const char* folder : {"Extensions", "Projects"})
        if (!ensureDirectory(root / folder)) problems += "The folder '" + (root / folder).string() + "' could not be created.\r\n";
    p.name.clear();
    p.workingFolder = createWorkingFolder(root, timeOfDay);
    if (p.workingFolder.empty())
        problems += "The working folder could not be created in '" + root.string() +
                    "'. Sounds, musics and backgrounds cannot be kept until this is fixed.";
    else if (!problems.empty())
        problems.resize(problems.size() - 2);  // no line break after the last
    return problems.empty() ? Status::success() : Status::failure(problems);
}

void removeLeftovers(const fs::path& root) {
    removeAbandonedWorkingFolders(root);
    removeLeftoverTemporaryFiles(root);
    if (checkFolderInside(root / "Extensions", root, "Extensions")) removeLeftoverTemporaryFiles(root / "Extensions");
    const fs::path projects = projectsFolder(root);
    if (!checkFolderInside(projects, root, "Projects")) return;
    removeLeftoverTemporaryFiles(projects);
    auto realFolders = [](const fs::path& folder, auto&& visit) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code ec2;
            if (!it->is_symlink(ec2) && it->is_directory(ec2)) visit(it->path());
        }
    };
    realFolders(projects, [&](const fs::path& project) {
        removeLeftoverTemporaryFiles(project);
        realFolders(project, [](const fs::path& media) { removeLeftoverTemporaryFiles(media); });
    });
}

void restartCounter(Project& p) { p.counter = p.recordCountForCounter(); }

Status duplicateObject(Project& p, const std::string& name) {
    const std::string copyName = name + "_dup";
    if (p.objects.contains(copyName)) return duplicateTaken("object", name);
    const GameObject* original = p.objects.get(name);
    if (!original) return Status::success();
    GameObject copy = *original;
    copy.name = copyName;
    p.objects.add(std::move(copy));
    const size_t count = p.scripts.size();
    for (size_t i = 0; i < count; ++i) {
        if (p.scripts[i].object != name) continue;
        Script copyScript = p.scripts[i];
        copyScript.object = copyName;
        copyScript.name = freshName(p, ResourceKind::Script, "scr_");
        p.scripts.add(std::move(copyScript));
    }
    p.markModified();
    return Status::success();
}

Status duplicateScene(Project& p, const std::string& name) {
    const std::string copyName = name + "_dup";
    if (p.scenes.contains(copyName)) return duplicateTaken("scene", name);
    const Scene* original = p.scenes.get(name);
    if (!original) return Status::success();
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
    p.markModified();
    return Status::success();
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

bool projectExists(const fs::path& root, const std::string& name) {
    return pathExists(projectFilePath(root, name)) || pathExists(projectsFolder(root) / name);
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

} // namespace pondaro
