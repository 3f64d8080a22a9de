#include "app/version_check.h"

#include "base/integer_reader.h"
#include "project/model.h"

namespace pondaro {

int parseVersionText(std::string_view text) {
    const size_t end = text.find_first_of("\r\n");
    return readInteger(text.substr(0, end));
}

std::string versionCheckMessage(int latestVersion, VersionCheckMode mode) {
    if (latestVersion > kProgramVersion) return "A new version has been released.";
    if (mode == VersionCheckMode::OnDemand) return "You are using the latest version.";
    return "";
}

bool checkProgramVersion(Studio& studio, VersionCheckMode mode, const std::string& address, const FetchText& fetch) {
    if (mode == VersionCheckMode::AtStartup && studio.prefs.CheckProgramVersion != 1) return false;
    if (!fetch) return false;
    const std::optional<std::string> text = fetch(address);
    if (!text) return true;
    studio.latestVersion = parseVersionText(*text);
    const std::string message = versionCheckMessage(studio.latestVersion, mode);
    if (!message.empty()) studio.dialogs.notice("Version information", message);
    return true;
}

} // namespace pondaro
