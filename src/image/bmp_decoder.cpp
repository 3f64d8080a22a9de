// BMP through stb_image. stb reads past the end of its buffer as zero bytes and
// trusts the header's sizes, so the header is checked here first: the signature,
// the size against our limits, and that the file really holds every pixel row.
// Only then does stb see the data.
#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

#include "image/codecs.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#include "stb_image.h"

static_assert(STBI_MAX_DIMENSIONS == pondaro::kMaxImageSide);

namespace pondaro {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kUncompressed = 0;  // BI_RGB
constexpr uint32_t kBitfields = 3;     // BI_BITFIELDS: colour masks follow the header

uint32_t readU16(std::string_view b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}

uint32_t readU32(std::string_view b, size_t at) {
    return readU16(b, at) | readU16(b, at + 2) << 16;
}

struct BmpLayout {
    long long width = 0;
    long long height = 0;  // rows, always positive
    unsigned bitsPerPixel = 0;
    size_t headerEnd = 0;  // where stb expects the pixel rows to start
    size_t pixelOffset = 0;  // where the file says they start
    size_t rowStride = 0;
};

Status damaged(const std::string& why) { return Status::failure("Damaged BMP image: " + why); }

Status readLayout(std::string_view bytes, BmpLayout& layout) {
    if (bytes.size() < kFileHeaderSize + 4) return damaged("the header is cut short");
    const uint32_t headerSize = readU32(bytes, 14);
    if (headerSize != 12 && headerSize != 40 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        return Status::failure("Unsupported BMP image: unknown header of " + std::to_string(headerSize) + " bytes");
    if (bytes.size() < kFileHeaderSize + headerSize) return damaged("the header is cut short");

    uint32_t planes, compression = kUncompressed;
    if (headerSize == 12) {
        layout.width = readU16(bytes, 18);
        layout.height = readU16(bytes, 20);
        planes = readU16(bytes, 22);
        layout.bitsPerPixel = readU16(bytes, 24);
    } else {
        layout.width = int32_t(readU32(bytes, 18));
        // A negative height marks rows stored top to bottom.
        layout.height = int32_t(readU32(bytes, 22));
        if (layout.height < 0) layout.height = -layout.height;
        planes = readU16(bytes, 26);
        layout.bitsPerPixel = readU16(bytes, 28);
        compression = readU32(bytes, 30);
    }
    if (planes != 1) return damaged("invalid plane count");
    if (layout.bitsPerPixel != 24 && layout.bitsPerPixel != 32) {
        return Status::failure("Unsupported BMP image: " + std::to_string(layout.bitsPerPixel) +
                               " bits per pixel (24 and 32 are supported)");
    }
    bool bitfields = compression == kBitfields && layout.bitsPerPixel == 32 && headerSize != 12;
    if (compression != kUncompressed && !bitfields)
        return Status::failure("Unsupported BMP image: compressed pixel data");
    if (Status size = checkImageSize(layout.width, layout.height, "BMP"); !size) return size;

    // The short Windows headers keep the colour masks in 12 bytes after them.
    layout.headerEnd = kFileHeaderSize + headerSize + ((headerSize == 40 || headerSize == 56) && bitfields ? 12 : 0);
    layout.pixelOffset = readU32(bytes, 10);
    if (layout.pixelOffset < layout.headerEnd) return damaged("pixel data overlaps the header");
    size_t rowBytes = size_t(layout.width) * (layout.bitsPerPixel / 8);
    layout.rowStride = (rowBytes + 3) & ~size_t(3);
    unsigned long long needed = (unsigned long long)layout.pixelOffset +
                                (unsigned long long)layout.rowStride * (layout.height - 1) + rowBytes;
    if (needed > bytes.size()) return Status::failure("Truncated BMP image: pixel data is missing");
    return Status::success();
}

struct StbPixels {
    stbi_uc* pixels = nullptr;
    ~StbPixels() { stbi_image_free(pixels); }
};

} // namespace

Status decodeBmp(std::string_view bytes, Image& out) {
    out = Image{};
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return Status::failure("Not a BMP image");
    try {
        BmpLayout layout;
        if (Status header = readLayout(bytes, layout); !header) return header;

        // stb wants the rows right after the header and every row padded. Files
        // that leave a gap (an unused colour table) or drop the last row's
        // padding are legal, so those are rebuilt in a copy stb can read as is.
        size_t pixelBytes = layout.rowStride * size_t(layout.height);
        std::string compact;
        std::string_view data = bytes.substr(0, layout.pixelOffset + pixelBytes);
        if (layout.pixelOffset > layout.headerEnd || data.size() < layout.pixelOffset + pixelBytes) {
            compact.reserve(layout.headerEnd + pixelBytes);
            compact.append(bytes.substr(0, layout.headerEnd));
            compact.append(bytes.substr(layout.pixelOffset, pixelBytes));
            compact.resize(layout.headerEnd + pixelBytes, '\0');
            uint32_t offset = uint32_t(layout.headerEnd);
            for (int i = 0; i < 4; ++i) compact[10 + i] = char((offset >> (8 * i)) & 0xFF);
            data = compact;
        }

        int width = 0, height = 0, channels = 0;
        StbPixels decoded;
        decoded.pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(data.data()), int(data.size()),
                                               &width, &height, &channels, 4);
        if (!decoded.pixels) return damaged(stbi_failure_reason() ? stbi_failure_reason() : "unreadable pixel data");
        if (width != layout.width || height != layout.height) return damaged("inconsistent size");

        Image image(width, height);
        std::copy(decoded.pixels, decoded.pixels + image.byteSize(), image.data());
        // Many programs write 32-bit BMPs with the fourth byte always zero and
        // mean an opaque picture; stb only catches this for some header kinds.
        if (layout.bitsPerPixel == 32) {
            bool anyAlpha = false;
            for (size_t i = 3; i < image.byteSize() && !anyAlpha; i += 4) anyAlpha = image.data()[i] != 0;
            if (!anyAlpha)
                for (size_t i = 3; i < image.byteSize(); i += 4) image.data()[i] = 255;
        }
        out = std::move(image);
        return Status::success();
    } catch (const std::bad_alloc&) {
        out = Image{};
        return Status::failure("Not enough memory to read the BMP image");
    }
}

} // namespace pondaro
