#pragma once
// What the scene canvas and its tool row do to the project's tables: placing,
// selecting, moving and removing instances and tiles, the bulk operations, the
// instance list and the canvas size.
//
// Every change of the tables that the project file keeps (records added, removed or
// moved, the scene size) marks the project modified, so closing the window with its
// close box never loses edits without the unsaved-changes question. Selection alone
// changes nothing that is stored and does not.
//
// The functions that can change the instance list return true when it did change
// (rows added, removed, moved or selected), so the window refreshes it only then.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

// ---- Creating records --------------------------------------------------------------
// "SceneObject" + next identity from the object to place, at (x, y): the template's
// sprite and depth, the place preview as its canvas image. Returns its table index;
// nothing when the scene no longer exists.
std::optional<size_t> createInstance(Project& p, SceneEditor& e, int x, int y);
// "tile_" + next identity cut by the tile selection, on the current layer, at (x, y).
// Nothing without a selected tile image.
std::optional<size_t> createTile(Project& p, SceneEditor& e, int x, int y);

// ---- Canvas events -----------------------------------------------------------------
void pointerEntered(SceneEditor& e);
void pointerLeft(SceneEditor& e);
void pointerMoved(SceneEditor& e, int x, int y);
// Left or right button down, or a move with the left button held. Acts only with
// Shift as the only modifier: erases under the pointer in the remove actions, and
// places one record when the pointer's grid cell differs from the last paint step's.
bool paintStep(Project& p, SceneEditor& e, int x, int y, Modifiers m);
// Press and release of the left button.
bool leftClick(Project& p, SceneEditor& e, int x, int y, Modifiers m);

enum class CanvasKey { Space, Escape, Left, Right, Up, Down, Delete };
// Keys in the Objects and Tiles tabs; Delete asks through the Dialogs port.
bool keyDown(Project& p, SceneEditor& e, Dialogs& dialogs, CanvasKey key);

// ---- Tool row ----------------------------------------------------------------------
// "New" and "Shift objects" are shown in the Objects and Tiles tabs only.
bool showsBulkButtons(const SceneEditor& e);
// "New": removes every instance (Objects tab) or every tile of every layer (Tiles tab)
// of the scene after the question. True when something was removed.
bool clearScene(Project& p, SceneEditor& e, Dialogs& dialogs);
// The title of the shift dialog, and whether it has "In all layer".
std::string shiftDialogTitle(const SceneEditor& e);
bool shiftDialogHasAllLayers(const SceneEditor& e);
// OK of the shift dialog: the fields' texts read as integers.
bool shiftRecords(Project& p, SceneEditor& e, std::string_view horizontal, std::string_view vertical,
                  bool inAllLayers);
// The "Size" field: taken when 5 or more; true when taken.
bool setGridSize(Project& p, const SceneEditor& e, std::string_view text);

// ---- Instance list -----------------------------------------------------------------
// One row per instance of the scene, in table order. The list fetches the rows it
// shows by position, so a scene of many instances costs only the rows in view.
struct InstanceRow {
    std::string text;  // template + " (" + sprite + ") :" + x + ", " + y
    bool selected = false;
    size_t index = 0;  // the instance's table index
};
size_t instanceRowCount(const Project& p, const SceneEditor& e);
// The row at a position below instanceRowCount; an empty row past the end.
InstanceRow instanceRowAt(const Project& p, const SceneEditor& e, size_t position);
// The positions of the rows whose instances are selected, ascending.
std::vector<size_t> selectedInstanceRows(const Project& p, const SceneEditor& e);
// Rows selected in the list: every instance of the scene is unselected first, then
// each listed index that is an instance of the scene is selected.
void selectInstanceRows(Project& p, const SceneEditor& e, const std::vector<size_t>& indexes);

// ---- Canvas size -------------------------------------------------------------------
// The scene size fields changed: the scene takes the sizes (negative reads as 0).
void resizeCanvas(Project& p, const SceneEditor& e, std::string_view widthText, std::string_view heightText);

// The edited scene, or nullptr when it no longer exists.
const Scene* editedScene(const Project& p, const SceneEditor& e);

} // namespace pondaro
