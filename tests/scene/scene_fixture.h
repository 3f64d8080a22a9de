#pragma once
// A small project with one scene open in an editor, and helpers to add sprites,
// templates, instances and tiles to it.
#include <memory>
#include <string>

#include "image/image.h"
#include "project/model.h"
#include "project/naming.h"
#include "scene/scene_canvas.h"
#include "scene/scene_editor.h"

namespace pondaro {

inline Image solid(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

struct SceneFixture {
    Project p;
    SceneEditor e;

    explicit SceneFixture(int width = 200, int height = 160) {
        Scene s = defaultScene();
        s.name = "room";
        s.width = width;
        s.height = height;
        p.scenes.add(s);
        Scene other = defaultScene();
        other.name = "hall";
        p.scenes.add(other);
        e = makeSceneEditor("room");
        e.tab = SceneTab::Objects;
    }

    const Scene& scene() const { return p.scenes[0]; }
    template <class Change>
    void editScene(Change change) {
        p.scenes.edit(0, change);
    }

    // A sprite whose frames are solid pictures of the given sizes.
    void addSprite(const std::string& name, int cx, int cy, std::initializer_list<Image> frames) {
        Sprite s = defaultSprite();
        s.name = name;
        s.centerx = cx;
        s.centery = cy;
        p.sprites.add(s);
        int key = 0;
        for (const Image& img : frames) p.frames.push_back({std::to_string(key++), name, img});
    }

    void addTemplate(const std::string& name, const std::string& sprite, int depth) {
        GameObject o = defaultObjectTemplate();
        o.name = name;
        o.sprite = sprite;
        o.depth = depth;
        p.objects.add(o);
    }

    // An instance of the scene placed directly in the table (no editor rules).
    size_t addInstance(const std::string& name, const std::string& sprite, int x, int y, int depth = 0,
                       const std::string& scene = "room") {
        GameObject o;
        o.prototype = 0;
        o.name = name;
        o.templ = "obj";
        o.sprite = sprite;
        o.scene = scene;
        o.x = x;
        o.y = y;
        o.depth = depth;
        const Image* first = sprite.empty() ? nullptr : p.firstFrameImage(sprite);
        if (first) o.canvasImage = o.displayImage = std::make_shared<const Image>(*first);
        return p.objects.add(o);
    }

    size_t addTile(const std::string& name, int x, int y, int w, int h, int depth, Rgba colour = {0, 0, 255, 255},
                   const std::string& scene = "room") {
        Tile t;
        t.name = name;
        t.x = x;
        t.y = y;
        t.width = w;
        t.height = h;
        t.depth = depth;
        t.scene = scene;
        t.picture = std::make_shared<const Image>(solid(w, h, colour));
        return p.tiles.add(t);
    }

    size_t instanceCount(const std::string& scene = "room") const {
        size_t n = 0;
        for (const GameObject& o : p.objects) n += !o.isTemplate() && o.scene == scene;
        return n;
    }
};

inline constexpr Modifiers kShift{true, false, false};
inline constexpr Modifiers kNone{};

} // namespace pondaro
