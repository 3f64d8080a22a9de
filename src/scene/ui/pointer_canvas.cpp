#include "scene/ui/pointer_canvas.h"

namespace pondaro::ui {

PointerCanvas::PointerCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name)
    : RegionCanvas(parent, minimum, scrollStep, std::move(render), name) {
    listen();
}

PointerCanvas::PointerCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderInto render,
                             const wxString& name)
    : RegionCanvas(parent, minimum, scrollStep, std::move(render), name) {
    listen();
}

void PointerCanvas::listen() {
    // The arrow keys move records instead of scrolling the view.
    SetWindowStyleFlag(GetWindowStyleFlag() | wxWANTS_CHARS);
    // Bound after the view's own handlers, these run first; each passes the event on,
    // so the view still holds the mouse during a drag.
    for (const auto& type : {wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW, wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK,
                             wxEVT_RIGHT_DOWN, wxEVT_RIGHT_DCLICK, wxEVT_LEFT_UP})
        Bind(type, &PointerCanvas::onMouse, this);
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (!onKey || !onKey(e.GetKeyCode())) e.Skip();
    });
}

void PointerCanvas::send(PointerEvent::Kind kind, const wxPoint& at, const wxMouseEvent& e) {
    if (!onPointer) return;
    PointerEvent p;
    p.kind = kind;
    p.x = at.x;
    p.y = at.y;
    p.leftHeld = e.LeftIsDown();
    p.modifiers = {e.ShiftDown(), e.AltDown(), e.ControlDown()};
    onPointer(p);
}

void PointerCanvas::onMouse(wxMouseEvent& e) {
    e.Skip();
    const wxEventType type = e.GetEventType();
    const wxPoint at = canvasPoint(e.GetPosition());
    const Size size = canvasSize();
    const bool inView = wxRect(GetClientSize()).Contains(e.GetPosition());
    const bool over = type != wxEVT_LEAVE_WINDOW && inView && at.x >= 0 && at.y >= 0 && at.x < size.width &&
                      at.y < size.height;
    if (over != over_) {
        over_ = over;
        send(over ? PointerEvent::Kind::Enter : PointerEvent::Kind::Leave, at, e);
    }
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK || type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_DCLICK)
        SetFocus();
    if (type == wxEVT_LEFT_UP) {
        // A release counts where the press was on the canvas.
        const bool pressed = leftPressed_;
        leftPressed_ = false;
        if (pressed && over) send(PointerEvent::Kind::LeftUp, at, e);
        return;
    }
    if (!over) return;
    if (type == wxEVT_MOTION) send(PointerEvent::Kind::Move, at, e);
    else if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK) {
        leftPressed_ = true;
        send(PointerEvent::Kind::LeftDown, at, e);
    } else if (type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_DCLICK) {
        send(PointerEvent::Kind::RightDown, at, e);
    }
}

} // namespace pondaro::ui
