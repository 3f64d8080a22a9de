#include "scene/scene_canvas.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "base/integer_reader.h"
#include "project/naming.h"

namespace pondaro {

const Scene* editedScene(const Project& p, const SceneEditor& e) { return p.scenes.get(e.scene); }

namespace {

// Changes the edited scene through change(scene); false when it no longer exists.
template <class Change>
bool editScene(Project& p, const SceneEditor& e, Change change) {
    const size_t i = p.scenes.find(e.scene);
    if (i == Table<Scene>::npos) return false;
    p.scenes.edit(i, change);
    return true;
}

int addClamped(int v, long long d) { return int(std::clamp<long long>((long long)v + d, INT32_MIN, INT32_MAX)); }

bool isInstanceOf(const GameObject& o, const std::string& scene) { return !o.isTemplate() && o.scene == scene; }

// The sizes of the frames of the sprites of some instances, gathered in one pass over
// the frames table.
class FrameSizes {
public:
    FrameSizes(const Project& p, const std::vector<uint32_t>& candidates) {
        for (uint32_t i : candidates) {
            const GameObject& o = p.objects[i];
            if (hasCanvasImage(o)) sizes_.try_emplace(o.sprite);
        }
        if (sizes_.empty()) return;
        for (const Frame& f : p.frames) {
            auto it = sizes_.find(f.sprite);
            if (it != sizes_.end()) it->second.push_back({f.image.width(), f.image.height()});
        }
    }
    const std::vector<Size>& of(const std::string& sprite) const {
        static const std::vector<Size> none;
        auto it = sizes_.find(sprite);
        return it == sizes_.end() ? none : it->second;
    }

private:
    std::unordered_map<std::string, std::vector<Size>> sizes_;
};

SceneBox pointBox(int x, int y) { return {x, y, int64_t(x) + 1, int64_t(y) + 1}; }

// Instances of the scene hit at the point, in table order.
std::vector<uint32_t> instancesHit(const Project& p, const SceneEditor& e, int x, int y) {
    e.index.sync(p, e.scene);
    std::vector<uint32_t> candidates;
    e.index.instancesIn(pointBox(x, y), candidates);
    const FrameSizes frames(p, candidates);
    std::erase_if(candidates, [&](uint32_t i) {
        const GameObject& o = p.objects[i];
        return !isInstanceOf(o, e.scene) || !instanceHit(p, o, frames.of(o.sprite), x, y);
    });
    return candidates;
}

// Tiles of the scene on the current layer hit at the point, in table order.
std::vector<uint32_t> tilesHit(const Project& p, const SceneEditor& e, int x, int y) {
    e.index.sync(p, e.scene);
    std::vector<uint32_t> candidates;
    e.index.tilesIn(pointBox(x, y), candidates);
    std::erase_if(candidates, [&](uint32_t i) {
        const Tile& t = p.tiles[i];
        return t.scene != e.scene || t.depth != e.currentLayer || !tileHit(t, x, y);
    });
    return candidates;
}

std::vector<char> marks(size_t count, const std::vector<uint32_t>& indexes) {
    std::vector<char> marked(count, 0);
    for (uint32_t i : indexes) marked[i] = 1;
    return marked;
}

bool removeInstancesAt(Project& p, SceneEditor& e, int x, int y) {
    const std::vector<uint32_t> hit = instancesHit(p, e, x, y);
    if (hit.empty()) return false;
    const std::vector<char> marked = marks(p.objects.size(), hit);
    p.objects.removeMarked(marked);
    e.index.instancesRemoved(p, marked);
    p.markModified();
    return true;
}

bool removeTilesAt(Project& p, SceneEditor& e, int x, int y) {
    const std::vector<uint32_t> hit = tilesHit(p, e, x, y);
    if (hit.empty()) return false;
    const std::vector<char> marked = marks(p.tiles.size(), hit);
    p.tiles.removeMarked(marked);
    e.index.tilesRemoved(p, marked);
    p.markModified();
    return true;
}

bool placeInstance(Project& p, SceneEditor& e, const Scene& s, int x, int y) {
    if (e.objectToPlace.empty()) return false;
    const CellPos at = placePosition(s, x, y);
    return createInstance(p, e, at.x, at.y).has_value();
}
bool placeTile(Project& p, SceneEditor& e, const Scene& s, int x, int y) {
    const CellPos at = placePosition(s, x, y);
    return createTile(p, e, at.x, at.y).has_value();
}

} // namespace

std::optional<size_t> createInstance(Project& p, SceneEditor& e, int x, int y) {
    if (!editedScene(p, e)) return std::nullopt;
    e.index.sync(p, e.scene);
    const GameObject* objectTemplate = p.templateNamed(e.objectToPlace);
    GameObject o;
    o.prototype = 0;
    o.name = freshName(p, ResourceKind::Object, "SceneObject");
    o.templ = e.objectToPlace;
    o.scene = e.scene;
    o.selected = 0;
    o.sprite = objectTemplate ? objectTemplate->sprite : std::string();
    if (e.placePreview && !e.placePreview->empty()) {
        o.canvasImage = e.placePreview;
        o.displayImage = e.placePreview;
    }
    o.x = x;
    o.y = y;
    o.depth = objectTemplate ? objectTemplate->depth : 0;
    const size_t i = p.objects.add(std::move(o));
    e.index.instanceAppended(p, i);
    p.markModified();
    return i;
}

std::optional<size_t> createTile(Project& p, SceneEditor& e, int x, int y) {
    if (!editedScene(p, e) || !e.selectedTileImage || e.selectedTileImage->empty()) return std::nullopt;
    e.index.sync(p, e.scene);
    Tile t;
    t.background = e.tileImage;
    t.depth = e.currentLayer;
    t.left = e.tileSelection.left;
    t.top = e.tileSelection.top;
    t.width = e.tileSelection.width;
    t.height = e.tileSelection.height;
    t.picture = e.tileSetImage;
    t.name = freshName(p, ResourceKind::Tile, "tile_");
    t.scene = e.scene;
    t.x = x;
    t.y = y;
    t.selected = 0;
    const size_t i = p.tiles.add(std::move(t));
    e.index.tileAppended(p, i);
    p.markModified();
    return i;
}

void pointerEntered(SceneEditor& e) { e.mouseInside = true; }
void pointerLeft(SceneEditor& e) { e.mouseInside = false; }
void pointerMoved(SceneEditor& e, int x, int y) {
    e.mouseX = x;
    e.mouseY = y;
}

bool paintStep(Project& p, SceneEditor& e, int x, int y, Modifiers m) {
    const Scene* s = editedScene(p, e);
    if (!s) return false;
    bool changed = false;
    if (m.shiftOnly()) {
        if (e.tab == SceneTab::Objects && e.objectAction == ObjectAction::Remove) changed |= removeInstancesAt(p, e, x, y);
        if (e.tab == SceneTab::Tiles && e.tileAction == TileAction::Remove) removeTilesAt(p, e, x, y);
        e.paintCell = gridCell(x, y, gridStep(*s));
        if (e.paintCell != e.lastPaintCell) {
            if (e.tab == SceneTab::Objects && e.objectAction == ObjectAction::Place) changed |= placeInstance(p, e, *s, x, y);
            if (e.tab == SceneTab::Tiles && e.tileAction == TileAction::Place) placeTile(p, e, *s, x, y);
        }
    }
    e.lastPaintCell = e.paintCell;
    return changed;
}

bool leftClick(Project& p, SceneEditor& e, int x, int y, Modifiers m) {
    const Scene* s = editedScene(p, e);
    if (!s) return false;
    if (e.tab == SceneTab::Objects) {
        switch (e.objectAction) {
        case ObjectAction::Place: return !m.shiftOnly() && placeInstance(p, e, *s, x, y);
        case ObjectAction::Select: {
            const std::vector<uint32_t> hit = instancesHit(p, e, x, y);
            for (uint32_t i : hit) {
                p.objects.edit(i, [](GameObject& o) { o.selected = !o.selected; });
                // Sprite-less instances are small and often stacked: one click picks one.
                if (!hasCanvasImage(p.objects[i])) break;
            }
            e.index.selectionChanged(p);
            return !hit.empty();
        }
        case ObjectAction::Remove: return removeInstancesAt(p, e, x, y);
        }
    } else if (e.tab == SceneTab::Tiles) {
        switch (e.tileAction) {
        case TileAction::Place:
            if (!m.shiftOnly()) placeTile(p, e, *s, x, y);
            break;
        case TileAction::Select:
            for (uint32_t i : tilesHit(p, e, x, y)) p.tiles.edit(i, [](Tile& t) { t.selected = !t.selected; });
            e.index.selectionChanged(p);
            break;
        case TileAction::Remove: removeTilesAt(p, e, x, y); break;
        }
    }
    return false;
}

bool keyDown(Project& p, SceneEditor& e, Dialogs& dialogs, CanvasKey key) {
    const Scene* s = editedScene(p, e);
    if (!s || (e.tab != SceneTab::Objects && e.tab != SceneTab::Tiles)) return false;
    const bool objects = e.tab == SceneTab::Objects;
    const int step = s->snap ? gridStep(*s) : 1;
    const std::string scene = e.scene;

    switch (key) {
    case CanvasKey::Space:
    case CanvasKey::Escape: {
        // Across every scene: a selection left in a closed scene's window would
        // otherwise survive unseen.
        bool any = false;
        e.index.sync(p, scene);
        if (objects) {
            p.objects.editEach([&](GameObject& o) {
                if (!o.isTemplate() && o.selected) o.selected = 0, any = true;
            });
        } else {
            p.tiles.editEach([](Tile& t) { t.selected = 0; });
        }
        e.index.selectionChanged(p);
        return any;
    }
    case CanvasKey::Left:
    case CanvasKey::Right:
    case CanvasKey::Up:
    case CanvasKey::Down: {
        const int dx = key == CanvasKey::Right ? step : key == CanvasKey::Left ? -step : 0;
        const int dy = key == CanvasKey::Down ? step : key == CanvasKey::Up ? -step : 0;
        e.index.sync(p, scene);
        std::vector<uint32_t> moved;
        if (objects) {
            for (uint32_t i : e.index.instances()) {
                if (!p.objects[i].selected) continue;
                p.objects.edit(i, [&](GameObject& o) {
                    o.x = addClamped(o.x, dx);
                    o.y = addClamped(o.y, dy);
                });
                moved.push_back(i);
            }
            e.index.instancesMoved(p, moved, dx, dy);
        } else {
            for (uint32_t i : e.index.tiles()) {
                if (!p.tiles[i].selected) continue;
                p.tiles.edit(i, [&](Tile& t) {
                    t.x = addClamped(t.x, dx);
                    t.y = addClamped(t.y, dy);
                });
                moved.push_back(i);
            }
            e.index.tilesMoved(p, moved, dx, dy);
        }
        if (!moved.empty()) p.markModified();
        return objects && !moved.empty();
    }
    case CanvasKey::Delete: {
        size_t n = 0;
        if (objects) {
            for (const GameObject& o : p.objects) n += isInstanceOf(o, scene) && o.selected;
        } else {
            for (const Tile& t : p.tiles) n += t.scene == scene && t.selected;
        }
        if (n == 0) return false;
        if (!dialogs.confirm("Delete " + std::to_string(n) + (objects ? " objects?" : " tiles?"))) return false;
        if (objects) p.objects.removeIf([&](const GameObject& o) { return isInstanceOf(o, scene) && o.selected; });
        else p.tiles.removeIf([&](const Tile& t) { return t.scene == scene && t.selected; });
        e.index.invalidate();
        p.markModified();
        return objects;
    }
    }
    return false;
}

bool showsBulkButtons(const SceneEditor& e) { return e.tab == SceneTab::Objects || e.tab == SceneTab::Tiles; }

bool clearScene(Project& p, SceneEditor& e, Dialogs& dialogs) {
    if (!showsBulkButtons(e) || !editedScene(p, e)) return false;
    const std::string scene = e.scene;
    size_t removed = 0;
    if (e.tab == SceneTab::Objects) {
        if (!dialogs.confirm("Delete all objects in this scene?")) return false;
        removed = p.objects.removeIf([&](const GameObject& o) { return isInstanceOf(o, scene); });
    } else {
        if (!dialogs.confirm("Delete all tiles in this scene?")) return false;
        removed = p.tiles.removeIf([&](const Tile& t) { return t.scene == scene; });
    }
    if (removed) {
        e.index.invalidate();
        p.markModified();
    }
    return removed > 0;
}

std::string shiftDialogTitle(const SceneEditor& e) { return e.tab == SceneTab::Tiles ? "Shift tiles" : "Shift objects"; }
bool shiftDialogHasAllLayers(const SceneEditor& e) { return e.tab == SceneTab::Tiles; }

bool shiftRecords(Project& p, SceneEditor& e, std::string_view horizontal, std::string_view vertical, bool inAllLayers) {
    if (!showsBulkButtons(e) || !editedScene(p, e)) return false;
    const int dx = readInteger(horizontal), dy = readInteger(vertical);
    bool moved = false;
    if (e.tab == SceneTab::Objects) {
        p.objects.editEach([&](GameObject& o) {
            if (!isInstanceOf(o, e.scene)) return;
            o.x = addClamped(o.x, dx);
            o.y = addClamped(o.y, dy);
            moved = true;
        });
    } else {
        p.tiles.editEach([&](Tile& t) {
            if (t.scene != e.scene || (!inAllLayers && t.depth != e.currentLayer)) return;
            t.x = addClamped(t.x, dx);
            t.y = addClamped(t.y, dy);
            moved = true;
        });
    }
    if (moved && (dx || dy)) {
        e.index.invalidate();
        p.markModified();
    }
    return moved && e.tab == SceneTab::Objects;
}

bool setGridSize(Project& p, const SceneEditor& e, std::string_view text) {
    const int v = readInteger(text);
    return v >= 5 && editScene(p, e, [&](Scene& s) { s.gridsize = v; });
}

size_t instanceRowCount(const Project& p, const SceneEditor& e) {
    e.index.sync(p, e.scene);
    return e.index.instances().size();
}

InstanceRow instanceRowAt(const Project& p, const SceneEditor& e, size_t position) {
    e.index.sync(p, e.scene);
    if (position >= e.index.instances().size()) return {};
    const uint32_t i = e.index.instances()[position];
    const GameObject& o = p.objects[i];
    return {o.templ + " (" + o.sprite + ") :" + std::to_string(o.x) + ", " + std::to_string(o.y), o.selected != 0, i};
}

std::vector<size_t> selectedInstanceRows(const Project& p, const SceneEditor& e) {
    e.index.sync(p, e.scene);
    std::vector<size_t> rows;
    const std::vector<uint32_t>& all = e.index.instances();
    for (size_t k = 0; k < all.size(); ++k)
        if (p.objects[all[k]].selected) rows.push_back(k);
    return rows;
}

void selectInstanceRows(Project& p, const SceneEditor& e, const std::vector<size_t>& indexes) {
    e.index.sync(p, e.scene);
    for (uint32_t i : e.index.instances())
        if (p.objects[i].selected) p.objects.edit(i, [](GameObject& o) { o.selected = 0; });
    for (size_t i : indexes)
        if (i < p.objects.size() && isInstanceOf(p.objects[i], e.scene))
            p.objects.edit(i, [](GameObject& o) { o.selected = 1; });
    e.index.selectionChanged(p);
}

void resizeCanvas(Project& p, const SceneEditor& e, std::string_view widthText, std::string_view heightText) {
    const Scene* s = editedScene(p, e);
    if (!s) return;
    const int w = std::max(readInteger(widthText), 0), h = std::max(readInteger(heightText), 0);
    if (s->width == w && s->height == h) return;
    editScene(p, e, [&](Scene& scene) {
        scene.width = w;
        scene.height = h;
    });
    p.markModified();
}

} // namespace pondaro
