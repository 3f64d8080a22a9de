#include "app/ui/editor_hooks.h"

#include "code/ui/code_windows.h"
#include "resources/ui/object_window.h"
#include "sprites/ui/sprite_window.h"

namespace pondaro::ui {

EditorHooks studioEditorHooks() {
    EditorHooks hooks;
    hooks.sprite.open = [](HookContext& c, const std::string& name) {
        openSpriteWindow(c.studio, c.parent, name, c.rebuildPanel);
    };
    hooks.sprite.isOpen = isSpriteWindowOpen;
    hooks.object.open = [](HookContext& c, const std::string& name) {
        openObjectWindow(c.studio, c.parent, name, c.rebuildPanel);
    };
    hooks.object.isOpen = isObjectWindowOpen;
    hooks.globalVariables = [](HookContext& c) { openGlobalVariables(c.studio, c.parent); };
    hooks.functions = [](HookContext& c) { openCustomFunctions(c.studio, c.parent); };
    hooks.comments = [](HookContext& c) { openGameComments(c.studio, c.parent); };
    hooks.showComments = [](HookContext& c) { showGameCommentsIfAny(c.studio, c.parent); };
    return hooks;
}

} // namespace pondaro::ui
