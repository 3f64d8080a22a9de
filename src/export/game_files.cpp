#include "export/game_files.h"

#include "base/files.h"
#include "base/studio_files.h"
#include "base/text.h"
#include "export/generator.h"
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

} // namespace

Status readTemplate(const fs::path& root, std::string& text, const fs::path& programFolder) {
    const fs::path path = studioFile(root, programFolder, kEngineFile);
    text.clear();
    if (!pathExists(path)) return Status::success();
    if (Status s = readFile(path, text, kEngineTemplateLimit); !s) {
        text.clear();
        return Status::failure("The game engine file export.js could not be read: " + s.message());
    }
    return Status::success();
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

Status writeGame(Project& p, const fs::path& root, const GameSources& sources) {
    if (Status s = checkPathComponent(p.name, "project name"); !s)
        return Status::failure("The game could not be written: " + s.message());
    if (sources.engineTemplate.empty()) return Status::failure(kEngineMissingMessage);
    const fs::path folder = projectsFolder(root) / p.name;
    if (!ensureDirectory(folder))
        return Status::failure("The game could not be written: the folder '" + folder.string() +
                               "' could not be created.");
    std::string failures;
    const fs::path page = folder / "index.html";
    if (sources.writePage || !fs::exists(page))
        if (Status s = writeFileAtomic(page, indexHtml()); !s) failures += s.message() + "\r\n";
    const std::string script = gameScript(p, sources.extensions, sources.engineTemplate, sources.sortOrder);
    if (Status s = writeFileAtomic(folder / "game.js", script); !s) failures += s.message() + "\r\n";
    if (!failures.empty()) return Status::failure("The game could not be written completely:\r\n" + failures);
    return Status::success();
}

} // namespace pondaro
