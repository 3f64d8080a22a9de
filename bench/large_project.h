#pragma once
// A large project for the benchmarks, built through the core API and written with
// the same Save the studio uses, so what gets measured is a file the studio itself
// would produce: the XML, one PNG per frame, the sounds and the background pictures.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "project/model.h"

namespace pondaro::bench {

// How many records of each kind the project holds.
struct LargeProjectSize {
    int sprites = 2000;
    int framesPerSprite = 4;
    int frameSide = 32;
    int templates = 1000;
    int scriptsPerTemplate = 5;
    int scenes = 50;
    int instancesPerScene = 1000;
    int tilesPerScene = 2000;  // spread over two tile layers
    int functions = 500;
    int sounds = 200;
    int backgrounds = 200;
    int tileSets = 8;          // the first backgrounds: tile sets the tiles are cut from
    int tileSetSide = 256;     // picture size of a tile set
    int plainBackgroundSide = 64;
    int tileSide = 32;
    // More instances of the first templates (extraInstances[i] of template i), spread
    // over the scenes, a quarter of them turned a quarter: a template placed thousands
    // of times. None by default.
    std::vector<int> extraInstances;
};

// The full size divided by `scale` (at least 1 of each kind). The counts of whole
// resources shrink while what each one holds (frames, scripts, instances and tiles per
// scene) stays, so a scaled-down project has the same shape and about 1/scale the records.
LargeProjectSize largeProjectSize(int scale = 1);

// What a generated project holds, for checking that a read got all of it back.
struct LargeProjectCounts {
    size_t sprites = 0, frames = 0, sounds = 0, backgrounds = 0, objects = 0, templates = 0, scripts = 0,
           scenes = 0, layers = 0, tiles = 0, fns = 0;
    size_t records() const {
        return sprites + frames + sounds + backgrounds + objects + scripts + scenes + layers + tiles + fns;
    }
};

LargeProjectCounts expectedCounts(const LargeProjectSize& size);

// Builds the project's records into `p` (an empty project). The sounds' wave files and
// the backgrounds' pictures are written into `mediaFolder`, the project's working folder;
// with an empty path no file is written and the records only name them.
Status fillLargeProject(Project& p, const LargeProjectSize& size, const std::filesystem::path& mediaFolder,
                        uint64_t seed = 20240611);

// Writes Projects/<name>.xml and Projects/<name>/ under `root`. The media is first put
// in a working folder under `root` (as the studio does when sounds and pictures are
// loaded), Save copies it into the project folder, and the working folder is removed
// afterwards. The same size and seed always give the same files.
Status writeLargeProject(const std::filesystem::path& root, const std::string& name, const LargeProjectSize& size,
                         uint64_t seed = 20240611);

} // namespace pondaro::bench
