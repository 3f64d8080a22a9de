#include "ui/studio_window.h"

#include <wx/utils.h>

#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

const std::string kNamePrefix = "pondaro-window:";

} // namespace

// Shared between a window and the hooks it registered, so a hook of a window that is
// gone does nothing. Hooks are never removed while the studio walks its hook lists (a
// close hook closing its window would otherwise change the list being walked); dead
// ones are dropped when the next window opens.
struct WindowLink {
    StudioWindow* window = nullptr;
};

namespace {

struct CommitHook {
    std::shared_ptr<WindowLink> link;
    void operator()() const;
};
struct CloseHook {
    std::shared_ptr<WindowLink> link;
    void operator()() const;
};

template <class Hook>
void dropDeadHooks(std::vector<std::function<void()>>& hooks) {
    std::erase_if(hooks, [](const std::function<void()>& f) {
        const Hook* h = f.template target<Hook>();
        return h && !h->link->window;
    });
}

} // namespace

StudioWindow::StudioWindow(Studio& studio, wxWindow* owner, const wxString& title, const std::string& key,
                           WindowLock lock, long style)
    : wxFrame(owner, wxID_ANY, title, wxDefaultPosition, wxSize(800, 600),
              style | (owner ? wxFRAME_FLOAT_ON_PARENT : 0), toWx(kNamePrefix + key)),
      studio_(studio), owner_(owner), key_(key), lock_(lock), link_(std::make_shared<WindowLink>()) {
    link_->window = this;
    dropDeadHooks<CommitHook>(studio.commitHooks);
    dropDeadHooks<CloseHook>(studio.closeWindowsHooks);
    studio.commitHooks.push_back(CommitHook{link_});
    studio.closeWindowsHooks.push_back(CloseHook{link_});
    if (lock_ == WindowLock::Owner && owner) owner->Disable();
    if (lock_ == WindowLock::AllOthers) others_ = std::make_unique<wxWindowDisabler>(this);
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (tick_ && !closing_) tick_();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        if (!e.CanVeto()) {
            release();
            e.Skip();
            return;
        }
        onCloseBox();
    });
}

StudioWindow::~StudioWindow() {
    timer_.Stop();
    link_->window = nullptr;
    others_.reset();
}

void StudioWindow::startTimer(int milliseconds, std::function<void()> tick) {
    tick_ = std::move(tick);
    timer_.Start(milliseconds);
}

void StudioWindow::setKey(const std::string& key) {
    key_ = key;
    SetName(toWx(kNamePrefix + key));
}

void StudioWindow::release() {
    link_->window = nullptr;
    if (lock_ == WindowLock::Owner && owner_) owner_->Enable();
    others_.reset();
    lock_ = WindowLock::None;
}

void StudioWindow::finish() {
    if (closing_) return;
    closing_ = true;
    timer_.Stop();
    release();
    Destroy();
    if (const std::function<void()> closed = std::move(closed_)) closed();
}

void CommitHook::operator()() const {
    if (link->window) link->window->commitBeforeSave();
}
void CloseHook::operator()() const {
    if (link->window) link->window->closeWithoutCommit();
}

bool StudioWindow::Show(bool show) {
    if (show && !shownOnce_) {
        shownOnce_ = true;
        // On GTK a frame first waits for the window manager to tell the size of its
        // borders, and is mapped only then; the manager takes the place asked for
        // before that as unset and puts the window at the screen's top-left corner.
        // Asked again once the window is on the screen, the place is kept.
        const wxPoint placed = GetPosition();
        Bind(wxEVT_SHOW, [this, placed](wxShowEvent& e) {
            e.Skip();
            if (!e.IsShown() || placeRestored_) return;
            placeRestored_ = true;
            if (!IsMaximized() && GetPosition() != placed) Move(placed);
        });
    }
    return wxFrame::Show(show);
}

StudioWindow* findStudioWindow(const std::string& key) {
    const wxString name = toWx(kNamePrefix + key);
    for (wxWindow* w : wxTopLevelWindows) {
        auto* s = dynamic_cast<StudioWindow*>(w);
        if (s && !s->closing() && s->GetName() == name) return s;
    }
    return nullptr;
}

bool raiseStudioWindow(const std::string& key) {
    StudioWindow* open = findStudioWindow(key);
    if (!open) return false;
    if (open->IsIconized()) open->Iconize(false);
    open->Raise();
    return true;
}

} // namespace pondaro::ui
