#include "project/removal.h"

#include "project/canvas_pictures.h"

namespace pondaro {

namespace {

const char* singular(ResourceKind kind) {
    switch (kind) {
    case ResourceKind::Sprite: return "sprite";
    case ResourceKind::Sound: return "sound";
    case ResourceKind::Music: return "music";
    case ResourceKind::Font: return "font";
    case ResourceKind::Background: return "background";
    case ResourceKind::Object: return "object";
    case ResourceKind::Scene: return "scene";
    case ResourceKind::Function: return "function";
    case ResourceKind::Layer: return "layer";
    case ResourceKind::Tile: return "tile";
    case ResourceKind::Script: return "event";
    }
    return "record";
}

} // namespace

std::string deleteQuestion(ResourceKind kind) {
    return std::string("Do you really want to delete this ") + singular(kind) + "?";
}

bool deleteRecord(Project& p, Dialogs& dialogs, ResourceKind kind, const std::string& name) {
    if (!p.nameTaken(kind, name) || !dialogs.confirm(deleteQuestion(kind))) return false;
    p.removeByName(kind, name);
    if (kind == ResourceKind::Sprite) refreshCanvasImages(p);
    return true;
}

} // namespace pondaro
