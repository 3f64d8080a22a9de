#pragma once
// Sizes and rectangles in whole pixels: the one Size and the one Rect that canvases,
// cards, pages and window layouts share.
namespace pondaro {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// The pixels [x, x + width) x [y, y + height); empty when a side is 0 or less.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Computed in 64 bits, so a rectangle reaching past the end of the int range
    // still holds what lies inside it.
    bool contains(int px, int py) const {
        return px >= x && py >= y && (long long)px < (long long)x + width && (long long)py < (long long)y + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace pondaro
