#include <cstddef>
#include <cstdint>
#include <string_view>

#include "extensions/function_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<pondaro::GameFunction> fns;
    (void)pondaro::parseFunctionLibrary(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", fns);
    return 0;
}
