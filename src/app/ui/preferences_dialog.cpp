#include "app/ui/preferences_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/dcbuffer.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/preferences_command.h"
#include "base/integer_reader.h"
#include "base/text.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

wxColour toColour(int v) { return wxColour(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
int fromColour(const wxColour& c) { return colourValue(c.Red(), c.Green(), c.Blue()); }

struct ColourRow {
    const char* label;
    int Preferences::*field;
};

// Left column then right column, as the rows are laid out.
const ColourRow kRows[PreferencesDialog::kColourRows] = {
    {"Text", &Preferences::sci_color_fore},
    {"Caret", &Preferences::sci_color_caret},
    {"Selection background", &Preferences::sci_color_selection_back},
    {"Selection foreground", &Preferences::sci_color_selection_fore},
    {"Command", &Preferences::sci_color_command},
    {"Comment", &Preferences::sci_color_comment},
    {"String", &Preferences::sci_color_string},
    {"Number", &Preferences::sci_color_number},
    {"User function", &Preferences::sci_color_function},
    {"Resource", &Preferences::sci_color_resource},
    {"Constant", &Preferences::sci_color_pd_constant},
    {"Pondaro function", &Preferences::sci_color_pd_function},
    {"Pondaro variable", &Preferences::sci_color_pd_variable},
};
constexpr int kLeftRows = 6;

int Preferences::*const kFlags[4] = {&Preferences::add_file_protocol, &Preferences::CheckProgramVersion,
                                     &Preferences::GenerateIndexHTML, &Preferences::ConfirmExit};
const char* const kFlagLabels[4] = {"Add file protocol (file://) when running game from IDE",
                                    "Check program version at startup", "Generate INDEX.HTML when saving project",
                                    "Confirm exit from Pondaro"};

} // namespace

ColourSwatch::ColourSwatch(wxWindow* parent, const wxPoint& pos, const wxSize& size, int colour)
    : wxWindow(parent, wxID_ANY, pos, size), colour_(colour) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetPen(wxPen(wxColour(60, 60, 60)));
        dc.SetBrush(wxBrush(toColour(colour_)));
        dc.DrawRectangle(GetClientRect());
    });
}

void ColourSwatch::setColour(int colour) {
    colour_ = colour;
    Refresh();
}

PreferencesDialog::PreferencesDialog(wxWindow* parent, Studio& studio)
    : wxDialog(parent, wxID_ANY, "Preferences", wxDefaultPosition, wxDefaultSize, wxCAPTION | wxCLOSE_BOX),
      studio_(studio) {
    SetClientSize(640, 480);
    const Preferences& prefs = studio.prefs;
    auto* tabs = new wxNotebook(this, wxID_ANY, wxPoint(10, 10), wxSize(620, 425));

    auto* code = new wxPanel(tabs);
    for (int row = 0; row < kColourRows; ++row) {
        const bool left = row < kLeftRows;
        const int y = 10 + 30 * (left ? row : row - kLeftRows);
        // The left column's labels are wider than the right's so that "Selection
        // background" is not cut off in the desktop's font; its swatches move along.
        const int x = left ? 10 : 300, labelWidth = left ? 145 : 120;
        new wxStaticText(code, wxID_ANY, kRows[row].label, wxPoint(x, y + 5), wxSize(labelWidth, 25));
        swatches_[row] =
            new ColourSwatch(code, wxPoint(left ? 160 : 430, y), wxSize(100, 25), prefs.*(kRows[row].field));
        auto* more = new wxButton(code, wxID_ANY, "...", wxPoint(left ? 268 : 540, y), wxSize(25, 25), wxBU_EXACTFIT);
        more->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) { chooseColour(row); });
    }
    new wxStaticText(code, wxID_ANY, "Font family", wxPoint(10, 195), wxSize(140, 25));
    fontFamily_ = new wxTextCtrl(code, wxID_ANY, toWx(prefs.sci_font_family), wxPoint(160, 190), wxSize(100, 25));
    new wxStaticText(code, wxID_ANY, "Font size", wxPoint(10, 225), wxSize(140, 25));
    fontSize_ = new wxTextCtrl(code, wxID_ANY, wxString::Format("%d", prefs.sci_font_size), wxPoint(160, 220),
                               wxSize(100, 25));
    tabs->AddPage(code, "Code editor");

    auto* misc = new wxPanel(tabs);
    for (int i = 0; i < 4; ++i) {
        // Wider than the fixed 300 so the longest caption is never cut off.
        flags_[i] = new wxCheckBox(misc, wxID_ANY, kFlagLabels[i], wxPoint(10, 10 + 30 * i), wxSize(580, 25));
        flags_[i]->SetValue(prefs.*kFlags[i] == 1);
    }
    tabs->AddPage(misc, "Misc");

    auto* exportTab = new wxPanel(tabs);
    new wxStaticText(exportTab, wxID_ANY, "Image folder", wxPoint(10, 15), wxSize(115, 25));
    imgFolder_ = new wxTextCtrl(exportTab, wxID_ANY, toWx(prefs.ImgFolder), wxPoint(130, 10), wxSize(100, 25));
    new wxStaticText(exportTab, wxID_ANY, "Audio folder", wxPoint(10, 45), wxSize(115, 25));
    audFolder_ = new wxTextCtrl(exportTab, wxID_ANY, toWx(prefs.AudFolder), wxPoint(130, 40), wxSize(100, 25));
    tabs->AddPage(exportTab, "Export");

    new wxButton(this, wxID_CANCEL, "Cancel", wxPoint(10, 480 - 35), wxSize(65, 25));
    auto* saveButton = new wxButton(this, wxID_SAVE, "Save", wxPoint(640 - 75, 480 - 35), wxSize(65, 25));
    saveButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (save()) EndDialog(wxID_SAVE);
    });
    CentreOnParent();
}

std::optional<wxColour> PreferencesDialog::systemColourChooser(wxWindow* parent, const wxColour& preset) {
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(preset);
    wxColourDialog chooser(parent, &data);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    return chooser.GetColourData().GetColour();
}

void PreferencesDialog::chooseColour(int row) {
    if (auto chosen = chooser_(this, toColour(swatches_[row]->colour())))
        swatches_[row]->setColour(fromColour(*chosen));
}

bool PreferencesDialog::save() {
    Preferences prefs = studio_.prefs;
    for (int row = 0; row < kColourRows; ++row) prefs.*(kRows[row].field) = swatches_[row]->colour();
    prefs.sci_font_family = fromWx(fontFamily_->GetValue());
    prefs.sci_font_size = readInteger(fromWx(fontSize_->GetValue()));
    for (int i = 0; i < 4; ++i) prefs.*kFlags[i] = flags_[i]->GetValue() ? 1 : 0;
    prefs.ImgFolder = fromWx(imgFolder_->GetValue());
    prefs.AudFolder = fromWx(audFolder_->GetValue());
    return savePreferences(studio_, prefs);
}

} // namespace pondaro::ui
