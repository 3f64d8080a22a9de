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
#include <wx/checkbox.h>
#include <wx/slider.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "gui/gui_support.h"

namespace pondaro::gui {

// The studio's window tests already pump events and take screenshots; these names read
// better in the code window tests.
inline void letEventsThrough(int milliseconds = 30) { pump(milliseconds); }
inline void screenshotWithImport(const std::string& name) { screenshot(name); }

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

// Ticks (or clears) a check box as a click would.
inline void tick(wxCheckBox* box, bool value = true) {
    box->SetValue(value);
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetInt(value);
    e.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(e);
}

// Moves a slider as a drag would.
inline void slide(wxSlider* slider, int value) {
    slider->SetValue(value);
    wxCommandEvent e(wxEVT_SLIDER, slider->GetId());
    e.SetInt(value);
    e.SetEventObject(slider);
    slider->GetEventHandler()->ProcessEvent(e);
}

} // namespace pondaro::gui
