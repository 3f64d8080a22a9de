#pragma once
// Small pieces the property windows are laid out with. The sizes given are the least a
// control gets: the desktop's fonts and theme may need more, and sizers give it.
// Controls carry a name, so that tests and the manual's screenshots can find them.
#include <initializer_list>
#include <string>

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

namespace pondaro::ui {

// A push button at least `minimum` large.
wxButton* formButton(wxWindow* parent, const wxString& label, wxSize minimum, const wxString& name);

// A one-line text field at least `width` wide; `digitsOnly` lets only digits be typed.
wxTextCtrl* formField(wxWindow* parent, const wxString& value, int width, const wxString& name,
                      bool digitsOnly = false);

// A dialog's bottom row: "Cancel" at the left, "OK" (the default button) at the right,
// and `middle` (when given) right-aligned beside "OK".
wxSizer* cancelAndOkRow(wxWindow* parent, wxWindow* middle = nullptr);
// Lays a window out around its content: `content` becomes the sizer of `panel` (the
// window itself for a dialog, else a panel filling it), and the window's client area
// gets the larger of `least` and what the content needs, as its size and its minimum.
void layOutWindow(wxTopLevelWindow* window, wxWindow* panel, wxSizer* content, wxSize least);

// The width of the widest caption as `parent` shows text, at least `least`: the width
// to give every caption of a column so that the controls beside them line up.
int captionColumnWidth(wxWindow* parent, std::initializer_list<const char*> captions, int least = 0);

// A row of a caption (at least `captionWidth` wide, centred on the control's height)
// and the control.
wxBoxSizer* captionedRow(wxWindow* parent, const wxString& caption, int captionWidth, wxWindow* control);

// The bottom row of a property window: "Delete" at the left, the keywords field in the
// middle and " Done " at the right, named "delete", "keywords" and "done".
struct RecordButtons {
    wxBoxSizer* row;
    wxButton* remove;
    wxTextCtrl* keywords;
    wxButton* done;
};
RecordButtons recordButtonRow(wxWindow* parent, const wxString& keywords);
// Lays out a property window whose `columns` fill it above its record button row.
void layOutAboveButtonRow(wxTopLevelWindow* window, wxWindow* panel, wxSizer* columns, const RecordButtons& buttons,
                          wxSize least);

} // namespace pondaro::ui
