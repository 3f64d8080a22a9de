#pragma once
// The program version check: fetch the version file from the product's web server,
// compare its first line with the program's version, and tell the user what came of
// it. The check at start-up speaks only of a newer release and is otherwise silent;
// the check the user asks for always answers. The download itself is the window
// layer's (it runs on a worker thread); everything decided about it is here.
#include <optional>
#include <string>
#include <string_view>

#include "app/studio.h"

namespace pondaro {

// The version file on the product's web server: plain text, the latest version number
// (in the program's scale, 201 is newer than 200) on its first line. Set when the
// program is built (see README.md); empty when the build names no server, and then
// no check asks anything.
std::string versionFileAddress();
// The longest the whole request may take, and the longest Exit waits for it.
inline constexpr int kVersionCheckTimeoutMs = 4000;
// A version file is one short line; anything longer than this is not one.
inline constexpr size_t kVersionFileMaxBytes = 4096;

enum class VersionCheckMode { AtStartup, OnDemand };

inline constexpr const char* kVersionTitle = "Version information";
inline constexpr const char* kNewVersionText = "A new version has been released.";
inline constexpr const char* kLatestVersionText = "You are using the latest version.";
inline constexpr const char* kVersionUncheckedText = "The latest version could not be checked. Please try again later.";
inline constexpr const char* kNoVersionServerText =
    "This build of Pondaro Game Maker names no server to ask for new versions.";

// The number on the text's first line (read as every number is read; 0 when the line
// does not start with one).
int parseVersionText(std::string_view text);

// The latest version an answer names: the number on the first line of a body that came,
// when it is a version at all (above 0). Nothing for no answer or a nonsense one.
std::optional<int> versionInAnswer(const std::optional<std::string>& body);

// Whether the check asks the server: at start-up only when CheckProgramVersion is 1,
// and never without an address. On demand without an address the user is told so.
bool versionCheckAsks(Studio& studio, VersionCheckMode mode, const std::string& address);

// What came of a request (its body; nothing when no answer came): a version that was
// read is kept as the latest version. A newer one is reported in both variants; on
// demand the same version gives "You are using the latest version." and no answer or a
// nonsense one "The latest version could not be checked. Please try again later."; at
// start-up those say nothing. Every message is titled "Version information".
void reportVersionAnswer(Studio& studio, VersionCheckMode mode, const std::optional<std::string>& body);

} // namespace pondaro
