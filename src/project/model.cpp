#include "project/model.h"

#include <algorithm>
#include <unordered_set>

#include "base/text.h"

namespace pondaro {

namespace {

struct KindName {
    ResourceKind kind;
    const char* keyword;
};
constexpr KindName kKinds[] = {
    {ResourceKind::Sprite, "SPRITE"},       {ResourceKind::Sound, "SOUND"},   {ResourceKind::Music, "MUSIC"},
    {ResourceKind::Font, "FONT"},           {ResourceKind::Background, "BACKGROUND"},
    {ResourceKind::Object, "OBJECT"},       {ResourceKind::Scene, "SCENE"},   {ResourceKind::Function, "FUNCTION"},
    {ResourceKind::Layer, "LAYER"},         {ResourceKind::Tile, "TILE"},     {ResourceKind::Script, "SCRIPT"},
};

std::string renameKey(std::string_view kind, std::string_view name) {
    std::string key = asciiLower(kind);
    key += '\n';
    key += asciiLower(name);
    return key;
}

} // namespace

void RenameTable::add(RenameEntry entry) {
    last_[renameKey(entry.kind, entry.oldName)] = entries_.size();
    entries_.push_back(std::move(entry));
}

const std::string& RenameTable::lookup(std::string_view kind, const std::string& name) const {
    if (entries_.empty()) return name;
    auto it = last_.find(renameKey(kind, name));
    return it == last_.end() ? name : entries_[it->second].newName;
}

void RenameTable::clear() {
    entries_.clear();
    last_.clear();
}

std::optional<ResourceKind> parseResourceKind(std::string_view keyword) {
    std::string upper = asciiUpper(keyword);
    for (const auto& k : kKinds)
        if (upper == k.keyword) return k.kind;
    return std::nullopt;
}

const char* kindKeyword(ResourceKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.keyword;
    return "";
}

bool Project::nameTaken(ResourceKind kind, std::string_view n) const {
    switch (kind) {
    case ResourceKind::Sprite: return sprites.contains(n);
    case ResourceKind::Sound: return sounds.contains(n);
    case ResourceKind::Music: return musics.contains(n);
    case ResourceKind::Font: return fonts.contains(n);
    case ResourceKind::Background: return backgrounds.contains(n);
    case ResourceKind::Object: return objects.contains(n);
    case ResourceKind::Scene: return scenes.contains(n);
    case ResourceKind::Function: return fns.contains(n);
    case ResourceKind::Layer: return layers.contains(n);
    case ResourceKind::Tile: return tiles.contains(n);
    case ResourceKind::Script: return scripts.contains(n);
    }
    return false;
}

void Project::reset() {
    game = GameSettings{};
    sprites.clear();
    frames.clear();
    sounds.clear();
    musics.clear();
    backgrounds.clear();
    fonts.clear();
    objects.clear();
    scripts.clear();
    scenes.clear();
    layers.clear();
    tiles.clear();
    fns.clear();
    points.clear();
    renames.clear();
    uncopiedMedia.clear();
    savedFiles.clear();
    counter = 1;
}

int Project::recordCountForCounter() const {
    size_t sum = sprites.size() + sounds.size() + musics.size() + fonts.size() + backgrounds.size() +
                 objects.size() + scenes.size() + fns.size() + frames.size() + scripts.size() + tiles.size() +
                 layers.size();
    return int(std::min<size_t>(sum, 0x7fffffff));
}

void Project::removeByName(ResourceKind kind, std::string_view n) {
    const std::string target(n);
    bool removed = false;
    switch (kind) {
    case ResourceKind::Sprite:
        if ((removed = sprites.removeByName(target) > 0)) {
            std::erase_if(frames, [&](const Frame& f) { return f.sprite == target; });
            std::erase_if(points, [&](const Point& p) { return p.sprite == target; });
            objects.editEach([&](GameObject& o) {
                if (o.sprite == target) o.sprite.clear();
            });
        }
        break;
    case ResourceKind::Sound: removed = sounds.removeByName(target) > 0; break;
    case ResourceKind::Music: removed = musics.removeByName(target) > 0; break;
    case ResourceKind::Font: removed = fonts.removeByName(target) > 0; break;
    case ResourceKind::Function: removed = fns.removeByName(target) > 0; break;
    case ResourceKind::Layer: removed = layers.removeByName(target) > 0; break;
    case ResourceKind::Tile: removed = tiles.removeByName(target) > 0; break;
    case ResourceKind::Script: removed = scripts.removeByName(target) > 0; break;
    case ResourceKind::Background:
        if ((removed = backgrounds.removeByName(target) > 0)) {
            scenes.editEach([&](Scene& s) {
                if (s.background == target) s.background.clear();
            });
            tiles.removeIf([&](const Tile& t) { return t.background == target; });
        }
        break;
    case ResourceKind::Object: {
        bool wasTemplate = false;
        objects.removeIf([&](const GameObject& o) {
            if (o.name != target) return false;
            wasTemplate = wasTemplate || o.isTemplate();
            removed = true;
            return true;
        });
        if (wasTemplate) {
            objects.removeIf([&](const GameObject& o) { return !o.isTemplate() && o.templ == target; });
            scripts.removeIf([&](const Script& s) { return s.object == target; });
        }
        break;
    }
    case ResourceKind::Scene:
        if ((removed = scenes.removeByName(target) > 0)) {
            objects.removeIf([&](const GameObject& o) { return !o.isTemplate() && o.scene == target; });
            layers.removeIf([&](const Layer& l) { return l.scene == target; });
            tiles.removeIf([&](const Tile& t) { return t.scene == target; });
        }
        break;
    }
    if (removed) markModified();
}

const GameObject* Project::templateNamed(std::string_view n) const {
    if (n.empty()) return nullptr;
    const GameObject* first = objects.get(n);
    if (!first || first->isTemplate()) return first;
    for (const GameObject& o : objects)
        if (o.isTemplate() && o.name == n) return &o;
    return nullptr;
}

int Project::spriteIndex(std::string_view n) const {
    size_t i = sprites.find(n);
    return i == Table<Sprite>::npos ? -1 : int(i);
}

const Image* Project::firstFrameImage(std::string_view sprite) const {
    for (const auto& f : frames)
        if (f.sprite == sprite) return &f.image;
    return nullptr;
}

long long Project::pictureBytes() const {
    long long bytes = 0;
    for (const Frame& f : frames) bytes += (long long)f.image.byteSize();
    std::unordered_set<const Image*> shared;
    auto count = [&](const std::shared_ptr<const Image>& picture) {
        if (picture && shared.insert(picture.get()).second) bytes += (long long)picture->byteSize();
    };
    for (const Background& b : backgrounds) count(b.picture);
    for (const Tile& t : tiles) count(t.picture);
    return bytes;
}

} // namespace pondaro
