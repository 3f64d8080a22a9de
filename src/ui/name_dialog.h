#pragma once
// "Enter the project name": one text field, Cancel and OK. A name that cannot be a file
// name is refused on OK with the reason, and the dialog stays open for another try.
#include <functional>
#include <string>

#include <wx/dialog.h>

class wxTextCtrl;

namespace pondaro::ui {

class NameDialog : public wxDialog {
public:
    // `check` returns "" for an acceptable name, else the reason it is refused. An
    // empty field is always accepted (it leaves the project unnamed).
    NameDialog(wxWindow* parent, const wxString& title, const wxString& current,
               std::function<std::string(const std::string&)> check);

    std::string name() const;
    wxTextCtrl* field() const { return field_; }

private:
    void onOk(wxCommandEvent&);

    wxTextCtrl* field_;
    std::function<std::string(const std::string&)> check_;
};

} // namespace pondaro::ui
