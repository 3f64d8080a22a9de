// pondaro-cli: the project reader, the merge and the writer without windows, for
// users' own scripts and build pipelines. Works on the current folder, as the studio.
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "app/file_commands.h"
#include "app/game_commands.h"
#include "base/files.h"
#include "code/keywords.h"
#include "export/game_files.h"
#include "project/lifecycle.h"
#include "project/model.h"
#include "project/project_file.h"
#include "project/record_fields.h"
#include "scene/scene_window.h"

using namespace pondaro;
using Json = nlohmann::ordered_json;

namespace {

const char* kHelp =
    "Usage: pondaro-cli COMMAND ...\n"
    "Works on the projects under Projects/ in the current folder.\n"
    "\n"
    "  dump NAME [OTHER...]   open Projects/NAME.xml, merge each Projects/OTHER.xml in turn,\n"
    "                         and print the project as one JSON object\n"
    "  save NAME [NEWNAME]    open Projects/NAME.xml and save it again (as NEWNAME when given;\n"
    "                         a project NEWNAME already stored is replaced without a question)\n"
    "  export NAME            open Projects/NAME.xml and build its game into Projects/NAME/\n"
    "                         (game.js from export.js, and index.html), as the studio's Save does\n"
    "  preview NAME [SCENE]   open Projects/NAME.xml and draw its first scene (or SCENE),\n"
    "                         without the editing grid, into Projects/NAME.png: the picture\n"
    "                         the open dialog shows, made as the scene window's Done makes it\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status 0 on success; 1 when a file is refused or cannot be written (the reason\n"
    "is printed on standard error); 2 for a command line that is not understood.\n";

// Messages the studio would show in a box go to standard error; a failure is kept
// so the command can end with status 1.
class ConsoleDialogs : public Dialogs {
public:
    bool confirm(const std::string&) override { return true; }
    Answer confirmOrCancel(const std::string&) override { return Answer::Yes; }
    bool ask(const std::string&, const std::string&) override { return true; }
    void error(const std::string& text) override {
        if (firstError.empty()) firstError = text;
        else std::cerr << "pondaro-cli: " << text << "\n";
    }
    void message(const std::string& text) override { std::cerr << text << "\n"; }
    // A command starts an empty project and then opens one, which reads the preferences
    // again: what the studio tells at each of them is said once here.
    void warning(const std::string& text) override {
        if (warned_.insert(text).second) std::cerr << text << "\n";
    }
    void notice(const std::string&, const std::string& text) override { std::cerr << text << "\n"; }
    std::string chooseProject(const std::vector<std::string>&) override { return ""; }
    std::optional<std::string> askName(const std::string&, const std::string& current) override { return current; }
    std::string chooseFileToOpen(const std::string&, const std::string&, const std::filesystem::path&) override {
        return "";
    }
    std::string chooseFileToSave(const std::string&, const std::string&, const std::filesystem::path&) override {
        return "";
    }
    std::optional<int> chooseColour(int) override { return std::nullopt; }
    void showMergeResult(const std::string&) override {}

    std::string firstError;

private:
    std::set<std::string> warned_;
};

class NoShell : public Shell {
public:
    bool openPage(const std::string&) override { return false; }
    bool openManual() override { return false; }
};

// The studio's session in this folder: it starts as the studio does, and the working
// folder is removed when the command ends.
class Session {
public:
    Session() : studio(dialogs, shell, clock) { newProject(studio, false); }
    ~Session() { removeWorkingFolder(studio.project, studio.root); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Status check(bool ok) {
        if (ok && dialogs.firstError.empty()) return Status::success();
        std::string message = dialogs.firstError.empty() ? "The operation failed." : dialogs.firstError;
        dialogs.firstError.clear();
        return Status::failure(message);
    }

    ConsoleDialogs dialogs;
    NoShell shell;
    SystemClock clock;
    Studio studio;
};

template <class Record>
Json recordsJson(const RecordLayout<Record>& layout, const std::vector<Record>& records) {
    Json list = Json::array();
    for (const Record& r : records) {
        Json item = Json::object();
        for (const auto& f : layout.fields) {
            if (f.text) item[f.attr] = r.*(f.text);
            else item[f.attr] = r.*(f.number);
        }
        if (layout.body) item["code"] = r.*(layout.body);
        if constexpr (std::is_same_v<Record, Frame>) {
            item["width"] = r.image.width();
            item["height"] = r.image.height();
        }
        list.push_back(std::move(item));
    }
    return list;
}

Json projectJson(const Project& p) {
    Json j = Json::object();
    j["version"] = kProgramVersion;
    j["title"] = p.game.title;
    j["advancedscriptmode"] = p.game.advancedscriptmode;
    j["functions"] = p.game.functions;
    j["variables"] = p.game.variables;
    j["comments"] = p.game.comments;
    j["imgfolder"] = p.imgfolder;
    j["audfolder"] = p.audfolder;
    j["counter"] = p.counter;
    j["mergelog"] = p.mergeLog;
    j["sprites"] = recordsJson(spriteLayout(), p.sprites.records());
    j["frames"] = recordsJson(frameLayout(), p.frames);
    j["sounds"] = recordsJson(soundLayout(), p.sounds.records());
    j["musics"] = recordsJson(musicLayout(), p.musics.records());
    j["backgrounds"] = recordsJson(backgroundLayout(), p.backgrounds.records());
    j["fonts"] = recordsJson(fontLayout(), p.fonts.records());
    j["objects"] = recordsJson(objectLayout(), p.objects.records());
    j["scripts"] = recordsJson(scriptLayout(), p.scripts.records());
    j["scenes"] = recordsJson(sceneLayout(), p.scenes.records());
    j["layers"] = recordsJson(layerLayout(), p.layers.records());
    j["tiles"] = recordsJson(tileLayout(), p.tiles.records());
    j["fns"] = recordsJson(functionLayout(), p.fns.records());
    j["points"] = recordsJson(pointLayout(), p.points);
    return j;
}

int fail(const std::string& message) {
    std::cerr << "pondaro-cli: " << message << "\n";
    return 1;
}

int usage(const std::string& message) {
    std::cerr << "pondaro-cli: " << message << "\n\n" << kHelp;
    return 2;
}

int dump(const std::vector<std::string>& args) {
    if (args.empty()) return usage("dump needs a project name.");
    Session session;
    if (Status s = session.check(openProjectNamed(session.studio, args[0])); !s) return fail(s.message());
    for (size_t i = 1; i < args.size(); ++i)
        if (Status s = session.check(mergeProjectNamed(session.studio, args[i])); !s) return fail(s.message());
    std::cout << projectJson(session.studio.project).dump(1, ' ', false, Json::error_handler_t::replace) << "\n";
    std::cout.flush();
    return std::cout ? 0 : fail("The output could not be written.");
}

int save(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) return usage("save needs a project name and at most one new name.");
    Session session;
    if (Status s = session.check(openProjectNamed(session.studio, args[0])); !s) return fail(s.message());
    if (args.size() == 2) session.studio.project.name = args[1];
    // The project only: the game is built by `export`.
    if (Status s = writeProject(session.studio.project, session.studio.root); !s) return fail(s.message());
    return 0;
}

int exportGame(const std::vector<std::string>& args) {
    if (args.size() != 1) return usage("export needs one project name.");
    Session session;
    if (Status s = readTemplate(session.studio.root, session.studio.engineTemplate); !s) return fail(s.message());
    session.studio.keywords = loadKeywords(session.studio.root);
    if (Status s = session.check(openProjectNamed(session.studio, args[0])); !s) return fail(s.message());
    if (Status s = session.check(buildGame(session.studio)); !s) return fail(s.message());
    return 0;
}

} // namespace

int preview(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) return usage("preview needs a project name and at most one scene name.");
    Session session;
    if (Status s = session.check(openProjectNamed(session.studio, args[0])); !s) return fail(s.message());
    Project& p = session.studio.project;
    if (p.scenes.size() == 0) return fail("The project " + args[0] + " has no scene to draw.");
    const std::string scene = args.size() == 2 ? args[1] : p.scenes[0].name;
    if (!p.scenes.contains(scene))
        return fail("The project " + args[0] + " has no scene named " + scene + ".");
    // The scene as a scene window opens it, without the grid laid over the canvas for
    // editing (nothing here is saved).
    p.scenes.edit(p.scenes.find(scene), [](Scene& s) { s.showgrid = 0; });
    const SceneEditor editor = openSceneEditor(p, session.studio.root, scene);
    if (Status s = writeProjectPreview(p, editor, session.studio.root); !s) return fail(s.message());
    return 0;
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("no command given.");
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return 0;
    }
    if (command == "dump") return dump(args);
    if (command == "save") return save(args);
    if (command == "export") return exportGame(args);
    if (command == "preview") return preview(args);
    return usage("unknown command '" + command + "'.");
}
