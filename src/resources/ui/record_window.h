#pragma once
// What the sound, music, background, font and function windows share: the title
// "<Kind> properties - " + name, the name field on top, and along the bottom "Delete",
// the keywords and " Done ". Done applies the fields through the window's own apply
// step and closes; the pre-save commit applies them and leaves the window open; the
// close box discards what was not applied. Delete asks the kind's question and, on
// Yes, removes the record and closes. After the window closed the resource panel is
// rebuilt (which also tells open scene windows that the resources changed).
#include <functional>
#include <string>

#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "project/model.h"
#include "ui/form_layout.h"
#include "ui/studio_window.h"

namespace pondaro::ui {

class RecordWindow : public StudioWindow {
public:
    // `keywords` fills the keywords field.
    RecordWindow(Studio& studio, wxWindow* mainWindow, ResourceKind kind, const std::string& record,
                 const std::string& keywords, std::function<void()> rebuildPanel);

    void commitBeforeSave() override { apply(); }

protected:
    // Applies the window's fields to the record named record(); each refusal is shown
    // and the record stays as it was. `name` and `keywords` hold the fields as typed.
    virtual bool applyFields(const std::string& name, const std::string& keywords) = 0;

    // Lays the window out: the name field, `content`, then the bottom row; the client
    // area is at least `least`.
    void layOut(wxSizer* content, wxSize least);

    const std::string& record() const { return record_; }
    wxPanel* panel() const { return panel_; }

private:
    bool apply();
    void deleteRecordAndClose();

    ResourceKind kind_;
    std::string record_;
    wxPanel* panel_ = nullptr;
    wxTextCtrl* name_ = nullptr;
    RecordButtons buttons_{};
};

bool isRecordWindowOpen(ResourceKind kind, const std::string& name);
// Raises the record's open window; else, when the record is gone, says so. True when
// nothing is left to do (a window was raised or the record is gone).
bool raiseOrRefuse(Studio& studio, ResourceKind kind, const std::string& name);

} // namespace pondaro::ui
