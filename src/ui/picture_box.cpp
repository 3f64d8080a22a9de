#include "ui/picture_box.h"

#include <wx/dcbuffer.h>

namespace pondaro::ui {

PictureBox::PictureBox(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, wxID_ANY, pos, size, wxBORDER_SIMPLE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PictureBox::onPaint, this);
}

void PictureBox::setPicture(const wxBitmap& bitmap, bool isPlaceholder) {
    bitmap_ = bitmap;
    placeholder_ = isPlaceholder;
    Refresh();
}

void PictureBox::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxColour(236, 236, 240)));
    dc.Clear();
    if (!bitmap_.IsOk()) return;
    const wxSize area = GetClientSize();
    dc.DrawBitmap(bitmap_, (area.x - bitmap_.GetWidth()) / 2, (area.y - bitmap_.GetHeight()) / 2, true);
}

} // namespace pondaro::ui
