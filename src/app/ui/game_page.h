#pragma once
// The panel's Game tab: four pictures opening the global variables, the functions, the
// comments and the installed extensions windows, and the "Advanced scripting mode" box.
#include <functional>

#include <wx/bitmap.h>
#include <wx/panel.h>

class wxCheckBox;

namespace pondaro::ui {

class PanelHost;

// A picture with a caption that acts on a click.
class PictureButton : public wxWindow {
public:
    PictureButton(wxWindow* parent, const wxPoint& pos, const wxBitmap& picture, const wxString& caption,
                  const wxFont& font, std::function<void()> onClick);
    void click() { onClick_(); }

private:
    wxBitmap picture_;
    wxString caption_;
    std::function<void()> onClick_;
};

class GamePage : public wxPanel {
public:
    GamePage(wxWindow* parent, PanelHost& host);
    // Sets the check box from the project.
    void rebuild();
    wxCheckBox* advancedMode() const { return advanced_; }
    PictureButton* picture(int i) const { return pictures_[i]; }

private:
    PanelHost& host_;
    PictureButton* pictures_[4];
    wxCheckBox* advanced_;
};

} // namespace pondaro::ui
