#include "scene/display_copy.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <unordered_map>

namespace pondaro {

namespace {

// dst(x, y) = src(map(x, y)) for the exact quarter turns.
template <class Map>
Image quarterTurn(const Image& src, int w, int h, Map map) {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto [sx, sy] = map(x, y);
            out.setPixel(x, y, src.pixel(sx, sy));
        }
    return out;
}

} // namespace

Image turnedCopy(const Image& image, int angle) {
    if (image.empty()) return {};
    const int a = ((angle % 360) + 360) % 360;
    const int w = image.width(), h = image.height();
    switch (a) {
    case 0: return image;
    // Counter-clockwise on screen: the top-right corner comes to the top left.
    case 90: return quarterTurn(image, h, w, [&](int x, int y) { return std::pair{w - 1 - y, x}; });
    case 180: return quarterTurn(image, w, h, [&](int x, int y) { return std::pair{w - 1 - x, h - 1 - y}; });
    case 270: return quarterTurn(image, h, w, [&](int x, int y) { return std::pair{y, h - 1 - x}; });
    default: break;
    }
    const double rad = a * std::numbers::pi / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    const int nw = int(std::floor(w * std::abs(c) + h * std::abs(s) + 0.9));
    const int nh = int(std::floor(h * std::abs(c) + w * std::abs(s) + 0.9));
    Image out(nw, nh);
    const double ncx = nw / 2.0, ncy = nh / 2.0, cx = w / 2.0, cy = h / 2.0;
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x) {
            // Undo the turn for the pixel's centre: screen y points down, so a
            // counter-clockwise turn maps (u, v) to (u cos + v sin, -u sin + v cos).
            const double u = x + 0.5 - ncx, v = y + 0.5 - ncy;
            const double su = u * c - v * s, sv = u * s + v * c;
            const int sx = int(std::floor(su + cx)), sy = int(std::floor(sv + cy));
            if (image.contains(sx, sy)) out.setPixel(x, y, image.pixel(sx, sy));
        }
    return out;
}

void rebuildDisplayImage(GameObject& o) {
    if (!o.canvasImage || o.canvasImage->empty()) {
        o.displayImage.reset();
        return;
    }
    if (o.image_angle % 360 == 0) {
        o.displayImage = o.canvasImage;  // both are read-only, so the copy can be shared
        return;
    }
    o.displayImage = std::make_shared<const Image>(turnedCopy(*o.canvasImage, o.image_angle));
}

void refreshCanvasImage(Project& p, size_t objectIndex) {
    if (objectIndex >= p.objects.size()) return;
    GameObject& o = p.objects[objectIndex];
    const Image* first = o.sprite.empty() ? nullptr : p.firstFrameImage(o.sprite);
    if (first && !first->empty()) o.canvasImage = std::make_shared<const Image>(*first);
    else o.canvasImage.reset();
    rebuildDisplayImage(o);
}

void refreshCanvasImages(Project& p) {
    std::unordered_map<std::string, std::shared_ptr<const Image>> firstFrames;
    for (const Frame& f : p.frames) {
        auto& slot = firstFrames[f.sprite];
        if (!slot) slot = std::make_shared<const Image>(f.image);  // the first frame only
    }
    for (GameObject& o : p.objects) {
        auto it = o.sprite.empty() ? firstFrames.end() : firstFrames.find(o.sprite);
        if (it != firstFrames.end() && it->second && !it->second->empty()) o.canvasImage = it->second;
        else o.canvasImage.reset();
        rebuildDisplayImage(o);
    }
}

} // namespace pondaro
