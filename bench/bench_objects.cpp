// The object window's work on a large project: the parent box and the event list
// filled as the window fills them (the rows, each row's sprite icon, each shown
// handler), and Done renaming a template placed thousands of times. Processor time of
// the thread, medians.
//
// The fills are timed on a project of 2,000 templates with 10,000 handlers and on one
// of the same shape a tenth of the size: a fill that grows linearly takes about 10
// times as long. Done is timed on the large project for the template with 5,000
// instances and for one with 50: it goes over the tables once, so the two take about
// the same time.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "image/image.h"
#include "large_project.h"
#include "quiet_ports.h"
#include "resources/object_window.h"
#include "resources/sprite_icons.h"
#include "timing.h"

using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;
using bench::medianCpuSecondsPerCall;

namespace {

// `templates` templates with 5 handlers each and as many sprites; 10 scenes of
// instances per 2,000 templates, 5,000 instances of them in all; the first template has
// `crowded` more instances, the second a hundredth of that.
Project objectsProject(int templates, int crowded) {
    bench::LargeProjectSize size;
    size.sprites = templates;
    size.templates = templates;
    size.scriptsPerTemplate = 5;
    size.scenes = std::max(1, templates / 200);
    size.instancesPerScene = 500;
    size.tilesPerScene = 0;
    size.functions = 0;
    size.sounds = 0;
    size.backgrounds = 1;
    size.tileSets = 0;
    size.extraInstances = {crowded, crowded / 100};
    Project p;
    if (Status s = bench::fillLargeProject(p, size, {}); !s) std::fprintf(stderr, "%s\n", s.message().c_str());
    return p;
}

// The parent box as the window fills it: the rows, and each row's sprite icon (made
// once and kept; a refresh looks at each sprite's first frame again).
size_t fillParentBox(const Project& p, SpriteIcons<Image>& icons, const std::string& edited) {
    icons.refresh(p);
    size_t work = 0;
    for (const BoxRow& row : parentBoxRows(p, edited))
        if (!row.sprite.empty() && icons.icon(row.sprite)) ++work;
    return work;
}

// The event list as the window fills it, and every row drawn.
size_t fillEventList(const Project& p, const std::string& templateName) {
    size_t work = 0;
    for (size_t script : eventListRows(p, templateName))
        if (const Script* s = eventRowHandler(p, templateName, script)) work += s->event.size();
    return work;
}

struct Fills {
    double parentBox, eventList;
};

Fills fills(const Project& p) {
    SpriteIcons<Image> icons(16, [](const Image& square) { return square; });
    const std::string edited = p.objects[0].name;
    fillParentBox(p, icons, edited);  // the icons are made at the first opening only
    return {medianCpuSecondsPerCall(15, 10, [&] { benchmark::DoNotOptimize(fillParentBox(p, icons, edited)); }),
            medianCpuSecondsPerCall(15, 10, [&] { benchmark::DoNotOptimize(fillEventList(p, edited)); })};
}

size_t instancesOf(const Project& p, const std::string& templateName) {
    size_t n = 0;
    for (const GameObject& o : p.objects) n += !o.isTemplate() && o.templ == templateName;
    return n;
}

// Done with a new name and depth for the template at `index`, renamed back and forth.
double renameSeconds(Project& p, size_t index, size_t& instances) {
    bench::QuietDialogs dialogs;
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        const std::string from = p.objects[index].name;
        ObjectFields fields = objectFieldsOf(p.objects[index]);
        fields.name = "renamed_" + std::to_string(run) + "_" + std::to_string(index);
        fields.depth = std::to_string(run - 4);
        times.push_back(cpuSecondsOf([&] { commitObject(p, dialogs, from, fields); }));
    }
    instances = instancesOf(p, p.objects[index].name);
    if (dialogs.errors) std::fprintf(stderr, "Done refused the new name %d times\n", dialogs.errors);
    return median(times);
}

} // namespace

int main() {
    Project large = objectsProject(2000, 5000);
    const Project small = objectsProject(200, 500);
    std::printf("large project: %zu templates, %zu handlers, %zu objects; small: %zu templates, %zu handlers\n",
                parentBoxRows(large, "").size() - 1, large.scripts.size(), large.objects.size(),
                parentBoxRows(small, "").size() - 1, small.scripts.size());

    const Fills big = fills(large), little = fills(small);
    std::printf("parent box fill: 2,000 templates %.3f ms, 200 templates %.4f ms, ratio %.1f\n", big.parentBox * 1e3,
                little.parentBox * 1e3, big.parentBox / little.parentBox);
    std::printf("event list fill: 10,000 handlers %.3f ms, 1,000 handlers %.4f ms, ratio %.1f\n", big.eventList * 1e3,
                little.eventList * 1e3, big.eventList / little.eventList);

    size_t crowdedCount = 0, fewCount = 0;
    const double crowded = renameSeconds(large, 0, crowdedCount);
    const double few = renameSeconds(large, 1, fewCount);
    std::printf("Done renaming a template: %zu instances %.3f ms, %zu instances %.3f ms, ratio %.2f\n", crowdedCount,
                crowded * 1e3, fewCount, few * 1e3, crowded / few);
    return 0;
}
