#include "scene/scene_index.h"

#include <algorithm>

#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

namespace {

constexpr int kCellShift = 8;  // 256-pixel cells: a 1,024 x 768 view meets about 20
constexpr int64_t kMaxCellsPerRecord = 64;

uint64_t cellKey(int64_t cx, int64_t cy) { return (uint64_t(uint32_t(int32_t(cx))) << 32) | uint32_t(int32_t(cy)); }

struct CellRange {
    int64_t x0, y0, x1, y1;  // inclusive
    int64_t count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
};

CellRange cellsOf(const SceneBox& b) {
    return {b.left >> kCellShift, b.top >> kCellShift, (b.right - 1) >> kCellShift, (b.bottom - 1) >> kCellShift};
}

void unite(SceneBox& a, const SceneBox& b) {
    a.left = std::min(a.left, b.left);
    a.top = std::min(a.top, b.top);
    a.right = std::max(a.right, b.right);
    a.bottom = std::max(a.bottom, b.bottom);
}

SceneBox boxAt(int64_t x, int64_t y, int64_t w, int64_t h) { return {x, y, x + std::max<int64_t>(w, 0), y + std::max<int64_t>(h, 0)}; }

} // namespace

SceneBox instanceArea(const Project& p, const GameObject& o, int frameW, int frameH) {
    const Origin origin = instanceOrigin(p, o);
    const int64_t left = int64_t(o.x) - origin.x, top = int64_t(o.y) - origin.y;
    // The hit box is inclusive, so its right and bottom edges are one pixel further.
    const int64_t w = std::max(hitWidth(o), frameW), h = std::max(hitHeight(o), frameH);
    SceneBox area = boxAt(left, top, w + 1, h + 1);
    unite(area, boxAt(int64_t(o.x) - 7, int64_t(o.y) - 7, 16, 16));  // placeholder icon
    if (hasCanvasImage(o) && o.displayImage && !o.displayImage->empty()) {
        const int dx = (o.displayImage->width() - o.canvasImage->width()) / 2;
        const int dy = (o.displayImage->height() - o.canvasImage->height()) / 2;
        unite(area, boxAt(left - dx, top - dy, o.displayImage->width(), o.displayImage->height()));
    }
    return area;
}

SceneBox tileArea(const Tile& t) { return boxAt(t.x, t.y, t.width, t.height); }

void SceneIndex::Buckets::clear() {
    cells.clear();
    large.clear();
}

void SceneIndex::Buckets::insert(const SceneBox& box, uint32_t index) {
    if (box.empty()) return;
    const CellRange r = cellsOf(box);
    if (r.count() > kMaxCellsPerRecord) {
        large.push_back(index);
        return;
    }
    for (int64_t cy = r.y0; cy <= r.y1; ++cy)
        for (int64_t cx = r.x0; cx <= r.x1; ++cx) cells[cellKey(cx, cy)].push_back(index);
}

void SceneIndex::Buckets::erase(const SceneBox& box, uint32_t index) {
    if (box.empty()) return;
    const CellRange r = cellsOf(box);
    auto drop = [index](std::vector<uint32_t>& list) {
        auto it = std::find(list.begin(), list.end(), index);
        if (it == list.end()) return;
        *it = list.back();  // the order within a cell does not matter: collect sorts
        list.pop_back();
    };
    if (r.count() > kMaxCellsPerRecord) {
        drop(large);
        return;
    }
    for (int64_t cy = r.y0; cy <= r.y1; ++cy)
        for (int64_t cx = r.x0; cx <= r.x1; ++cx) {
            auto it = cells.find(cellKey(cx, cy));
            if (it != cells.end()) drop(it->second);
        }
}

void SceneIndex::Buckets::collect(const SceneBox& box, std::vector<uint32_t>& out) const {
    out.clear();
    if (box.empty()) return;
    out.insert(out.end(), large.begin(), large.end());
    const CellRange r = cellsOf(box);
    if (r.count() > int64_t(cells.size())) {
        // A box wider than the records' whole spread: every cell is a candidate.
        for (const auto& [key, list] : cells) out.insert(out.end(), list.begin(), list.end());
    } else {
        for (int64_t cy = r.y0; cy <= r.y1; ++cy)
            for (int64_t cx = r.x0; cx <= r.x1; ++cx) {
                auto it = cells.find(cellKey(cx, cy));
                if (it != cells.end()) out.insert(out.end(), it->second.begin(), it->second.end());
            }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

bool SceneIndex::fresh(const Project& p, const std::string& scene) const {
    return valid_ && scene_ == scene && objectsVersion_ == p.objects.version() &&
           tilesVersion_ == p.tiles.version() && spritesVersion_ == p.sprites.version() &&
           frameCount_ == p.frames.size();
}

void SceneIndex::remember(const Project& p) {
    objectCount_ = p.objects.size();
    tileCount_ = p.tiles.size();
    frameCount_ = p.frames.size();
    objectsVersion_ = p.objects.version();
    tilesVersion_ = p.tiles.version();
    spritesVersion_ = p.sprites.version();
}

void SceneIndex::sync(const Project& p, const std::string& scene) {
    if (fresh(p, scene)) return;
    scene_ = scene;
    instances_.clear();
    tiles_.clear();
    instanceCells_.clear();
    tileCells_.clear();
    frameExtents_.clear();
    for (const Frame& f : p.frames) {
        auto& e = frameExtents_[f.sprite];
        e.first = std::max(e.first, f.image.width());
        e.second = std::max(e.second, f.image.height());
    }
    remember(p);
    valid_ = true;
    for (size_t i = 0; i < p.objects.size(); ++i) {
        const GameObject& o = p.objects[i];
        if (o.isTemplate() || o.scene != scene) continue;
        instances_.push_back(uint32_t(i));
        auto [fw, fh] = frameExtent(o.sprite);
        instanceCells_.insert(instanceArea(p, o, fw, fh), uint32_t(i));
    }
    for (size_t i = 0; i < p.tiles.size(); ++i) {
        const Tile& t = p.tiles[i];
        if (t.scene != scene) continue;
        tiles_.push_back(uint32_t(i));
        tileCells_.insert(tileArea(t), uint32_t(i));
    }
}

void SceneIndex::instanceAppended(const Project& p, size_t index) {
    if (!valid_ || index + 1 != p.objects.size() || objectCount_ + 1 != p.objects.size()) {
        valid_ = false;
        return;
    }
    const GameObject& o = p.objects[index];
    remember(p);
    if (o.isTemplate() || o.scene != scene_) return;
    instances_.push_back(uint32_t(index));
    auto [fw, fh] = frameExtent(o.sprite);
    instanceCells_.insert(instanceArea(p, o, fw, fh), uint32_t(index));
}

void SceneIndex::tileAppended(const Project& p, size_t index) {
    if (!valid_ || index + 1 != p.tiles.size() || tileCount_ + 1 != p.tiles.size()) {
        valid_ = false;
        return;
    }
    const Tile& t = p.tiles[index];
    remember(p);
    if (t.scene != scene_) return;
    tiles_.push_back(uint32_t(index));
    tileCells_.insert(tileArea(t), uint32_t(index));
}

constexpr uint32_t kNone = UINT32_MAX;

void SceneIndex::renumber(std::vector<uint32_t>& list, const std::vector<uint32_t>& newIndex) {
    size_t kept = 0;
    for (uint32_t i : list)
        if (i < newIndex.size() && newIndex[i] != kNone) list[kept++] = newIndex[i];
    list.resize(kept);
}

void SceneIndex::Buckets::renumber(const std::vector<uint32_t>& newIndex) {
    SceneIndex::renumber(large, newIndex);
    for (auto& [key, list] : cells) SceneIndex::renumber(list, newIndex);
}

bool SceneIndex::renumbering(const std::vector<char>& marked, size_t count, std::vector<uint32_t>& newIndex) {
    if (marked.size() != count) return false;
    newIndex.resize(count);
    uint32_t next = 0;
    for (size_t i = 0; i < count; ++i) newIndex[i] = marked[i] ? kNone : next++;
    return true;
}

void SceneIndex::instancesRemoved(const Project& p, const std::vector<char>& marked) {
    std::vector<uint32_t> newIndex;
    if (!valid_ || !renumbering(marked, objectCount_, newIndex) || newIndex.empty() ||
        size_t(std::count(marked.begin(), marked.end(), 0)) != p.objects.size()) {
        valid_ = false;
        return;
    }
    renumber(instances_, newIndex);
    instanceCells_.renumber(newIndex);
    remember(p);
}

void SceneIndex::tilesRemoved(const Project& p, const std::vector<char>& marked) {
    std::vector<uint32_t> newIndex;
    if (!valid_ || !renumbering(marked, tileCount_, newIndex) || newIndex.empty() ||
        size_t(std::count(marked.begin(), marked.end(), 0)) != p.tiles.size()) {
        valid_ = false;
        return;
    }
    renumber(tiles_, newIndex);
    tileCells_.renumber(newIndex);
    remember(p);
}

namespace {
SceneBox shifted(SceneBox b, int dx, int dy) {
    b.left -= dx;
    b.right -= dx;
    b.top -= dy;
    b.bottom -= dy;
    return b;
}
} // namespace

void SceneIndex::instancesMoved(const Project& p, const std::vector<uint32_t>& moved, int dx, int dy) {
    if (!valid_ || objectCount_ != p.objects.size()) {
        valid_ = false;
        return;
    }
    for (uint32_t i : moved) {
        const GameObject& o = p.objects[i];
        auto [fw, fh] = frameExtent(o.sprite);
        const SceneBox now = instanceArea(p, o, fw, fh);
        // A move clamped at the end of the int range leaves an entry behind in a cell
        // the record has left: a candidate too many, which the callers' own tests drop.
        instanceCells_.erase(shifted(now, dx, dy), i);
        instanceCells_.insert(now, i);
    }
    remember(p);
}

void SceneIndex::tilesMoved(const Project& p, const std::vector<uint32_t>& moved, int dx, int dy) {
    if (!valid_ || tileCount_ != p.tiles.size()) {
        valid_ = false;
        return;
    }
    for (uint32_t i : moved) {
        const SceneBox now = tileArea(p.tiles[i]);
        tileCells_.erase(shifted(now, dx, dy), i);
        tileCells_.insert(now, i);
    }
    remember(p);
}

void SceneIndex::selectionChanged(const Project& p) {
    if (valid_ && objectCount_ == p.objects.size() && tileCount_ == p.tiles.size()) remember(p);
    else valid_ = false;
}

void SceneIndex::instancesIn(const SceneBox& box, std::vector<uint32_t>& out) const { instanceCells_.collect(box, out); }
void SceneIndex::tilesIn(const SceneBox& box, std::vector<uint32_t>& out) const { tileCells_.collect(box, out); }

std::pair<int, int> SceneIndex::frameExtent(const std::string& sprite) const {
    auto it = frameExtents_.find(sprite);
    return it == frameExtents_.end() ? std::pair<int, int>{0, 0} : it->second;
}

} // namespace pondaro
