#include "ui/region_canvas.h"

#include <algorithm>

#include <wx/dcbuffer.h>

#include "ui/wx_image.h"

namespace pondaro::ui {

RegionCanvas::RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, minimum, wxHSCROLL | wxVSCROLL | wxBORDER_SUNKEN, name),
      render_(std::move(render)), step_(std::max(1, scrollStep)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(minimum);
    SetScrollRate(step_, step_);
    ShowScrollbars(wxSHOW_SB_DEFAULT, wxSHOW_SB_DEFAULT);
    Bind(wxEVT_PAINT, &RegionCanvas::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &RegionCanvas::onLeftDown, this);
    Bind(wxEVT_MOTION, &RegionCanvas::onMotion, this);
    Bind(wxEVT_LEFT_UP, &RegionCanvas::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        if (!pressed_) return;
        pressed_ = false;
        if (onRelease) onRelease(0, 0);
    });
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
    if (!render_ || view.width <= 0 || view.height <= 0) return;
    const Image picture = render_(view);
    if (!picture.empty()) dc.DrawBitmap(toBitmap(picture), 0, 0, true);
}

void RegionCanvas::onLeftDown(wxMouseEvent& e) {
    SetFocus();
    if (!HasCapture()) CaptureMouse();
    pressed_ = true;
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onPress) onPress(at.x, at.y);
}

void RegionCanvas::onMotion(wxMouseEvent& e) {
    if (!pressed_) return;
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onDrag) onDrag(at.x, at.y);
}

void RegionCanvas::onLeftUp(wxMouseEvent& e) {
    if (HasCapture()) ReleaseMouse();
    if (!pressed_) return;
    pressed_ = false;
    const wxPoint at = canvasPoint(e.GetPosition());
    if (onRelease) onRelease(at.x, at.y);
}

} // namespace pondaro::ui
