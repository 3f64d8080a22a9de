#pragma once
// The pictures an object record carries for the scene canvas: its sprite's first
// frame, and the display copy of it turned by the instance's image_angle.
#include <cstddef>

#include "image/image.h"
#include "project/model.h"

namespace pondaro {

// The picture turned by `angle` degrees counter-clockwise (as the game draws
// image_angle) about its centre. Angles are taken modulo 360, negative ones too;
// 0, 90, 180 and 270 turn exactly, pixel for pixel. Any other angle gives a picture of
// floor(w|cos a| + h|sin a| + 0.9) x floor(h|cos a| + w|sin a| + 0.9) sharing the
// original's centre, sampled at the nearest source pixel, transparent outside it.
Image turnedCopy(const Image& image, int angle);

// Rebuilds the display copy from the canvas image: the canvas image itself when the
// angle is a multiple of 360, else its turned copy; none without a canvas image.
void rebuildDisplayImage(GameObject& o);

// Takes the first frame of the record's sprite as its canvas image (none when the
// sprite has no frame) and rebuilds the display copy.
void refreshCanvasImage(Project& p, size_t objectIndex);

// The same for every template and instance. Records of one sprite share one copy of
// its first frame; one pass over the frames and one over the objects.
void refreshCanvasImages(Project& p);

} // namespace pondaro
