#pragma once
// A scrolled view of a canvas that core draws: the canvas has a size of its own, which
// may be far larger than any window can be (a picture at a high zoom, a long strip of
// frames), and each paint asks `render` for the visible rectangle only, in canvas
// pixels, and blits what it drew. Pixels the picture leaves transparent show a ground
// a shade darker than the window's; a canvas smaller than the view sits at its top left.
//
// The left button's press, drag and release come back in canvas pixels (a drag may
// leave the canvas: the view holds the mouse while the button is down). A zoom is the
// renderer's business: the owner changes it and gives the view the new canvas size.
#include <functional>

#include <wx/scrolwin.h>

#include "base/geometry.h"
#include "image/image.h"

namespace pondaro::ui {

class RegionCanvas : public wxScrolledCanvas {
public:
    using Render = std::function<Image(Rect visible)>;
    using Pointer = std::function<void(int x, int y)>;

    // `minimum` is the smallest the view gets in a sizer; the scroll bars move the view
    // by `scrollStep` pixels.
    RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name = "canvas");

    // Sets the canvas size (scroll range) and draws the view again.
    void setCanvasSize(Size size);
    Size canvasSize() const { return size_; }
    // The canvas pixels in view.
    Rect visibleRegion() const;
    // Scrolls as little as needed to bring the area into view (its top left when it
    // does not fit).
    void showArea(Rect area);
    // The canvas point under a point of the view.
    wxPoint canvasPoint(const wxPoint& viewPoint) const;
    // Draws the view again (nothing is cached between paints).
    void redraw() { Refresh(false); }

    Pointer onPress, onDrag, onRelease;

private:
    void onPaint(wxPaintEvent&);
    void onLeftDown(wxMouseEvent& e);
    void onMotion(wxMouseEvent& e);
    void onLeftUp(wxMouseEvent& e);

    Render render_;
    Size size_;
    int step_;
    bool pressed_ = false;
};

} // namespace pondaro::ui
