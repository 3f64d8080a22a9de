#pragma once
// Two looks that wx leaves to the desktop toolkit's defaults and that the programs
// want otherwise: menus show the pictures of their items, and text areas of several
// lines keep their text off the frame. On GTK both need a call wx does not make; the
// calls are looked up at run time, so the build needs no GTK headers and another
// toolkit simply keeps its own look.
#include <wx/menu.h>
#include <wx/textctrl.h>

namespace pondaro::ui {

// GTK hides the pictures of menu items unless the desktop's settings ask for them,
// which few desktops do. Every item of the menu (and its submenus) that has a picture
// shows it. Call after the items are appended.
void showMenuPictures(wxMenu& menu);
void showMenuPictures(wxMenuBar& bar);

// A multi-line text area draws its first character against the frame. Gives it an
// inner margin of a few pixels on every side.
void giveInnerMargin(wxTextCtrl& text);

} // namespace pondaro::ui
