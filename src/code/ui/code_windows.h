#pragma once
// The code-editing windows: the event code editor, "Not listed custom functions",
// "Global variables", the scene code editor and the game comments window (editable
// and modal). Each open window takes part in the pre-save commit (its text goes into
// the project, the window stays open) and closes when New or Open replaces the
// project. The Studio must outlive every window opened with it.
#include <functional>
#include <string>
#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Game tab picture / menu commands of the main window. Opening a window that is
// already open brings it to the front.
void openGlobalVariables(Studio& studio, wxWindow* mainWindow);
void openCustomFunctions(Studio& studio, wxWindow* mainWindow);
void openGameComments(Studio& studio, wxWindow* mainWindow);

// The modal, read-only comments window that Open shows after reading a project. Shows
// nothing (and returns false) when the project has no comments.
bool showGameCommentsIfAny(Studio& studio, wxWindow* mainWindow);

// The object window's "Edit" of an event: edits the script at `scriptIndex` of the
// script list. The object window is disabled while the editor is open; `stored` runs
// after OK has taken the script's fields (the object window refreshes its event list).
void openEventEditor(Studio& studio, wxWindow* objectWindow, size_t scriptIndex, std::function<void()> stored = {});

// The scene window's code button: edits the scene's code; the scene window is
// disabled while the editor is open.
void openSceneCodeEditor(Studio& studio, wxWindow* sceneWindow, const std::string& sceneName);

// The open code window of that kind, if any (names: "global-variables",
// "custom-functions", "game-comments", "event-editor:<object>", "scene-code:<scene>").
wxFrame* findCodeWindow(const std::string& key);

} // namespace pondaro::ui
