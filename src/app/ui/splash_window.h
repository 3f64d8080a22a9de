#pragma once
// The splash shown while the engine template is read at start-up.
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/frame.h>

namespace pondaro::ui {

class SplashWindow : public wxFrame {
public:
    explicit SplashWindow(const wxBitmap& picture);

private:
    void paint(wxDC& dc, const wxSize& area);
    wxBitmap picture_;
};

} // namespace pondaro::ui
