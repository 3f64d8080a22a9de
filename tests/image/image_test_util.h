#pragma once
// Small helpers shared by the image tests.
#include <string>

#include "image/image.h"
#include "project/model.h"

namespace pondaro::testing {

// Every pixel different: red and green follow x and y, blue mixes both, alpha is
// opaque except a few partly transparent pixels.
inline Image patterned(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, {uint8_t(10 + x * 7), uint8_t(20 + y * 11), uint8_t((x * 31 + y * 17) & 255),
                                uint8_t((x + y) % 5 == 0 ? 128 : 255)});
    return img;
}

inline Image filled(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

// Adds a frame of the sprite to the frame list and returns its index.
inline int addFrame(Project& p, const std::string& sprite, const std::string& file, Image img) {
    p.frames.push_back(Frame{file, sprite, std::move(img)});
    return int(p.frames.size() - 1);
}

// Adds a sprite with default fields and returns its index.
inline size_t addSprite(Project& p, const std::string& name) {
    Sprite s;
    s.name = name;
    s.collisionshape = "Box";
    return p.sprites.add(std::move(s));
}

inline int countPixels(const Image& img, Rgba c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
    return n;
}

} // namespace pondaro::testing
