#include "ui/merge_result_dialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "ui/widget_looks.h"

namespace pondaro::ui {

MergeResultDialog::MergeResultDialog(wxWindow* parent, const wxString& text)
    : wxDialog(parent, wxID_ANY, "Merge result", wxDefaultPosition, wxDefaultSize, wxCAPTION) {
    SetClientSize(800, 600);
    auto* log = new wxTextCtrl(this, wxID_ANY, text, wxPoint(10, 10), wxSize(780, 540),
                               wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    giveInnerMargin(*log);
    auto* ok = new wxButton(this, wxID_OK, "OK", wxPoint(800 - 75, 600 - 35), wxSize(65, 25));
    ok->SetDefault();
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

} // namespace pondaro::ui
