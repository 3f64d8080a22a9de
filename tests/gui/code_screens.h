#pragma once
// Helpers of the code window and extension maker tests: letting events through, and
// screenshots of the virtual display with ImageMagick's import into the folder named by
// PONDARO_SCREENSHOTS (nothing is taken when it is not set).
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace pondaro::gui {

inline void letEventsThrough(int milliseconds = 30) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < until);
}

inline void screenshotWithImport(const std::string& name) {
    const char* folder = std::getenv("PONDARO_SCREENSHOTS");
    if (!folder || !*folder) return;
    letEventsThrough(300);
    const std::string file = (std::filesystem::path(folder) / (name + ".png")).string();
    const std::string command = "/usr/bin/import -window root '" + file + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "screenshot %s failed\n", file.c_str());
}

template <class T = wxWindow>
T* child(wxWindow* parent, const char* name) {
    return dynamic_cast<T*>(wxWindow::FindWindowByName(name, parent));
}

// Presses a button as a click would.
inline void click(wxWindow* button) {
    wxCommandEvent e(wxEVT_BUTTON, button->GetId());
    e.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(e);
}

} // namespace pondaro::gui
