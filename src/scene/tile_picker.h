#pragma once
// The tile-set picker: the picture of the chosen tile image, on which the user drags
// the rectangle that placed tiles are cut from.
#include <filesystem>
#include <string_view>

#include "image/image.h"
#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

// "Tile image" changed: the picture is loaded from the working folder (under `root`,
// the program's folder), the picker canvas takes its size (0 x 0 without a file),
// and the tile selection and its pixels are dropped.
void chooseTileImage(const Project& p, SceneEditor& e, const std::filesystem::path& root, std::string_view background);

// A press or move over the picker. Acts while the left button is held and a tile
// image is chosen; any event without the button ends the drag. The first event of a
// drag reloads the picture. The selection follows the keys: the background's tile
// cells (or the whole picture when it is no tile set), a free rectangle with Alt
// alone, the scene grid with Ctrl alone.
void tilePickerEvent(const Project& p, SceneEditor& e, const std::filesystem::path& root, int x, int y, bool leftDown,
                     Modifiers m);

// The "Selected tile" box: the selection's pixels over the checkerboard, scaled to
// 100 x 100; a black box without a selected tile image.
Image selectedTilePreview(const SceneEditor& e);

} // namespace pondaro
