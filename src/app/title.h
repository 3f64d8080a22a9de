#pragma once
// The program's name and version as the windows show them.
#include <string>

namespace pondaro {

inline constexpr const char* kProgramName = "Pondaro Game Maker";

// The version's decimal digits joined by "." (200 gives "2.0.0").
std::string versionDigits(int version);

// "Pondaro Game Maker v2.0.0", followed by " - " + the project name when it has one.
std::string windowTitle(const std::string& projectName);

} // namespace pondaro
