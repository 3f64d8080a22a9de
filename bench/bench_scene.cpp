// The scene canvas on the large scene (8,000 x 8,000, 10,000 instances, 20,000 tiles)
// seen through a 1,400 x 900 view: drawing the view against a plain copy of a picture
// of that size, the editing steps against one drawing, and opening the editor on a
// small and a huge scene holding the same records.
// Times are processor time of the thread, medians of many runs.
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/ports.h"
#include "large_scene.h"
#include "quiet_ports.h"
#include "project/model.h"
#include "scene/scene_canvas.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "timing.h"

using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;

namespace {

constexpr Rect kView{3500, 3500, 1400, 900};

template <class F>
std::vector<double> timesOf(int runs, F&& work) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) t.push_back(cpuSecondsOf(work));
    return t;
}
template <class F>
double medianOf(int runs, F&& work) {
    return median(timesOf(runs, work));
}

SceneEditor editorOf(const std::string& scene, const Image& ground) {
    SceneEditor e = makeSceneEditor(scene);
    e.backgroundPicture = ground;
    e.tab = SceneTab::Objects;
    return e;
}

// What the instance list does after a key: its row count, the selected rows, and the
// texts of the rows in view.
void refreshListRows(const Project& p, const SceneEditor& e) {
    benchmark::DoNotOptimize(instanceRowCount(p, e));
    benchmark::DoNotOptimize(selectedInstanceRows(p, e));
    for (size_t row = 0; row < 40; ++row) benchmark::DoNotOptimize(instanceRowAt(p, e, row));
}

size_t heapInUse() { return mallinfo2().uordblks; }

struct Opening {
    double seconds = 0;
    size_t bytes = 0;
};

// Opening the editor on a scene: the editor, the first drawing of the view (which
// builds the index), the status and the list.
Opening openOn(const Project& p, const std::string& scene, const Image& ground) {
    Opening o;
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const size_t before = heapInUse();
        std::optional<SceneEditor> e;
        times.push_back(cpuSecondsOf([&] {
            e = editorOf(scene, ground);
            benchmark::DoNotOptimize(renderScene(p, *e, {0, 0, kView.width, kView.height}));
            benchmark::DoNotOptimize(sceneStatusText(p, *e));
            refreshListRows(p, *e);
        }));
        o.bytes = heapInUse() - before;
    }
    o.seconds = median(times);
    return o;
}

} // namespace

int main() {
    Project p;
    bench::addLargeSceneResources(p);
    const auto spots = bench::addLargeScene(p, "big", {});
    bench::addLargeScene(p, "empty", {8000, 0, 0});
    const Image ground = bench::largeSceneGround();
    SceneEditor full = editorOf("big", ground), empty = editorOf("empty", ground);

    // The yardstick: a plain copy of a picture of the view's size.
    Image picture(kView.width, kView.height);
    picture.fill({1, 2, 3, 255});
    const double copy = medianOf(31, [&] {
        Image copied = picture;
        benchmark::DoNotOptimize(copied.data());
    });

    // The window draws into the picture of its last drawing.
    CanvasPicture view, bareView;
    const double indexBuild = cpuSecondsOf([&] { renderScene(p, full, kView, view); });
    const double render = medianOf(31, [&] {
        renderScene(p, full, kView, view);
        benchmark::DoNotOptimize(view.image.data());
    });
    const double bare = medianOf(31, [&] {
        renderScene(p, empty, kView, bareView);
        benchmark::DoNotOptimize(bareView.image.data());
    });
    if (const char* loops = std::getenv("PONDARO_BENCH_RENDER_LOOPS"))  // for a profiler
        for (int i = std::atoi(loops); i > 0; --i) renderScene(p, full, kView, view);
    const double status = medianOf(31, [&] { benchmark::DoNotOptimize(sceneStatusText(p, full)); });

    // Click-select on instances picked at random, each toggled twice over the runs.
    full.objectAction = ObjectAction::Select;
    size_t k = 0;
    const double click = medianOf(201, [&] {
        const auto [x, y] = spots[(k++ * 7919) % spots.size()];
        leftClick(p, full, x, y, {});
    });
    bench::QuietDialogs no;
    keyDown(p, full, no, CanvasKey::Escape);

    // 200 Shift paint steps placing tiles, each in a new grid cell.
    full.tab = SceneTab::Tiles;
    full.tileImage = "ground";
    full.tileSetImage = std::make_shared<const Image>(ground);
    full.tileSelection = {0, 0, 32, 32};
    Image cell(32, 32);
    copyInto(cell, ground, 0, 0);
    full.selectedTileImage = std::make_shared<const Image>(cell);
    full.currentLayer = 5;
    const Modifiers shift{true, false, false};
    int step = 0;
    const size_t tilesBefore = p.tiles.size();
    const std::vector<double> tileSteps = timesOf(200, [&] {
        ++step;
        paintStep(p, full, 3500 + (step % 60) * 20, 3500 + (step / 60) * 20, shift);
    });
    const size_t tilesPlaced = p.tiles.size() - tilesBefore;

    // One arrow step moving 1,000 selected instances, with the list refreshed.
    full.tab = SceneTab::Objects;
    for (size_t i = 0, selected = 0; i < p.objects.size() && selected < 1000; ++i)
        if (!p.objects[i].isTemplate() && p.objects[i].scene == "big") {
            p.objects.edit(i, [](GameObject& o) { o.selected = 1; });
            ++selected;
        }
    benchmark::DoNotOptimize(renderScene(p, full, kView));  // the index, in step again
    int turn = 0;
    const double arrow = medianOf(21, [&] {
        keyDown(p, full, no, ++turn % 2 ? CanvasKey::Right : CanvasKey::Left);
        refreshListRows(p, full);
    });

    // Shift-drag placing and erasing instances.
    full.objectAction = ObjectAction::Place;
    chooseObjectToPlace(p, full, "obj_3");
    const double place = medianOf(201, [&] {
        ++step;
        paintStep(p, full, 100 + (step % 300) * 20, 100 + (step / 300) * 20, shift);
    });
    full.objectAction = ObjectAction::Remove;
    k = 0;
    const double erase = medianOf(51, [&] {
        const auto [x, y] = spots[(k++ * 104729) % spots.size()];
        paintStep(p, full, x, y, shift);
    });

    // Opening on a small and a huge scene with the same records.
    Project sized;
    bench::addLargeSceneResources(sized);
    bench::addLargeScene(sized, "small", {2000, 10000, 20000});
    bench::addLargeScene(sized, "huge", {20000, 10000, 20000});
    const Opening small = openOn(sized, "small", ground), huge = openOn(sized, "huge", ground);

    const double tileMedian = median(tileSteps), tileMax = *std::max_element(tileSteps.begin(), tileSteps.end());
    std::printf("scene 8000 x 8000: 10000 instances, 20000 tiles; view %d x %d at (%d, %d)\n", kView.width,
                kView.height, kView.x, kView.y);
    std::printf("plain copy of a %d x %d picture (median of 31, CPU): %.3f ms\n", kView.width, kView.height, copy * 1e3);
    std::printf("drawing the view with its records (median of 31): %.3f ms = %.2f x the copy\n", render * 1e3,
                render / copy);
    std::printf("drawing the view, background only (median of 31): %.3f ms = %.2f x the copy\n", bare * 1e3,
                bare / copy);
    std::printf("first drawing, building the index: %.3f ms\n", indexBuild * 1e3);
    std::printf("status text (median of 31): %.3f ms\n", status * 1e3);
    std::printf("click-select (median of 201): %.1f us\n", click * 1e6);
    std::printf("Shift paint step placing a tile (%zu of 200 placed): median %.1f us, slowest %.1f us = %.3f x one "
                "drawing\n",
                tilesPlaced, tileMedian * 1e6, tileMax * 1e6, tileMax / render);
    std::printf("arrow step moving 1000 selected instances, list refreshed (median of 21): %.3f ms = %.2f x one "
                "drawing\n",
                arrow * 1e3, arrow / render);
    std::printf("Shift paint step placing an instance (median of 201): %.1f us\n", place * 1e6);
    std::printf("Shift paint step erasing (median of 51): %.1f us\n", erase * 1e6);
    std::printf("opening on 2000 x 2000: %.3f ms, %.1f MB held; on 20000 x 20000: %.3f ms, %.1f MB held (%.2f x the "
                "time, %.2f x the memory)\n",
                small.seconds * 1e3, double(small.bytes) / 1e6, huge.seconds * 1e3, double(huge.bytes) / 1e6,
                huge.seconds / small.seconds, double(huge.bytes) / double(std::max<size_t>(small.bytes, 1)));
    return 0;
}
