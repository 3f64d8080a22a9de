#pragma once
// Changing an image's size. Every function returns a new image and leaves the source
// as it is; a size of 0 or less, or an empty source, gives an empty image.
#include "image/image.h"

namespace pondaro {

// Repeating and dropping pixels: destination pixel (x, y) is source pixel
// (x * srcW / w, y * srcH / h).
Image resizeNearest(const Image& src, int width, int height);

// Area averaging: each destination pixel is the average of the source area it covers,
// every source pixel weighted by how much of it lies inside and by its alpha, so
// transparent pixels lend no colour. A result with alpha 0 is (0, 0, 0, 0).
Image resizeAreaAverage(const Image& src, int width, int height);
// Only the part [x, x + partWidth) x [y, y + partHeight) of that result, so that a
// picture enlarged far beyond what is shown costs only what is shown.
Image resizeAreaAveragePart(const Image& src, int width, int height, int x, int y, int partWidth, int partHeight);

// Smooth interpolation (a cubic filter, alpha-weighted) for stretching and for
// thumbnails. A result with alpha 0 is (0, 0, 0, 0).
Image resizeSmooth(const Image& src, int width, int height);

// Sets every pixel whose alpha is 0 to (0, 0, 0, 0), the form every stored result
// takes.
void clearTransparentPixels(Image& img);

} // namespace pondaro
