#pragma once
// The rules of the code-editing windows, kept apart from the windows: what each window
// writes into the project, the help line, where the windows go and how their parts are
// laid out. The windows (code/ui/code_windows.h) read their controls and call these.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "base/status.h"
#include "code/keywords.h"
#include "preferences/preferences.h"
#include "project/model.h"

namespace pondaro {

// ---- Event code editor -------------------------------------------------------------

// The nine event types, in the order of the event type box.
const std::vector<std::string>& eventTypes();
inline constexpr const char* kCollisionEvent = "Collision";

// "Code editor - " + event type + " event of " + object name.
std::string eventEditorTitle(const std::string& eventType, const std::string& objectName);

// The rows of the Collision "with" box: an empty row, then every object template.
std::vector<std::string> collisionChoices(const Project& project);

// The script an event editor edits: its position in the script list, with the name
// and owner it had when the editor opened. The list can change while the editor is
// open (the object's window deletes events, a merge appends scripts), so the text is
// never written into another script that has come to stand at that position.
struct ScriptRef {
    size_t index = 0;
    std::string name;
    std::string object;
};
ScriptRef scriptRefAt(const Project& project, size_t index);
std::optional<size_t> findScript(const Project& project, const ScriptRef& ref);

// Takes the event type, parameter and code into the script. Marks the project
// modified when anything changed. Fails, writing nothing, when the script is gone.
Status commitEventScript(Project& project, const ScriptRef& ref, const std::string& eventType,
                         const std::string& parameter, const std::string& code);

// ---- The project's own texts -------------------------------------------------------

// The free-text windows: "Not listed custom functions" edits `functions`, "Global
// variables" edits `variables`, "Game comments" edits `comments`.
enum class GameText { Functions, Variables, Comments };
const char* gameTextTitle(GameText which);
std::string& gameText(Project& project, GameText which);

// OK of such a window: the text is taken and the project marked modified.
void commitGameText(Project& project, GameText which, const std::string& text);
// The pre-save commit and closing the comments window by its close box: the text is
// taken; the project is marked modified only when the text changed.
void commitGameTextIfChanged(Project& project, GameText which, const std::string& text);

// The scene code editor: the text into the scene's code; the project is marked
// modified. Fails, writing nothing, when no scene has that name any more.
Status commitSceneCode(Project& project, const std::string& sceneName, const std::string& code, bool markModified = true);

// ---- Help line -----------------------------------------------------------------------

// The two help fields for a keyword entry index (-1: none): the syntax and the
// description, each left empty when it is "n/a".
std::pair<std::string, std::string> helpFields(const std::vector<KeywordEntry>& entries, int index);

// ---- Placement and layout ------------------------------------------------------------

struct Placement {
    std::optional<Rect> box;  // where to put the window; none keeps the default place
    bool maximize = false;
};

// Where a code window opens: at the saved x, y, width and height once x and y have been
// saved (a missing size keeps the default size), maximized when `maximized` is above
// -1. A saved place that no screen shows any more (say, a second monitor that is gone)
// is not used, so the window cannot open out of sight.
Placement restoredPlacement(const Preferences& prefs, const Rect& defaultBox, const std::vector<Rect>& screens);

// Every size change stores the window's size and whether it is maximized (1, else -1).
void rememberWindowSize(Preferences& prefs, int width, int height, bool maximized);
// OK and Cancel store the window's position.
void rememberWindowPosition(Preferences& prefs, int x, int y);

// The desktop cannot draw a scrolled area (a text area, the code editor) or a text
// field smaller than its scroll bars and frame, and complains when asked to; a window
// is often laid out at a tiny size for a moment before it gets its real one. No part
// is given less than this, whatever the window's size.
inline constexpr Size kSmallestTextArea{64, 48};

struct CodeWindowLayout {
    Rect editor, cancel, ok, help1, help2;
};
// The parts of a code window for its inner size. Without help fields the editor
// reaches down to the buttons. The editor and the help fields never get less than
// kSmallestTextArea.
CodeWindowLayout codeWindowLayout(int width, int height, bool withHelp);

// The game comments window (editable and read-only): the text area from (10, 10) down
// to 50 above the bottom, never below kSmallestTextArea, and "OK" at the bottom right.
struct CommentsWindowLayout {
    Rect text, ok;
};
CommentsWindowLayout commentsWindowLayout(int width, int height);

} // namespace pondaro
