#pragma once
// Drawing primitives shared by every canvas and image tool. Alpha is straight
// (not premultiplied). Everything clips to the target image.
#include "image/image.h"

namespace pondaro {

// Straight-alpha "over": src drawn onto dst. Onto a fully transparent pixel it stores
// src exactly, except that a result with alpha 0 is (0, 0, 0, 0).
Rgba blendOver(Rgba dst, Rgba src);

// Draws src over dst with its top-left corner at (x, y), every source alpha scaled by
// opacity / 255 first.
void drawOver(Image& dst, const Image& src, int x, int y, int opacity = 255);

// Sets every pixel of the rectangle to the colour (replacing, alpha included).
void fillRect(Image& dst, int x, int y, int w, int h, Rgba colour);

// XOR drawing: each pixel's red, green and blue are XORed with the colour's (alpha is
// left as it is). Inverting the pixels beneath is XOR with white.
void xorFillRect(Image& dst, int x, int y, int w, int h, Rgba colour);
inline void invertHLine(Image& dst, int x, int y, int length) { xorFillRect(dst, x, y, length, 1, {255, 255, 255, 255}); }
inline void invertVLine(Image& dst, int x, int y, int length) { xorFillRect(dst, x, y, 1, length, {255, 255, 255, 255}); }

// The checkerboard backdrop behind every preview: 16 x 16 squares of (127, 127, 127)
// and (170, 170, 170), the darker one at the top left, opaque.
inline constexpr Rgba kCheckerDark{127, 127, 127, 255};
inline constexpr Rgba kCheckerLight{170, 170, 170, 255};
// Fills dst with the part of an endless checkerboard whose point (originX, originY)
// lands at dst's top-left corner.
void drawCheckerboard(Image& dst, int originX = 0, int originY = 0);
// The fixed 800 x 800 backdrop.
Image checkerboard(int width = 800, int height = 800);

} // namespace pondaro
