#pragma once
// The studio's start-up, in order: the editing component check, the defaults, the
// engine word list, the fonts and pictures, the splash while the engine template is
// read, the main window, the empty project, the version check, the title.
#include <string>

#include "app/studio.h"
#include "app/version_check.h"
#include "app/ui/editor_hooks.h"

namespace pondaro::ui {

class MainFrame;
class WxDialogs;

struct StartupOptions {
    bool showSplash = true;
    // The fixed pause after the splash closes.
    int splashWaitMs = 1000;
    bool maximise = true;
    std::string versionFileAddress = pondaro::versionFileAddress();
    long versionTimeoutMs = kVersionCheckTimeoutMs;
};

// True when the code editing component can be created.
bool editingComponentAvailable();

// Runs the start-up; the main window is shown when it returns. Nothing (after the
// error message) when the editing component is missing.
MainFrame* startStudio(Studio& studio, WxDialogs* dialogs, EditorHooks hooks, const StartupOptions& options = {});

} // namespace pondaro::ui
