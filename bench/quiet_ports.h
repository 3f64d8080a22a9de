#pragma once
// Ports for the benchmarks: every question is answered No and every message dropped,
// so an operation that would ask or tell runs without a window and without waiting.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/ports.h"

namespace pondaro::bench {

struct QuietDialogs : Dialogs {
    bool confirm(const std::string&) override { return false; }
    Answer confirmOrCancel(const std::string&) override { return Answer::Cancel; }
    bool ask(const std::string&, const std::string&) override { return false; }
    void error(const std::string&) override { ++errors; }
    void message(const std::string&) override {}
    void warning(const std::string&) override {}
    void notice(const std::string&, const std::string&) override {}
    std::string chooseProject(const std::vector<std::string>&) override { return ""; }
    std::optional<std::string> askName(const std::string&, const std::string&) override { return {}; }
    std::string chooseFileToOpen(const std::string&, const std::string&, const std::filesystem::path&) override {
        return "";
    }
    std::string chooseFileToSave(const std::string&, const std::string&, const std::filesystem::path&) override {
        return "";
    }
    std::optional<int> chooseColour(int) override { return std::nullopt; }
    void showMergeResult(const std::string&) override {}
    // How many errors were dropped: a benchmark checks that what it timed succeeded.
    int errors = 0;
};

struct NoShell : Shell {
    bool openPage(const std::string&) override { return false; }
    bool openManual() override { return false; }
};

} // namespace pondaro::bench
