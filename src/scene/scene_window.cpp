#include "scene/scene_window.h"

#include <algorithm>
#include <memory>

#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/fit.h"
#include "image/thumbnail_cards.h"
#include "project/canvas_pictures.h"
#include "project/naming.h"
#include "project/working_folder.h"
#include "scene/scene_canvas.h"
#include "scene/scene_layers.h"
#include "scene/scene_pictures.h"
#include "scene/scene_render.h"

namespace pondaro {


void loadBackgroundPicture(const Project& p, SceneEditor& e, const std::filesystem::path& root) {
    e.backgroundPicture = Image();
    const Scene* s = editedScene(p, e);
    const Background* bg = s && !s->background.empty() ? p.backgrounds.get(s->background) : nullptr;
    if (!bg || bg->file.empty()) return;
    Image picture;
    const std::filesystem::path file = mediaFilePath(p, root, bg->file);
    if (!file.empty() && loadImage(file, picture)) e.backgroundPicture = std::move(picture);
}

std::vector<std::string> templateChoices(const Project& p) {
    std::vector<std::string> names;
    for (const GameObject& o : p.objects)
        if (o.isTemplate()) names.push_back(o.name);
    return names;
}

std::vector<std::string> backgroundChoices(const Project& p) {
    std::vector<std::string> names;
    names.reserve(p.backgrounds.size());
    for (const Background& b : p.backgrounds) names.push_back(b.name);
    return names;
}

Image templateIcon(const Project& p, std::string_view templateName, int size) {
    const GameObject* objectTemplate = p.templateNamed(templateName);
    const Image* first =
        objectTemplate && !objectTemplate->sprite.empty() ? p.firstFrameImage(objectTemplate->sprite) : nullptr;
    return fitInto(first && !first->empty() ? *first : placeholderIcon(), {size, size});
}

namespace {
// The field a flag is kept in, of a scene or a const scene.
template <class S>
auto& editorField(S& s, EditorFlag flag) {
    switch (flag) {
    case EditorFlag::ShowGrid: return s.showgrid;
    case EditorFlag::Snap: return s.snap;
    case EditorFlag::ShowObjects: return s.showobjects;
    case EditorFlag::ShowTiles: break;
    }
    return s.showtiles;
}
template <class S>
auto& backgroundField(S& s, BackgroundFlag flag) {
    switch (flag) {
    case BackgroundFlag::TileHorizontally: return s.backgroundtilex;
    case BackgroundFlag::TileVertically: return s.backgroundtiley;
    case BackgroundFlag::Stretch: break;
    }
    return s.backgroundstretch;
}
} // namespace

bool editorFlag(const Scene& s, EditorFlag flag) { return editorField(s, flag) != 0; }

void setEditorFlag(Project& p, const SceneEditor& e, EditorFlag flag, bool on) {
    const size_t i = p.scenes.find(e.scene);
    if (i == Table<Scene>::npos || editorFlag(p.scenes[i], flag) == on) return;
    p.scenes.edit(i, [&](Scene& s) { editorField(s, flag) = on ? 1 : 0; });
}

bool backgroundFlag(const Scene& s, BackgroundFlag flag) { return backgroundField(s, flag) != 0; }

void setBackgroundFlag(Project& p, const SceneEditor& e, BackgroundFlag flag, bool on) {
    const size_t i = p.scenes.find(e.scene);
    if (i == Table<Scene>::npos || backgroundFlag(p.scenes[i], flag) == on) return;
    p.scenes.edit(i, [&](Scene& s) { backgroundField(s, flag) = on ? 1 : 0; });
    p.markModified();
}

int sceneColour(const Scene& s) {
    auto channel = [](int v) { return std::clamp(v, 0, 255); };
    return channel(s.red) + channel(s.green) * 256 + channel(s.blue) * 65536;
}

bool chooseSceneColour(Project& p, const SceneEditor& e, Dialogs& dialogs) {
    const Scene* s = editedScene(p, e);
    if (!s) return false;
    const std::optional<int> chosen = dialogs.chooseColour(sceneColour(*s));
    // The scene may have gone while the chooser was open.
    const size_t i = p.scenes.find(e.scene);
    if (!chosen || i == Table<Scene>::npos) return false;
    const int c = *chosen;
    p.scenes.edit(i, [&](Scene& scene) {
        scene.red = c & 0xff;
        scene.green = (c >> 8) & 0xff;
        scene.blue = (c >> 16) & 0xff;
    });
    p.markModified();
    return true;
}

SceneEditor openSceneEditor(const Project& p, const std::filesystem::path& root, std::string_view scene) {
    SceneEditor e = makeSceneEditor(std::string(scene));
    loadBackgroundPicture(p, e, root);
    selectFirstLayer(p, e);
    // "Tile image" lists every background with the first preselected.
    if (!p.backgrounds.empty()) e.tileImage = p.backgrounds[0].name;
    return e;
}

void chooseBackground(Project& p, SceneEditor& e, const std::filesystem::path& root, std::string_view background) {
    const size_t i = p.scenes.find(e.scene);
    if (i == Table<Scene>::npos) return;
    if (p.scenes[i].background != background) {
        p.scenes.edit(i, [&](Scene& s) { s.background = std::string(background); });
        p.markModified();
    }
    loadBackgroundPicture(p, e, root);
}

void chooseObjectToPlace(const Project& p, SceneEditor& e, std::string_view templateName) {
    e.objectToPlace = std::string(templateName);
    e.objectAction = ObjectAction::Place;
    e.placePreview.reset();
    e.placePreviewSprite = -1;
    const GameObject* objectTemplate = p.templateNamed(e.objectToPlace);
    if (!objectTemplate || objectTemplate->sprite.empty()) return;
    e.placePreviewSprite = p.spriteIndex(objectTemplate->sprite);
    const Image* first = p.firstFrameImage(objectTemplate->sprite);
    if (first && !first->empty()) e.placePreview = std::make_shared<const Image>(*first);
}

Image objectToPlacePicture(const SceneEditor& e) {
    if (e.placePreview && !e.placePreview->empty()) return fitInto(*e.placePreview, {100, 100});
    return fitInto(placeholderIcon(), {100, 100});
}

void refreshSceneWindow(Project& p, SceneEditor& e) {
    refreshCanvasImages(p);
    const std::string place = e.objectToPlace;
    const ObjectAction action = e.objectAction;
    chooseObjectToPlace(p, e, place);
    e.objectAction = action;
    e.index.invalidate();
}

SceneFields sceneFieldsOf(const Scene& s) {
    return {s.name,
            std::to_string(s.width),
            std::to_string(s.height),
            std::to_string(s.viewportwidth),
            std::to_string(s.viewportheight),
            s.viewportobject,
            std::to_string(s.viewportxborder),
            std::to_string(s.viewportyborder),
            std::to_string(s.speed),
            s.keywords,
            s.background};
}

Image projectPreviewPicture(const Project& p, const SceneEditor& e) {
    constexpr int size = 240;
    Image out(size, size);
    const Scene* s = editedScene(p, e);
    if (!s) return out;
    const Size f = fitSize({s->width, s->height}, {size, size});
    if (f.width == 0) return out;
    copyInto(out, renderSceneScaled(p, e, f.width, f.height), (size - f.width) / 2, (size - f.height) / 2);
    return out;
}

Status writeProjectPreview(const Project& p, const SceneEditor& e, const std::filesystem::path& root) {
    Status s = checkPathComponent(p.name, "project name");
    if (s) {
        const std::filesystem::path folder = root / "Projects";
        ensureDirectory(folder);
        s = savePng(projectPreviewPicture(p, e), folder / (p.name + ".png"));
    }
    if (!s) return Status::failure("The project preview could not be written: " + s.message());
    return s;
}

Image sceneThumbnail(const Project& p, const SceneEditor& e) {
    const Scene* s = editedScene(p, e);
    const Size f = s ? fitSize({s->width, s->height}, kSceneCardBox) : Size{};
    if (f.width == 0) return sceneCard(Image());
    return sceneCard(renderSceneScaled(p, e, f.width, f.height));
}

bool commitScene(Project& p, Dialogs& dialogs, const std::filesystem::path& root, SceneEditor& e,
                 const SceneFields& fields, bool closing) {
    const size_t index = p.scenes.find(e.scene);
    Scene edited = index < p.scenes.size() ? p.scenes[index] : Scene{};
    edited.name = fields.name;
    edited.width = std::max(readInteger(fields.width), 0);
    edited.height = std::max(readInteger(fields.height), 0);
    edited.viewportwidth = readInteger(fields.viewportwidth);
    edited.viewportheight = readInteger(fields.viewportheight);
    edited.background = fields.background;
    edited.viewportobject = fields.viewportobject;
    edited.viewportxborder = readInteger(fields.viewportxborder);
    edited.viewportyborder = readInteger(fields.viewportyborder);
    edited.keywords = fields.keywords;

    const ApplyResult result = applyScene(p, index, edited, fields.speed);
    if (!result.ok()) {
        for (const std::string& message : result.errors) dialogs.error(message);
        return false;
    }
    e.scene = p.scenes[index].name;
    e.index.invalidate();

    if (!p.name.empty())
        if (Status s = writeProjectPreview(p, e, root); !s) dialogs.error(s.message());
    Image card = sceneThumbnail(p, e);
    p.scenes.edit(index, [&](Scene& s) { s.preview = std::move(card); });
    if (!closing) return true;

    p.objects.editEach([](GameObject& o) { o.selected = 0; });
    p.tiles.editEach([](Tile& t) { t.selected = 0; });
    e.backgroundPicture = Image();
    return true;
}

const Image* sceneCard(Project& p, size_t index, const std::filesystem::path& root) {
    if (index >= p.scenes.size()) return nullptr;
    if (p.scenes[index].preview.empty() && p.scenes[index].cardPending) {
        const SceneEditor e = openSceneEditor(p, root, p.scenes[index].name);
        Image card = sceneThumbnail(p, e);
        p.scenes.edit(index, [&](Scene& s) {
            s.preview = std::move(card);
            s.cardPending = false;
        });
    }
    const Image& card = p.scenes[index].preview;
    return card.empty() ? nullptr : &card;
}

std::optional<size_t> firstSelectedInstance(const Project& p, const SceneEditor& e) {
    e.index.sync(p, e.scene);
    for (uint32_t i : e.index.instances())
        if (p.objects[i].selected) return i;
    return std::nullopt;
}

InstanceFields instanceFieldsOf(const GameObject& o) {
    return {std::to_string(o.x), std::to_string(o.y), std::to_string(o.direction), std::to_string(o.image_angle)};
}

std::string instanceDialogTitle(const GameObject& o) { return "Instance properties - " + o.name; }

bool commitInstance(Project& p, SceneEditor& e, size_t index, const InstanceFields& fields) {
    if (index >= p.objects.size() || p.objects[index].isTemplate()) return false;
    p.objects.edit(index, [&](GameObject& o) {
        o.x = readInteger(fields.x);
        o.y = readInteger(fields.y);
        o.direction = readInteger(fields.direction);
        o.image_angle = readInteger(fields.image_angle);
        rebuildDisplayImage(o);
    });
    p.markModified();
    e.index.invalidate();
    return true;
}

} // namespace pondaro
