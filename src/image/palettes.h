#pragma once
// Fixed pictures of colours: the hue strip above the Colorize slider and the image
// editor's two palettes.
#include "image/image.h"

namespace pondaro {

// 360 x 19: the hue of column x (0..359) at full saturation and value, from red
// through yellow, green, cyan, blue and magenta back to red; opaque.
Image hueStrip();
// 85 x 170: columns of hues, each from a pale tint at the top to a dark shade at the
// bottom, above a row of greys from black to white; opaque.
Image swatchPalette();
// 85 x 132: hues from red at the top through yellow, green, cyan, blue and magenta to
// red at the bottom; black at the left edge, the pure hue in the middle, white at the
// right edge; opaque.
Image gradientPalette();

} // namespace pondaro
