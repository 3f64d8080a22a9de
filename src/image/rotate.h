#pragma once
// Exact rotation by quarter turns.
#include "image/image.h"

namespace pondaro {

// Turns the picture by `turns` quarter turns counter-clockwise as seen on screen
// (y pointing down); negative turns go clockwise. Odd turns swap width and height.
// Pixels move exactly, nothing is resampled.
Image rotateQuarterTurns(const Image& src, int turns);

} // namespace pondaro
