#pragma once
// The studio's settings, kept in preferences.dat in the program's current folder.
#include <filesystem>
#include <string>
#include <string_view>

#include "base/files.h"
#include "base/status.h"

namespace pondaro {

// A colour as one integer: red + green * 256 + blue * 65536.
constexpr int colourValue(int r, int g, int b) { return r + g * 256 + b * 65536; }

struct Preferences {
    // Code editor
    int sci_color_fore = colourValue(0, 0, 0);
    int sci_color_selection_back = colourValue(0, 0, 64);
    int sci_color_selection_fore = colourValue(255, 255, 255);
    int sci_color_command = colourValue(54, 45, 227);
    int sci_color_comment = colourValue(160, 160, 160);
    int sci_color_function = colourValue(35, 163, 35);
    int sci_color_number = colourValue(208, 64, 64);
    int sci_color_resource = colourValue(49, 170, 187);
    int sci_color_string = colourValue(198, 0, 198);
    int sci_color_pd_constant = colourValue(60, 60, 60);
    int sci_color_pd_function = colourValue(32, 106, 34);
    int sci_color_pd_variable = colourValue(81, 80, 19);
    int sci_color_caret = colourValue(255, 240, 240);
    std::string sci_font_family = "Consolas";
    int sci_font_size = 11;
    int x = -1;  // code editor window placement; -1 = not placed yet
    int y = -1;
    int width = -1;
    int height = -1;
    int maximized = -1;
    // Browser
    int add_file_protocol = 0;
    // Misc
    int CheckProgramVersion = 1;
    int GenerateIndexHTML = 1;
    int ConfirmExit = 1;
    // Export
    std::string ImgFolder = "img";
    std::string AudFolder = "aud";

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

inline constexpr const char* kPreferencesFile = "preferences.dat";
// What the file may hold at most: its settings take a few kilobytes.
inline constexpr FileLimit kPreferencesLimit{"a preferences file", 1LL << 20};

// The file's text for the settings: four groups, every key, in the fixed order.
std::string preferencesText(const Preferences& prefs);

// Reads settings from the file's text: keys missing from it take the defaults.
Preferences parsePreferences(std::string_view text);

// Reads root/preferences.dat into prefs. When there is no such file it is created from
// the current values (`created` tells); a failure to create it is reported. One that is
// there but cannot be read (no regular file, too large) is reported, left as it is, and
// prefs keep their values.
Status readPreferences(const std::filesystem::path& root, Preferences& prefs, bool* created = nullptr);

// Writes every setting to root/preferences.dat, replacing the file atomically.
Status writePreferences(const std::filesystem::path& root, const Preferences& prefs);

// The image and audio folder names become folders inside every project folder, so each
// must be one plain name (no path separators, no "..", no control characters, not
// empty). The failure names the setting that is refused.
Status checkFolderNames(const Preferences& prefs);

} // namespace pondaro
