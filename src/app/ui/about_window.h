#pragma once
// The about window: a borderless picture with the version; a click closes it.
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dialog.h>

namespace pondaro::ui {

class AboutWindow : public wxDialog {
public:
    AboutWindow(wxWindow* parent, const wxBitmap& picture);

private:
    void paint(wxDC& dc);
    wxBitmap picture_;
};

} // namespace pondaro::ui
