#include "resources/object_window.h"

#include <array>

#include "base/integer_reader.h"
#include "code/code_window_rules.h"
#include "image/artwork.h"
#include "image/draw.h"
#include "image/fit.h"
#include "project/naming.h"

namespace pondaro {

namespace {

constexpr size_t kNone = Table<GameObject>::npos;

// Opening the window and pressing Done must not drop a name the box does not offer.
void offerNamed(std::vector<BoxRow>& rows, const std::string& named) {
    if (named.empty()) return;
    for (const BoxRow& r : rows)
        if (r.text == named) return;
    rows.push_back({named, ""});
}

} // namespace

std::string objectWindowTitle(const std::string& name) { return "Object properties - " + name; }

size_t templateIndex(const Project& p, std::string_view name) {
    const GameObject* t = p.templateNamed(name);
    return t ? size_t(t - p.objects.records().data()) : kNone;
}

// ---- The sprite box and the parent box ----------------------------------------------------

std::vector<BoxRow> spriteBoxRows(const Project& p, const std::string& named) {
    std::vector<BoxRow> rows;
    rows.reserve(p.sprites.size() + 2);
    rows.push_back({});
    for (const Sprite& s : p.sprites) rows.push_back({s.name, s.name});
    offerNamed(rows, named);
    return rows;
}

std::vector<BoxRow> parentBoxRows(const Project& p, std::string_view editedTemplate, const std::string& named) {
    std::vector<BoxRow> rows;
    rows.push_back({});
    for (const GameObject& o : p.objects)
        if (o.isTemplate() && o.name != editedTemplate) rows.push_back({o.name, o.sprite});
    if (named != editedTemplate) offerNamed(rows, named);
    return rows;
}

std::string keptChoice(const std::vector<BoxRow>& rows, const std::string& chosen, const std::string& stored) {
    bool storedOffered = false;
    for (const BoxRow& r : rows) {
        if (r.text == chosen) return chosen;
        storedOffered = storedOffered || r.text == stored;
    }
    return storedOffered ? stored : std::string();
}

Image objectSpritePreview(const Project& p, std::string_view sprite) {
    Image preview(kSpritePreviewSide, kSpritePreviewSide);
    drawCheckerboard(preview);
    const Image* first = sprite.empty() ? nullptr : p.firstFrameImage(sprite);
    if (first && !first->empty()) {
        drawOver(preview, fitInto(*first, {kSpritePreviewSide, kSpritePreviewSide}), 0, 0);
    } else {
        const int side = kSpritePreviewSide / 2;
        drawOver(preview, drawIcon(Icon::Object, side), (kSpritePreviewSide - side) / 2, (kSpritePreviewSide - side) / 2);
    }
    return preview;
}

std::string objectSpriteSizeText(const Project& p, std::string_view sprite) {
    const Image* first = sprite.empty() ? nullptr : p.firstFrameImage(sprite);
    if (!first || first->empty()) return "Size: <no sprite>";
    return "Size: " + std::to_string(first->width()) + " x " + std::to_string(first->height()) + " px";
}

// ---- The event list ---------------------------------------------------------------------

std::vector<size_t> eventListRows(const Project& p, std::string_view templateName) {
    const std::vector<std::string>& types = eventTypes();
    // One group per type of the box, and one after them for types it does not know.
    std::vector<std::vector<size_t>> groups(types.size() + 1);
    for (size_t i = 0; i < p.scripts.size(); ++i) {
        const Script& s = p.scripts[i];
        if (s.object != templateName) continue;
        size_t group = 0;
        while (group < types.size() && types[group] != s.event) ++group;
        groups[group].push_back(i);
    }
    std::vector<size_t> rows;
    for (const auto& g : groups) rows.insert(rows.end(), g.begin(), g.end());
    return rows;
}

const Script* eventRowHandler(const Project& p, std::string_view templateName, size_t script) {
    if (script >= p.scripts.size() || p.scripts[script].object != templateName) return nullptr;
    return &p.scripts[script];
}

size_t addEventHandler(Project& p, const std::string& templateName, const std::string& eventType) {
    Script s;
    s.name = freshName(p, ResourceKind::Script, "scr_");
    s.object = templateName;
    s.event = eventType;
    p.markModified();
    return p.scripts.add(std::move(s));
}

bool deleteEventHandler(Project& p, Dialogs& dialogs, std::string_view templateName, size_t script) {
    if (!eventRowHandler(p, templateName, script) || !dialogs.confirm(kDeleteEventQuestion)) return false;
    // By position: two handlers may share a name in a damaged file.
    std::vector<char> marked(p.scripts.size(), 0);
    marked[script] = 1;
    p.scripts.removeMarked(marked);
    p.markModified();
    return true;
}

// ---- Done -------------------------------------------------------------------------------

ObjectFields objectFieldsOf(const GameObject& o) {
    return {o.name, o.sprite, o.visible != 0, std::to_string(o.depth), o.collision != 0, o.parent, o.keywords};
}

bool commitObject(Project& p, Dialogs& dialogs, std::string_view templateName, const ObjectFields& fields) {
    const size_t index = templateIndex(p, templateName);
    GameObject record = index == kNone ? GameObject{} : p.objects[index];
    record.name = fields.name;
    record.sprite = fields.sprite;
    record.visible = fields.visible ? 1 : 0;
    record.depth = readInteger(fields.depth);
    record.collision = fields.collision ? 1 : 0;
    record.parent = fields.parent;
    record.keywords = fields.keywords;
    const ApplyResult result = applyObject(p, index == kNone ? p.objects.size() : index, record);
    for (const std::string& e : result.errors) dialogs.error(e);
    return result.ok();
}

} // namespace pondaro
