// Save and Run (F5) of the large project as the studio does them after an edit: the
// save writes only the files that changed (the project file only when a value it holds
// changed), and the game is built from the project in memory. Each figure is
// measured alternately with the baseline it is compared to, in the same run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_stamp.h"
#include "base/files.h"
#include "export/game_files.h"
#include "extensions/extension_file.h"
#include "large_project.h"
#include "project/project_file.h"
#include "project/working_folder.h"
#include "timing.h"

namespace fs = std::filesystem;
using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;
using bench::secondsOf;

namespace {

void check(const Status& s, const char* what) {
    if (s) return;
    std::fprintf(stderr, "%s failed: %s\n", what, s.message().c_str());
    std::exit(1);
}

// Wall-clock and processor time of one piece of work.
struct Times {
    std::vector<double> wall, cpu;
    template <class F>
    void measure(F&& work) {
        double c = 0;
        wall.push_back(secondsOf([&] { c = cpuSecondsOf(work); }));
        cpu.push_back(c);
    }
};

void print(const char* what, const Times& t) {
    std::printf("%-34s wall %8.1f ms   CPU %8.1f ms\n", what, median(t.wall) * 1e3, median(t.cpu) * 1e3);
}

void printRatio(const char* what, const Times& a, const Times& b) {
    std::printf("%s: %.2f (CPU %.2f)\n", what, median(a.wall) / median(b.wall), median(a.cpu) / median(b.cpu));
}

} // namespace

int main(int argc, char** argv) {
    const int scale = bench::takeScaleFlag(argc, argv);
    int runs = 5;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--runs=", 0) == 0) runs = std::max(1, std::atoi(argv[i] + 7));

    std::string pattern = (fs::temp_directory_path() / "pondaro-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path root = pattern;
    const std::string name = "large";
    check(bench::writeLargeProject(root, name, bench::largeProjectSize(scale)), "generating the project");
    std::string engine;
    check(readFile(fs::path(PONDARO_SOURCE_DIR) / "data" / "export.js", engine, kEngineTemplateLimit), "reading export.js");

    // The project as the studio holds it after Open.
    Project p;
    p.workingFolder = createWorkingFolder(root, bench::timeOfDayNow());
    check(readProject(p, name, false, root), "opening the project");
    p.name = name;
    const fs::path xmlFile = projectFilePath(root, name);
    const fs::path img = projectsFolder(root) / name / p.imgfolder;

    // A different pixel of a different frame each time, as a user's edit.
    size_t edits = 0;
    auto editOnePixel = [&]() -> fs::path {
        Frame& f = p.frames[(edits * 7919) % p.frames.size()];
        Rgba c = f.image.pixel(0, 0);
        c.r = uint8_t(c.r + 1);
        f.image.setPixel(0, 0, c);
        ++edits;
        return img / (f.sprite + "_" + f.file + ".png");
    };
    std::vector<ExtensionEntry> extensions;
    auto exportGame = [&] {
        extensions = loadExtensions(root, p.name);
        check(writeGame(p, root, {engine, extensions, "", true}), "writing the game");
    };

    Times full, unchanged, changed, xml, values, exported, run, runMoved, openAndExport;
    for (int i = 0; i < runs; ++i) {
        full.measure([&] { check(writeProject(p, root, SaveWrites::All), "full save"); });
        const fs::path edited = editOnePixel();
        const auto before = fileStamp(edited);
        changed.measure([&] { check(writeProject(p, root), "save of the changes"); });
        if (fileStamp(edited) == before) {
            std::fprintf(stderr, "the save of the changes did not write the edited frame\n");
            return 1;
        }
        unchanged.measure([&] { check(writeProject(p, root), "save without changes"); });
        xml.measure([&] { check(writeProjectXml(p, xmlFile), "writing the project file"); });
        uint64_t fingerprint = 0;
        values.measure([&] { fingerprint = projectFileFingerprint(p); });
        if (fingerprint == 0) std::printf(" ");  // keeps the work from being left out
        exported.measure(exportGame);
        // The export as pondaro-cli does it: the project read from its file first.
        openAndExport.measure([&] {
            Project fresh;
            fresh.workingFolder = createWorkingFolder(root, bench::timeOfDayNow());
            check(readProject(fresh, name, false, root), "opening the project");
            fresh.name = name;
            check(writeGame(fresh, root, {engine, loadExtensions(root, name), "", true}), "writing the game");
            removeAll(root / fresh.workingFolder);
        });
        // F5 as a user presses it again and again: the previous F5 left the project
        // file as the studio wrote it (the measures above wrote it behind the
        // project's back, so a save must write it again first).
        auto f5 = [&] {
            check(writeProject(p, root), "save of the changes");
            exportGame();
        };
        f5();
        editOnePixel();
        run.measure(f5);
        // The same after a change the project file holds: one instance moved.
        p.objects.edit(p.objects.size() - 1 - size_t(i), [](GameObject& o) { ++o.x; });
        runMoved.measure(f5);
    }
    removeAll(root);

    std::printf("project (scale 1/%d): %zu frames, %zu objects, %zu tiles; medians of %d runs\n", scale,
                p.frames.size(), p.objects.size(), p.tiles.size(), runs);
    print("full save", full);
    print("save after one pixel changed", changed);
    print("save without changes", unchanged);
    print("project file alone", xml);
    print("fingerprint of the project file", values);
    print("export (game.js, index.html)", exported);
    print("F5 after one pixel changed", run);
    print("F5 after one instance moved", runMoved);
    print("open and export (pondaro-cli export)", openAndExport);
    printRatio("changed-save-to-full-save ratio", changed, full);
    printRatio("changed-save-to-project-file ratio", changed, xml);
    printRatio("project-file-share-of-full-save", xml, full);
    printRatio("project-file-fingerprint-to-writing-it ratio", values, xml);
    printRatio("f5-to-export ratio", run, exported);
    printRatio("f5-after-a-move-to-export ratio", runMoved, exported);
    printRatio("f5-to-open-and-export ratio", run, openAndExport);
    // What deciding costs: a save without changes fingerprints and checks every file
    // and writes none.
    std::printf("checking every file and the project file: %.1f ms CPU; encoding and writing every frame and the "
                "project file in a full save: %.1f ms CPU\n",
                median(unchanged.cpu) * 1e3, (median(full.cpu) - median(unchanged.cpu)) * 1e3);
    return 0;
}
