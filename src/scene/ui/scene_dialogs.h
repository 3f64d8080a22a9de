#pragma once
// The scene window's small modal dialogs: "Instance properties - " + name, "Shift
// objects" / "Shift tiles", and the one-field depth dialogs of the layer box. Each is
// owned by the scene window, which it disables while open, and closes only through OK
// or Cancel. What OK does is core's: each dialog hands its fields to a call that says
// whether the dialog may close.
#include <functional>
#include <string>
#include <vector>

#include <wx/dialog.h>

class wxCheckBox;
class wxTextCtrl;

namespace pondaro::ui {

class FieldsDialog : public wxDialog {
public:
    struct Field {
        wxString caption;
        wxString value;
        wxString name;  // the control's name
    };
    // `check` is the optional check box below the fields (empty caption: none). `ok`
    // gets the fields' texts and the box's state and returns whether the dialog closes.
    FieldsDialog(wxWindow* owner, const wxString& title, std::vector<Field> fields, const wxString& check,
                 std::function<bool(const std::vector<std::string>& texts, bool checked)> ok, wxSize least);

    wxTextCtrl* field(size_t i) const { return fields_[i]; }
    wxCheckBox* checkBox() const { return check_; }
    // What OK does before the dialog closes: true when it may close.
    bool accept();

private:
    std::vector<wxTextCtrl*> fields_;
    wxCheckBox* check_ = nullptr;
    std::function<bool(const std::vector<std::string>&, bool)> ok_;
};

} // namespace pondaro::ui
