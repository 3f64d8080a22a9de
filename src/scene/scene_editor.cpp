#include "scene/scene_editor.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace pondaro {

SceneEditor makeSceneEditor(std::string scene) {
    SceneEditor e;
    e.scene = std::move(scene);
    return e;
}

int gridStep(const Scene& scene) { return std::max(scene.gridsize, 1); }

namespace {
int floorDiv(int v, int grid) {
    grid = std::max(grid, 1);
    return int(std::floor(double(v) / double(grid)));
}
} // namespace

CellPos gridCell(int x, int y, int grid) { return {floorDiv(x, grid), floorDiv(y, grid)}; }

int snapDown(int v, int grid) {
    grid = std::max(grid, 1);
    const long long s = (long long)floorDiv(v, grid) * grid;
    return int(std::clamp<long long>(s, INT32_MIN, INT32_MAX));
}

CellPos placePosition(const Scene& scene, int x, int y) {
    if (!scene.snap) return {x, y};
    return {snapDown(x, gridStep(scene)), snapDown(y, gridStep(scene))};
}

Origin instanceOrigin(const Project& p, const GameObject& o) {
    if (o.sprite.empty()) return {7, 7};
    const Sprite* s = p.sprites.get(o.sprite);
    if (!s) return {0, 0};
    return {s->centerx, s->centery};
}

bool hasCanvasImage(const GameObject& o) { return o.canvasImage && !o.canvasImage->empty(); }
int hitWidth(const GameObject& o) { return hasCanvasImage(o) ? o.canvasImage->width() : 15; }
int hitHeight(const GameObject& o) { return hasCanvasImage(o) ? o.canvasImage->height() : 15; }

namespace {
bool inBox(long long left, long long top, long long w, long long h, int px, int py) {
    return left <= px && px <= left + w && top <= py && py <= top + h;
}
} // namespace

bool instanceHit(const Project& p, const GameObject& o, std::span<const Size> spriteFrames, int px, int py) {
    const Origin origin = instanceOrigin(p, o);
    const long long left = (long long)o.x - origin.x, top = (long long)o.y - origin.y;
    if (!hasCanvasImage(o)) return inBox(left, top, 15, 15, px, py);
    if (spriteFrames.empty()) return inBox(left, top, hitWidth(o), hitHeight(o), px, py);
    return std::any_of(spriteFrames.begin(), spriteFrames.end(),
                       [&](Size f) { return inBox(left, top, f.width, f.height, px, py); });
}

bool instanceHit(const Project& p, const GameObject& o, int px, int py) {
    std::vector<Size> frames;
    if (hasCanvasImage(o))
        for (const Frame& f : p.frames)
            if (f.sprite == o.sprite) frames.push_back({f.image.width(), f.image.height()});
    return instanceHit(p, o, frames, px, py);
}

bool tileHit(const Tile& t, int px, int py) {
    return t.x < px && (long long)px < (long long)t.x + t.width && t.y < py && (long long)py < (long long)t.y + t.height;
}

} // namespace pondaro
