#include "project/naming.h"

namespace pondaro {

std::string freshName(Project& p, ResourceKind kind, std::string_view prefix) {
    std::string name;
    do {
        name = std::string(prefix) + std::to_string(p.nextIdentity());
    } while (p.nameTaken(kind, name));
    return name;
}

Sprite defaultSprite() {
    Sprite s;
    s.collisionshape = "Box";
    return s;
}

Background defaultBackground() {
    Background b;
    b.tilewidth = 32;
    b.tileheight = 32;
    return b;
}

Font defaultFont() {
    Font f;
    f.family = "Arial";
    f.size = 12;
    return f;
}

GameObject defaultObjectTemplate() {
    GameObject o;
    o.prototype = 1;
    o.visible = 1;
    o.collision = 1;
    return o;
}

Scene defaultScene() {
    Scene s;
    s.width = 640;
    s.height = 480;
    s.viewportwidth = 640;
    s.viewportheight = 480;
    s.speed = 30;
    s.viewportxborder = 50;
    s.viewportyborder = 50;
    return s;
}

namespace {

template <class Record>
std::string create(Project& p, Table<Record>& table, ResourceKind kind, std::string_view prefix, Record record,
                   std::string_view keywords) {
    p.markModified();
    record.name = freshName(p, kind, prefix);
    record.keywords = std::string(keywords);
    record.uid = p.nextIdentity();
    std::string name = record.name;
    table.add(std::move(record));
    return name;
}

} // namespace

std::string createSprite(Project& p, std::string_view keywords) {
    return create(p, p.sprites, ResourceKind::Sprite, "sprite_", defaultSprite(), keywords);
}
std::string createSound(Project& p, std::string_view keywords) {
    return create(p, p.sounds, ResourceKind::Sound, "sound_", Sound{}, keywords);
}
std::string createMusic(Project& p, std::string_view keywords) {
    return create(p, p.musics, ResourceKind::Music, "music_", Music{}, keywords);
}
std::string createBackground(Project& p, std::string_view keywords) {
    return create(p, p.backgrounds, ResourceKind::Background, "background_", defaultBackground(), keywords);
}
std::string createFont(Project& p, std::string_view keywords) {
    return create(p, p.fonts, ResourceKind::Font, "font_", defaultFont(), keywords);
}
std::string createObject(Project& p, std::string_view keywords) {
    return create(p, p.objects, ResourceKind::Object, "object_", defaultObjectTemplate(), keywords);
}
std::string createScene(Project& p, std::string_view keywords) {
    return create(p, p.scenes, ResourceKind::Scene, "scene_", defaultScene(), keywords);
}
std::string createFunction(Project& p, std::string_view keywords) {
    return create(p, p.fns, ResourceKind::Function, "function_", GameFunction{}, keywords);
}

std::string createLayer(Project& p, std::string_view scene) {
    Layer layer;
    layer.name = freshName(p, ResourceKind::Layer, "layer_");
    layer.value = 1000000;
    layer.scene = std::string(scene);
    std::string name = layer.name;
    p.layers.add(std::move(layer));
    return name;
}

std::string clashCheckOnRead(Project& p, ResourceKind kind, const std::string& name) {
    if (!p.nameTaken(kind, name)) return name;
    std::string renamed = freshName(p, kind, name + "_");
    switch (kind) {
    case ResourceKind::Script:
    case ResourceKind::Layer:
    case ResourceKind::Tile:
        break;  // renamed without a log line
    default:
        p.mergeLog += std::string(kindKeyword(kind)) + " -> " + name + " to " + renamed + "\r";
        break;
    }
    p.renames.add({name, renamed, kindKeyword(kind)});
    return renamed;
}

} // namespace pondaro
