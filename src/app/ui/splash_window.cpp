#include "app/ui/splash_window.h"

#include <wx/dcbuffer.h>

#include "app/title.h"
#include "app/ui/studio_art.h"
#include "project/model.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

SplashWindow::SplashWindow(const wxBitmap& picture)
    : wxFrame(nullptr, wxID_ANY, "Please wait...", wxDefaultPosition, wxSize(800, 600),
              wxBORDER_NONE | wxRESIZE_BORDER | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP),
      picture_(picture) {
    // A window that may not be resized is given its content's natural size on this
    // desktop, whatever size it asks for; without a frame there is nothing to resize it by.
    auto* canvas = new wxWindow(this, wxID_ANY, wxPoint(0, 0), wxSize(800, 600));
    canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas->Bind(wxEVT_PAINT, [this, canvas](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(canvas);
        paint(dc, canvas->GetClientSize());
    });
    SetClientSize(800, 600);
    Centre();
}

void SplashWindow::paint(wxDC& dc, const wxSize& area) {
    if (picture_.GetWidth() == area.x && picture_.GetHeight() == area.y) {
        dc.DrawBitmap(picture_, 0, 0);
    } else {
        wxImage scaled = picture_.ConvertToImage().Scale(area.x, area.y, wxIMAGE_QUALITY_HIGH);
        dc.DrawBitmap(wxBitmap(scaled), 0, 0);
    }
    dc.SetTextForeground(*wxWHITE);
    dc.SetFont(studioFont("Arial", 34, true));
    const wxString title = kProgramName;
    wxSize t = dc.GetTextExtent(title);
    dc.DrawText(title, (area.x - t.x) / 2, area.y / 4);
    dc.SetFont(studioFont("Arial", 12));
    const wxString sub = "version " + toWx(versionDigits(kProgramVersion)) + "  -  Please wait...";
    t = dc.GetTextExtent(sub);
    dc.DrawText(sub, (area.x - t.x) / 2, area.y / 4 + 60);
}

} // namespace pondaro::ui
