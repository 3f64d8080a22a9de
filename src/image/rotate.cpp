#include "image/rotate.h"

#include <cstdint>

namespace pondaro {

Image rotateQuarterTurns(const Image& src, int turns) {
    turns = ((turns % 4) + 4) % 4;
    if (src.empty()) return {};
    const int w = src.width(), h = src.height();
    Image dst = (turns % 2) ? Image(h, w) : Image(w, h);
    const uint32_t* s = reinterpret_cast<const uint32_t*>(src.data());
    uint32_t* d = reinterpret_cast<uint32_t*>(dst.data());
    const int dw = dst.width();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int nx = x, ny = y;
            switch (turns) {
            case 1: nx = y, ny = w - 1 - x; break;          // the right edge becomes the top
            case 2: nx = w - 1 - x, ny = h - 1 - y; break;
            case 3: nx = h - 1 - y, ny = x; break;          // the top edge becomes the right
            default: break;
            }
            d[size_t(ny) * dw + nx] = s[size_t(y) * w + x];
        }
    }
    return dst;
}

} // namespace pondaro
