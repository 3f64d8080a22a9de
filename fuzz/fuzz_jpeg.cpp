// Feeds arbitrary bytes to the JPEG decoder. Beyond not crashing, a decode must
// either fail with a message and no picture, or give a picture within the limits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "image/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pondaro::Image image;
    pondaro::Status status = pondaro::decodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size), image);
    if (!status) {
        if (!image.empty() || status.message().empty()) __builtin_trap();
        return 0;
    }
    if (image.empty() || image.width() > pondaro::kMaxImageSide || image.height() > pondaro::kMaxImageSide ||
        image.byteSize() != size_t(image.width()) * size_t(image.height()) * 4)
        __builtin_trap();
    return 0;
}
