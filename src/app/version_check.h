#pragma once
// The program version check: fetch the version file from the product's web server,
// compare its first line with the program's version, and tell the user when a newer
// release exists. Any failure ends the check in silence.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/studio.h"

namespace pondaro {

// The version file on the product's web server: plain text, the latest version number
// (in the program's scale, 201 is newer than 200) on its first line.
inline constexpr const char* kVersionFileAddress = "https://pondaro.example.org/version.txt";
// The longest the whole request may take: the window waits for it.
inline constexpr int kVersionCheckTimeoutMs = 4000;
// A version file is one short line; anything longer than this is not one.
inline constexpr size_t kVersionFileMaxBytes = 4096;

enum class VersionCheckMode { AtStartup, OnDemand };

// Fetches a text by HTTP GET: the body of a successful (200) answer, or nothing on any
// failure (no network, time-out, another status, an answer too long).
using FetchText = std::function<std::optional<std::string>(const std::string& address)>;

// The number on the text's first line (read as every number is read; 0 when the line
// does not start with one).
int parseVersionText(std::string_view text);

// The message for a latest version number: "A new version has been released." when it
// is newer than the program; on demand otherwise "You are using the latest version.";
// at start-up otherwise nothing ("").
std::string versionCheckMessage(int latestVersion, VersionCheckMode mode);

// The check. At start-up it does nothing unless CheckProgramVersion is 1. The message,
// if any, is shown titled "Version information". True when a request was made.
bool checkProgramVersion(Studio& studio, VersionCheckMode mode, const std::string& address, const FetchText& fetch);

} // namespace pondaro
