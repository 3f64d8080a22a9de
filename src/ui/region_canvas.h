#pragma once
// A scrolled view of a canvas that core draws: the canvas has a size of its own, which
// may be far larger than any window can be (a picture at a high zoom, a long strip of
// frames), and each paint asks `render` for the visible rectangle only, in canvas
// pixels, and blits what it drew. Pixels the picture leaves transparent show a ground
// a shade darker than the window's; a canvas smaller than the view sits at its top left.
//
// The left button's press, drag and release come back in canvas pixels (a drag may
// leave the canvas: the view holds the mouse while the button is down); so do the right
// button's press and release and every movement of the pointer, for a view that wants
// them. A zoom is the renderer's business: the owner changes it and gives the view the
// new canvas size. A paint asks for the part of the view that needs drawing only, so an
// owner that names what changed (redrawArea) pays for that part.
#include <functional>

#include <wx/scrolwin.h>

#include "base/geometry.h"
#include "image/image.h"
#include "image/pixel_planes.h"

namespace pondaro::ui {

class RegionCanvas : public wxScrolledCanvas {
public:
    using Render = std::function<Image(Rect visible)>;
    // Draws a rectangle of the canvas (what of the view needs drawing) into `picture`,
    // which the view keeps between paints, so a view drawn many times a second makes no
    // new picture or bitmap each time.
    using RenderInto = std::function<void(Rect visible, Image& picture)>;
    // Draws a rectangle of an opaque canvas (what of the view needs drawing and lies
    // on the canvas) straight into the colour rows of the bitmap the view keeps.
    using RenderRows = std::function<void(Rect visible, const RgbRows& rows)>;
    using Pointer = std::function<void(int x, int y)>;

    // `minimum` is the smallest the view gets in a sizer; the scroll bars move the view
    // by `scrollStep` pixels.
    RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, Render render, const wxString& name = "canvas");
    RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderInto render, const wxString& name = "canvas");
    RegionCanvas(wxWindow* parent, wxSize minimum, int scrollStep, RenderRows render, const wxString& name = "canvas");

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
    // Draws again what the view shows of an area of the canvas.
    void redrawArea(Rect area);

    Pointer onPress, onDrag, onRelease;
    Pointer onRightPress, onRightRelease;
    // Every movement of the pointer over the view (or while a button holds the mouse).
    Pointer onMove;
    // The mouse wheel: whole steps, positive when turned forward (away from the user).
    // A view with a wheel handler takes the keyboard focus when the pointer enters it,
    // so that the wheel reaches it.
    std::function<void(int steps)> onWheel;

private:
    void onPaint(wxPaintEvent&);
    void onLeftDown(wxMouseEvent& e);
    void onMotion(wxMouseEvent& e);
    void onLeftUp(wxMouseEvent& e);
    void onRightDown(wxMouseEvent& e);
    void onRightUp(wxMouseEvent& e);
    void onWheelTurned(wxMouseEvent& e);
    void holdMouse();
    void letMouseGo();

    Render render_;
    RenderInto renderInto_;
    RenderRows renderRows_;
    Image picture_;
    wxBitmap bitmap_;
    Size size_;
    int step_;
    bool pressed_ = false;
    bool rightPressed_ = false;
    int wheelRotation_ = 0;  // turned but less than a whole step yet
};

} // namespace pondaro::ui
