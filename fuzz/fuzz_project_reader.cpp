// Feeds arbitrary bytes to the project file parser and reads whatever it accepts into
// a project, as Open would. No media is on disk: every background gets a small picture
// instead, so the tiles the file holds show part of it, and each tile is drawn onto a
// small canvas, with whatever size, offsets and position the file gives it. A tile
// holds no pixels of its own, so even the largest must cost no more than the canvas.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "project/canvas_pictures.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pondaro::ProjectFileData parsed;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!pondaro::parseProjectXml(bytes, "fuzz.xml", parsed)) return 0;
    auto picture = std::make_shared<pondaro::Image>(16, 16);
    for (size_t i = 0; i < picture->byteSize(); ++i) picture->data()[i] = uint8_t(i * 37);
    for (auto& b : parsed.backgrounds) b.picture = picture;

    pondaro::Project project;
    pondaro::readIntoProject(project, std::move(parsed), "fuzz", false, "/nonexistent-fuzz-root");
    pondaro::Image canvas(64, 64);
    for (const pondaro::Tile& t : project.tiles.records()) {
        pondaro::drawTile(canvas, t, t.x, t.y, t.depth & 0xff);
        pondaro::drawTile(canvas, t, 0, 0);
    }
    (void)project.pictureBytes();
    (void)pondaro::projectXml(project);
    return 0;
}
