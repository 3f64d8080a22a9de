#include "image/fingerprint.h"

#include <functional>
#include <string_view>

namespace pondaro {

uint64_t pictureFingerprint(const Image& picture) {
    const std::string_view bytes(reinterpret_cast<const char*>(picture.data()), picture.byteSize());
    uint64_t h = std::hash<std::string_view>{}(bytes);
    // The size goes in too: a 2 x 8 and a 4 x 4 picture may hold the same bytes.
    h ^= (uint64_t(uint32_t(picture.width())) << 32 | uint32_t(picture.height())) + 0x9E3779B97F4A7C15ull + (h << 6) +
         (h >> 2);
    return h;
}

} // namespace pondaro
