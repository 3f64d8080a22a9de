#include "resources/record_windows.h"

#include "base/text.h"

namespace pondaro {

std::string propertiesWindowTitle(ResourceKind kind, const std::string& name) {
    const char* title = "";
    switch (kind) {
    case ResourceKind::Sprite: title = "Sprite properties - "; break;
    case ResourceKind::Sound: title = "Sound properties - "; break;
    case ResourceKind::Music: title = "Music properties - "; break;
    case ResourceKind::Background: title = "Background properties - "; break;
    case ResourceKind::Font: title = "Font properties - "; break;
    case ResourceKind::Object: title = "Object properties - "; break;
    case ResourceKind::Scene: title = "Scene properties - "; break;
    case ResourceKind::Function: title = "Function properties - "; break;
    default: break;
    }
    return title + name;
}

std::string recordGoneMessage(ResourceKind kind, const std::string& name) {
    return "The " + asciiLower(kindKeyword(kind)) + " " + name + " no longer exists.";
}

bool showApplyResult(const ApplyResult& result, Dialogs& dialogs) {
    for (const std::string& e : result.errors) dialogs.error(e);
    return result.ok();
}

} // namespace pondaro
