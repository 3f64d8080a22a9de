// JPEG through TurboJPEG, decompressed straight to RGBA (alpha 255).
#include <algorithm>
#include <cctype>
#include <memory>
#include <new>

#include <turbojpeg.h>

#include "image/codecs.h"

namespace pondaro {

namespace {

struct TjHandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjHandleCloser>;

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// libjpeg reports a file that ends early as a warning and fills the missing part
// with grey; we refuse it so a truncated file is never taken for a whole one.
// Other warnings (stray bytes between markers and the like) leave a complete
// picture and are common in files from cameras, so those images are kept.
// Returns the failure for a TurboJPEG call that returned `result`, or success
// when it worked or only warned about something harmless.
Status jpegCallStatus(tjhandle handle, int result) {
    if (result == 0) return Status::success();
    std::string message = tjGetErrorStr2(handle);
    if (tjGetErrorCode(handle) != TJERR_WARNING) return Status::failure("Damaged JPEG image (" + message + ")");
    if (containsIgnoringCase(message, "premature end"))
        return Status::failure("Truncated JPEG image (" + message + ")");
    return Status::success();
}

} // namespace

Status decodeJpeg(std::string_view bytes, Image& out) {
    out = Image{};
    if (bytes.size() < 3 || bytes.substr(0, 3) != std::string_view("\xFF\xD8\xFF", 3))
        return Status::failure("Not a JPEG image");
    try {
        TjHandle handle(tjInitDecompress());
        if (!handle) return Status::failure("Cannot start the JPEG decoder");
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        int width = 0, height = 0, subsampling = 0, colorspace = 0;
        Status header = jpegCallStatus(
            handle.get(),
            tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height, &subsampling, &colorspace));
        if (!header) return header;
        if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
            return Status::failure("Unsupported JPEG image: CMYK colours (save it as RGB)");
        Status size = checkImageSize(width, height, "JPEG");
        if (!size) return size;
        Image decoded(width, height);
        // A progressive file can hold thousands of tiny scans that take minutes to
        // decode; TurboJPEG refuses more than any encoder writes.
        Status pixels = jpegCallStatus(handle.get(), tjDecompress2(handle.get(), data, bytes.size(), decoded.data(),
                                                                   width, 0, height, TJPF_RGBA, TJFLAG_LIMITSCANS));
        if (!pixels) return pixels;
        out = std::move(decoded);
        return Status::success();
    } catch (const std::bad_alloc&) {
        out = Image{};
        return Status::failure("Not enough memory to read the JPEG image");
    }
}

} // namespace pondaro
