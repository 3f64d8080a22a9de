#include "sprites/ui/frame_tools.h"

#include "sprites/effect_dialog.h"
#include "sprites/ui/effect_dialogs.h"
#include "sprites/ui/image_editor_window.h"

namespace pondaro::ui {

void openFrameTool(FramesCommand command, const FrameToolCall& call) {
    if (command == FramesCommand::EditFrame) {
        // The editor stays open while the user paints; the frames editor hears of it
        // when it closes.
        openImageEditorWindow(call.studio, call.editor, call.sprite, call.current, [call] {
            if (call.done) call.done(call.current);
        });
        return;
    }
    if (const std::optional<Effect> effect = previewEffectOf(command))
        runEffectDialog(call.studio, call.editor, *effect, call.sprite, call.current);
    else if (const std::optional<SizeOperation> operation = sizeOperationOf(command))
        runSizeDialog(call.studio, call.editor, *operation, call.sprite);
    if (call.done) call.done(call.current);
}

} // namespace pondaro::ui
