#include "app/ui/editor_hooks.h"

#include "code/ui/code_windows.h"
#include "extensions/function_library.h"
#include "extensions/ui/function_library_windows.h"
#include "resources/ui/audio_window.h"
#include "resources/ui/background_window.h"
#include "resources/ui/font_window.h"
#include "resources/ui/function_window.h"
#include "resources/ui/object_window.h"
#include "resources/ui/record_window.h"
#include "scene/ui/scene_window.h"
#include "sprites/ui/sprite_window.h"

namespace pondaro::ui {

namespace {

// The entry of a kind whose window `open` makes.
template <class Open>
RecordWindowHook recordHook(ResourceKind kind, Open open) {
    RecordWindowHook hook;
    hook.open = [open](HookContext& c, const std::string& name) { open(c, name); };
    hook.isOpen = [kind](const std::string& name) { return isRecordWindowOpen(kind, name); };
    return hook;
}

} // namespace

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
    for (ResourceKind kind : {ResourceKind::Sound, ResourceKind::Music}) {
        (kind == ResourceKind::Sound ? hooks.sound : hooks.music) =
            recordHook(kind, [kind](HookContext& c, const std::string& name) {
                openAudioWindow(c.studio, c.parent, kind, name, c.rebuildPanel);
            });
    }
    hooks.background = recordHook(ResourceKind::Background, [](HookContext& c, const std::string& name) {
        openBackgroundWindow(c.studio, c.parent, name, c.rebuildPanel);
    });
    hooks.font = recordHook(ResourceKind::Font, [](HookContext& c, const std::string& name) {
        openFontWindow(c.studio, c.parent, name, c.rebuildPanel);
    });
    hooks.function = recordHook(ResourceKind::Function, [](HookContext& c, const std::string& name) {
        openFunctionWindow(c.studio, c.parent, name, c.rebuildPanel);
    });
    hooks.scene.open = [](HookContext& c, const std::string& name) {
        openSceneWindow(c.studio, c.parent, name, c.rebuildPanel);
    };
    hooks.scene.isOpen = isSceneWindowOpen;
    hooks.globalVariables = [](HookContext& c) { openGlobalVariables(c.studio, c.parent); };
    hooks.functions = [](HookContext& c) { openCustomFunctions(c.studio, c.parent); };
    hooks.comments = [](HookContext& c) { openGameComments(c.studio, c.parent); };
    hooks.showComments = [](HookContext& c) { showGameCommentsIfAny(c.studio, c.parent); };
    hooks.exportFunctions = [](HookContext& c) { exportFunctionsWindow(c.studio, c.parent); };
    hooks.importFunctions = [](HookContext& c) {
        if (importChosenFunctions(c.studio.project, c.studio.dialogs)) c.rebuildPanel();
    };
    return hooks;
}

} // namespace pondaro::ui
