#include "scene/scene_layers.h"

#include "base/integer_reader.h"
#include "project/naming.h"

namespace pondaro {

std::vector<int> layerDepths(const Project& p, std::string_view scene) {
    std::vector<int> depths;
    for (const Layer& l : p.layers)
        if (l.scene == scene) depths.push_back(l.value);
    return depths;
}

bool ensureDefaultLayer(Project& p, std::string_view scene) {
    if (!p.scenes.contains(scene)) return false;
    for (const Layer& l : p.layers)
        if (l.scene == scene) return false;
    createLayer(p, scene);
    return true;
}

void setCurrentLayer(SceneEditor& e, std::string_view text) { e.currentLayer = readInteger(text); }

void selectFirstLayer(const Project& p, SceneEditor& e) {
    for (const Layer& l : p.layers)
        if (l.scene == e.scene) {
            e.currentLayer = l.value;
            return;
        }
    e.currentLayer = 0;
}

bool addLayer(Project& p, SceneEditor& e, Dialogs& dialogs, std::string_view depthText) {
    const int depth = readInteger(depthText);
    if (!p.scenes.contains(e.scene)) return true;
    for (const Layer& l : p.layers)
        if (l.scene == e.scene && l.value == depth) {
            dialogs.error("Depth already exists");
            return false;
        }
    Layer layer;
    layer.name = freshName(p, ResourceKind::Layer, "layer_");
    layer.scene = e.scene;
    layer.value = depth;
    p.layers.add(std::move(layer));
    p.markModified();
    e.currentLayer = depth;
    return true;
}

bool deleteLayer(Project& p, SceneEditor& e, Dialogs& dialogs) {
    if (!p.scenes.contains(e.scene)) return false;
    if (!dialogs.confirm("Delete this layer and all tiles on this layer?")) return false;
    const std::string scene = e.scene;
    const int depth = e.currentLayer;
    // One pass over each table, however many layers and tiles go.
    p.layers.removeIf([&](const Layer& l) { return l.scene == scene && l.value == depth; });
    if (p.tiles.removeIf([&](const Tile& t) { return t.scene == scene && t.depth == depth; })) e.index.invalidate();
    bool anyLeft = false;
    for (const Layer& l : p.layers) anyLeft = anyLeft || l.scene == scene;
    if (!anyLeft) createLayer(p, scene);
    p.markModified();
    selectFirstLayer(p, e);
    return true;
}

std::optional<size_t> layerToChange(const Project& p, const SceneEditor& e) {
    std::optional<size_t> found;
    for (size_t i = 0; i < p.layers.size(); ++i)
        if (p.layers[i].scene == e.scene && p.layers[i].value == e.currentLayer) found = i;
    return found;
}

bool changeLayerDepth(Project& p, SceneEditor& e, std::string_view depthText) {
    const std::optional<size_t> target = layerToChange(p, e);
    if (!target) return false;
    const std::string scene = e.scene;
    const int from = p.layers[*target].value, to = readInteger(depthText);
    p.layers.edit(*target, [&](Layer& l) { l.value = to; });
    p.tiles.editEach([&](Tile& t) {
        if (t.scene == scene && t.depth == from) t.depth = to;
    });
    // Two layers now on one depth hold the same tiles: the last of them goes.
    size_t last = 0, count = 0;
    for (size_t i = 0; i < p.layers.size(); ++i)
        if (p.layers[i].scene == scene && p.layers[i].value == to) {
            last = i;
            ++count;
        }
    if (count > 1) {
        std::vector<char> marked(p.layers.size(), 0);
        marked[last] = 1;
        p.layers.removeMarked(marked);
    }
    p.markModified();
    selectFirstLayer(p, e);
    return true;
}

} // namespace pondaro
