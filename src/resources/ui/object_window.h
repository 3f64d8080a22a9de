#pragma once
// The object window ("Object properties - " + the template's name): the sprite box with
// its preview and size, Visible, Depth, Collision check, the parent box, the template's
// event list with "Add event >>>" and the code preview of the chosen handler, the
// keywords, "Delete" and "Done". A handler is written in the event code editor, which
// holds the object window back while it is open. One window per template; several
// templates' windows may be open side by side, and each refills its boxes and its list
// when records change elsewhere.
#include <functional>
#include <string>

#include <wx/window.h>

#include "app/studio.h"

class wxFrame;

namespace pondaro::ui {

// Opens the template's window, or brings it to the front when it is open.
// `rebuildPanel` is called once the window closed (Done, Delete, the close box), so the
// resource panel and every open window see what changed. The Studio must outlive the
// window.
void openObjectWindow(Studio& studio, wxWindow* mainWindow, const std::string& objectTemplate,
                      std::function<void()> rebuildPanel);
bool isObjectWindowOpen(const std::string& objectTemplate);
// The open window of the template, or nullptr.
wxFrame* findObjectWindow(const std::string& objectTemplate);

} // namespace pondaro::ui
