#include "preferences/preferences.h"

#include <vector>

#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"

namespace pondaro {

namespace {

struct Setting {
    const char* group;
    const char* key;
    int Preferences::*number = nullptr;
    std::string Preferences::*text = nullptr;
};

#define NUM(group, key) Setting{group, #key, &Preferences::key, nullptr}
#define TXT(group, key) Setting{group, #key, nullptr, &Preferences::key}

// In the order they are written.
const Setting kSettings[] = {
    NUM("Code editor", sci_color_fore),
    NUM("Code editor", sci_color_selection_back),
    NUM("Code editor", sci_color_selection_fore),
    NUM("Code editor", sci_color_command),
    NUM("Code editor", sci_color_comment),
    NUM("Code editor", sci_color_function),
    NUM("Code editor", sci_color_number),
    NUM("Code editor", sci_color_resource),
    NUM("Code editor", sci_color_string),
    NUM("Code editor", sci_color_pd_constant),
    NUM("Code editor", sci_color_pd_function),
    NUM("Code editor", sci_color_pd_variable),
    NUM("Code editor", sci_color_caret),
    TXT("Code editor", sci_font_family),
    NUM("Code editor", sci_font_size),
    NUM("Code editor", x),
    NUM("Code editor", y),
    NUM("Code editor", width),
    NUM("Code editor", height),
    NUM("Code editor", maximized),
    NUM("Browser", add_file_protocol),
    NUM("Misc", CheckProgramVersion),
    NUM("Misc", GenerateIndexHTML),
    NUM("Misc", ConfirmExit),
    TXT("Export", ImgFolder),
    TXT("Export", AudFolder),
};

#undef NUM
#undef TXT

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string preferencesText(const Preferences& prefs) {
    std::string out;
    std::string_view group;
    for (const Setting& s : kSettings) {
        if (group != s.group) {
            if (!group.empty()) out += "\r\n";
            group = s.group;
            out += "[" + std::string(group) + "]\r\n";
        }
        out += s.key;
        out += " = ";
        out += s.number ? std::to_string(prefs.*(s.number)) : prefs.*(s.text);
        out += "\r\n";
    }
    return out;
}

Preferences parsePreferences(std::string_view text) {
    Preferences prefs;
    std::vector<bool> seen(std::size(kSettings), false);
    text = stripBom(text);
    std::string group;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++pos;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            group = std::string(trimBlanks(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = trimBlanks(line.substr(0, eq));
        std::string_view value = trimBlanks(line.substr(eq + 1));
        for (size_t i = 0; i < std::size(kSettings); ++i) {
            const Setting& s = kSettings[i];
            if (seen[i] || !equalsIgnoringCase(group, s.group) || !equalsIgnoringCase(key, s.key)) continue;
            // The first occurrence of a key counts, as with the classic profile files.
            seen[i] = true;
            if (s.number) prefs.*(s.number) = readInteger(value);
            else prefs.*(s.text) = std::string(value);
            break;
        }
    }
    return prefs;
}

Status readPreferences(const std::filesystem::path& root, Preferences& prefs, bool* created) {
    if (created) *created = false;
    std::string text;
    const auto path = root / kPreferencesFile;
    if (!pathExists(path)) {
        if (created) *created = true;
        return writePreferences(root, prefs);
    }
    // A file that is there but cannot be read (no regular file, or larger than any
    // preferences file) is reported and left as it is: the settings keep their values.
    if (Status s = readFile(path, text, kPreferencesLimit); !s)
        return Status::failure("The preferences could not be read: " + s.message());
    prefs = parsePreferences(text);
    return Status::success();
}

Status checkFolderNames(const Preferences& prefs) {
    if (Status s = checkPathComponent(prefs.ImgFolder, "image folder name"); !s) return s;
    return checkPathComponent(prefs.AudFolder, "audio folder name");
}

Status writePreferences(const std::filesystem::path& root, const Preferences& prefs) {
    Status s = writeTextFile(root / kPreferencesFile, preferencesText(prefs));
    if (!s) return Status::failure("The preferences could not be saved: " + s.message());
    return s;
}

} // namespace pondaro
