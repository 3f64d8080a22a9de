#include "scene/scene_pictures.h"

#include <cstdlib>

namespace pondaro {

namespace {

Image makePlaceholderIcon() {
    // A blue rounded tile with a dark rim and a white diamond: readable on any
    // scene colour, and plainly not a sprite of the game.
    constexpr Rgba rim{40, 48, 64, 255}, fill{96, 144, 216, 255}, mark{255, 255, 255, 255};
    Image icon(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool corner = (x == 0 || x == 15) && (y == 0 || y == 15);
            if (corner) continue;
            const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            const bool diamond = std::abs(2 * x - 15) + std::abs(2 * y - 15) <= 9;
            icon.setPixel(x, y, edge ? rim : diamond ? mark : fill);
        }
    return icon;
}

} // namespace

const Image& placeholderIcon() {
    static const Image icon = makePlaceholderIcon();
    return icon;
}

} // namespace pondaro
