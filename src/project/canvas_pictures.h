#pragma once
// The pictures records carry for the scene canvas. An object record: its sprite's first
// frame (the canvas image) and the display copy of it turned by the instance's
// image_angle. Neither is stored; both are rebuilt from the frames whenever these may
// have changed. A tile: the part of its background's picture it shows.
#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "project/model.h"

namespace pondaro {

// The first frame of every sprite that has one, by sprite name, in one pass over the
// frames (Project::firstFrameImage looks for one sprite's). Valid until the frames or
// the sprites change.
std::unordered_map<std::string_view, const Image*> firstFrames(const Project& p);

// Rebuilds the display copy from the canvas image: the canvas image itself when the
// angle is a multiple of 360, else its turned copy; none without a canvas image.
void rebuildDisplayImage(GameObject& o);

// Takes the first frame of the record's sprite as its canvas image (none when the
// sprite has no frame) and rebuilds the display copy.
void refreshCanvasImage(Project& p, size_t objectIndex);

// The same for every template and instance. Records of one sprite share one copy of
// its first frame; one pass over the frames and one over the objects.
void refreshCanvasImages(Project& p);

// Draws what the tile shows (see Tile in project/model.h) over dst with its top-left
// corner at (x, y), every alpha scaled by opacity / 255.
void drawTile(Image& dst, const Tile& t, long long x, long long y, int opacity = 255);

} // namespace pondaro
