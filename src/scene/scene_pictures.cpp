#include "scene/scene_pictures.h"

#include <cstdlib>

#include "image/artwork.h"
#include "image/draw.h"

namespace pondaro {

namespace {

constexpr Rgba kInk{40, 48, 64, 255};
constexpr Rgba kBlue{33, 110, 200, 255};
constexpr Rgba kGreen{46, 160, 67, 255};
constexpr Rgba kRed{211, 47, 47, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr auto kPut = ColourMode::Replace;

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

// A thick line: the one-pixel line drawn again one pixel down and right.
void thickLine(Image& img, int x0, int y0, int x1, int y1, Rgba c) {
    drawLine(img, x0, y0, x1, y1, c, kPut);
    drawLine(img, x0 + 1, y0, x1 + 1, y1, c, kPut);
    drawLine(img, x0, y0 + 1, x1, y1 + 1, c, kPut);
}

void shiftIcon(Image& img) {
    // Four arrows from the centre.
    fillRect(img, 7, 2, 2, 12, kBlue, kPut);
    fillRect(img, 2, 7, 12, 2, kBlue, kPut);
    for (int i = 0; i < 3; ++i) {
        fillRect(img, 6 - i, 2 + i, 4 + 2 * i, 1, kBlue, kPut);    // up
        fillRect(img, 6 - i, 13 - i, 4 + 2 * i, 1, kBlue, kPut);   // down
        fillRect(img, 2 + i, 6 - i, 1, 4 + 2 * i, kBlue, kPut);    // left
        fillRect(img, 13 - i, 6 - i, 1, 4 + 2 * i, kBlue, kPut);   // right
    }
}

void gridIcon(Image& img) {
    for (int k = 1; k <= 14; k += 4) {
        fillRect(img, k, 1, 1, 14, kInk, kPut);
        fillRect(img, 1, k, 14, 1, kInk, kPut);
    }
    fillRect(img, 14, 1, 1, 14, kInk, kPut);
    fillRect(img, 1, 14, 14, 1, kInk, kPut);
}

void snapIcon(Image& img) {
    // A magnet: a red U with white tips, pulling a block onto a grid corner.
    fillRect(img, 2, 1, 4, 9, kRed, kPut);
    fillRect(img, 10, 1, 4, 9, kRed, kPut);
    fillRect(img, 2, 8, 12, 4, kRed, kPut);
    fillRect(img, 6, 1, 4, 7, Rgba{0, 0, 0, 0}, kPut);
    fillRect(img, 2, 1, 4, 3, kWhite, kPut);
    fillRect(img, 10, 1, 4, 3, kWhite, kPut);
    drawRectOutline(img, 2, 1, 4, 3, kInk, kPut);
    drawRectOutline(img, 10, 1, 4, 3, kInk, kPut);
    fillRect(img, 0, 14, 16, 1, kInk, kPut);
    fillRect(img, 6, 13, 1, 3, kInk, kPut);
}

void placeIcon(Image& img) {
    fillRect(img, 6, 1, 4, 14, kGreen, kPut);
    fillRect(img, 1, 6, 14, 4, kGreen, kPut);
}

void selectIcon(Image& img) {
    // A dashed frame around a dot.
    for (int k = 1; k < 15; k += 3) {
        fillRect(img, k, 1, 2, 1, kInk, kPut);
        fillRect(img, k, 14, 2, 1, kInk, kPut);
        fillRect(img, 1, k, 1, 2, kInk, kPut);
        fillRect(img, 14, k, 1, 2, kInk, kPut);
    }
    fillRect(img, 5, 5, 6, 6, kBlue, kPut);
}

void removeIcon(Image& img) {
    thickLine(img, 2, 2, 12, 12, kRed);
    thickLine(img, 12, 2, 2, 12, kRed);
}

} // namespace

const Image& placeholderIcon() {
    static const Image icon = makePlaceholderIcon();
    return icon;
}

Image toolIcon(SceneTool tool) {
    if (tool == SceneTool::New) return drawIcon(Icon::Document, 16);
    Image img(16, 16);
    switch (tool) {
    case SceneTool::Shift: shiftIcon(img); break;
    case SceneTool::Grid: gridIcon(img); break;
    case SceneTool::Snap: snapIcon(img); break;
    case SceneTool::New: break;
    }
    return img;
}

Image objectActionIcon(ObjectAction action) {
    Image img(16, 16);
    switch (action) {
    case ObjectAction::Place: placeIcon(img); break;
    case ObjectAction::Select: selectIcon(img); break;
    case ObjectAction::Remove: removeIcon(img); break;
    }
    return img;
}

Image tileActionIcon(TileAction action) {
    return objectActionIcon(action == TileAction::Place    ? ObjectAction::Place
                            : action == TileAction::Select ? ObjectAction::Select
                                                           : ObjectAction::Remove);
}

} // namespace pondaro
