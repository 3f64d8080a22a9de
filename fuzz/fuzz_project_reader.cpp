// Feeds arbitrary bytes to the project file parser and reads whatever it accepts into
// a project, as Open would (without media on disk).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pondaro::ProjectFileData parsed;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!pondaro::parseProjectXml(bytes, "fuzz.xml", parsed)) return 0;
    pondaro::Project project;
    pondaro::readIntoProject(project, std::move(parsed), "fuzz", false, "/nonexistent-fuzz-root");
    (void)pondaro::projectXml(project);
    return 0;
}
