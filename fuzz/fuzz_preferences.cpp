#include <cstddef>
#include <cstdint>
#include <string_view>

#include "preferences/preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto prefs = pondaro::parsePreferences(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)pondaro::preferencesText(prefs);
    return 0;
}
