#include "image/palettes.h"

#include <algorithm>
#include <cmath>

#include "image/draw.h"
#include "image/effects.h"

namespace pondaro {

namespace {

uint8_t byteOf(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// The pure colour of a hue in degrees (any real value, taken modulo 360).
void hueColour(double degrees, double& r, double& g, double& b) {
    double s = std::fmod(degrees, 360.0) / 60.0;
    if (s < 0) s += 6.0;
    const int i = std::min(int(s), 5);
    const double f = s - i, q = 1 - f;
    const double table[6][3] = {{1, f, 0}, {q, 1, 0}, {0, 1, f}, {0, q, 1}, {f, 0, 1}, {1, 0, q}};
    r = table[i][0];
    g = table[i][1];
    b = table[i][2];
}

} // namespace

Image hueStrip() {
    Image img(360, 19);
    for (int x = 0; x < 360; ++x) {
        const HueFactors f = hueFactors(x);
        fillRect(img, x, 0, 1, 19, {byteOf(255.0 * f.red), byteOf(255.0 * f.green), byteOf(255.0 * f.blue), 255},
                 ColourMode::Replace);
    }
    return img;
}

Image swatchPalette() {
    constexpr int kColumns = 17, kCellW = 5, kCellH = 10, kHueRows = 16;
    Image img(85, 170);
    for (int c = 0; c < kColumns; ++c) {
        double r, g, b;
        hueColour(360.0 * c / kColumns, r, g, b);
        for (int row = 0; row < kHueRows; ++row) {
            // Lightness from 0.9 (a pale tint) down to 0.1 (a dark shade).
            const double l = 0.9 - 0.8 * row / (kHueRows - 1);
            auto mix = [&](double pure) { return l <= 0.5 ? pure * 2 * l : pure + (1 - pure) * (2 * l - 1); };
            fillRect(img, c * kCellW, row * kCellH, kCellW, kCellH,
                     {byteOf(255 * mix(r)), byteOf(255 * mix(g)), byteOf(255 * mix(b)), 255}, ColourMode::Replace);
        }
        const uint8_t grey = byteOf(255.0 * c / (kColumns - 1));
        fillRect(img, c * kCellW, kHueRows * kCellH, kCellW, kCellH, {grey, grey, grey, 255}, ColourMode::Replace);
    }
    return img;
}

Image gradientPalette() {
    Image img(85, 132);
    for (int y = 0; y < 132; ++y) {
        double r, g, b;
        hueColour(360.0 * y / 132, r, g, b);
        for (int x = 0; x < 85; ++x) {
            // Black -> pure hue over the left half, pure hue -> white over the right.
            auto at = [&](double pure) { return x <= 42 ? pure * x / 42.0 : pure + (1 - pure) * (x - 42) / 42.0; };
            img.setPixel(x, y, {byteOf(255 * at(r)), byteOf(255 * at(g)), byteOf(255 * at(b)), 255});
        }
    }
    return img;
}

} // namespace pondaro
