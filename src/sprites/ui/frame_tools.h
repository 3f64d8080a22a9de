#pragma once
// The windows the frames editor hands its current frame to: the image editor ("Edit
// current frame") and the dialogs of the Transform and Effects menus. The frames editor
// calls openFrameTool for each of these commands (frames_editor_commands.h,
// opensImageTool); this file is where those windows are wired in.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"
#include "sprites/frames_editor_commands.h"

namespace pondaro::ui {

struct FrameToolCall {
    Studio& studio;
    // The frames editor: the owner of the tool's window.
    wxWindow* editor;
    std::string sprite;
    // The current frame (an index into the frame list), -1 for none: a tool then does
    // nothing.
    int current;
    // Called once the tool is done (OK, Cancel or its close box), with the frame to be
    // current afterwards, so the editor draws its strip again. A tool whose window stays
    // open while the user works calls it when that window closes.
    std::function<void(int current)> done;
};

void openFrameTool(FramesCommand command, const FrameToolCall& call);

} // namespace pondaro::ui
