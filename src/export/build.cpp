#include "export/build.h"

#include "base/files.h"
#include "base/text.h"
#include "export/export_check.h"
#include "export/generator.h"
#include "project/lifecycle.h"
#include "project/project_file.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

void replaceAll(std::string& text, std::string_view marker, const std::string& block) {
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find(marker, from)) != std::string::npos; from = at + marker.size()) {
        out.append(text, from, at - from);
        out += block;
    }
    if (from == 0) return;
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

void announce(Studio& studio, const std::string& text, int holdMilliseconds) {
    studio.status = text;
    if (studio.showStatus) studio.showStatus(text, holdMilliseconds);
}

} // namespace

std::string readTemplate(const fs::path& root) {
    const fs::path path = root / "export.js";
    std::string text;
    if (readFile(path, text)) return text;
    if (!fs::exists(path)) writeFileAtomic(path, "");
    return "";
}

std::string indexHtml() {
    const char* lines[] = {
        "<!DOCTYPE html>",
        "<html lang='en'>",
        "<head>",
        "<meta http-equiv='X-UA-Compatible' content='IE=edge' />",
        "<meta http-equiv='pragma' content='no-cache' />",
        "<meta name='apple-mobile-web-app-capable' content='yes' />",
        "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, width=device-width, "
        "height=device-height' />",
        "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />",
        "<meta charset='utf-8' />",
        "</head>",
        "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>",
        "<div id='pondarogame'></div>",
        nullptr,  // the link line
        "<script type='text/javascript' src='game.js'></script>",
        "</body>",
        "</html>",
    };
    std::string out;
    for (const char* line : lines) {
        if (line) out += line;
        else
            out += std::string("<a style='text-decoration:none;font-size:11px;font-family:arial;color:rgb(255,255,255);' "
                               "href='") +
                   kProductWebAddress + "'>Made with Pondaro Game Maker</a>";
        out += "\r\n";
    }
    return out;
}

std::string gameScript(Project& p, const std::vector<ExtensionEntry>& extensions, const std::string& engineTemplate,
                       const std::string& sortOrder) {
    std::string text = engineTemplate;
    // Each block is made just before its marker is filled: the scenes see the object
    // list as the objects block left it.
    replaceAll(text, "//PONDARO_VERSION", versionText(kProgramVersion));
    replaceAll(text, "//PONDARO_EXTENSIONS", extensionsBlock(extensions));
    replaceAll(text, "//PONDARO_GLOBAL_VARIABLES", globalVariablesBlock(p));
    replaceAll(text, "//PONDARO_GLOBAL_FUNCTIONS", globalFunctionsBlock(p));
    replaceAll(text, "//PONDARO_SPRITES", spritesBlock(p));
    replaceAll(text, "//PONDARO_SOUNDS", soundsBlock(p));
    replaceAll(text, "//PONDARO_MUSICS", musicsBlock(p));
    replaceAll(text, "//PONDARO_BACKGROUNDS", backgroundsBlock(p));
    replaceAll(text, "//PONDARO_FONTS", fontsBlock(p));
    replaceAll(text, "//PONDARO_OBJECTS", exportObjects(p, sortOrder));
    replaceAll(text, "//PONDARO_SCENES", scenesBlock(p));
    return text;
}

bool buildGame(Studio& studio) {
    Project& p = studio.project;
    studio.extensions = loadExtensions(studio.root, p.name);
    if (p.name.empty()) return false;
    if (Status s = checkPathComponent(p.name, "project name"); !s) {
        studio.dialogs.error("The game could not be written: " + s.message());
        return false;
    }
    const fs::path folder = projectsFolder(studio.root) / p.name;
    ensureDirectory(folder);

    std::string failures;
    const fs::path page = folder / "index.html";
    if (studio.prefs.GenerateIndexHTML == 1 || !fs::exists(page))
        if (Status s = writeFileAtomic(page, indexHtml()); !s) failures += s.message() + "\r\n";

    std::vector<std::string> engineWords;
    for (const auto& k : studio.keywords) engineWords.push_back(k.word);
    const auto problems = exportProblems(p, engineWords);
    std::string script = gameScript(p, studio.extensions, studio.engineTemplate, studio.sortOrder);
    if (Status s = writeFileAtomic(folder / "game.js", script); !s) failures += s.message() + "\r\n";

    announce(studio, "PROJECT SAVED.", 500);
    announce(studio, kStatusReady, 0);
    if (!failures.empty()) {
        studio.dialogs.error("The game could not be written completely:\r\n" + failures);
        return false;
    }
    if (!problems.empty()) studio.dialogs.warning(exportProblemsText(problems));
    if (p.scenes.empty()) studio.dialogs.warning("There is no scene added.");
    return true;
}

std::string gamePageAddress(const Studio& studio) {
    std::error_code ec;
    fs::path folder = fs::absolute(studio.root, ec).lexically_normal();
    std::string path = folder.string();
    if (path.empty() || path.back() != '/') path += '/';
    path += "Projects/" + studio.project.name + "/index.html";
    return (studio.prefs.add_file_protocol == 1 ? "file://" : "") + path;
}

bool runGame(Studio& studio) {
    if (studio.project.name.empty()) {
        studio.dialogs.message("Please save your game.");
        return false;
    }
    if (!saveProject(studio)) return false;
    if (!buildGame(studio)) return false;  // the error is shown; an old page would mislead
    const fs::path page = projectsFolder(studio.root) / studio.project.name / "index.html";
    if (fileSize(page) > 0) return studio.shell.openPage(gamePageAddress(studio));
    studio.dialogs.message(
        "The INDEX.HTML file is missing. You can allow Pondaro to create it (enable it in the Preferences) or you can "
        "copy your file in the project folder.");
    return false;
}

bool saveCommand(Studio& studio) {
    if (!saveProject(studio)) return false;
    return buildGame(studio);
}

bool saveAsCommand(Studio& studio) {
    if (!saveProjectAs(studio)) return false;
    return buildGame(studio);
}

} // namespace pondaro
