// Game export of the large project against opening the same project, the parent-first
// object order against the rule it reproduces, applied literally, and the export of a
// long chain of templates listed child first against the same chain parent first.
// Ratios are the figures to compare: absolute times depend on the machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/files.h"
#include "export/game_files.h"
#include "export/object_order.h"
#include "large_project.h"
#include "project/project_file.h"
#include "project/working_folder.h"
#include "timing.h"

namespace fs = std::filesystem;
using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;

namespace {

struct Obj {
    std::string name, parent;
    bool isTemplate;
};

// The rule as written: n passes over every pair of positions.
std::vector<size_t> literalOrder(const std::vector<Obj>& objs) {
    const size_t n = objs.size();
    std::vector<size_t> at(n);
    for (size_t i = 0; i < n; ++i) at[i] = i;
    for (size_t pass = 0; pass < n; ++pass)
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j)
                if (objs[at[i]].isTemplate && objs[at[i]].parent == objs[at[j]].name && j > i) std::swap(at[i], at[j]);
    return at;
}

// n templates, each the parent of the next: "c1" the root. Listed child first (the
// deepest template leads) or parent first; `rootParent` closes the chain into a cycle.
std::vector<Obj> chain(size_t n, bool childFirst, const std::string& prefix = "c", const std::string& rootParent = "") {
    std::vector<Obj> objs;
    for (size_t k = 1; k <= n; ++k) {
        const size_t i = childFirst ? n + 1 - k : k;
        objs.push_back({prefix + std::to_string(i), i > 1 ? prefix + std::to_string(i - 1) : rootParent, true});
    }
    return objs;
}

// The shapes that cost a swap-by-swap simulation of the rule most.
std::vector<std::pair<const char*, std::vector<Obj>>> orderShapes(size_t n) {
    std::vector<std::pair<const char*, std::vector<Obj>>> shapes;
    shapes.push_back({"one chain listed child first", chain(n, true)});
    std::vector<Obj> interleaved;
    std::vector<std::vector<Obj>> chains;
    for (const char* prefix : {"a", "b", "c", "d"}) chains.push_back(chain(n / 4, true, prefix));
    for (size_t i = 0; i < n / 4; ++i)
        for (const auto& c : chains) interleaved.push_back(c[i]);
    shapes.push_back({"four chains interleaved", interleaved});
    shapes.push_back({"a chain whose root names a template two links down", chain(n, true, "c", "c3")});
    shapes.push_back({"a chain whose root names a template halfway down", chain(n, true, "c", "c" + std::to_string(n / 2))});
    shapes.push_back({"a chain closed into one cycle", chain(n, true, "c", "c" + std::to_string(n))});
    std::vector<Obj> wide;
    for (size_t i = 1; i < n; ++i) wide.push_back({"k" + std::to_string(i), "p", true});
    wide.push_back({"p", "", true});
    shapes.push_back({"one parent with its children listed first", wide});
    return shapes;
}

std::vector<size_t> fastOrder(const std::vector<Obj>& objs) {
    std::vector<OrderEntry> entries;
    for (const auto& o : objs) entries.push_back({&o.name, &o.parent, o.isTemplate});
    return parentFirstOrder(entries);
}

// The game script of a project holding only the templates.
double exportSeconds(const std::vector<Obj>& objs, const std::string& engine) {
    Project p;
    p.name = "chain";
    int uid = 1;
    for (const Obj& o : objs) {
        GameObject g;
        g.prototype = 1;
        g.name = o.name;
        g.parent = o.parent;
        g.uid = ++uid;
        p.objects.add(std::move(g));
    }
    return cpuSecondsOf([&] {
        std::string script = gameScript(p, {}, engine, "");
        benchmark::DoNotOptimize(script);
    });
}

} // namespace

int main(int argc, char** argv) {
    const int scale = bench::takeScaleFlag(argc, argv);
    std::string pattern = (fs::temp_directory_path() / "pondaro-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path root = pattern;
    const std::string name = "large";
    if (Status s = bench::writeLargeProject(root, name, bench::largeProjectSize(scale)); !s) {
        std::fprintf(stderr, "%s\n", s.message().c_str());
        return 1;
    }
    std::string engine;
    if (!readFile(fs::path(PONDARO_SOURCE_DIR) / "data" / "export.js", engine, kEngineTemplateLimit))
        engine = "//PONDARO_VERSION\n//PONDARO_EXTENSIONS\n//PONDARO_GLOBAL_VARIABLES\n//PONDARO_GLOBAL_FUNCTIONS\n"
                 "//PONDARO_SPRITES\n//PONDARO_SOUNDS\n//PONDARO_MUSICS\n//PONDARO_BACKGROUNDS\n//PONDARO_FONTS\n"
                 "//PONDARO_OBJECTS\n//PONDARO_SCENES\n";

    std::vector<double> opens, exports;
    size_t scriptBytes = 0, instances = 0;
    for (int run = 0; run < 3; ++run) {
        Project p;
        p.workingFolder = createWorkingFolder(root, bench::timeOfDayNow());
        opens.push_back(cpuSecondsOf([&] {
            if (!readProject(p, name, false, root)) std::exit(1);
        }));
        p.name = name;
        instances = p.objects.size();
        exports.push_back(cpuSecondsOf([&] {
            std::string script = gameScript(p, {}, engine, "");
            benchmark::DoNotOptimize(script);
            scriptBytes = script.size();
        }));
        removeAll(root / p.workingFolder);
    }
    removeAll(root);
    const double open = median(opens), exported = median(exports);
    std::printf("project (scale 1/%d): %zu objects; game.js %.1f MB\n", scale, instances, double(scriptBytes) / 1e6);
    std::printf("open (median of 3, CPU): %.1f ms\n", open * 1e3);
    std::printf("game script (median of 3, CPU): %.1f ms\n", exported * 1e3);
    std::printf("export-to-open ratio: %.2f\n", exported / open);

    // 2,000 objects: templates in chains listed child first, instances in between.
    std::mt19937 rng(2026);
    std::vector<Obj> objs;
    const size_t n = 2000;
    for (size_t i = 0; i < n; ++i) {
        size_t id = n - 1 - i;
        bool tmpl = id % 4 != 0;
        std::string parent = tmpl && id % 40 != 1 ? "o" + std::to_string(id - 1) : "";
        objs.push_back({"o" + std::to_string(id), parent, tmpl});
    }
    std::vector<OrderEntry> entries;
    for (const auto& o : objs) entries.push_back({&o.name, &o.parent, o.isTemplate});
    std::vector<size_t> fast, literal;
    std::vector<double> fastTimes;
    for (int run = 0; run < 5; ++run) fastTimes.push_back(cpuSecondsOf([&] { fast = parentFirstOrder(entries); }));
    const double literalTime = cpuSecondsOf([&] { literal = literalOrder(objs); });
    std::printf("object order of %zu objects: literal rule %.1f ms, near-linear %.3f ms, ratio %.0f, same order: %s\n", n,
                literalTime * 1e3, median(fastTimes) * 1e3, literalTime / median(fastTimes), fast == literal ? "yes" : "NO");
    bool same = fast == literal;

    // The shapes at 500 objects against the literal rule, then at 16,000 alone.
    for (const auto& [shape, objs] : orderShapes(500)) {
        const bool match = fastOrder(objs) == literalOrder(objs);
        same = same && match;
        std::printf("%s, 500 objects: same order as the literal rule: %s\n", shape, match ? "yes" : "NO");
    }
    for (const auto& [shape, objs] : orderShapes(16000)) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) times.push_back(cpuSecondsOf([&] { benchmark::DoNotOptimize(fastOrder(objs)); }));
        std::printf("%s, 16000 objects: object order %.2f ms\n", shape, median(times) * 1e3);
    }

    // Exporting a chain of 16,000 templates listed child first, against the same
    // project listed parent first (median of 5 each, alternately).
    std::vector<double> childFirst, parentFirst;
    const std::vector<Obj> reversed = chain(16000, true), forward = chain(16000, false);
    for (int run = 0; run < 5; ++run) {
        childFirst.push_back(exportSeconds(reversed, engine));
        parentFirst.push_back(exportSeconds(forward, engine));
    }
    std::printf("export of a 16000-template chain (median of 5, CPU): child first %.1f ms, parent first %.1f ms\n",
                median(childFirst) * 1e3, median(parentFirst) * 1e3);
    std::printf("chain-child-first-to-parent-first export ratio: %.2f\n", median(childFirst) / median(parentFirst));
    return same ? 0 : 1;
}
