// The scene canvas on a large scene: drawing the visible rectangle with 10,000
// instances and 20,000 tiles against drawing it with the background only, and the
// time of a click-select and of Shift-drag paint steps.
// Times are processor time of the thread, medians of many runs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/ports.h"
#include "project/canvas_pictures.h"
#include "project/model.h"
#include "project/naming.h"
#include "scene/scene_canvas.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "timing.h"

using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;

namespace {

constexpr int kSceneSide = 8000;
constexpr int kInstances = 10000;
constexpr int kTiles = 20000;
constexpr int kSprites = 50;
constexpr int kTemplates = 100;
constexpr Rect kView{3500, 3500, 1024, 768};

// A small generator of our own, so every machine builds the same scene.
struct Lcg {
    uint64_t s;
    uint32_t next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s >> 33);
    }
    int below(int n) { return int(next() % uint32_t(n)); }
};

// A 32 x 32 sprite frame: a disc with a soft edge (partly transparent pixels, as real
// sprites have), coloured by the sprite's number.
Image discFrame(int k) {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
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

Scene sceneNamed(const std::string& name) {
    Scene s = defaultScene();
    s.name = name;
    s.width = s.height = kSceneSide;
    s.background = "ground";
    s.backgroundtilex = s.backgroundtiley = 1;
    s.red = 30;
    s.green = 60;
    s.blue = 90;
    return s;
}

struct BigScene {
    Project p;
    SceneEditor full;   // the scene with its records
    SceneEditor empty;  // the same settings, background only
    std::vector<std::pair<int, int>> instanceSpots;
};

void build(BigScene& b) {
    Lcg rng{2026};
    Project& p = b.p;
    for (int k = 0; k < kSprites; ++k) {
        Sprite s = defaultSprite();
        s.name = "spr_" + std::to_string(k);
        s.centerx = s.centery = 16;
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
    p.backgrounds.add(ground);
    p.scenes.add(sceneNamed("big"));
    p.scenes.add(sceneNamed("empty"));
    for (int k = 0; k < kInstances; ++k) {
        GameObject o;
        const GameObject& t = p.objects[size_t(rng.below(kTemplates))];
        o.name = "SceneObject" + std::to_string(k);
        o.templ = t.name;
        o.sprite = t.sprite;
        o.depth = t.depth;
        o.scene = "big";
        o.x = rng.below(kSceneSide);
        o.y = rng.below(kSceneSide);
        b.instanceSpots.emplace_back(o.x, o.y);
        p.objects.add(std::move(o));
    }
    refreshCanvasImages(p);
    // Tiles of 64 cells of one 256 x 256 tile set, which all of them show, on two layers.
    const auto tileSet = std::make_shared<const Image>(noise(256, 256, rng));
    for (int k = 0; k < kTiles; ++k) {
        Tile t;
        t.name = "tile_" + std::to_string(k);
        t.background = "ground";
        const int cell = rng.below(64);
        t.left = (cell % 8) * 32;
        t.top = (cell / 8) * 32;
        t.width = t.height = 32;
        t.x = rng.below(kSceneSide / 32) * 32;
        t.y = rng.below(kSceneSide / 32) * 32;
        t.depth = k % 2 ? 1000000 : 5;
        t.scene = "big";
        t.picture = tileSet;
        p.tiles.add(std::move(t));
    }
    const Image ground256 = noise(256, 256, rng);
    b.full = makeSceneEditor("big");
    b.empty = makeSceneEditor("empty");
    b.full.backgroundPicture = b.empty.backgroundPicture = ground256;
    b.full.tab = b.empty.tab = SceneTab::Objects;
}

template <class F>
double medianOf(int runs, F&& work) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) t.push_back(cpuSecondsOf(work));
    return median(t);
}

// Counts what a render shows, so the benchmark can say how much is in view.
size_t recordsInView(const Project& p, const SceneEditor& e) {
    const SceneBox view{kView.x, kView.y, int64_t(kView.x) + kView.width, int64_t(kView.y) + kView.height};
    std::vector<uint32_t> found;
    size_t n = 0;
    e.index.instancesIn(view, found);
    for (uint32_t i : found) n += instanceArea(p, p.objects[i], 32, 32).meets(view);
    e.index.tilesIn(view, found);
    for (uint32_t i : found) n += tileArea(p.tiles[i]).meets(view);
    return n;
}

// Answers every question with No: the benchmarks never delete through a question.
struct NoDialogs : Dialogs {
    bool confirm(const std::string&) override { return false; }
    Answer confirmOrCancel(const std::string&) override { return Answer::Cancel; }
    bool ask(const std::string&, const std::string&) override { return false; }
    void error(const std::string&) override {}
    void message(const std::string&) override {}
    void warning(const std::string&) override {}
    void notice(const std::string&, const std::string&) override {}
    std::string chooseProject(const std::vector<std::string>&) override { return {}; }
    std::optional<std::string> askName(const std::string&, const std::string&) override { return std::nullopt; }
    std::string chooseFileToOpen(const std::string&, const std::string&) override { return {}; }
    std::string chooseFileToSave(const std::string&, const std::string&, const std::filesystem::path&) override {
        return {};
    }
    std::optional<int> chooseColour(int) override { return std::nullopt; }
    void showMergeResult(const std::string&) override {}
};

} // namespace

int main() {
    BigScene b;
    build(b);
    Project& p = b.p;

    // The first render builds the scene's index; every later one reuses it.
    const double indexBuild = cpuSecondsOf([&] { benchmark::DoNotOptimize(renderScene(p, b.full, kView)); });
    const size_t inView = recordsInView(p, b.full);
    const double full = medianOf(31, [&] { benchmark::DoNotOptimize(renderScene(p, b.full, kView)); });
    const double bare = medianOf(31, [&] { benchmark::DoNotOptimize(renderScene(p, b.empty, kView)); });
    const double status = medianOf(31, [&] { benchmark::DoNotOptimize(sceneStatusText(p, b.full)); });

    // Click-select on instances picked at random, each toggled twice over the runs.
    b.full.objectAction = ObjectAction::Select;
    size_t k = 0;
    const double click = medianOf(201, [&] {
        const auto [x, y] = b.instanceSpots[(k++ * 7919) % b.instanceSpots.size()];
        leftClick(p, b.full, x, y, {});
    });

    // Shift-drag placing: the pointer enters a new grid cell on every step.
    chooseObjectToPlace(p, b.full, "obj_3");
    int step = 0;
    const Modifiers shift{true, false, false};
    const double place = medianOf(201, [&] {
        ++step;
        paintStep(p, b.full, 100 + (step % 300) * 20, 100 + (step / 300) * 20, shift);
    });
    // Shift-drag erasing: each step removes what is under the pointer (one pass over
    // the table) and the next step finds the scene through a rebuilt index.
    b.full.objectAction = ObjectAction::Remove;
    k = 0;
    const double erase = medianOf(51, [&] {
        const auto [x, y] = b.instanceSpots[(k++ * 104729) % b.instanceSpots.size()];
        paintStep(p, b.full, x, y, shift);
    });
    NoDialogs no;
    benchmark::DoNotOptimize(keyDown(p, b.full, no, CanvasKey::Escape));

    const Scene& s = *p.scenes.get("big");
    std::printf("scene %d x %d: %zu instances, %zu tiles; view %d x %d at (%d, %d) showing %zu records\n", s.width,
                s.height, size_t(kInstances), p.tiles.size(), kView.width, kView.height, kView.x, kView.y,
                inView);
    std::printf("render with records (median of 31, CPU): %.3f ms\n", full * 1e3);
    std::printf("render background only (median of 31, CPU): %.3f ms\n", bare * 1e3);
    std::printf("first render, building the index: %.3f ms\n", indexBuild * 1e3);
    std::printf("status text (median of 31, CPU): %.3f ms\n", status * 1e3);
    std::printf("click-select (median of 201, CPU): %.1f us\n", click * 1e6);
    std::printf("Shift-drag paint step placing (median of 201, CPU): %.1f us\n", place * 1e6);
    std::printf("Shift-drag paint step erasing (median of 51, CPU): %.1f us\n", erase * 1e6);
    std::printf("render-to-background ratio: %.2f\n", full / bare);
    return 0;
}
