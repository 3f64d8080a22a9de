// The apply step of the property windows: check the window's name and numbers, then
// take the window's fields into the record and carry a rename into every reference.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "base/integer_reader.h"
#include "project/canvas_pictures.h"
#include "project/naming.h"

namespace pondaro {

namespace {

void follow(std::string& reference, const std::string& from, const std::string& to) {
    if (reference == from) reference = to;
}

template <class Record>
bool checkName(const Table<Record>& table, size_t index, const std::string& name, std::string_view what,
               std::vector<std::string>& errors) {
    if (name.empty()) {
        errors.push_back("The " + std::string(what) + " name is missing");
        return false;
    }
    if (table.takenByOther(name, index)) {
        errors.push_back("The " + std::string(what) + " name '" + name + "' already exists");
        return false;
    }
    return true;
}

// The part every kind shares. `check(namePassed, errors)` adds the kind's own
// messages; `keep(stored, current)` carries over what the window does not own
// (editor-only state) or what it holds as text (a parsed number);
// `rewrite(oldName, newName)` carries the rename into the references.
template <class Record, class Check, class Keep, class Rewrite>
ApplyResult applyWindow(Project& p, Table<Record>& table, size_t index, const Record& fields, std::string_view what,
                        Check check, Keep keep, Rewrite rewrite) {
    ApplyResult result;
    // The window may outlive its record (removed or the project reset meanwhile).
    if (index >= table.size()) {
        result.errors.push_back("The " + std::string(what) + " no longer exists");
        return result;
    }
    // Copied first: `fields` may be the record itself.
    Record stored = fields;
    const std::string newName = fields.name;

    bool namePassed = checkName(table, index, newName, what, result.errors);
    check(namePassed, result.errors);
    if (!result.ok()) return result;

    const std::string oldName = table[index].name;
    table.edit(index, [&](Record& record) {
        stored.name = oldName;  // the name changes through rename() below
        stored.uid = record.uid;
        keep(stored, record);
        record = std::move(stored);
    });
    table.rename(index, newName);
    p.markModified();

    // An empty name is what a reference holds when it names nothing, so a record
    // that had no name has no references to carry. When another record still holds
    // the old name, the references resolve to that one and stay with it.
    if (!oldName.empty() && oldName != newName && !table.contains(oldName)) rewrite(oldName, newName);
    return result;
}

void noCheck(bool, std::vector<std::string>&) {}
template <class Record>
void keepNothing(Record&, Record&) {}
void noReferences(const std::string&, const std::string&) {}

} // namespace

ApplyResult applySprite(Project& p, size_t index, const Sprite& fields) {
    return applyWindow(
        p, p.sprites, index, fields, "sprite", noCheck,
        [](Sprite& stored, Sprite& current) {
            // Editor state belongs to the open windows, not to the fields being applied.
            stored.spritewindow = std::move(current.spritewindow);
            stored.shapeeditor = std::move(current.shapeeditor);
        },
        [&p](const std::string& from, const std::string& to) {
            p.objects.editEach([&](GameObject& o) { follow(o.sprite, from, to); });
            for (auto& f : p.frames) follow(f.sprite, from, to);
            for (auto& pt : p.points) follow(pt.sprite, from, to);
        });
}

ApplyResult applySound(Project& p, size_t index, const Sound& fields) {
    return applyWindow(p, p.sounds, index, fields, "sound", noCheck, keepNothing<Sound>, noReferences);
}

ApplyResult applyMusic(Project& p, size_t index, const Music& fields) {
    return applyWindow(p, p.musics, index, fields, "music", noCheck, keepNothing<Music>, noReferences);
}

ApplyResult applyBackground(Project& p, size_t index, const Background& fields) {
    return applyWindow(
        p, p.backgrounds, index, fields, "background", noCheck,
        [](Background& stored, Background& current) {
            stored.picture = std::move(current.picture);
            stored.preview = std::move(current.preview);
        },
        [&p](const std::string& from, const std::string& to) {
            p.scenes.editEach([&](Scene& s) { follow(s.background, from, to); });
            p.tiles.editEach([&](Tile& t) { follow(t.background, from, to); });
        });
}

ApplyResult applyFont(Project& p, size_t index, const Font& fields, std::string_view sizeText) {
    const std::string text(sizeText);
    const int size = readInteger(text);
    return applyWindow(
        p, p.fonts, index, fields, "font",
        [&](bool namePassed, std::vector<std::string>& errors) {
            if (namePassed && size < 1) errors.push_back("The font size '" + text + "' is invalid");
        },
        [size](Font& stored, Font&) { stored.size = size; }, noReferences);
}

ApplyResult applyObject(Project& p, size_t index, const GameObject& fields) {
    std::string renamedFrom, renamedTo;
    ApplyResult result = applyWindow(
        p, p.objects, index, fields, "object", noCheck, keepNothing<GameObject>,
        [&](const std::string& from, const std::string& to) {
            renamedFrom = from;
            renamedTo = to;
            p.scripts.editEach([&](Script& s) {
                follow(s.object, from, to);
                follow(s.parameter, from, to);
            });
            // The scene window lists templates for the view to follow; a dangling name
            // would leave the exported scene naming an object that does not exist.
            p.scenes.editEach([&](Scene& s) { follow(s.viewportobject, from, to); });
        });
    if (!result.ok()) return result;

    // One pass over the objects, however many instances the template has: references
    // follow the rename, and the template's instances take its depth and sprite (an
    // instance always carries its template's, renamed or not) with the sprite's first
    // frame as their picture. Pictures are shared, and a turned copy is made once per
    // angle.
    const GameObject& edited = p.objects[index];
    const bool isTemplate = edited.isTemplate();
    const std::string name = edited.name, sprite = edited.sprite;
    const int depth = edited.depth;
    std::shared_ptr<const Image> picture;
    if (const Image* first = sprite.empty() ? nullptr : p.firstFrameImage(sprite); first && !first->empty())
        picture = std::make_shared<const Image>(*first);
    std::map<int, std::shared_ptr<const Image>> turned;
    auto takePicture = [&](GameObject& o) {
        o.canvasImage = picture;
        if (!picture || o.image_angle % 360 == 0) {
            o.displayImage = picture;
            return;
        }
        auto& copy = turned[o.image_angle];
        if (!copy) {
            rebuildDisplayImage(o);
            copy = o.displayImage;
        }
        o.displayImage = copy;
    };
    size_t i = 0;
    p.objects.editEach([&](GameObject& o) {
        if (!renamedFrom.empty()) {
            follow(o.templ, renamedFrom, renamedTo);
            follow(o.parent, renamedFrom, renamedTo);
        }
        if (isTemplate && i == index) {
            takePicture(o);
        } else if (isTemplate && !o.isTemplate() && o.templ == name) {
            o.depth = depth;
            o.sprite = sprite;
            takePicture(o);
        }
        ++i;
    });
    return result;
}

ApplyResult applyScene(Project& p, size_t index, const Scene& fields, std::string_view speedText) {
    // An empty text reads as 0, so one bound covers "missing" and "below 1".
    const int speed = readInteger(speedText);
    return applyWindow(
        p, p.scenes, index, fields, "scene",
        [&](bool, std::vector<std::string>& errors) {
            if (speed < 1) errors.push_back("Invalid scene speed value");
        },
        [speed](Scene& stored, Scene&) { stored.speed = speed; },
        [&p](const std::string& from, const std::string& to) {
            p.objects.editEach([&](GameObject& o) {
                if (!o.isTemplate()) follow(o.scene, from, to);
            });
            p.layers.editEach([&](Layer& l) { follow(l.scene, from, to); });
            p.tiles.editEach([&](Tile& t) { follow(t.scene, from, to); });
        });
}

ApplyResult applyFunction(Project& p, size_t index, const GameFunction& fields) {
    return applyWindow(p, p.fns, index, fields, "function", noCheck, keepNothing<GameFunction>, noReferences);
}

} // namespace pondaro
