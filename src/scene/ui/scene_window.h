#pragma once
// The scene window ("Scene properties - " + the scene's name): on the left "Done", the
// name field and the four tabs (Settings, Objects, Background, Tiles); on the right the
// tool row and the scene canvas. The canvas, the tool row, the layer box and the
// Background tab change the project at once; the other fields wait for "Done", which
// checks and commits them, or for the pre-save commit. One window per scene; windows
// of different scenes may be open side by side.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the scene's window, or brings it to the front when it is open. `rebuildPanel`
// is called after the window closed (the panel's scene card shows the scene). The
// Studio must outlive the window.
void openSceneWindow(Studio& studio, wxWindow* mainWindow, const std::string& scene,
                     std::function<void()> rebuildPanel);
bool isSceneWindowOpen(const std::string& scene);
// The open window of the scene, or nullptr.
wxFrame* findSceneWindow(const std::string& scene);

} // namespace pondaro::ui
