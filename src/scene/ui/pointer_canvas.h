#pragma once
// A RegionCanvas that reports everything the pointer and the keyboard do over it, as
// the scene canvas and the tile-set picker need: enter and leave, moves with or
// without the left button, left and right presses, left releases, each with the
// canvas point and the Shift, Alt and Ctrl keys; and keys pressed while it has the
// focus (a press of either button gives it the focus).
//
// The pointer counts as over the canvas only within the canvas's own size: the part
// of the view a small canvas leaves empty is not the canvas, and a drag that leaves
// it reports leaving.
#include <functional>

#include "scene/scene_editor.h"
#include "ui/region_canvas.h"

namespace pondaro::ui {

struct PointerEvent {
    enum class Kind { Enter, Leave, Move, LeftDown, RightDown, LeftUp };
    Kind kind = Kind::Move;
    int x = 0, y = 0;  // canvas pixels
    bool leftHeld = false;
    Modifiers modifiers;
};

class PointerCanvas : public RegionCanvas {
public:
    PointerCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name);
    PointerCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderInto render, const wxString& name);

    std::function<void(const PointerEvent&)> onPointer;
    // A key pressed while the canvas has the focus: true when it was used.
    std::function<bool(int keyCode)> onKey;

private:
    void listen();
    void onMouse(wxMouseEvent& e);
    void send(PointerEvent::Kind kind, const wxPoint& at, const wxMouseEvent& e);

    bool over_ = false;
    bool leftPressed_ = false;
};

} // namespace pondaro::ui
