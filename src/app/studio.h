#pragma once
// The program's state, passed by reference to every operation: no globals.
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/notification.h"
#include "base/ports.h"
#include "code/keywords.h"
#include "extensions/extension_file.h"
#include "preferences/preferences.h"
#include "project/model.h"
#include "project/thumbnails.h"

namespace pondaro {

struct Studio {
    Studio(Dialogs& d, Shell& s, Clock& c, std::filesystem::path rootFolder = ".")
        : dialogs(d), shell(s), clock(c), root(std::move(rootFolder)) {}

    Dialogs& dialogs;
    Shell& shell;
    Clock& clock;
    // The program's current folder: every path is relative to it.
    std::filesystem::path root;
    // The folder of the running program, where an installed studio finds the engine
    // files it was installed with (studio_files.h); empty: only `root` is looked in.
    std::filesystem::path programFolder;

    Project project;
    Preferences prefs;
    // The main window's status text.
    std::string status;
    // Shows a status text for at least the given time (the window draws it and waits);
    // tests and the command-line tool leave it empty.
    std::function<void(const std::string& text, int holdMilliseconds)> showStatus;
    // The engine template (export.js), read once at start-up.
    std::string engineTemplate;
    // Every extension file with the open project's installed flags.
    std::vector<ExtensionEntry> extensions;
    // The engine word list (keywords.dat and the key constants), read at start-up.
    std::vector<KeywordEntry> keywords;
    // The resource panel's sort order: "", "ASC" or "DESC".
    std::string sortOrder;
    // The resource panel's filter text per category (Sprites, Sounds, Musics, Backgrounds,
    // Fonts, Objects, Scenes, Functions): kept while the program runs; a record created
    // from the panel or the Resources menu takes its category's text as its keywords.
    std::array<std::string, 8> panelFilters;
    // The resource panel's sprite and background cards, made as the panel draws them.
    ThumbnailCards thumbnails;
    // The latest program version the version check read from the server (0 until then).
    int latestVersion = 0;

    // Before a save, every open editor writes its fields into the project through its
    // apply step, which shows its own messages (a failed apply does not stop the save).
    std::vector<std::function<void()>> commitHooks;
    // Called when New or Open closes every open window.
    std::vector<std::function<void()>> closeWindowsHooks;
    // "Resources changed": records were added, renamed, removed or put in a new order
    // (or the whole project replaced). An open window that lists records in its boxes
    // (sprites, objects, backgrounds, scenes) subscribes and refills them. The main
    // window sends it each time it rebuilds the resource panel, which it does after
    // every command that changes records and whenever a window asks for it through
    // HookContext::rebuildPanel after its Done.
    Notification resourcesChanged;
};

inline constexpr const char* kStatusOpening = "OPENING PROJECT...";
inline constexpr const char* kStatusReady = "STATUS: READY.";

} // namespace pondaro
