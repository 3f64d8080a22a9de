#pragma once
// Scripted stand-ins for the windows: answers are queued in advance, and everything
// shown is recorded so tests can check titles and texts. A question without a queued
// answer fails the test: a test declares every question it lets the code ask (a
// Cancel is queued too: "" for a chooser, nullopt for a name, false for Yes/No).
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/studio.h"
#include "base/ports.h"
#include "support/temp_folder.h"

namespace pondaro {

struct Shown {
    std::string title;
    std::string text;
    bool operator==(const Shown&) const = default;
};

class FakeDialogs : public Dialogs {
public:
    bool confirm(const std::string& q) override { return ask("Confirm", q); }
    Answer confirmOrCancel(const std::string& q) override {
        shown.push_back({"Confirm", q});
        if (answers.empty()) return unexpected("question: " + q), Answer::Cancel;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ask(const std::string& title, const std::string& q) override {
        shown.push_back({title, q});
        if (yesNo.empty()) return unexpected("question: " + q), false;
        bool a = yesNo.front();
        yesNo.pop_front();
        return a;
    }
    void error(const std::string& t) override { shown.push_back({"Error", t}); }
    void message(const std::string& t) override { shown.push_back({"Message", t}); }
    void warning(const std::string& t) override { shown.push_back({"Warning", t}); }
    void notice(const std::string& title, const std::string& t) override { shown.push_back({title, t}); }
    std::string chooseProject(const std::vector<std::string>& names) override {
        offered = names;
        shown.push_back({"Open a project...", ""});
        return next(projects, "open dialog");
    }
    std::optional<std::string> askName(const std::string& title, const std::string& current) override {
        shown.push_back({title, current});
        if (names.empty()) return unexpected("name dialog"), std::nullopt;
        auto a = names.front();
        names.pop_front();
        return a;
    }
    std::string chooseFileToOpen(const std::string& title, const std::string&,
                                 const std::filesystem::path& folder) override {
        shown.push_back({title, ""});
        openFolders.push_back(folder);
        return next(files, title);
    }
    std::string chooseFileToSave(const std::string& title, const std::string&,
                                 const std::filesystem::path& proposal) override {
        shown.push_back({title, ""});
        proposals.push_back(proposal);
        return next(files, title);
    }
    std::optional<int> chooseColour(int colour) override {
        shown.push_back({"Colour", std::to_string(colour)});
        if (colours.empty()) return unexpected("colour chooser"), std::nullopt;
        auto a = colours.front();
        colours.pop_front();
        return a;
    }
    void showMergeResult(const std::string& text) override { shown.push_back({"Merge result", text}); }

    // Queued answers.
    std::deque<bool> yesNo;
    std::deque<Answer> answers;  // Yes/No/Cancel questions
    std::deque<std::string> projects;
    std::deque<std::optional<std::string>> names;
    std::deque<std::string> files;
    std::deque<std::optional<int>> colours;

    std::vector<Shown> shown;
    std::vector<std::string> offered;
    std::vector<std::filesystem::path> proposals;  // of the save dialogs, in order
    // The folder each file-open dialog started in.
    std::vector<std::filesystem::path> openFolders;

    bool anyShown(const std::string& title) const {
        for (const auto& s : shown)
            if (s.title == title) return true;
        return false;
    }

private:
    std::string next(std::deque<std::string>& queue, const std::string& what) {
        if (queue.empty()) return unexpected(what), "";
        std::string a = queue.front();
        queue.pop_front();
        return a;
    }
    static void unexpected(const std::string& what) { ADD_FAILURE() << "unexpected " << what << " (no answer queued)"; }
};

class FakeShell : public Shell {
public:
    bool openPage(const std::string& page) override {
        pages.push_back(page);
        return browserStarts;
    }
    bool openManual() override {
        ++manuals;
        return true;
    }
    std::vector<std::string> pages;
    bool browserStarts = true;
    int manuals = 0;
};

class FakeClock : public Clock {
public:
    std::tm now() override { return time; }
    void set(int h, int m, int s) {
        time.tm_hour = h;
        time.tm_min = m;
        time.tm_sec = s;
    }
    std::tm time{};
};

// A studio working in a temporary folder, with scripted ports and an engine template
// as start-up would have read (Save builds the game, and an empty engine is refused).
struct TestStudio {
    TestStudio() : studio(dialogs, shell, clock, folder.path()) {
        clock.set(12, 34, 56);
        studio.engineTemplate = "//PONDARO_SCENES\n";
    }
    TempFolder folder;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeClock clock;
    Studio studio;
};

} // namespace pondaro
