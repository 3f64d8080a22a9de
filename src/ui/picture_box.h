#pragma once
// A fixed-size area showing one bitmap centred on a light ground.
#include <wx/bitmap.h>
#include <wx/window.h>

namespace pondaro::ui {

class PictureBox : public wxWindow {
public:
    PictureBox(wxWindow* parent, const wxPoint& pos, const wxSize& size);
    void setPicture(const wxBitmap& bitmap, bool isPlaceholder);
    bool isPlaceholder() const { return placeholder_; }

private:
    void onPaint(wxPaintEvent&);
    wxBitmap bitmap_;
    bool placeholder_ = true;
};

} // namespace pondaro::ui
