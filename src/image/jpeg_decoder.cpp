// JPEG through TurboJPEG, decompressed straight to RGBA (alpha 255).
#include <algorithm>
#include <cctype>
#include <cstdint>
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

// Warnings libjpeg gives for files that still decode to the whole picture:
// stray bytes between segments (common in camera files) and odd but readable
// header fields. Every other warning means missing or damaged pixel data.
bool isHarmlessWarning(std::string_view message) {
    static constexpr std::string_view harmless[] = {
        "extraneous bytes before marker",
        "Unknown Adobe color transform code",
        "unknown JFIF revision number",
        "thumbnail image size does not match",
        "bad ICC marker",
        "Invalid SOS parameters for sequential JPEG",
        "Inconsistent progression sequence",
    };
    for (std::string_view text : harmless)
        if (containsIgnoringCase(message, text)) return true;
    return false;
}

bool isMarker(uint8_t next) { return next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7); }

// Walks the segments the way libjpeg does (skipping stray bytes) and tells
// whether the image really reaches its end marker. Scan data never holds an
// FF D9 pair, and markers inside an embedded thumbnail are skipped with their
// segment, so a file cut anywhere before its end is recognised.
bool reachesEndMarker(std::string_view bytes) {
    auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    size_t i = 2;  // after the start marker
    while (i + 1 < bytes.size()) {
        if (at(i) != 0xFF || at(i + 1) == 0xFF || at(i + 1) == 0x00) {
            ++i;
            continue;
        }
        uint8_t marker = at(i + 1);
        i += 2;
        if (marker == 0xD9) return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length follows
        if (i + 1 >= bytes.size()) return false;
        size_t length = size_t(at(i)) << 8 | at(i + 1);
        if (length < 2) return false;
        i += length;
        if (marker == 0xDA)  // entropy-coded data runs to the next real marker
            while (i + 1 < bytes.size() && !(at(i) == 0xFF && isMarker(at(i + 1)))) ++i;
    }
    return false;
}

// The failure for a TurboJPEG call that returned `result`, or success when it
// worked or only warned about something harmless. TurboJPEG keeps the text of
// the first warning unless a fatal error follows and replaces it, and it still
// reports a fatal error after a warning as a warning, so the text decides.
Status jpegCallStatus(tjhandle handle, int result, std::string_view bytes) {
    if (result == 0) return Status::success();
    std::string message = tjGetErrorStr2(handle);
    if (tjGetErrorCode(handle) != TJERR_WARNING || !isHarmlessWarning(message)) {
        if (containsIgnoringCase(message, "premature end"))
            return Status::failure("Truncated JPEG image (" + message + ")");
        return Status::failure("Damaged JPEG image (" + message + ")");
    }
    // Only the first warning is kept, so a later "file ended early" can hide
    // behind a harmless one; check the end directly.
    if (!reachesEndMarker(bytes)) return Status::failure("Truncated JPEG image (the file ends before the picture)");
    return Status::success();
}

} // namespace

Status decodeJpeg(std::string_view bytes, Image& out, const SizeCheck& check) {
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
            tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height, &subsampling, &colorspace),
            bytes);
        if (!header) return header;
        if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
            return Status::failure("Unsupported JPEG image: CMYK colours (save it as RGB)");
        Status size = checkImageSize(width, height, "JPEG");
        if (!size) return size;
        if (check) {
            if (Status allowed = check(int(width), int(height)); !allowed) return allowed;
        }
        Image decoded(width, height);
        // A progressive file can hold thousands of tiny scans that take minutes to
        // decode; TurboJPEG refuses more than any encoder writes.
        Status pixels = jpegCallStatus(handle.get(), tjDecompress2(handle.get(), data, bytes.size(), decoded.data(),
                                                                   width, 0, height, TJPF_RGBA, TJFLAG_LIMITSCANS),
                                      bytes);
        if (!pixels) return pixels;
        out = std::move(decoded);
        return Status::success();
    } catch (const std::bad_alloc&) {
        out = Image{};
        return Status::failure("Not enough memory to read the JPEG image");
    }
}

} // namespace pondaro
