#include "image/alpha_blocks.h"

#include <algorithm>
#include <cstring>

#include "image/draw.h"

namespace pondaro {

AlphaBlocks::AlphaBlocks(const Image& picture) {
    if (picture.empty()) return;
    columns_ = (picture.width() + kBlockWidth - 1) / kBlockWidth;
    rows_ = picture.height();
    kinds_.resize(size_t(columns_) * size_t(rows_));
    const int w = picture.width();
    for (int y = 0; y < rows_; ++y) {
        const uint8_t* row = picture.data() + size_t(y) * size_t(w) * 4;
        for (int c = 0; c < columns_; ++c) {
            const int x1 = std::min(w, (c + 1) * kBlockWidth);
            // AND and OR of the alphas: all 255 when the AND is, all 0 when the OR is.
            uint8_t all = 255, any = 0;
            for (int x = c * kBlockWidth; x < x1; ++x) {
                all &= row[size_t(x) * 4 + 3];
                any |= row[size_t(x) * 4 + 3];
            }
            kinds_[size_t(y) * size_t(columns_) + size_t(c)] =
                all == 255 ? Kind::Opaque : any == 0 ? Kind::Clear : Kind::Mixed;
        }
    }
}

void drawOnCheckerboard(Image& dst, const Image& picture, const AlphaBlocks& blocks, int originX, int originY) {
    const int w = dst.width(), h = dst.height();
    if (w <= 0 || h <= 0) return;
    // The two rows the checkerboard has across the view: one for each band of squares.
    Image bands(w, 32);
    drawCheckerboard(bands, originX, 0);
    const uint8_t* band[2] = {bands.data(), bands.data() + size_t(w) * 16 * 4};

    const long long pw = picture.width(), ph = picture.height();
    for (int y = 0; y < h; ++y) {
        const long long cy = (long long)y + originY;
        uint8_t* d = dst.data() + size_t(y) * size_t(w) * 4;
        const uint8_t* checker = band[(cy >> 4) & 1];
        if (cy < 0 || cy >= ph) {
            std::memcpy(d, checker, size_t(w) * 4);
            continue;
        }
        const uint8_t* source = picture.data() + size_t(cy) * size_t(pw) * 4;
        int x = 0;
        while (x < w) {
            const long long cx = (long long)x + originX;
            if (cx < 0 || cx >= pw) {
                // The checkerboard alone up to where the picture starts, or to the end.
                const int end = cx < 0 ? int(std::min<long long>(w, -(long long)originX)) : w;
                std::memcpy(d + size_t(x) * 4, checker + size_t(x) * 4, size_t(end - x) * 4);
                x = end;
                continue;
            }
            const int column = int(cx / AlphaBlocks::kBlockWidth);
            const long long blockEnd = std::min<long long>((long long)(column + 1) * AlphaBlocks::kBlockWidth, pw);
            const int end = int(std::min<long long>(w, blockEnd - originX));
            const size_t bytes = size_t(end - x) * 4;
            const uint8_t* s = source + size_t(cx) * 4;
            switch (blocks.kind(column, int(cy))) {
            case AlphaBlocks::Kind::Opaque: std::memcpy(d + size_t(x) * 4, s, bytes); break;
            case AlphaBlocks::Kind::Clear: std::memcpy(d + size_t(x) * 4, checker + size_t(x) * 4, bytes); break;
            case AlphaBlocks::Kind::Mixed:
                // The checkerboard is opaque: the row blend onto opaque pixels.
                overOpaqueRow(d + size_t(x) * 4, checker + size_t(x) * 4, s, size_t(end - x));
                break;
            }
            x = end;
        }
    }
}

} // namespace pondaro
