#pragma once
// The fixed picture of the scene canvas: what an instance without a sprite image shows.
#include "image/image.h"

namespace pondaro {

// The 16 x 16 picture drawn for an instance without a sprite image.
const Image& placeholderIcon();

} // namespace pondaro
