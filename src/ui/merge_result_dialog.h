#pragma once
// "Merge result": the names the merge had to change, in a read-only text area.
#include <wx/dialog.h>

namespace pondaro::ui {

class MergeResultDialog : public wxDialog {
public:
    MergeResultDialog(wxWindow* parent, const wxString& text);
};

} // namespace pondaro::ui
