#pragma once
// "Installed extensions": every extension file with a tick for the ones the project
// uses; OK writes the ticks to the project's extensions.dat.
#include <functional>
#include <vector>

#include <wx/dialog.h>

#include "app/studio.h"

class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

namespace pondaro::ui {

class InstalledExtensionsWindow : public wxDialog {
public:
    // Loads the extensions (with the project's ticks) and fills the list.
    InstalledExtensionsWindow(wxWindow* parent, Studio& studio, const wxFont& smallFont);

    wxListCtrl* list() const { return list_; }
    wxTextCtrl* info() const { return info_; }
    // Picks a row as a click does: its text is shown on the right.
    void pick(long row);
    // OK: writes extensions.dat from the ticks and closes; false (the window stays)
    // when the file cannot be written.
    bool saveAndClose();

private:
    Studio& studio_;
    // The entries the rows stand for, as loaded when the window opened: a build while
    // the window is open reloads the studio's list, which must not shift the rows.
    std::vector<ExtensionEntry> entries_;
    wxListCtrl* list_;
    wxTextCtrl* info_;
};

} // namespace pondaro::ui
