#pragma once
// UTF-8 text helpers. Every text file the programs write is UTF-8 without a
// byte-order mark and with CR LF line ends.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "base/status.h"

namespace pondaro {

// Turns every line end (CR LF, lone LF, lone CR) into CR LF.
std::string toCrlf(std::string_view text);

// Removes a leading UTF-8 byte-order mark, if there is one.
std::string_view stripBom(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// Replaces every byte that is not part of a well-formed UTF-8 sequence by U+FFFD.
std::string sanitizeUtf8(std::string_view text);

// Lower-case / upper-case of the ASCII letters only.
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// A message's heading with one item a line under it. A message box taller than the
// screen hides its own button, so past `maxItems` the rest is only counted
// ("... and 12 more.").
std::string headedList(std::string_view heading, const std::vector<std::string>& items, size_t maxItems = 29);

// Writes text as a UTF-8 file with CR LF line ends, atomically.
Status writeTextFile(const std::filesystem::path& path, std::string_view text);

// Reads a text file, dropping a leading byte-order mark.
Status readTextFile(const std::filesystem::path& path, std::string& text, const FileLimit& limit);

// Checks a name that becomes one path component (a project name, an extension key,
// a file name): not empty, no path separators, not "." or "..", no control characters.
// `what` names the thing in the message, e.g. "project name".
Status checkPathComponent(std::string_view name, std::string_view what);

// A file name taken from a record that may be used inside a folder: not empty and a
// plain path component.
inline bool isPlainFileName(std::string_view name) {
    return !name.empty() && checkPathComponent(name, "file name").ok();
}

} // namespace pondaro
