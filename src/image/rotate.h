#pragma once
// Turning pictures. Every turn here is counter-clockwise as seen on screen (y pointing
// down); angles in degrees are taken modulo 360, negative ones too. Quarter turns move
// pixels exactly; other angles take each pixel from its nearest source pixel, through
// one shared inverse turn, and leave transparent what no source pixel reaches.
#include "base/geometry.h"
#include "image/image.h"

namespace pondaro {

// Turns by `turns` quarter turns (negative: clockwise). Odd turns swap width and height.
Image rotateQuarterTurns(const Image& src, int turns);

// The Rotate effect of the frames editor: the frame turned about (w div 2, h div 2)
// keeping its size; corners that leave it are cut off. A source coordinate is rounded
// in single precision, half away from zero. Pixels with alpha 0 come out as
// (0, 0, 0, 0).
Image rotate(const Image& src, int degrees);
// Only the part of rotate()'s result inside `part` (clipped to the frame), so that a
// preview of a large frame costs what it shows.
Image rotatePart(const Image& src, int degrees, Rect part);

// The display copy of a picture turned as the game draws image_angle, about its centre.
// 0, 90, 180 and 270 are quarter turns. Any other angle gives a picture of
// floor(w|cos a| + h|sin a| + 0.9) x floor(h|cos a| + w|sin a| + 0.9) sharing the
// original's centre, each pixel's centre sampled.
Image turnedCopy(const Image& picture, int angle);

} // namespace pondaro
