#include "app/title.h"

#include "project/model.h"

namespace pondaro {

std::string versionDigits(int version) {
    const std::string digits = std::to_string(version < 0 ? -version : version);
    std::string out;
    for (char d : digits) {
        if (!out.empty()) out += '.';
        out += d;
    }
    return out;
}

std::string windowTitle(const std::string& projectName) {
    std::string title = std::string(kProgramName) + " v" + versionDigits(kProgramVersion);
    if (!projectName.empty()) title += " - " + projectName;
    return title;
}

} // namespace pondaro
