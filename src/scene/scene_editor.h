#pragma once
// The state of one open scene window's editor, and the geometry every canvas rule
// shares: grid cells, snapping, an instance's origin and hit box, a tile's hit test.
//
// The settings that outlive the window (grid, snap, grid size, show flags) live in
// the Scene record; per-record canvas state (selection, canvas image) lives in the
// GameObject and Tile records. What is here lasts as long as the window.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/geometry.h"
#include "image/image.h"
#include "project/model.h"
#include "scene/scene_index.h"

namespace pondaro {

enum class SceneTab { Settings = 0, Objects = 1, Background = 2, Tiles = 3 };
enum class ObjectAction { Place = 0, Select = 1, Remove = 2 };
enum class TileAction { Place = 0, Select = 1, Remove = 2 };

struct Modifiers {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool shiftOnly() const { return shift && !alt && !ctrl; }
    bool altOnly() const { return alt && !shift && !ctrl; }
    bool ctrlOnly() const { return ctrl && !shift && !alt; }
};

struct CellPos {
    int x = 0;
    int y = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The rectangle of the tile set that placed tiles are cut from.
struct TileSelection {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TileSelection&, const TileSelection&) = default;
};

struct SceneEditor {
    // The edited scene, by name (the window follows a rename made by its own Done).
    std::string scene;

    // What the window's controls hold, read at each event.
    SceneTab tab = SceneTab::Settings;
    ObjectAction objectAction = ObjectAction::Place;
    std::string objectToPlace;  // set through chooseObjectToPlace, which builds the preview
    TileAction tileAction = TileAction::Place;
    std::string tileImage;      // set through chooseTileImage
    int currentLayer = 0;       // the layer box's text read as a depth

    // Pointer over the canvas, in scene pixels.
    bool mouseInside = false;
    int mouseX = 0;
    int mouseY = 0;
    CellPos paintCell;
    CellPos lastPaintCell;

    // The first frame of the sprite of the object to place, and that sprite's index.
    std::shared_ptr<const Image> placePreview;
    int placePreviewSprite = -1;

    // Tile-set picker: the picture of the chosen tile image (never null; shared by every
    // tile placed from it, which shows its part of it), the picker canvas size, the
    // selection and a copy of the pixels it cuts for the previews.
    std::shared_ptr<const Image> tileSetImage = std::make_shared<const Image>();
    int pickerWidth = 640;
    int pickerHeight = 480;
    TileSelection tileSelection;
    std::shared_ptr<const Image> selectedTileImage;
    std::optional<CellPos> dragStart;

    // The scene's background picture, loaded from the working folder.
    Image backgroundPicture;

    // Where the scene's records lie; rebuilt from the tables when they change.
    mutable SceneIndex index;
};

// A fresh editor for the scene: no previews, empty selections, paint cells (0, 0).
SceneEditor makeSceneEditor(std::string scene);

// ---- Geometry ----------------------------------------------------------------------
// Grid sizes below 1 (never accepted by the Size field) count as 1, so a record
// edited elsewhere cannot make the grid divide by zero.
int gridStep(const Scene& scene);
// The grid cell of a point: rounded down, also left of and above 0.
CellPos gridCell(int x, int y, int grid);
int snapDown(int v, int grid);
// Where a click places: the snapped point with snap on, the point itself otherwise.
CellPos placePosition(const Scene& scene, int x, int y);

struct Origin {
    int x = 0;
    int y = 0;
};
// (centerx, centery) of an existing sprite, (0, 0) for a sprite name that names
// nothing, (7, 7) without a sprite.
Origin instanceOrigin(const Project& p, const GameObject& instance);

// The width and height hit tests and the selection mark use: the canvas image's
// size, or 15 x 15 without one.
bool hasCanvasImage(const GameObject& o);
int hitWidth(const GameObject& o);
int hitHeight(const GameObject& o);

// Whether the point hits the instance: its box from the position less the origin,
// inclusive on all four sides. Without a canvas image the box is 15 x 15. With one it
// is tried once for each size in `spriteFrames` (the sizes of the frames of its
// sprite); a sprite that has lost its frames (no sizes) is tried with the canvas
// image's size, so an instance that is drawn can be hit.
bool instanceHit(const Project& p, const GameObject& instance, std::span<const Size> spriteFrames, int px, int py);
// The same with the sizes of the sprite's frames taken from the frame list.
bool instanceHit(const Project& p, const GameObject& instance, int px, int py);
// Exclusive on all four sides.
bool tileHit(const Tile& tile, int px, int py);

} // namespace pondaro
