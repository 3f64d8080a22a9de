#pragma once
// The fixed pictures of the scene window: what an instance without a sprite image
// shows, and the icons of the tool row and the action boxes.
#include "image/image.h"
#include "scene/scene_editor.h"

namespace pondaro {

// The 16 x 16 picture drawn for an instance without a sprite image.
const Image& placeholderIcon();

// 16 x 16 icons on a transparent ground.
enum class SceneTool { New, Shift, Grid, Snap };
Image toolIcon(SceneTool tool);
// "Place ...", "Select ..." and "Remove ..." of both action boxes.
Image objectActionIcon(ObjectAction action);
Image tileActionIcon(TileAction action);

} // namespace pondaro
