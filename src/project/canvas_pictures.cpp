#include "project/canvas_pictures.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "image/draw.h"
#include "image/rotate.h"

namespace pondaro {

std::unordered_map<std::string_view, const Image*> firstFrames(const Project& p) {
    std::unordered_map<std::string_view, const Image*> first;
    for (const Frame& f : p.frames) first.try_emplace(f.sprite, &f.image);
    return first;
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
    const std::string& sprite = p.objects[objectIndex].sprite;
    const Image* first = sprite.empty() ? nullptr : p.firstFrameImage(sprite);
    p.objects.edit(objectIndex, [&](GameObject& o) {
        if (first && !first->empty()) o.canvasImage = std::make_shared<const Image>(*first);
        else o.canvasImage.reset();
        rebuildDisplayImage(o);
    });
}

void refreshCanvasImages(Project& p) {
    std::unordered_map<std::string, std::shared_ptr<const Image>> firstFrames;
    for (const Frame& f : p.frames) {
        auto& slot = firstFrames[f.sprite];
        if (!slot) slot = std::make_shared<const Image>(f.image);  // the first frame only
    }
    p.objects.editEach([&](GameObject& o) {
        auto it = o.sprite.empty() ? firstFrames.end() : firstFrames.find(o.sprite);
        if (it != firstFrames.end() && it->second && !it->second->empty()) o.canvasImage = it->second;
        else o.canvasImage.reset();
        rebuildDisplayImage(o);
    });
}

void drawTile(Image& dst, const Tile& t, long long x, long long y, int opacity) {
    if (t.width <= 0 || t.height <= 0 || opacity <= 0) return;
    const PixelRect part{t.left, t.top, (long long)t.left + t.width, (long long)t.top + t.height};
    if (t.picture) drawOver(dst, *t.picture, part, x, y, opacity);
    else if (t.pictureMissing)
        fillRect(dst, x, y, t.width, t.height, {255, 0, 0, uint8_t(std::min(opacity, 255))}, ColourMode::AlphaBlend);
}

} // namespace pondaro
