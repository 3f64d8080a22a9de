#include "ui/region_canvas.h"

#include <algorithm>

#include <wx/dcbuffer.h>

#include "ui/wx_image.h"

namespace pondaro::ui {

RegionCanvas::RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name)
    : RegionCanvas(parent, minimum, scrollStep, RenderInto(), name) {
    render_ = std::move(render);
}

RegionCanvas::RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderRows render, const wxString& name)
    : RegionCanvas(parent, minimum, scrollStep, RenderInto(), name) {
    renderRows_ = std::move(render);
}

RegionCanvas::RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderInto render, const wxString& name)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, minimum, wxHSCROLL | wxVSCROLL | wxBORDER_SUNKEN, name),
      renderInto_(std::move(render)), step_(std::max(1, scrollStep)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(minimum);
    SetScrollRate(step_, step_);
    ShowScrollbars(wxSHOW_SB_DEFAULT, wxSHOW_SB_DEFAULT);
    Bind(wxEVT_PAINT, &RegionCanvas::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &RegionCanvas::onLeftDown, this);
    Bind(wxEVT_MOTION, &RegionCanvas::onMotion, this);
    Bind(wxEVT_LEFT_UP, &RegionCanvas::onLeftUp, this);
    Bind(wxEVT_RIGHT_DOWN, &RegionCanvas::onRightDown, this);
    Bind(wxEVT_RIGHT_UP, &RegionCanvas::onRightUp, this);
    Bind(wxEVT_MOUSEWHEEL, &RegionCanvas::onWheelTurned, this);
    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& e) {
        if (onWheel) SetFocus();
        e.Skip();
    });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        const bool left = pressed_, right = rightPressed_;
        pressed_ = rightPressed_ = false;
        if (left && onRelease) onRelease(0, 0);
        if (right && onRightRelease) onRightRelease(0, 0);
    });
}

void RegionCanvas::redrawArea(Rect area) {
    if (area.width <= 0 || area.height <= 0) return;
    const wxPoint at = CalcScrolledPosition(wxPoint(area.x, area.y));
    RefreshRect(wxRect(at.x, at.y, area.width, area.height), false);
}

void RegionCanvas::holdMouse() {
    if (!HasCapture()) CaptureMouse();
}

void RegionCanvas::letMouseGo() {
    if (!pressed_ && !rightPressed_ && HasCapture()) ReleaseMouse();
}

void RegionCanvas::setCanvasSize(Size size) {
    size.width = std::max(0, size.width);
    size.height = std::max(0, size.height);
    if (size != size_) {
        size_ = size;
        SetVirtualSize(size.width, size.height);
    }
    redraw();
}

Rect RegionCanvas::visibleRegion() const {
    const wxPoint origin = CalcUnscrolledPosition(wxPoint(0, 0));
    const wxSize client = GetClientSize();
    return {origin.x, origin.y, std::max(0, client.x), std::max(0, client.y)};
}

void RegionCanvas::showArea(Rect area) {
    const Rect view = visibleRegion();
    auto place = [](int start, int length, int viewStart, int viewLength) {
        if (start < viewStart || length > viewLength) return start;
        if (start + length > viewStart + viewLength) return start + length - viewLength;
        return viewStart;
    };
    const int x = place(area.x, area.width, view.x, view.width), y = place(area.y, area.height, view.y, view.height);
    // The view moves by whole steps: rounded up when it moves on, so the area's far end
    // comes into view, and down when it moves back.
    auto steps = [this](int to, int from) { return to > from ? (to + step_ - 1) / step_ : std::max(0, to) / step_; };
    if (x != view.x || y != view.y) Scroll(steps(x, view.x), steps(y, view.y));
}

wxPoint RegionCanvas::canvasPoint(const wxPoint& viewPoint) const { return CalcUnscrolledPosition(viewPoint); }

void RegionCanvas::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    // A ground a shade darker than the window's, so the view's extent shows.
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour().ChangeLightness(92)));
    dc.Clear();
    const Rect view = visibleRegion();
    if ((!render_ && !renderInto_ && !renderRows_) || view.width <= 0 || view.height <= 0) return;
    // Only the part of the view that needs drawing.
    const wxRect part = GetUpdateRegion().GetBox().Intersect(wxRect(0, 0, view.width, view.height));
    if (part.IsEmpty()) return;
    const Rect area{view.x + part.x, view.y + part.y, part.width, part.height};
    if (renderRows_) {
        // The ground shows beyond the canvas; the canvas itself is opaque.
        const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
        const int x1 = std::min(area.x + area.width, size_.width), y1 = std::min(area.y + area.height, size_.height);
        if (x0 >= x1 || y0 >= y1) return;
        const Rect onCanvas{x0, y0, x1 - x0, y1 - y0};
        fillOpaqueBitmap({onCanvas.width, onCanvas.height}, [&](const RgbRows& rows) { renderRows_(onCanvas, rows); },
                         bitmap_);
        if (bitmap_.IsOk()) dc.DrawBitmap(bitmap_, part.x + (x0 - area.x), part.y + (y0 - area.y), false);
        return;
    }
    if (renderInto_) {
        renderInto_(area, picture_);
        toBitmap(picture_, bitmap_);
        if (bitmap_.IsOk()) dc.DrawBitmap(bitmap_, part.x, part.y, true);
        return;
    }
    const Image picture = render_(area);
    if (!picture.empty()) dc.DrawBitmap(toBitmap(picture), part.x, part.y, true);
}

void RegionCanvas::onLeftDown(wxMouseEvent& e) {
    SetFocus();
    holdMouse();
    pressed_ = true;
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onPress) onPress(at.x, at.y);
}

void RegionCanvas::onMotion(wxMouseEvent& e) {
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onMove) onMove(at.x, at.y);
    if (pressed_ && onDrag) onDrag(at.x, at.y);
}

void RegionCanvas::onLeftUp(wxMouseEvent& e) {
    const bool was = pressed_;
    pressed_ = false;
    letMouseGo();
    if (!was) return;
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onRelease) onRelease(at.x, at.y);
}

void RegionCanvas::onRightDown(wxMouseEvent& e) {
    if (!onRightPress) return e.Skip();
    SetFocus();
    holdMouse();
    rightPressed_ = true;
    const wxPoint at = canvasPoint(e.GetPosition());
    onRightPress(at.x, at.y);
}

void RegionCanvas::onRightUp(wxMouseEvent& e) {
    const bool was = rightPressed_;
    rightPressed_ = false;
    letMouseGo();
    if (!was) return e.Skip();
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onRightRelease) onRightRelease(at.x, at.y);
}

void RegionCanvas::onWheelTurned(wxMouseEvent& e) {
    // Without a handler the wheel scrolls the view.
    if (!onWheel || e.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) return e.Skip();
    const int delta = std::max(1, e.GetWheelDelta());
    wheelRotation_ += e.GetWheelRotation();
    const int steps = wheelRotation_ / delta;
    wheelRotation_ -= steps * delta;
    if (steps != 0) onWheel(steps);
}

} // namespace pondaro::ui
