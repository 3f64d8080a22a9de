#pragma once
// A small square button showing one icon, drawn by the studio itself so the icon keeps
// its size whatever padding the desktop theme gives its own buttons. A click sends an
// ordinary button event. As a toggle (a tool, a switch) its owner shows it held down.
#include <wx/bitmap.h>
#include <wx/window.h>

namespace pondaro::ui {

class IconButton : public wxWindow {
public:
    IconButton(wxWindow* parent, wxWindowID id, const wxBitmap& icon, const wxPoint& pos, const wxSize& size,
               const wxString& toolTip);
    // What a click does: a wxEVT_BUTTON event from this window.
    void click();
    // Shown held down (a toggle that is on) or not.
    void setDown(bool down);
    bool isDown() const { return down_; }

private:
    void onPaint(wxPaintEvent&);
    wxBitmap icon_;
    bool hover_ = false;
    bool pressed_ = false;
    bool down_ = false;
};

} // namespace pondaro::ui
