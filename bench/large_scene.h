#pragma once
// The large scene the scene benchmarks and the scene window's figures use: 50 sprites
// (32 x 32 discs with soft edges), 100 templates on four depths, a tiling ground
// picture, and a scene holding 10,000 instances and 20,000 tiles (64 different cells)
// on two layers, all placed by a generator of our own so every machine builds the
// same scene.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"
#include "project/model.h"

namespace pondaro::bench {

struct LargeSceneSize {
    int side = 8000;
    int instances = 10000;
    int tiles = 20000;
};

// The sprites with their frames, the templates and the background "ground" (a tile set
// of 32 x 32 cells) that every large scene uses. Once per project.
void addLargeSceneResources(Project& p);

// A scene of side x side named `name`, tiled with "ground", and its records; the
// instances' positions, in table order. The scene's layers are at depths 5 and 1000000.
std::vector<std::pair<int, int>> addLargeScene(Project& p, const std::string& name, const LargeSceneSize& size,
                                               uint64_t seed = 2026);

// The 256 x 256 picture of "ground".
Image largeSceneGround();

} // namespace pondaro::bench
