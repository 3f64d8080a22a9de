#pragma once
// The tile layers of a scene as the layer box shows them, and the Add, Delete and
// Change... buttons beside it.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

// The depths of the scene's layers in table order: the layer box's items.
std::vector<int> layerDepths(const Project& p, std::string_view scene);

// A scene without a layer gets its default layer (depth 1000000), so that the layer box
// always names the layer tiles are placed on. The empty layer is nothing a user would
// want to save: the project is not marked modified. True when one was made.
bool ensureDefaultLayer(Project& p, std::string_view scene);

// The layer box's text as the current layer.
void setCurrentLayer(SceneEditor& e, std::string_view text);
// Refills the box: the current layer becomes the first layer's depth (0 without one).
void selectFirstLayer(const Project& p, SceneEditor& e);

// OK of "Add a new tile layer": false (after "Depth already exists") when the scene
// has a layer of that depth, and the dialog stays. The new layer becomes the current
// one; a refused or cancelled dialog leaves the current layer as it was, so tiles are
// never placed on a depth the layer box does not list.
bool addLayer(Project& p, SceneEditor& e, Dialogs& dialogs, std::string_view depthText);

// "Delete": after the question, removes the scene's layers of the current depth and
// its tiles on that depth; a scene left without a layer gets its default layer again.
bool deleteLayer(Project& p, SceneEditor& e, Dialogs& dialogs);

// The layer "Change..." edits: the last of the scene's layers at the current depth.
std::optional<size_t> layerToChange(const Project& p, const SceneEditor& e);
// OK of "Change the depth of a tile layer": the layer and the scene's tiles on its
// depth move to the new depth; two layers that end on one depth merge into one.
bool changeLayerDepth(Project& p, SceneEditor& e, std::string_view depthText);

} // namespace pondaro
