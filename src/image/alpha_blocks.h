#pragma once
// A picture's alpha summed up by blocks of 64 pixels of a row: each block is clear
// (every alpha 0), opaque (every alpha 255) or mixed. A large picture shown over the
// checkerboard again and again (a preview drawn anew as it scrolls) then costs a copy
// where it is opaque, the checkerboard alone where it is clear, and a blend per pixel
// only where it is partly transparent. Made once per picture: one pass over its pixels.
#include <cstdint>
#include <vector>

#include "image/image.h"

namespace pondaro {

class AlphaBlocks {
public:
    static constexpr int kBlockWidth = 64;
    enum class Kind : uint8_t { Clear, Opaque, Mixed };

    AlphaBlocks() = default;
    explicit AlphaBlocks(const Image& picture);

    // The block of row `row` that holds the pixels [column * 64, column * 64 + 64).
    Kind kind(int column, int row) const { return kinds_[size_t(row) * size_t(columns_) + size_t(column)]; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<Kind> kinds_;
};

// Fills dst with what a canvas shows from its point (originX, originY) on: the
// checkerboard (drawCheckerboard's, in canvas pixels) with `picture` blended over it
// at the canvas's top left, as drawOver would. `blocks` must be made from `picture`.
void drawOnCheckerboard(Image& dst, const Image& picture, const AlphaBlocks& blocks, int originX, int originY);

} // namespace pondaro
