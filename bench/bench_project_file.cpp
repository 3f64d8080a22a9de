// Open, merge and save of a large project, and the XML read against a bare expat
// parse of the same bytes. Absolute times vary a lot from machine to machine; the
// ratio printed at the end (project XML read / bare expat) is the figure to compare.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <expat.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/files.h"
#include "large_project.h"
#include "timing.h"
#include "project/model.h"
#include "project/project_file.h"
#include "project/working_folder.h"

namespace fs = std::filesystem;
using namespace pondaro;
using bench::cpuSecondsOf;
using bench::median;
using bench::secondsOf;

namespace {

const std::string kName = "large";
const std::string kSavedName = "large_saved";

// Everything the benchmarks share: the generated project on disk and its XML bytes.
struct Fixture {
    fs::path root;
    std::string xml;
    bench::LargeProjectCounts expected;
    std::optional<Project> opened;  // read once, outside any timing, for merge and save
};
Fixture fixture;

void removeRoot() {
    if (!fixture.root.empty()) removeAll(fixture.root);
    fixture.root.clear();
}

// A project as the studio has it before Open: empty, with its own working folder.
std::unique_ptr<Project> freshProject() {
    auto p = std::make_unique<Project>();
    p->workingFolder = createWorkingFolder(fixture.root, bench::timeOfDayNow());
    return p;
}

// Checks that a read brought back `times` copies of the generated project, frame
// pixels and tile pictures included. Returns "" when it did.
std::string checkRead(const Project& p, size_t times) {
    const auto& e = fixture.expected;
    auto mismatch = [](const char* what, size_t got, size_t want) {
        return std::string(what) + ": " + std::to_string(got) + " instead of " + std::to_string(want);
    };
    if (p.sprites.size() != e.sprites * times) return mismatch("sprites", p.sprites.size(), e.sprites * times);
    if (p.frames.size() != e.frames * times) return mismatch("frames", p.frames.size(), e.frames * times);
    if (p.objects.size() != e.objects * times) return mismatch("objects", p.objects.size(), e.objects * times);
    if (p.scripts.size() != e.scripts * times) return mismatch("scripts", p.scripts.size(), e.scripts * times);
    if (p.tiles.size() != e.tiles * times) return mismatch("tiles", p.tiles.size(), e.tiles * times);
    size_t pictures = size_t(std::count_if(p.frames.begin(), p.frames.end(), [](const Frame& f) { return !f.image.empty(); }));
    if (pictures != p.frames.size()) return mismatch("frames with pixels", pictures, p.frames.size());
    size_t shown = size_t(std::count_if(p.tiles.begin(), p.tiles.end(), [](const Tile& t) { return t.picture != nullptr; }));
    if (shown != p.tiles.size()) return mismatch("tiles showing a picture", shown, p.tiles.size());
    return "";
}

const Project& openedProject() {
    if (!fixture.opened) {
        auto p = freshProject();
        if (Status s = readProject(*p, kName, false, fixture.root); !s) {
            std::fprintf(stderr, "cannot open the generated project: %s\n", s.message().c_str());
            std::exit(1);
        }
        p->name = kName;  // as Open names the project after the file it read
        fixture.opened.emplace(std::move(*p));
    }
    return *fixture.opened;
}

// ---- The bare expat baseline ------------------------------------------------------

struct BareCounts {
    long long elements = 0;
    long long textBytes = 0;
};

void bareStart(void* user, const XML_Char*, const XML_Char**) { ++static_cast<BareCounts*>(user)->elements; }
void bareEnd(void*, const XML_Char*) {}
void bareText(void* user, const XML_Char*, int len) { static_cast<BareCounts*>(user)->textBytes += len; }

// Parses the bytes with handlers that only count: the least any reader built on
// expat can cost for this file.
BareCounts bareExpatParse(const std::string& bytes) {
    BareCounts counts;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &counts);
    XML_SetElementHandler(parser, bareStart, bareEnd);
    XML_SetCharacterDataHandler(parser, bareText);
    if (XML_Parse(parser, bytes.data(), int(bytes.size()), 1) == XML_STATUS_ERROR) {
        std::fprintf(stderr, "bare expat parse failed: %s\n", XML_ErrorString(XML_GetErrorCode(parser)));
        std::exit(1);
    }
    XML_ParserFree(parser);
    return counts;
}

// ---- Benchmarks -------------------------------------------------------------------

void BM_ExpatBareParse(benchmark::State& state) {
    BareCounts counts;
    for (auto _ : state) {
        counts = bareExpatParse(fixture.xml);
        benchmark::DoNotOptimize(counts);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fixture.xml.size()));
    state.counters["elements"] = double(counts.elements);
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ParseProjectXml(benchmark::State& state) {
    size_t records = 0;
    for (auto _ : state) {
        auto data = std::make_unique<ProjectFileData>();
        Status s = parseProjectXml(fixture.xml, "Projects/" + kName + ".xml", *data);
        state.PauseTiming();
        if (!s) {
            state.SkipWithError(s.message().c_str());
            break;
        }
        records = data->objects.size() + data->tiles.size() + data->frames.size() + data->scripts.size();
        data.reset();  // freeing the parsed records is not part of the parse
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fixture.xml.size()));
    state.counters["records"] = double(records);
}
BENCHMARK(BM_ParseProjectXml)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenProject(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto p = freshProject();
        if (p->workingFolder.empty()) {
            state.SkipWithError("cannot create a working folder");
            break;
        }
        state.ResumeTiming();
        Status s = readProject(*p, kName, false, fixture.root);
        state.PauseTiming();
        std::string problem = s ? checkRead(*p, 1) : s.message();
        removeAll(fixture.root / p->workingFolder);
        p.reset();
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
        state.ResumeTiming();
    }
    state.counters["records"] = double(fixture.expected.records());
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeIntoItself(benchmark::State& state) {
    const Project& opened = openedProject();
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Project>(opened);
        state.ResumeTiming();
        Status s = readProject(*p, kName, true, fixture.root);
        state.PauseTiming();
        std::string problem = s ? checkRead(*p, 2) : s.message();
        if (problem.empty() && p->renames.entries().size() < fixture.expected.records() - fixture.expected.frames)
            problem = "the merge renamed " + std::to_string(p->renames.entries().size()) + " records only";
        p.reset();
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
        state.ResumeTiming();
    }
    state.counters["records"] = double(fixture.expected.records());
}
BENCHMARK(BM_MergeIntoItself)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveProject(benchmark::State& state) {
    Project p = openedProject();
    p.name = kSavedName;
    // A first save creates the folders and files; the timed ones replace them, as a
    // repeated Save of an open project does.
    if (Status s = writeProject(p, fixture.root); !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    for (auto _ : state) {
        Status s = writeProject(p, fixture.root, SaveWrites::All);
        if (!s) {
            state.SkipWithError(s.message().c_str());
            break;
        }
    }
    state.counters["frames"] = double(p.frames.size());
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- The ratio --------------------------------------------------------------------

// Times the two parses alternately, so a slow moment of the machine hits both.
void printParseRatio() {
    constexpr int kRuns = 5;
    std::vector<double> bare, project;
    for (int i = 0; i < kRuns; ++i) {
        bare.push_back(cpuSecondsOf([] { benchmark::DoNotOptimize(bareExpatParse(fixture.xml)); }));
        auto data = std::make_unique<ProjectFileData>();
        project.push_back(cpuSecondsOf([&] {
            if (!parseProjectXml(fixture.xml, "Projects/" + kName + ".xml", *data)) {
                std::fprintf(stderr, "the project XML was refused\n");
                std::exit(1);
            }
        }));
    }
    double b = median(bare), x = median(project);
    std::printf("bare expat parse (median of %d, CPU): %.1f ms\n", kRuns, b * 1e3);
    std::printf("parseProjectXml (median of %d, CPU): %.1f ms\n", kRuns, x * 1e3);
    std::printf("xml-open-to-bare-expat ratio: %.2f\n", x / b);
}

} // namespace

int main(int argc, char** argv) {
    const int scale = bench::takeScaleFlag(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    std::string pattern = (fs::temp_directory_path() / "pondaro-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    fixture.root = pattern;
    std::atexit(removeRoot);  // also when a check above gives up with exit()

    const bench::LargeProjectSize size = bench::largeProjectSize(scale);
    fixture.expected = bench::expectedCounts(size);
    double generate = 0;
    Status made = Status::success();
    generate = secondsOf([&] { made = bench::writeLargeProject(fixture.root, kName, size); });
    if (!made) {
        std::fprintf(stderr, "cannot generate the project: %s\n", made.message().c_str());
        return 1;
    }
    if (Status s = readFile(projectFilePath(fixture.root, kName), fixture.xml, kProjectFileLimit); !s) {
        std::fprintf(stderr, "%s\n", s.message().c_str());
        return 1;
    }
    if (fixture.xml.size() >= size_t(INT_MAX)) {
        std::fprintf(stderr, "the project file is too large for one expat call\n");
        return 1;
    }
    const auto& e = fixture.expected;
    std::printf("project (scale 1/%d): %zu sprites, %zu frames, %zu templates, %zu instances, %zu scripts, "
                "%zu scenes, %zu tiles, %zu functions, %zu sounds, %zu backgrounds; XML %.1f MB; "
                "generated in %.1f s\n",
                scale, e.sprites, e.frames, e.templates, e.objects - e.templates, e.scripts, e.scenes, e.tiles, e.fns,
                e.sounds, e.backgrounds, double(fixture.xml.size()) / 1e6, generate);
    std::fflush(stdout);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printParseRatio();
    fixture.opened.reset();
    removeRoot();
    return 0;
}
