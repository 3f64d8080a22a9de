#include "ui/icon_button.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace pondaro::ui {

IconButton::IconButton(wxWindow* parent, wxWindowID id, const wxBitmap& icon, const wxPoint& pos, const wxSize& size,
                       const wxString& toolTip)
    : wxWindow(parent, id, pos, size, wxBORDER_NONE), icon_(icon) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetToolTip(toolTip);
    SetMinSize(size);
    Bind(wxEVT_PAINT, &IconButton::onPaint, this);
    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) { hover_ = true; Refresh(); });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { hover_ = pressed_ = false; Refresh(); });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { pressed_ = true; Refresh(); });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) {
        const bool wasPressed = pressed_;
        pressed_ = false;
        Refresh();
        if (wasPressed) click();
    });
}

void IconButton::click() {
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void IconButton::setDown(bool down) {
    if (down == down_) return;
    down_ = down;
    Refresh();
}

void IconButton::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize s = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const bool sunk = pressed_ || down_;
    const wxColour face = pressed_ ? wxColour(196, 204, 222)
                          : down_  ? wxColour(206, 218, 240)
                          : hover_ ? wxColour(236, 240, 250)
                                   : wxColour(248, 248, 250);
    dc.SetBrush(wxBrush(face));
    dc.SetPen(wxPen(down_ ? wxColour(70, 90, 150) : hover_ ? wxColour(110, 120, 150) : wxColour(170, 172, 180)));
    dc.DrawRoundedRectangle(0, 0, s.x, s.y, 4);
    if (icon_.IsOk())
        dc.DrawBitmap(icon_, (s.x - icon_.GetWidth()) / 2 + (sunk ? 1 : 0), (s.y - icon_.GetHeight()) / 2 + (sunk ? 1 : 0),
                      true);
}

} // namespace pondaro::ui
