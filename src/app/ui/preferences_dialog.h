#pragma once
// File > Preferences...: the code editor's colours and font, the start-up, browser and
// exit switches, and the projects' image and audio folder names.
#include <array>
#include <functional>
#include <optional>

#include <wx/colour.h>
#include <wx/dialog.h>

#include "app/studio.h"

class wxCheckBox;
class wxTextCtrl;

namespace pondaro::ui {

class ColourSwatch;

class PreferencesDialog : public wxDialog {
public:
    PreferencesDialog(wxWindow* parent, Studio& studio);

    // The thirteen colour roles, in the order their rows are laid out.
    static constexpr int kColourRows = 13;
    ColourSwatch* swatch(int row) const { return swatches_[row]; }
    // The "..." button of a row: opens the colour chooser on the swatch's colour; a
    // chosen colour replaces it.
    void chooseColour(int row);
    // The chooser: the system's colour dialog unless replaced (the tests' stand-in).
    using ColourChooser = std::function<std::optional<wxColour>(wxWindow* parent, const wxColour& preset)>;
    void setColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }
    static std::optional<wxColour> systemColourChooser(wxWindow* parent, const wxColour& preset);
    wxTextCtrl* fontFamily() const { return fontFamily_; }
    wxTextCtrl* fontSize() const { return fontSize_; }
    wxCheckBox* flag(int i) const { return flags_[i]; }
    wxTextCtrl* imageFolder() const { return imgFolder_; }
    wxTextCtrl* audioFolder() const { return audFolder_; }

    // Save: the settings from the controls, written to preferences.dat. False (and the
    // dialog stays) when a folder name cannot be a folder name or the file cannot be written.
    bool save();

private:
    Studio& studio_;
    ColourChooser chooser_ = systemColourChooser;
    std::array<ColourSwatch*, kColourRows> swatches_{};
    wxTextCtrl* fontFamily_;
    wxTextCtrl* fontSize_;
    std::array<wxCheckBox*, 4> flags_{};
    wxTextCtrl* imgFolder_;
    wxTextCtrl* audFolder_;
};

// A colour shown as a filled box with a border.
class ColourSwatch : public wxWindow {
public:
    ColourSwatch(wxWindow* parent, const wxPoint& pos, const wxSize& size, int colour);
    int colour() const { return colour_; }
    void setColour(int colour);

private:
    int colour_;
};

} // namespace pondaro::ui
