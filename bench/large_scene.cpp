#include "large_scene.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "project/canvas_pictures.h"
#include "project/naming.h"

namespace pondaro::bench {

namespace {

constexpr int kSprites = 50;
constexpr int kTemplates = 100;
constexpr int kCell = 32;

struct Lcg {
    uint64_t s;
    uint32_t next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s >> 33);
    }
    int below(int n) { return int(next() % uint32_t(std::max(n, 1))); }
};

// A disc with a soft edge (partly transparent pixels, as real sprites have), coloured
// by the sprite's number.
Image discFrame(int k) {
    Image img(kCell, kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const double dx = x - 15.5, dy = y - 15.5, d = std::sqrt(dx * dx + dy * dy);
            const double a = std::clamp(15.5 - d, 0.0, 1.0);
            if (a > 0) img.setPixel(x, y, {uint8_t(40 + k * 4), uint8_t(200 - k * 3), uint8_t(k * 5), uint8_t(a * 255)});
        }
    return img;
}

Image noise(int w, int h, Lcg& rng) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, {uint8_t(rng.next()), uint8_t(rng.next()), uint8_t(rng.next()), 255});
    return img;
}

} // namespace

void addLargeSceneResources(Project& p) {
    for (int k = 0; k < kSprites; ++k) {
        Sprite s = defaultSprite();
        s.name = "spr_" + std::to_string(k);
        s.centerx = s.centery = kCell / 2;
        p.sprites.add(s);
        p.frames.push_back({"0", s.name, discFrame(k)});
    }
    for (int k = 0; k < kTemplates; ++k) {
        GameObject o = defaultObjectTemplate();
        o.name = "obj_" + std::to_string(k);
        o.sprite = "spr_" + std::to_string(k % kSprites);
        o.depth = (k % 4) * 10;
        p.objects.add(o);
    }
    Background ground = defaultBackground();
    ground.name = "ground";
    ground.file = "ground.png";
    ground.tile = 1;
    ground.tilewidth = ground.tileheight = kCell;
    p.backgrounds.add(ground);
}

std::vector<std::pair<int, int>> addLargeScene(Project& p, const std::string& name, const LargeSceneSize& size,
                                               uint64_t seed) {
    Lcg rng{seed};
    Scene s = defaultScene();
    s.name = name;
    s.width = s.height = size.side;
    s.background = "ground";
    s.backgroundtilex = s.backgroundtiley = 1;
    s.red = 30;
    s.green = 60;
    s.blue = 90;
    p.scenes.add(s);
    for (int depth : {5, 1000000}) {
        Layer l;
        l.name = name + "_layer_" + std::to_string(depth);
        l.scene = name;
        l.value = depth;
        p.layers.add(l);
    }
    std::vector<std::pair<int, int>> spots;
    p.objects.reserve(p.objects.size() + size_t(size.instances));
    for (int k = 0; k < size.instances; ++k) {
        GameObject o;
        const GameObject& t = p.objects[size_t(rng.below(kTemplates))];
        o.name = name + "_SceneObject" + std::to_string(k);
        o.templ = t.name;
        o.sprite = t.sprite;
        o.depth = t.depth;
        o.scene = name;
        o.x = rng.below(size.side);
        o.y = rng.below(size.side);
        spots.emplace_back(o.x, o.y);
        p.objects.add(std::move(o));
    }
    refreshCanvasImages(p);
    // The ground's picture, shared by all tiles, each showing one of its 64 cells.
    const auto ground = std::make_shared<const Image>(largeSceneGround());
    p.tiles.reserve(p.tiles.size() + size_t(size.tiles));
    for (int k = 0; k < size.tiles; ++k) {
        Tile t;
        t.name = name + "_tile_" + std::to_string(k);
        t.background = "ground";
        const int cell = rng.below(64);
        t.left = (cell % 8) * kCell;
        t.top = (cell / 8) * kCell;
        t.width = t.height = kCell;
        t.x = rng.below(size.side / kCell) * kCell;
        t.y = rng.below(size.side / kCell) * kCell;
        t.depth = k % 2 ? 1000000 : 5;
        t.scene = name;
        t.picture = ground;
        p.tiles.add(std::move(t));
    }
    return spots;
}

Image largeSceneGround() {
    Lcg rng{7};
    return noise(256, 256, rng);
}

} // namespace pondaro::bench
