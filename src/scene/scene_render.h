#pragma once
// Drawing the scene canvas and the tile-set picker. Only the visible part of a canvas
// is drawn: memory and time follow the visible rectangle and the records in it,
// never the scene's size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "image/image.h"
#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

// A drawn part of a canvas: `image` shows the canvas pixels from (x, y) on.
struct CanvasPicture {
    Image image;
    int x = 0;
    int y = 0;
};

// The scene canvas inside `visible`, clipped to the scene's width x height: the
// scene colour, the background picture (once, stretched, or tiled in x, y or both),
// instances and tiles by depth (largest first; instances before tiles at one depth;
// table order within each), the selection marks, the grid, and the place or tile
// ghost under the pointer.
CanvasPicture renderScene(const Project& p, const SceneEditor& e, Rect visible);
// The same into a picture kept from an earlier drawing: a view of the same size is
// drawn without a new picture being made.
void renderScene(const Project& p, const SceneEditor& e, Rect visible, CanvasPicture& into);

// The status label: "[" + template + "] x:" + x + " y:" + y of the selected instance
// drawn last (whether or not it is in view), "" when none is drawn selected.
std::string sceneStatusText(const Project& p, const SceneEditor& e);

// The whole canvas resampled to width x height (nearest pixel), drawn one sampled row
// at a time so that a huge scene costs no huge picture. No pointer ghost.
Image renderSceneScaled(const Project& p, const SceneEditor& e, int width, int height);

// The tile-set picker inside `visible`, clipped to the picker canvas: checkerboard,
// tile set picture and, while there is a selection, its outline, each outline pixel
// inverted once. Nothing while there is no picture.
std::optional<CanvasPicture> renderTilePicker(const SceneEditor& e, Rect visible);

// Where the place or tile ghost follows the pointer: the (snapped) pointer, before the
// place preview's origin is taken off. Nothing while no ghost is drawn (another tab or
// action, nothing to place, the pointer off the canvas).
std::optional<CellPos> ghostPosition(const Project& p, const SceneEditor& e);

// What the canvas shows depends on: the versions of the tables it draws from, the
// editor's tab, actions and current layer, what it places, and where a ghost is. The
// window's redraw tick draws again only when this differs from what it drew last: a
// pointer moving where no ghost follows it, or within one grid cell with snap on,
// draws nothing.
struct CanvasState {
    uint64_t objects = 0, tiles = 0, scenes = 0, sprites = 0;
    size_t frames = 0;
    SceneTab tab = SceneTab::Settings;
    ObjectAction objectAction = ObjectAction::Place;
    TileAction tileAction = TileAction::Place;
    int currentLayer = 0;
    const void* placePreview = nullptr;
    const void* selectedTileImage = nullptr;
    const void* backgroundPicture = nullptr;
    std::optional<CellPos> ghost;
    friend bool operator==(const CanvasState&, const CanvasState&) = default;
};
CanvasState canvasState(const Project& p, const SceneEditor& e);

} // namespace pondaro
