#include "export/generator.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "export/object_order.h"

namespace pondaro {

namespace {

constexpr const char* NL = "\r\n";

std::string num(int v) { return std::to_string(v); }

// "function __N() { " NL + init + "}; var N = new __N();" NL NL
void wrapResource(std::string& out, const std::string& name, const std::string& initLine) {
    out += "function __" + name + "() { " + NL;
    out += initLine;
    out += "}; var " + name + " = new __" + name + "();" + NL + NL;
}

template <class Clip>
std::string audioBlock(const Project& p, const Table<Clip>& clips) {
    std::string out;
    auto path = [&](const std::string& f) { return f.empty() ? std::string() : p.audfolder + "/" + f; };
    for (const Clip& c : clips) {
        if (c.wav.empty() && c.mp3.empty() && c.ogg.empty()) continue;
        wrapResource(out, c.name,
                     "__audio_init__(this, " + c.name + ", '" + path(c.wav) + "', '" + path(c.mp3) + "', '" +
                         path(c.ogg) + "');" + NL);
    }
    return out;
}

struct EventKind {
    const char* type;
    const char* property;
    const char* handler;
};
constexpr EventKind kEvents[] = {
    {"Creation", "on_creation", "on_creation_i"},
    {"Destroy", "on_destroy", "on_destroy_i"},
    {"Step", "on_step", "on_step_i"},
    {"End step", "on_end_step", "on_end_step_i"},
    {"Collision", "on_collision", "on_collision_i"},
    {"Room start", "on_roomstart", "on_roomstart_i"},
    {"Room end", "on_roomend", "on_roomend_i"},
    {"Animation end", "on_animationend", "on_animationend_i"},
    {"Draw", "on_draw", "on_draw_i"},
};

} // namespace

std::string versionText(int version) {
    std::string digits = std::to_string(version).substr(0, 3);
    std::string out = "v";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i) out += '.';
        out += digits[i];
    }
    return out;
}

std::string extensionsBlock(const std::vector<ExtensionEntry>& extensions) {
    std::string out;
    for (const auto& e : extensions) {
        if (e.installed) out += "/* " + e.name + " by " + e.author + " */" + NL + e.code;
        out += NL;
    }
    return out;
}

std::string globalVariablesBlock(const Project& p) { return p.game.variables; }

std::string globalFunctionsBlock(const Project& p) {
    std::string out = p.game.functions + NL;
    for (const auto& f : p.fns) out += "function " + f.name + "(" + f.params + ") { " + NL + f.code + NL + "}" + NL;
    return out;
}

std::string spritesBlock(const Project& p) {
    std::unordered_map<std::string_view, std::vector<const Frame*>> framesOf;
    for (const Frame& f : p.frames) framesOf[f.sprite].push_back(&f);
    std::string out;
    for (const Sprite& s : p.sprites) {
        int w = 0, h = 0;
        std::string list;
        if (auto it = framesOf.find(s.name); it != framesOf.end()) {
            for (const Frame* f : it->second) {
                if (!list.empty()) list += ",";
                list += "'" + p.imgfolder + "/" + s.name + "_" + f->file + ".png'";
            }
            w = it->second.back()->image.width();
            h = it->second.back()->image.height();
        }
        wrapResource(out, s.name,
                     "__sprite_init__(this, " + s.name + ", " + num(w) + ", " + num(h) + ", " + num(s.centerx) + ", " +
                         num(s.centery) + ", '" + s.collisionshape + "', " + num(s.collisionradius) + ", " +
                         num(s.collisionleft) + ", " + num(s.collisionright) + ", " + num(s.collisiontop) + ", " +
                         num(s.collisionbottom) + ", [" + list + "]);" + NL);
    }
    return out;
}

std::string soundsBlock(const Project& p) { return audioBlock(p, p.sounds); }
std::string musicsBlock(const Project& p) { return audioBlock(p, p.musics); }

std::string backgroundsBlock(const Project& p) {
    std::string out;
    for (const Background& b : p.backgrounds) {
        if (b.file.empty()) continue;
        wrapResource(out, b.name, "__background_init__(this, " + b.name + ", '" + p.imgfolder + "/" + b.file + "')");
    }
    return out;
}

std::string fontsBlock(const Project& p) {
    std::string out;
    for (const Font& f : p.fonts)
        wrapResource(out, f.name,
                     "__font_init__(this, " + f.name + ", '" + f.family + "', " + num(f.size) + ", " + num(f.bold) +
                         ", " + num(f.italic) + ")");
    return out;
}

std::string objectsBlock(const Project& p) {
    // The scripts of each template, in script order.
    std::unordered_map<std::string_view, std::vector<const Script*>> scriptsOf;
    for (const Script& s : p.scripts) scriptsOf[s.object].push_back(&s);
    const bool wrapWith = p.game.advancedscriptmode == 0;

    std::string out;
    for (size_t k = 0; k < p.objects.size(); ++k) {
        const GameObject& o = p.objects[k];
        if (!o.isTemplate()) continue;
        const std::string parent = o.parent.empty() ? "null" : o.parent;
        const std::string sprite = o.sprite.empty() ? "null" : o.sprite;
        out += "function __" + o.name + "() {" + NL;
        out += "__instance_init__(this, " + o.name + ", " + parent + ", " + num(o.visible) + ", " + num(o.depth) + ", " +
               sprite + ", " + num(o.collision) + ", " + std::to_string(k) + ");" + NL;
        auto own = scriptsOf.find(o.name);
        for (const EventKind& ev : kEvents) {
            std::vector<const Script*> handlers;
            if (own != scriptsOf.end())
                for (const Script* s : own->second)
                    if (s->event == ev.type) handlers.push_back(s);
            if (handlers.empty()) {
                out += std::string("this.") + ev.property + " = " + ev.handler + ";" + NL;
                continue;
            }
            const std::string type = ev.type;
            out += std::string("this.") + ev.property + " = function() {" + NL;
            if (type == "Animation end") out += std::string("if(this.image_index >= this.image_number - 1) {") + NL;
            if (type == "Draw") out += std::string("if (this.visible == 1) {") + NL + "__handle_sprite__(this);" + NL;
            if (wrapWith) out += std::string("with(this) {") + NL;
            for (const Script* s : handlers) {
                if (type != "Collision") {
                    out += s->code + NL;
                } else if (!s->parameter.empty()) {
                    out += "this.other = this.place_meeting(this.x, this.y, " + s->parameter + ");" + NL +
                           "if(this.other != null) {" + NL + s->code + NL + "}" + NL;
                }
            }
            if (wrapWith) out += std::string("}") + NL;
            if (type == "Animation end" || type == "Draw") out += std::string("}") + NL;
            out += std::string("};") + NL;
        }
        out += "}; var " + o.name + " = new __" + o.name + "();" + NL + NL;
    }
    return out;
}

std::string scenesBlock(const Project& p) {
    std::unordered_map<std::string_view, std::vector<const Tile*>> tilesOf;
    for (const Tile& t : p.tiles) tilesOf[t.scene].push_back(&t);
    std::unordered_map<std::string_view, std::vector<const GameObject*>> objectsOf;
    // Only instances are placed in scenes; a template carrying a scene name (a damaged
    // file) would otherwise become an entry without a template and break the game.
    for (const GameObject& o : p.objects)
        if (!o.isTemplate()) objectsOf[o.scene].push_back(&o);

    std::string out;
    for (const Scene& s : p.scenes) {
        out += "function __" + s.name + "() { " + NL;
        out += std::string("this.tiles = [") + NL;
        if (auto it = tilesOf.find(s.name); it != tilesOf.end()) {
            // Depths and backgrounds in order of first appearance; one group per pair.
            std::vector<int> depths;
            std::vector<std::string_view> backgrounds;
            std::unordered_map<int, size_t> depthIndex;
            std::unordered_map<std::string_view, size_t> backgroundIndex;
            std::unordered_map<size_t, std::vector<const Tile*>> groups;  // depth * nb + background
            for (const Tile* t : it->second) {
                if (depthIndex.emplace(t->depth, depths.size()).second) depths.push_back(t->depth);
                if (backgroundIndex.emplace(t->background, backgrounds.size()).second) backgrounds.push_back(t->background);
            }
            const size_t nb = backgrounds.size();
            for (const Tile* t : it->second) groups[depthIndex[t->depth] * nb + backgroundIndex[t->background]].push_back(t);
            for (size_t d = 0; d < depths.size(); ++d) {
                if (d) out += std::string(",") + NL;
                out += "[" + num(depths[d]) + "," + NL;
                bool firstGroup = true;
                for (size_t b = 0; b < nb; ++b) {
                    auto g = groups.find(d * nb + b);
                    if (g == groups.end()) continue;
                    if (!firstGroup) out += std::string(",") + NL;
                    firstGroup = false;
                    out += "[" + std::string(backgrounds[b]) + "," + NL;
                    bool firstTile = true;
                    for (const Tile* t : g->second) {
                        if (!firstTile) out += std::string(",") + NL;
                        firstTile = false;
                        out += "[" + num(t->left) + "," + num(t->top) + "," + num(t->width) + "," + num(t->height) + "," +
                               num(t->x) + "," + num(t->y) + "]";
                    }
                    out += "]";
                }
                out += "]";
            }
        }
        out += std::string("];") + NL;
        out += std::string("this.objects = [") + NL;
        if (auto it = objectsOf.find(s.name); it != objectsOf.end()) {
            bool first = true;
            for (const GameObject* o : it->second) {
                if (!first) out += std::string(",") + NL;
                first = false;
                out += "[{o:" + o->templ + ", x:" + num(o->x) + ", y:" + num(o->y);
                if (o->direction != 0) out += ", d:" + num(o->direction);
                if (o->image_angle != 0) out += ", a:" + num(o->image_angle);
                out += "}]";
            }
        }
        out += std::string("];") + NL;
        out += std::string("this.start = function() {") + NL;
        const std::string bg = s.background.empty() ? "null" : s.background + ".image";
        const std::string follow = s.viewportobject.empty() ? "null" : s.viewportobject;
        out += "__room_start__(this, " + s.name + ", " + num(s.width) + ", " + num(s.height) + ", " + num(s.speed) + ", " +
               num(s.red) + ", " + num(s.green) + ", " + num(s.blue) + ", " + bg + ", " + num(s.backgroundtilex) + ", " +
               num(s.backgroundtiley) + ", " + num(s.backgroundstretch) + ", " + num(s.viewportwidth) + ", " +
               num(s.viewportheight) + ", " + follow + ", " + num(s.viewportxborder) + ", " + num(s.viewportyborder) +
               ");" + NL;
        if (!s.code.empty()) out += NL + s.code + NL;
        out += std::string("};") + NL + "}" + NL;
        out += "var " + s.name + " = new __" + s.name + "();" + NL;
        out += "pd_scenes.push(" + s.name + ");" + NL;
    }
    if (!p.scenes.empty()) out += "pd_room_to_go = " + p.scenes[0].name + ";" + NL;
    return out;
}

void orderObjectsParentFirst(Project& p) {
    std::vector<OrderEntry> entries;
    entries.reserve(p.objects.size());
    for (const GameObject& o : p.objects) entries.push_back({&o.name, &o.parent, o.isTemplate()});
    p.objects.reorder(parentFirstOrder(entries));
}

void sortObjectsForDisplay(Project& p, const std::string& sortOrder) {
    std::vector<size_t> order(p.objects.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto& o = p.objects;
    if (sortOrder == "ASC")
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return o[a].name < o[b].name; });
    else if (sortOrder == "DESC")
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return o[b].name < o[a].name; });
    else
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return o[a].uid < o[b].uid; });
    p.objects.reorder(order);
}

std::string exportObjects(Project& p, const std::string& sortOrder) {
    orderObjectsParentFirst(p);
    std::string block = objectsBlock(p);
    sortObjectsForDisplay(p, sortOrder);
    return block;
}

} // namespace pondaro
