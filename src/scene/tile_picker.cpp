#include "scene/tile_picker.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "image/codecs.h"
#include "image/draw.h"
#include "project/working_folder.h"
#include "scene/scene_canvas.h"

namespace pondaro {

namespace {

std::shared_ptr<const Image> loadPicture(const Project& p, const std::filesystem::path& root, const Background* bg) {
    Image picture;
    if (bg && !bg->file.empty()) {
        const std::filesystem::path file = mediaFilePath(p, root, bg->file);
        if (file.empty() || !loadImage(file, picture)) picture = Image();
    }
    return std::make_shared<const Image>(std::move(picture));
}

long long floorDiv(long long v, long long d) {
    d = std::max(d, 1LL);
    long long q = v / d;
    return (v % d != 0 && (v < 0)) ? q - 1 : q;
}

int toInt(long long v) { return int(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); }

// Start and end cells of a drag on a grid of `cell`-wide cells starting at `offset`;
// the selection reaches the end cell's `size` when the end is not before the start.
struct Span {
    int start = 0;
    int length = 0;
    bool grown = false;
};
Span cellSpan(long long start, long long pointer, long long offset, long long cell, long long size) {
    const long long left = floorDiv(start - offset, cell) * cell + offset;
    const long long end = floorDiv(pointer - offset, cell) * cell + offset;
    Span s{toInt(left), 0, false};
    if (end + size > left) {
        s.length = toInt(end - left + size);
        s.grown = true;
    }
    return s;
}

void dropSelection(SceneEditor& e) {
    e.tileSelection = {};
    e.dragStart.reset();
    e.selectedTileImage.reset();
}

void cutSelection(SceneEditor& e) {
    TileSelection& sel = e.tileSelection;
    if (sel.width <= 0 || sel.height <= 0) sel.width = sel.height = 1;
    const Image& picture = *e.tileSetImage;
    if (picture.empty()) {
        e.selectedTileImage.reset();
        return;
    }
    // The pointer never leaves the picture, so only bad input gets here with a
    // larger rectangle; the picture's size bounds what is allocated.
    sel.width = std::min(sel.width, picture.width());
    sel.height = std::min(sel.height, picture.height());
    // The pixels keep their alpha, as a tile shows them, so the previews look like
    // the tile placed.
    Image cut(sel.width, sel.height);
    drawOver(cut, picture, -sel.left, -sel.top);
    e.selectedTileImage = std::make_shared<const Image>(std::move(cut));
}

} // namespace

void chooseTileImage(const Project& p, SceneEditor& e, const std::filesystem::path& root, std::string_view background) {
    e.tileImage = std::string(background);
    const Background* bg = p.backgrounds.get(e.tileImage);
    e.tileSetImage = loadPicture(p, root, bg);
    e.pickerWidth = e.tileSetImage->width();
    e.pickerHeight = e.tileSetImage->height();
    dropSelection(e);
}

void tilePickerEvent(const Project& p, SceneEditor& e, const std::filesystem::path& root, int x, int y, bool leftDown,
                     Modifiers m) {
    const Background* bg = e.tileImage.empty() ? nullptr : p.backgrounds.get(e.tileImage);
    if (!leftDown || !bg) {
        e.dragStart.reset();
        return;
    }
    if (!e.dragStart) {
        e.dragStart = CellPos{x, y};
        e.tileSelection.width = e.tileSelection.height = 0;
        e.tileSetImage = loadPicture(p, root, bg);
    }
    const CellPos start = *e.dragStart;
    TileSelection& sel = e.tileSelection;

    if (m.altOnly()) {
        sel.left = start.x;
        sel.top = start.y;
        if (x > start.x && y > start.y) {
            sel.width = x - start.x;
            sel.height = y - start.y;
        }
    } else if (m.ctrlOnly()) {
        const Scene* s = editedScene(p, e);
        const long long g = s ? gridStep(*s) : 1;
        const Span h = cellSpan(start.x, x, 0, g, g), v = cellSpan(start.y, y, 0, g, g);
        sel.left = h.start;
        sel.top = v.start;
        if (h.grown && v.grown) {
            sel.width = h.length;
            sel.height = v.length;
        }
    } else if (bg->tile == 1) {
        if (x <= bg->tilexoffset || y <= bg->tileyoffset) {
            dropSelection(e);
            return;
        }
        // A cell of width 0 (a tile set with no size and no spacing) counts as 1 wide.
        const long long cw = std::max(1LL, (long long)bg->tilewidth + bg->tilexspace);
        const long long ch = std::max(1LL, (long long)bg->tileheight + bg->tileyspace);
        const Span h = cellSpan(start.x, x, bg->tilexoffset, cw, bg->tilewidth);
        const Span v = cellSpan(start.y, y, bg->tileyoffset, ch, bg->tileheight);
        sel.left = h.start;
        sel.top = v.start;
        if (h.grown && v.grown) {
            sel.width = h.length;
            sel.height = v.length;
        }
    } else {
        sel = {0, 0, e.tileSetImage->width(), e.tileSetImage->height()};
    }
    e.tileAction = TileAction::Place;
    cutSelection(e);
}

Image selectedTilePreview(const SceneEditor& e) {
    constexpr int size = 100;
    Image out(size, size);
    if (!e.selectedTileImage || e.selectedTileImage->empty()) {
        out.fill({0, 0, 0, 255});
        return out;
    }
    // Sampled straight from the selection, so a large selection costs no more than
    // a small one; the checkerboard lies under it at the selection's own scale.
    const Image& tile = *e.selectedTileImage;
    for (int v = 0; v < size; ++v) {
        const int sy = int((long long)v * tile.height() / size);
        for (int u = 0; u < size; ++u) {
            const int sx = int((long long)u * tile.width() / size);
            const Rgba back = (((sx >> 4) + (sy >> 4)) & 1) ? kCheckerLight : kCheckerDark;
            out.setPixel(u, v, blendOver(back, tile.pixel(sx, sy)));
        }
    }
    return out;
}

} // namespace pondaro
