#pragma once
// The Dialogs and Shell ports with the desktop's windows: message boxes under the
// system's titles, the open, name and merge result dialogs, the file dialogs, and the
// default browser.
#include <filesystem>
#include <functional>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "base/ports.h"

namespace pondaro::ui {

// "" when the name can be a file name, else why not (every name the name dialog asks
// for becomes one: a project, an extension key).
std::string fileNameProblem(const std::string& name);

// A message box under the given title (with wxOK, wxYES_NO, an icon...); returns the
// button pressed (wxID_OK, wxID_YES, wxID_NO). Every message of the programs uses it.
int showMessageBox(wxWindow* parent, const std::string& title, const std::string& text, long style);

class WxDialogs : public Dialogs {
public:
    WxDialogs(std::filesystem::path root, wxBitmap placeholder)
        : root_(std::move(root)), placeholder_(std::move(placeholder)) {}
    // The window that owns the dialogs (the main window once it exists).
    void setParent(wxWindow* parent) { parent_ = parent; }
    void setPlaceholder(const wxBitmap& b) { placeholder_ = b; }
    // Called when the open dialog has returned a project, which is read next.
    std::function<void()> onProjectChosen;

    bool confirm(const std::string& question) override;
    Answer confirmOrCancel(const std::string& question) override;
    bool ask(const std::string& title, const std::string& question) override;
    void error(const std::string& text) override;
    void message(const std::string& text) override;
    void warning(const std::string& text) override;
    void notice(const std::string& title, const std::string& text) override;
    std::string chooseProject(const std::vector<std::string>& names) override;
    std::optional<std::string> askName(const std::string& title, const std::string& current) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filter,
                                 const std::filesystem::path& folder) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter,
                                 const std::filesystem::path& proposal) override;
    std::optional<int> chooseColour(int colour) override;
    void showMergeResult(const std::string& text) override;

private:
    std::filesystem::path root_;
    wxBitmap placeholder_;
    wxWindow* parent_ = nullptr;
};

class WxShell : public Shell {
public:
    // `programFolder` holds the running program: an installed studio finds the manual
    // installed with it from there (studioFile).
    explicit WxShell(std::filesystem::path root, std::filesystem::path programFolder = {})
        : root_(std::move(root)), programFolder_(std::move(programFolder)) {}
    bool openPage(const std::string& page) override;
    // Opens the manual's first page studioFile finds in the default browser.
    bool openManual() override;

private:
    std::filesystem::path root_, programFolder_;
};

} // namespace pondaro::ui
