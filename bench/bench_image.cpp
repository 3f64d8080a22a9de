// Image operations on a 2048 x 2048 picture against ImageMagick's `convert` doing the
// same work on the same picture in the same run.
//
// Two comparisons, neither of which subtracts anything from either side:
//  - in memory: our operation on the decoded picture, against `convert` reading
//    ImageMagick's own memory-mapped pixel cache (MPC, made beforehand) and writing
//    to `null:`. The convert time includes its start-up, printed on its own below.
//  - PNG to PNG: both sides read one PNG, do the operation and write one PNG.
// Each figure is the median of several runs taken alternately; the ratio is ours
// divided by ImageMagick's, so 0.5 means twice as fast.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/files.h"
#include "image/codecs.h"
#include "image/effects.h"
#include "image/flood_fill.h"
#include "timing.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace pondaro;
using bench::median;
using bench::secondsOf;
using bench::threadSeconds;

namespace {

constexpr const char* kConvert = "/usr/bin/convert";
constexpr int kSide = 2048;

// A picture with smooth colour, fine detail and every kind of alpha: a transparent
// border, a half-transparent band and an opaque middle. Fixed, so every run measures
// the same pixels.
Image testPicture() {
    Image img(kSide, kSide);
    uint32_t state = 2026;
    for (int y = 0; y < kSide; ++y) {
        uint8_t* d = img.data() + size_t(y) * kSide * 4;
        for (int x = 0; x < kSide; ++x, d += 4) {
            state = state * 1664525u + 1013904223u;
            const int grain = int(state >> 28);
            d[0] = uint8_t((x / 8 + grain) & 255);
            d[1] = uint8_t((y / 8 + grain) & 255);
            d[2] = uint8_t(((x + y) / 16) & 255);
            const bool border = x < 64 || y < 64 || x >= kSide - 64 || y >= kSide - 64;
            const bool band = y >= 900 && y < 1100;
            d[3] = border ? 0 : band ? 128 : 255;
            if (border) d[0] = d[1] = d[2] = 0;
        }
    }
    return img;
}

struct Operation {
    const char* name;
    std::function<void(Image&)> ours;  // changes or replaces the picture
    std::vector<std::string> convertArgs;
    bool uniform = false;  // works on the one-colour picture (the flood fill)
};

struct Child {
    bool ok = false;
    double wall = 0;
    double cpu = 0;  // user and system time of the process and all its threads
};

Child runConvert(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kConvert));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Child c;
    pid_t pid = 0;
    int status = 0;
    c.wall = secondsOf([&] {
        if (posix_spawn(&pid, kConvert, &actions, nullptr, argv.data(), environ) != 0) return;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        c.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    });
    posix_spawn_file_actions_destroy(&actions);
    c.ok = pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return c;
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int takeIntFlag(int& argc, char** argv, const char* flag, int fallback) {
    int value = fallback;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) value = std::atoi(argv[i] + std::strlen(flag));
        else argv[kept++] = argv[i];
    }
    argc = kept;
    return value;
}

void report(const char* name, const std::vector<double>& mine, const std::vector<double>& mineCpu,
            const std::vector<double>& theirs, const std::vector<double>& theirsCpu, bool haveConvert, bool failed) {
    const double m = median(mine) * 1e3, mc = median(mineCpu) * 1e3;
    if (!haveConvert || failed) {
        std::printf("%-30s %8.1f /%8.1f %18s %13s\n", name, m, mc, haveConvert ? "convert failed" : "-", "-");
        return;
    }
    const double t = median(theirs) * 1e3, tc = median(theirsCpu) * 1e3;
    std::printf("%-30s %8.1f /%8.1f %8.1f /%8.1f %6.2f /%5.2f\n", name, m, mc, t, tc, m / t, mc / tc);
}

} // namespace

int main(int argc, char** argv) {
    const int reps = std::max(1, takeIntFlag(argc, argv, "--reps=", 7));
    const int pngReps = std::max(0, takeIntFlag(argc, argv, "--png_reps=", 3));

    std::string pattern = (fs::temp_directory_path() / "pondaro-bench-image-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path root = pattern;
    const Image picture = testPicture();
    Image uniform(kSide, kSide);
    uniform.fill({10, 20, 30, 255});
    const fs::path picturePng = root / "picture.png", uniformPng = root / "uniform.png", outPng = root / "out.png";
    if (!savePng(picture, picturePng, WriteMode::Fast) || !savePng(uniform, uniformPng, WriteMode::Fast)) return 1;

    const bool haveConvert = access(kConvert, X_OK) == 0;
    const fs::path pictureMpc = root / "picture.mpc", uniformMpc = root / "uniform.mpc";
    if (haveConvert) {
        runConvert({picturePng.string(), pictureMpc.string()});
        runConvert({uniformPng.string(), uniformMpc.string()});
    }

    const std::vector<Operation> ops = {
        {"Grayscale", [](Image& img) { img = grayscale(img); }, {"-grayscale", "Rec709Luma"}},
        {"Invert", [](Image& img) { img = invert(img); }, {"-channel", "RGB", "-negate", "+channel"}},
        // Our level is the step between kept values: 50 keeps 0, 50, ... 250, six levels.
        {"Posterize (level 50)", [](Image& img) { img = posterize(img, 50); }, {"+dither", "-posterize", "6"}},
        // Same size, nearest neighbour, about the centre, corners cut off.
        {"Rotate 37 degrees", [](Image& img) { img = rotate(img, 37); },
         {"-virtual-pixel", "transparent", "-interpolate", "Nearest", "-filter", "point", "-distort", "SRT", "-37"}},
        // Area averaging (ImageMagick's -scale is its box average); ours also places
        // the result on the unchanged 2048 x 2048 canvas.
        {"Scale to 50 %", [](Image& img) { img = scale(img, 50, 50); }, {"-scale", "50%"}},
        {"Stretch smooth to 1536 x 1536", [](Image& img) { img = stretch(img, 1536, 1536, true); },
         {"-resize", "1536x1536!"}},
        {"Flood fill of the whole image", [](Image& img) { floodFill(img, 0, 0, {255, 0, 0, 255}); },
         {"-fill", "red", "-draw", "color 0,0 floodfill"}, true},
    };

    std::printf("picture: %d x %d RGBA; %d runs in memory, %d runs PNG to PNG; median wall-clock times\n", kSide,
                kSide, reps, pngReps);
    if (!haveConvert)
        std::printf("NOTE: %s is missing (Debian package imagemagick): only our own times are measured.\n", kConvert);

    double startup = 0;
    if (haveConvert) {
        std::vector<double> t;
        for (int r = 0; r < reps; ++r) t.push_back(runConvert({pictureMpc.string(), "null:"}).wall);
        startup = median(t);
        std::printf("convert start-up with opening the MPC alone: %.1f ms (included in its times below)\n\n",
                    startup * 1e3);
    }

    std::printf("%-30s %18s %18s %13s\n", "in memory", "ours ms wall/CPU", "convert wall/CPU", "ratio wall/CPU");
    for (const Operation& op : ops) {
        std::vector<double> mine, mineCpu, theirs, theirsCpu;
        bool failed = false;
        for (int r = 0; r < reps; ++r) {
            Image work = op.uniform ? uniform : picture;  // the copy is not timed
            const double cpuStart = threadSeconds();
            mine.push_back(secondsOf([&] {
                op.ours(work);
                benchmark::DoNotOptimize(work.data());
            }));
            mineCpu.push_back(threadSeconds() - cpuStart);
            if (haveConvert) {
                Child c = runConvert(concat({(op.uniform ? uniformMpc : pictureMpc).string()},
                                            concat(op.convertArgs, {"null:"})));
                failed |= !c.ok;
                theirs.push_back(c.wall);
                theirsCpu.push_back(c.cpu);
            }
        }
        report(op.name, mine, mineCpu, theirs, theirsCpu, haveConvert, failed);
    }

    if (pngReps > 0) {
        std::printf("\n%-30s %18s %18s %13s\n", "PNG to PNG", "ours ms wall/CPU", "convert wall/CPU",
                    "ratio wall/CPU");
        for (const Operation& op : ops) {
            const fs::path& in = op.uniform ? uniformPng : picturePng;
            std::vector<double> mine, mineCpu, theirs, theirsCpu;
            bool failed = false;
            for (int r = 0; r < pngReps; ++r) {
                const double cpuStart = threadSeconds();
                mine.push_back(secondsOf([&] {
                    Image work;
                    if (!loadImage(in, work)) std::exit(1);
                    op.ours(work);
                    if (!savePng(work, outPng, WriteMode::Fast)) std::exit(1);
                }));
                mineCpu.push_back(threadSeconds() - cpuStart);
                if (haveConvert) {
                    Child c = runConvert(concat({in.string()}, concat(op.convertArgs, {outPng.string()})));
                    failed |= !c.ok;
                    theirs.push_back(c.wall);
                    theirsCpu.push_back(c.cpu);
                }
            }
            report(op.name, mine, mineCpu, theirs, theirsCpu, haveConvert, failed);
        }
    }
    removeAll(root);
    return 0;
}
