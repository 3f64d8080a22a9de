#pragma once
// The fixed picture of the scene canvas and the fitting its previews need.
#include "image/image.h"

namespace pondaro {

// The 16 x 16 picture drawn for an instance without a sprite image.
const Image& placeholderIcon();

// The size src takes when scaled to fit a box keeping its aspect ratio (at least 1 x 1).
struct FitSize {
    int width = 0;
    int height = 0;
};
FitSize fitInBox(int srcW, int srcH, int boxW, int boxH);

// A boxW x boxH picture, transparent, with src scaled to fit (nearest pixel, so small
// sprites stay crisp) and centred.
Image fitInto(const Image& src, int boxW, int boxH);

} // namespace pondaro
