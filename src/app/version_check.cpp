#include "app/version_check.h"

#include "base/integer_reader.h"
#include "project/model.h"

#ifndef PONDARO_VERSION_FILE_ADDRESS
#define PONDARO_VERSION_FILE_ADDRESS ""
#endif

namespace pondaro {

std::string versionFileAddress() { return PONDARO_VERSION_FILE_ADDRESS; }

int parseVersionText(std::string_view text) {
    const size_t end = text.find_first_of("\r\n");
    return readInteger(text.substr(0, end));
}

std::optional<int> versionInAnswer(const std::optional<std::string>& body) {
    if (!body) return std::nullopt;
    const int version = parseVersionText(*body);
    if (version <= 0) return std::nullopt;
    return version;
}

bool versionCheckAsks(Studio& studio, VersionCheckMode mode, const std::string& address) {
    if (mode == VersionCheckMode::AtStartup) return studio.prefs.CheckProgramVersion == 1 && !address.empty();
    if (address.empty()) studio.dialogs.notice(kVersionTitle, kNoVersionServerText);
    return !address.empty();
}

void reportVersionAnswer(Studio& studio, VersionCheckMode mode, const std::optional<std::string>& body) {
    const std::optional<int> latest = versionInAnswer(body);
    if (latest) studio.latestVersion = *latest;
    const char* text = nullptr;
    if (latest && *latest > kProgramVersion) text = kNewVersionText;
    else if (mode == VersionCheckMode::OnDemand) text = latest ? kLatestVersionText : kVersionUncheckedText;
    if (text) studio.dialogs.notice(kVersionTitle, text);
}

} // namespace pondaro
