#include "sprites/ui/frame_tools.h"

namespace pondaro::ui {

// The image editor and the effect dialogs come with their own windows; until then the
// commands say so and leave the frames as they are.
void openFrameTool(FramesCommand command, const FrameToolCall& call) {
    if (command == FramesCommand::EditFrame) call.studio.dialogs.message("The image editor is not available yet.");
    else call.studio.dialogs.message("The effect dialogs are not available yet.");
    if (call.done) call.done(call.current);
}

} // namespace pondaro::ui
