#include "app/ui/about_window.h"

#include <wx/dcbuffer.h>

#include "app/title.h"
#include "app/ui/studio_art.h"
#include "project/model.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

AboutWindow::AboutWindow(wxWindow* parent, const wxBitmap& picture)
    : wxDialog(parent, wxID_ANY, toWx(std::string(kProgramName) + " v" + versionDigits(kProgramVersion)),
               wxDefaultPosition, wxSize(500, 350), wxBORDER_NONE | wxRESIZE_BORDER),
      picture_(picture) {
    // A window that may not be resized is given its content's natural size on this
    // desktop, whatever size it asks for (hence wxRESIZE_BORDER, which a window without
    // a frame cannot show anyway).
    auto* canvas = new wxWindow(this, wxID_ANY, wxPoint(0, 0), wxSize(500, 350));
    canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas->Bind(wxEVT_PAINT, [this, canvas](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(canvas);
        paint(dc);
    });
    canvas->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { EndDialog(wxID_OK); });
    SetClientSize(500, 350);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE || e.GetKeyCode() == WXK_RETURN) EndDialog(wxID_OK);
        else e.Skip();
    });
    CentreOnParent();
}

void AboutWindow::paint(wxDC& dc) {
    dc.DrawBitmap(picture_, 0, 0);
    dc.SetTextForeground(wxColour(24, 38, 74));
    dc.SetFont(studioFont("Arial", 17, true));
    dc.DrawText(kProgramName, 200, 62);
    dc.SetFont(studioFont("Arial", 10));
    dc.SetTextForeground(wxColour(60, 64, 80));
    dc.DrawText("A studio for making 2D browser games.", 200, 96);
    dc.DrawLabel("version " + toWx(versionDigits(kProgramVersion)), wxRect(380, 122, 80, 18),
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    dc.SetFont(studioFont("Arial", 8));
    dc.DrawText("Click to close.", 200, 310);
}

} // namespace pondaro::ui
