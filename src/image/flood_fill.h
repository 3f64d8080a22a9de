#pragma once
// Filling the 4-connected area around a pixel: up, down, left and right steps only,
// never diagonally.
#include <cstdint>
#include <vector>

#include "image/image.h"

namespace pondaro {

// Every pixel reachable from (x, y) through pixels whose red, green and blue equal
// the start pixel's (alpha is not compared) gets all four channels of the colour.
// A start outside the image fills nothing. It ends also when the colour's red, green
// and blue are the start pixel's own, where a filled pixel still matches.
void floodFill(Image& img, int x, int y, Rgba colour);

// The scanline fill behind floodFill, over any grid: fills the 4-connected area of
// pixels for which inside(x, y) holds, starting at (x, y), calling fill(x0, x1, y)
// for each run of pixels [x0, x1] of a row. `inside` must turn false for a pixel
// once it has been filled, so every pixel is filled once.
template <class Inside, class Fill>
void scanlineFill(int width, int height, int x, int y, Inside inside, Fill fill) {
    if (x < 0 || y < 0 || x >= width || y >= height || !inside(x, y)) return;
    struct Seed {
        int x, y;
    };
    std::vector<Seed> stack{{x, y}};
    while (!stack.empty()) {
        Seed s = stack.back();
        stack.pop_back();
        if (!inside(s.x, s.y)) continue;
        int left = s.x, right = s.x;
        while (left > 0 && inside(left - 1, s.y)) --left;
        while (right + 1 < width && inside(right + 1, s.y)) ++right;
        fill(left, right, s.y);
        // One seed for every run of inside pixels in the rows above and below.
        for (int row : {s.y - 1, s.y + 1}) {
            if (row < 0 || row >= height) continue;
            bool inRun = false;
            for (int cx = left; cx <= right; ++cx) {
                if (inside(cx, row)) {
                    if (!inRun) stack.push_back({cx, row});
                    inRun = true;
                } else {
                    inRun = false;
                }
            }
        }
    }
}

} // namespace pondaro
