// The resource panel's rebuild, as the main window does it after every change of the
// project: for each of the eight pages the records under the keyword filter, the
// keyword list, the grid for the page width and the cells in view; and a sort by
// name. Timed for 10,000 records and for 100, in processor time of the thread.
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/resource_panel.h"
#include "project/naming.h"
#include "quiet_ports.h"
#include "timing.h"

using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;

namespace {

const char* const kWords[] = {"player", "enemy", "wall", "coin", "boss", "level1", "level2", "ui", "sky", "water"};

// A project of `total` records spread over the eight pages, each with two keywords.
Project project(int total) {
    Project p;
    for (int i = 0; i < total; ++i) {
        const std::string keywords = std::string(kWords[i % 10]) + ", " + kWords[(i / 10) % 10];
        switch (i % 8) {
        case 0: createSprite(p, keywords); break;
        case 1: createSound(p, keywords); break;
        case 2: createMusic(p, keywords); break;
        case 3: createBackground(p, keywords); break;
        case 4: createFont(p, keywords); break;
        case 5: createObject(p, keywords); break;
        case 6: createScene(p, keywords); break;
        case 7: createFunction(p, keywords); break;
        }
    }
    return p;
}

// One rebuild of every page at a page width of 1590, scrolled to the middle.
size_t rebuild(const Project& p, const std::string& filter) {
    size_t work = 0;
    for (int c = 0; c < kPanelCategoryCount; ++c) {
        const PanelCategory category = panelCategory(c);
        const auto shown = shownRecords(p, category, filter);
        const auto rows = keywordRows(p, category);
        const int columns = gridColumns(1590);
        const int cells = int(shown.size()) + 1;
        const int height = pageHeight(cells, columns);
        const CellRange view = visibleCells(height / 2, height / 2 + 900, columns, cells);
        work += shown.size() + rows.size() + size_t(view.last - view.first);
    }
    return work;
}

double rebuildSeconds(const Project& p, const std::string& filter) {
    std::vector<double> times;
    for (int run = 0; run < 9; ++run)
        times.push_back(cpuSecondsOf([&] { benchmark::DoNotOptimize(rebuild(p, filter)); }));
    return median(times);
}

double sortSeconds(int total) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        Project p = project(total);
        bench::QuietDialogs dialogs;
        bench::NoShell shell;
        SystemClock clock;
        Studio studio(dialogs, shell, clock, ".");
        studio.project = std::move(p);
        times.push_back(cpuSecondsOf([&] {
            for (int c = 0; c < kPanelCategoryCount; ++c)
                sortCategory(studio, panelCategory(c), SortOrder::Descending);
        }));
    }
    return median(times);
}

} // namespace

int main() {
    const Project large = project(10000), small = project(100);
    const double largeAll = rebuildSeconds(large, ""), smallAll = rebuildSeconds(small, "");
    const double largeFiltered = rebuildSeconds(large, "boss, LEVEL2");
    const double smallFiltered = rebuildSeconds(small, "boss, LEVEL2");
    std::printf("panel rebuild, 10,000 records (median of 9): %.3f ms, filtered by two words: %.3f ms\n",
                largeAll * 1e3, largeFiltered * 1e3);
    std::printf("panel rebuild, 100 records (median of 9): %.4f ms, filtered by two words: %.4f ms\n",
                smallAll * 1e3, smallFiltered * 1e3);
    std::printf("rebuild-10000-to-100 ratio: %.0f (filtered: %.0f)\n", largeAll / smallAll,
                largeFiltered / smallFiltered);
    const double sortLarge = sortSeconds(10000), sortSmall = sortSeconds(100);
    std::printf("sort every page by name descending: 10,000 records %.3f ms, 100 records %.4f ms\n", sortLarge * 1e3,
                sortSmall * 1e3);
    return 0;
}
