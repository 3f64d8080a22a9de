#include "app/game_commands.h"

#include "app/file_commands.h"
#include "base/files.h"
#include "base/text.h"
#include "export/export_check.h"
#include "export/game_files.h"
#include "project/project_file.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

void announce(Studio& studio, const std::string& text, int holdMilliseconds) {
    studio.status = text;
    if (studio.showStatus) studio.showStatus(text, holdMilliseconds);
}

} // namespace

bool buildGame(Studio& studio) {
    Project& p = studio.project;
    std::string unreadable;
    studio.extensions = loadExtensions(studio.root, p.name, &unreadable);
    if (p.name.empty()) return false;
    if (Status s = checkPathComponent(p.name, "project name"); !s) {
        studio.dialogs.error("The game could not be written: " + s.message());
        return false;
    }
    // Checked before the export puts the objects in its own order.
    std::vector<std::string> engineWords;
    for (const auto& k : studio.keywords) engineWords.push_back(k.word);
    const auto problems = exportProblems(p, engineWords);
    const Status written = writeGame(
        p, studio.root, {studio.engineTemplate, studio.extensions, studio.sortOrder, studio.prefs.GenerateIndexHTML == 1});

    announce(studio, "PROJECT SAVED.", 500);
    announce(studio, kStatusReady, 0);
    if (!written) {
        studio.dialogs.error(written.message());
        return false;
    }
    if (!unreadable.empty())
        studio.dialogs.warning("These extension files could not be read and are left out of the game:\r\n" + unreadable);
    if (!problems.empty()) studio.dialogs.warning(exportProblemsText(problems));
    if (p.scenes.empty()) studio.dialogs.warning("There is no scene added.");
    return true;
}

std::string gamePagePath(const Studio& studio) {
    std::error_code ec;
    fs::path folder = fs::absolute(studio.root, ec).lexically_normal();
    std::string path = folder.string();
    if (path.empty() || path.back() != '/') path += '/';
    return path + "Projects/" + studio.project.name + "/index.html";
}

std::string gamePageAddress(const Studio& studio) {
    return (studio.prefs.add_file_protocol == 1 ? "file://" : "") + gamePagePath(studio);
}

bool runGame(Studio& studio) {
    if (studio.project.name.empty()) {
        studio.dialogs.message("Please save your game.");
        return false;
    }
    if (!saveProject(studio)) return false;  // the error is shown; an old page would mislead
    const fs::path page = projectsFolder(studio.root) / studio.project.name / "index.html";
    if (fileSize(page) > 0) {
        if (studio.shell.openPage(gamePageAddress(studio))) return true;
        // The game is built all the same: the user can still open it by hand.
        studio.dialogs.error("The browser could not be started. Open this page yourself:\r\n" + gamePagePath(studio));
        return false;
    }
    studio.dialogs.message(
        "The INDEX.HTML file is missing. You can allow Pondaro to create it (enable it in the Preferences) or you can "
        "copy your file in the project folder.");
    return false;
}

} // namespace pondaro
