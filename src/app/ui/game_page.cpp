#include "app/ui/game_page.h"

#include <wx/checkbox.h>
#include <wx/dcbuffer.h>

#include "app/ui/panel_host.h"
#include "app/ui/studio_art.h"

namespace pondaro::ui {

PictureButton::PictureButton(wxWindow* parent, const wxPoint& pos, const wxBitmap& picture, const wxString& caption,
                             const wxFont& font, std::function<void()> onClick)
    : wxWindow(parent, wxID_ANY, pos, picture.GetSize()),
      picture_(picture), caption_(caption), onClick_(std::move(onClick)) {
    SetFont(font);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_HAND));
    SetToolTip(caption);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
        dc.Clear();
        dc.DrawBitmap(picture_, 0, 0, true);
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxColour(30, 34, 50));
        const wxSize s = GetClientSize();
        dc.DrawLabel(caption_, wxRect(s.y + 6, 0, s.x - s.y - 10, s.y), wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { click(); });
}

GamePage::GamePage(wxWindow* parent, PanelHost& host) : wxPanel(parent, wxID_ANY), host_(host) {
    SetBackgroundColour(wxColour(200, 200, 200));
    const StudioArt& art = host.art();
    const char* captions[4] = {"Global variables", "Not listed custom functions", "Game comments",
                               "Installed extensions"};
    for (int i = 0; i < 4; ++i)
        pictures_[i] = new PictureButton(this, wxPoint(10, 10 + 60 * i), art.gameButtons[i], captions[i],
                                         art.headingFont, [this, i] { host_.openGameWindow(i); });
    advanced_ = new wxCheckBox(this, wxID_ANY, "Advanced scripting mode", wxPoint(20, 250), wxSize(200, 30));
    advanced_->Bind(wxEVT_CHECKBOX,
                    [this](wxCommandEvent&) { setAdvancedScriptingMode(host_.studio().project, advanced_->GetValue()); });
}

void GamePage::rebuild() { advanced_->SetValue(host_.studio().project.game.advancedscriptmode != 0); }

} // namespace pondaro::ui
