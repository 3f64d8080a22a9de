#pragma once
// The main window: the toolbar row with the status display, the menu bar, and the
// resource panel with its eight resource pages and the Game tab. Every command is a
// core operation; the window rebuilds the panel and the title after it.
#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "app/main_menu.h"
#include "app/studio.h"
#include "app/version_check.h"
#include "app/ui/editor_hooks.h"
#include "app/ui/panel_host.h"
#include "app/ui/studio_art.h"

class wxButton;
class wxNotebook;
class wxPanel;

namespace pondaro::ui {

class GamePage;
class IconButton;
class InstalledExtensionsWindow;
class ResourcePage;
class WxDialogs;

class MainFrame : public wxFrame, public PanelHost {
public:
    MainFrame(Studio& studio, WxDialogs* dialogs, StudioArt art, EditorHooks hooks);
    ~MainFrame() override;

    // The command of a menu item, a shortcut or a toolbar button.
    void runCommand(Command c);
    static int commandId(Command c);

    void refreshTitle();
    // Opens the named project of the studio's folder as File > Open does once its
    // dialog has returned the name (the start-up's project); a project that cannot be
    // opened is reported and the open project stays.
    void openNamedProject(const std::string& name);
    // The version check against the given address (the one the program was built with by
    // default). The request runs on a worker thread and its answer comes back to the
    // window thread; a check asked for while one runs is ignored.
    void runVersionCheck(VersionCheckMode mode);
    bool versionCheckRunning() const { return versionWorker_.joinable(); }
    void setVersionFileAddress(std::string address, long timeoutMs);

    wxNotebook* panel() const { return panel_; }
    ResourcePage* page(PanelCategory c) const { return pages_[size_t(c)]; }
    GamePage* gamePage() const { return game_; }
    wxButton* statusDisplay() const { return status_; }
    IconButton* toolButton(Command c) const;
    InstalledExtensionsWindow* installedExtensionsWindow() const { return extensionsWindow_.get(); }

    // PanelHost
    Studio& studio() override { return studio_; }
    const StudioArt& art() const override { return art_; }
    void rebuildPanel() override;
    void editRecord(PanelCategory c, const std::string& name) override;
    bool hasOpenWindow(PanelCategory c, const std::string& name) override;
    void exportFunctions() override;
    void importFunctions() override;
    void openGameWindow(int which) override;

private:
    void buildMenus();
    void buildToolbarRow();
    void layoutPanel();
    // The panel, its cards and the comments window of a project just opened.
    void showOpenedProject();
    void onClose(wxCloseEvent& e);
    HookContext hookContext();
    // The status texts: one held for a while stays until its time is up.
    void showStatus(const std::string& text, int holdMilliseconds);
    void setStatusLabel(const std::string& text);
    void syncStatus();

    Studio& studio_;
    WxDialogs* dialogs_;
    StudioArt art_;
    EditorHooks hooks_;
    wxPanel* root_;
    wxButton* status_;
    wxNotebook* panel_;
    std::array<ResourcePage*, kPanelCategoryCount> pages_{};
    GamePage* game_;
    std::vector<std::pair<Command, IconButton*>> tools_;
    wxWeakRef<InstalledExtensionsWindow> extensionsWindow_;
    void finishVersionCheck(VersionCheckMode mode, std::optional<std::string> body);
    // Ends a request under way at once and waits for its thread (Exit does not wait
    // for the server).
    void stopVersionCheck();

    std::string versionAddress_ = versionFileAddress();
    long versionTimeoutMs_ = kVersionCheckTimeoutMs;
    std::thread versionWorker_;
    std::atomic<bool> versionCancel_{false};
    wxTimer statusTimer_;
    bool statusHeld_ = false;
    std::optional<std::string> pendingStatus_;
    size_t closeHookIndex_ = 0;
};

} // namespace pondaro::ui
