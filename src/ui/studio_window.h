#pragma once
// The studio's editing windows (record properties, code, frames and the other image
// tools): top-level windows that change the open project. Each one
// - takes part in the pre-save commit: Save and Run call commitBeforeSave() of every
//   open window, which takes what it holds into the project and stays open;
// - closes without taking anything when New or Open replaces the project;
// - carries a key ("sprite:hero", "global-variables"), so that opening a record's
//   window again raises the open one instead of making a second;
// - holds other windows back while it is open, as its WindowLock says;
// - stops its timer and tells whoever opened it once it closes, however it closes.
// The Studio must outlive every window opened with it.
#include <functional>
#include <memory>
#include <string>

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "app/studio.h"

class wxWindowDisabler;

namespace pondaro::ui {

struct WindowLink;

enum class WindowLock {
    None,       // every other window stays usable
    Owner,      // the owner is disabled (an editor of a part of the owner's record)
    // Every other window of the program is disabled: for an editor that keeps positions
    // into the project's tables, which a command of another window could shift or
    // remove under it. Locks nest: the window that was locked last is let go first.
    AllOthers,
};

class StudioWindow : public wxFrame {
public:
    StudioWindow(Studio& studio, wxWindow* owner, const wxString& title, const std::string& key, WindowLock lock,
                 long style = wxDEFAULT_FRAME_STYLE);
    // The studio may be gone already when the program ends: only the window's own
    // link to its hooks is touched.
    ~StudioWindow() override;

    // The first Show puts the window where it was placed before it (centred on its
    // owner, or where it was last left) also under a window manager that drops that place.
    bool Show(bool show = true) override;

    const std::string& key() const { return key_; }
    // A record renamed while its window stays open (the pre-save commit).
    void setKey(const std::string& key);
    bool closing() const { return closing_; }

    // The pre-save commit: what the window holds goes into the project, the window
    // stays open. Nothing by default (a window that changes the project at once).
    virtual void commitBeforeSave() {}
    // New or Open replaced the project: close without taking anything.
    void closeWithoutCommit() { finish(); }

protected:
    // The close box was used.
    virtual void onCloseBox() { finish(); }
    // Closes the window: its timer stops, the windows it held back are let go, it goes,
    // and then the whenClosed call runs.
    void finish();
    // What runs once the window has closed (the opener refreshes what it shows).
    void whenClosed(std::function<void()> closed) { closed_ = std::move(closed); }
    // Calls `tick` every `milliseconds` until the window closes; a second call
    // replaces the first.
    void startTimer(int milliseconds, std::function<void()> tick);

    Studio& studio_;
    wxWeakRef<wxWindow> owner_;

private:
    void release();

    std::string key_;
    WindowLock lock_;
    std::unique_ptr<wxWindowDisabler> others_;
    bool closing_ = false;
    bool shownOnce_ = false;
    bool placeRestored_ = false;
    std::function<void()> closed_;
    wxTimer timer_;
    std::function<void()> tick_;
    std::shared_ptr<WindowLink> link_;
};

// The open window of the key (one that is closing does not count), or nullptr.
StudioWindow* findStudioWindow(const std::string& key);
// Brings the open window of the key to the front (restoring it when minimised). False
// when none is open.
bool raiseStudioWindow(const std::string& key);

} // namespace pondaro::ui
