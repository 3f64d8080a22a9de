#include <cstddef>
#include <cstdint>
#include <string_view>

#include "extensions/extension_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)pondaro::parseExtension(text, "fuzz");
    (void)pondaro::parseExtensionForMaker(text);
    return 0;
}
