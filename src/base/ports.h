#pragma once
// What core asks of the world outside it. The studio implements these with windows;
// tests use scripted fakes (tests/support/fake_ports.h).
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pondaro {

// The answers to a question that may also be called off.
enum class Answer { Yes, No, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A Yes/No question titled "Confirm"; true for Yes.
    virtual bool confirm(const std::string& question) = 0;
    // A Yes/No/Cancel question titled "Confirm" (whether to save changes first: Yes
    // saves, No goes on without, Cancel stays). Closing the box is Cancel.
    virtual Answer confirmOrCancel(const std::string& question) = 0;
    // A Yes/No question under another title (e.g. "Message"); true for Yes.
    virtual bool ask(const std::string& title, const std::string& question) = 0;
    virtual void error(const std::string& text) = 0;    // titled "Error"
    virtual void message(const std::string& text) = 0;  // titled "Message"
    virtual void warning(const std::string& text) = 0;  // titled "Warning"
    // A message box under any other title (e.g. the extension maker's own).
    virtual void notice(const std::string& title, const std::string& text) = 0;

    // The open dialog: picks one of the project names; "" when cancelled.
    virtual std::string chooseProject(const std::vector<std::string>& names) = 0;
    // The name dialog "Enter the project name" (or another title): the text as typed
    // on OK, nothing on Cancel.
    virtual std::optional<std::string> askName(const std::string& title, const std::string& current) = 0;
    // A system file dialog; `filter` is label|pattern pairs. "" when cancelled. The open
    // dialog starts in `folder` (the dialog's own choice when it is empty).
    virtual std::string chooseFileToOpen(const std::string& title, const std::string& filter,
                                         const std::filesystem::path& folder = {}) = 0;
    // The save dialog opens in the folder of `proposal` with its file name filled in
    // (an empty proposal: the dialog's own choice).
    virtual std::string chooseFileToSave(const std::string& title, const std::string& filter,
                                         const std::filesystem::path& proposal) = 0;
    // The system colour chooser, opening on `colour` (red + green x 256 + blue x 65536);
    // the colour chosen, nothing when cancelled.
    virtual std::optional<int> chooseColour(int colour) = 0;
    // The "Merge result" window with the merge log.
    virtual void showMergeResult(const std::string& text) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a page (a path or a file:// address) with the desktop's default browser.
    virtual bool openPage(const std::string& page) = 0;
    // Opens the user manual (the page studioFile finds, studio_files.h).
    virtual bool openManual() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The local time of day.
    virtual std::tm now() = 0;
};

// The system's local time.
class SystemClock : public Clock {
public:
    std::tm now() override;
};

} // namespace pondaro
