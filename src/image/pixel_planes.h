#pragma once
// A picture's bytes in the form window toolkits take them: red, green and blue
// interleaved in one plane, alpha in a second. The windows hand what core drew to the
// screen through this, so its cost is part of every repaint.
#include <cstdint>

#include "image/image.h"

namespace pondaro {

// Writes width x height x 3 bytes to `rgb` and width x height bytes to `alpha` (which
// may be nullptr when only the colours are wanted). Returns true when every pixel is
// opaque, so that the alpha plane can be left out.
bool splitRgbAlpha(const Image& image, uint8_t* rgb, uint8_t* alpha);

} // namespace pondaro
