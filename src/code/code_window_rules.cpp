#include "code/code_window_rules.h"

#include <algorithm>

namespace pondaro {

const std::vector<std::string>& eventTypes() {
    static const std::vector<std::string> types = {"Creation", "Destroy",  "Step",          "End step", "Collision",
                                                   "Room start", "Room end", "Animation end", "Draw"};
    return types;
}

std::string eventEditorTitle(const std::string& eventType, const std::string& objectName) {
    return "Code editor - " + eventType + " event of " + objectName;
}

std::vector<std::string> collisionChoices(const Project& project) {
    std::vector<std::string> rows{""};
    for (const GameObject& o : project.objects)
        if (o.isTemplate()) rows.push_back(o.name);
    return rows;
}

ScriptRef scriptRefAt(const Project& project, size_t index) {
    if (index >= project.scripts.size()) return {index, {}, {}};
    return {index, project.scripts[index].name, project.scripts[index].object};
}

std::optional<size_t> findScript(const Project& project, const ScriptRef& ref) {
    auto matches = [&](const Script& s) { return s.name == ref.name && s.object == ref.object; };
    if (ref.index < project.scripts.size() && matches(project.scripts[ref.index])) return ref.index;
    for (size_t i = 0; i < project.scripts.size(); ++i)
        if (matches(project.scripts[i])) return i;
    return std::nullopt;
}

Status commitEventScript(Project& project, const ScriptRef& ref, const std::string& eventType,
                         const std::string& parameter, const std::string& code) {
    auto index = findScript(project, ref);
    if (!index)
        return Status::failure("The event of " + ref.object +
                               " that this window edits no longer exists; its code was not stored.");
    const Script& s = project.scripts[*index];
    if (s.event != eventType || s.parameter != parameter || s.code != code) project.markModified();
    project.scripts.edit(*index, [&](Script& script) {
        script.event = eventType;
        script.parameter = parameter;
        script.code = code;
    });
    return Status::success();
}

const char* gameTextTitle(GameText which) {
    switch (which) {
    case GameText::Functions: return "Not listed custom functions";
    case GameText::Variables: return "Global variables";
    case GameText::Comments: return "Game comments";
    }
    return "";
}

std::string& gameText(Project& project, GameText which) {
    switch (which) {
    case GameText::Functions: return project.game.functions;
    case GameText::Variables: return project.game.variables;
    case GameText::Comments: break;
    }
    return project.game.comments;
}

void commitGameText(Project& project, GameText which, const std::string& text) {
    gameText(project, which) = text;
    project.markModified();
}

void commitGameTextIfChanged(Project& project, GameText which, const std::string& text) {
    std::string& stored = gameText(project, which);
    if (stored == text) return;
    stored = text;
    project.markModified();
}

Status commitSceneCode(Project& project, const std::string& sceneName, const std::string& code, bool markModified) {
    const size_t index = project.scenes.find(sceneName);
    if (index == Table<Scene>::npos)
        return Status::failure("The scene " + sceneName + " no longer exists; its code was not stored.");
    if (markModified || project.scenes[index].code != code) project.markModified();
    project.scenes.edit(index, [&](Scene& scene) { scene.code = code; });
    return Status::success();
}

std::pair<std::string, std::string> helpFields(const std::vector<KeywordEntry>& entries, int index) {
    if (index < 0 || size_t(index) >= entries.size()) return {};
    const KeywordEntry& e = entries[size_t(index)];
    return {e.syntax == "n/a" ? std::string() : e.syntax, e.description == "n/a" ? std::string() : e.description};
}

Placement restoredPlacement(const Preferences& prefs, const Rect& defaultBox, const std::vector<Rect>& screens) {
    Placement p;
    p.maximize = prefs.maximized > -1;
    if (prefs.x == -1 || prefs.y == -1) return p;
    Rect box{prefs.x, prefs.y, prefs.width > 0 ? prefs.width : defaultBox.width,
            prefs.height > 0 ? prefs.height : defaultBox.height};
    // The window can be reached when a good part of its title bar lies on a screen.
    const Rect title{box.x, box.y, box.width, 30};
    for (const Rect& s : screens) {
        const int w = std::min(title.x + title.width, s.x + s.width) - std::max(title.x, s.x);
        const int h = std::min(title.y + title.height, s.y + s.height) - std::max(title.y, s.y);
        if (w >= 50 && h >= 10) {
            p.box = box;
            break;
        }
    }
    if (!p.box && box.width > 0 && box.height > 0) p.box = Rect{defaultBox.x, defaultBox.y, box.width, box.height};
    return p;
}

void rememberWindowSize(Preferences& prefs, int width, int height, bool maximized) {
    prefs.width = width;
    prefs.height = height;
    prefs.maximized = maximized ? 1 : -1;
}

void rememberWindowPosition(Preferences& prefs, int x, int y) {
    prefs.x = x;
    prefs.y = y;
}

namespace {

int atLeastWidth(int w) { return std::max(w, kSmallestTextArea.width); }
int atLeastHeight(int h) { return std::max(h, kSmallestTextArea.height); }

} // namespace

CodeWindowLayout codeWindowLayout(int width, int height, bool withHelp) {
    CodeWindowLayout l;
    const int editorHeight = withHelp ? height - 155 : height - 90;
    l.editor = {10, 45, atLeastWidth(width - 20), atLeastHeight(editorHeight)};
    l.cancel = {10, height - 35, 65, 25};
    l.ok = {width - 75, height - 35, 65, 25};
    l.help1 = {10, height - 95, atLeastWidth(width - 20), 21};
    l.help2 = {10, height - 65, atLeastWidth(width - 20), 21};
    return l;
}

CommentsWindowLayout commentsWindowLayout(int width, int height) {
    return {{10, 10, atLeastWidth(width - 20), atLeastHeight(height - 60)}, {width - 75, height - 35, 65, 25}};
}

} // namespace pondaro
