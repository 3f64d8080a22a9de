// BMP decoding of every kind that drawing programs write: 1-, 2-, 4- and 8-bit
// colour tables (also short ones and those of the OS/2 header), RLE4 and RLE8,
// 16, 24 and 32 bits with or without colour masks, every header size from 12 to
// 124 bytes, and both row orders. The header is checked completely before any
// allocation: the size against our limits and that the file really holds every
// pixel row, so a few bytes claiming a giant picture are refused.
// Kept here rather than in a library because each decoder at hand refuses some
// of these kinds (RLE, 2 bits, masks wider than 8 bits, the 52- and 56-byte
// headers) or scales narrow colour fields differently.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <new>
#include <string>

#include "image/codecs.h"

namespace pondaro {

namespace {

constexpr size_t kFileHeaderSize = 14;

enum Compression : uint32_t {
    kUncompressed = 0,  // BI_RGB
    kRle8 = 1,
    kRle4 = 2,
    kBitfields = 3,  // colour masks in or after the header
    kJpeg = 4,       // the file only wraps a JPEG or PNG picture
    kPng = 5,
};

// An RLE code of two bytes can stand for a whole row of undefined pixels, so
// the rows alone do not bound the picture; as for PNG, a declared size far
// beyond what the data could describe means the data is missing.
constexpr unsigned long long kMaxRlePixelsPerByte = 4096;
constexpr unsigned long long kPixelSlack = 1ull << 16;

uint32_t readU16(std::string_view b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}

uint32_t readU32(std::string_view b, size_t at) {
    return readU16(b, at) | readU16(b, at + 2) << 16;
}

// One colour field of a pixel: where its bits are and how to widen or narrow
// them to 8 bits, rounding to the nearest level.
struct ColourField {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit ColourField(uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        max = mask >> shift;
    }
    uint8_t scale(uint32_t pixel) const {
        if (max == 0) return 0;
        uint64_t value = (pixel & mask) >> shift;
        return uint8_t((value * 255 + max / 2) / max);
    }
};

struct BmpLayout {
    long long width = 0;
    long long height = 0;  // rows, always positive
    bool topDown = false;
    unsigned bitsPerPixel = 0;
    uint32_t compression = kUncompressed;
    uint32_t masks[4] = {};  // red, green, blue, alpha; alpha 0 for none
    size_t paletteOffset = 0;
    size_t paletteEntries = 0;
    size_t paletteEntrySize = 4;
    size_t pixelOffset = 0;
    size_t rowStride = 0;

    bool rle() const { return compression == kRle8 || compression == kRle4; }
    // Stored row i (counting from the first in the file) as a picture row.
    long long pictureRow(long long i) const { return topDown ? i : height - 1 - i; }
};

Status damaged(const std::string& why) { return Status::failure("Damaged BMP image: " + why); }
Status unsupported(const std::string& what) { return Status::failure("Unsupported BMP image: " + what); }

Status readCompression(uint32_t compression, unsigned bits) {
    switch (compression) {
    case kUncompressed: return Status::success();
    case kRle8:
    case kRle4:
        if (bits == (compression == kRle8 ? 8u : 4u)) return Status::success();
        break;
    case kBitfields:
        if (bits == 16 || bits == 24 || bits == 32) return Status::success();
        break;
    case kJpeg: return unsupported("the file holds a JPEG picture (open it as JPEG instead)");
    case kPng: return unsupported("the file holds a PNG picture (open it as PNG instead)");
    default: return unsupported("compression method " + std::to_string(compression));
    }
    return damaged("compression method " + std::to_string(compression) + " with " + std::to_string(bits) +
                   " bits per pixel");
}

Status readLayout(std::string_view bytes, BmpLayout& layout) {
    if (bytes.size() < kFileHeaderSize + 4) return damaged("the header is cut short");
    const uint32_t headerSize = readU32(bytes, 14);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return unsupported("unknown header of " + std::to_string(headerSize) + " bytes");
    if (bytes.size() < kFileHeaderSize + headerSize) return damaged("the header is cut short");

    uint32_t planes;
    uint32_t coloursUsed = 0;
    if (headerSize == 12) {  // OS/2: 16-bit sizes, 3-byte colour table entries
        layout.width = readU16(bytes, 18);
        layout.height = readU16(bytes, 20);
        planes = readU16(bytes, 22);
        layout.bitsPerPixel = readU16(bytes, 24);
        layout.paletteEntrySize = 3;
    } else {
        layout.width = int32_t(readU32(bytes, 18));
        layout.height = int32_t(readU32(bytes, 22));
        // A negative height marks rows stored top to bottom.
        layout.topDown = layout.height < 0;
        if (layout.topDown) layout.height = -layout.height;
        planes = readU16(bytes, 26);
        layout.bitsPerPixel = readU16(bytes, 28);
        layout.compression = readU32(bytes, 30);
        coloursUsed = readU32(bytes, 46);
    }
    if (planes != 1) return damaged("invalid plane count");
    const unsigned bits = layout.bitsPerPixel;
    if (Status compression = readCompression(layout.compression, bits); !compression) return compression;
    if (bits == 64) return unsupported("64 bits per pixel");
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return damaged(std::to_string(bits) + " bits per pixel");
    if (Status size = checkImageSize(layout.width, layout.height, "BMP"); !size) return size;

    size_t headerEnd = kFileHeaderSize + headerSize;
    if (layout.compression == kBitfields) {
        // The 40-byte header keeps its masks in 12 bytes after it; the longer
        // ones hold them at the same place inside, with alpha from 56 bytes on.
        if (headerSize == 40) {
            headerEnd += 12;
            if (bytes.size() < headerEnd) return damaged("the colour masks are cut short");
        }
        for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i) layout.masks[i] = readU32(bytes, 54 + 4 * i);
    } else if (bits == 16) {
        layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
    } else if (bits >= 24) {
        layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
        if (bits == 32) layout.masks[3] = 0xFF000000;
    }

    layout.pixelOffset = readU32(bytes, 10);
    if (layout.pixelOffset < headerEnd) return damaged("pixel data overlaps the header");
    if (layout.pixelOffset > bytes.size()) return Status::failure("Truncated BMP image: pixel data is missing");
    if (bits <= 8) {
        // A colour table may be shorter than the depth allows (the OS/2 header
        // has no count and ends its table where the pixels start); indices
        // beyond it read as black.
        const size_t full = size_t(1) << bits;
        size_t entries = coloursUsed != 0 ? std::min<size_t>(coloursUsed, full) : full;
        entries = std::min(entries, (layout.pixelOffset - headerEnd) / layout.paletteEntrySize);
        if (entries == 0) return damaged("the colour table is missing");
        layout.paletteOffset = headerEnd;
        layout.paletteEntries = entries;
    }

    const size_t dataBytes = bytes.size() - layout.pixelOffset;
    if (layout.rle()) {
        if ((unsigned long long)layout.width * layout.height > kMaxRlePixelsPerByte * dataBytes + kPixelSlack) {
            return Status::failure("Truncated BMP image: the file is far too short for " +
                                   std::to_string(layout.width) + " x " + std::to_string(layout.height) + " pixels");
        }
        return Status::success();
    }
    const size_t rowBytes = (size_t(layout.width) * bits + 7) / 8;
    layout.rowStride = (rowBytes + 3) & ~size_t(3);
    // The last row may stop without its padding.
    unsigned long long needed = (unsigned long long)layout.rowStride * (layout.height - 1) + rowBytes;
    if (needed > dataBytes) return Status::failure("Truncated BMP image: pixel data is missing");
    return Status::success();
}

struct Palette {
    Rgba colours[256];  // entries the file does not have stay opaque black

    Palette(std::string_view bytes, const BmpLayout& layout) {
        for (Rgba& colour : colours) colour = {0, 0, 0, 255};
        for (size_t i = 0; i < layout.paletteEntries; ++i) {
            size_t at = layout.paletteOffset + i * layout.paletteEntrySize;
            colours[i] = {uint8_t(bytes[at + 2]), uint8_t(bytes[at + 1]), uint8_t(bytes[at]), 255};
        }
    }
};

void putPixel(Image& image, size_t x, long long y, Rgba colour) {
    uint8_t* p = image.data() + (size_t(y) * size_t(image.width()) + x) * 4;
    p[0] = colour.r, p[1] = colour.g, p[2] = colour.b, p[3] = colour.a;
}

void decodeIndexed(std::string_view bytes, const BmpLayout& layout, Image& image) {
    const Palette palette(bytes, layout);
    const unsigned bits = layout.bitsPerPixel;
    const unsigned perByte = 8 / bits;
    const unsigned lowBits = (1u << bits) - 1;
    for (long long i = 0; i < layout.height; ++i) {
        const uint8_t* row = reinterpret_cast<const uint8_t*>(bytes.data()) + layout.pixelOffset + i * layout.rowStride;
        const long long y = layout.pictureRow(i);
        for (size_t x = 0; x < size_t(layout.width); ++x) {
            // The leftmost pixel is in the highest bits of its byte.
            unsigned shift = 8 - bits * (x % perByte + 1);
            putPixel(image, x, y, palette.colours[(row[x / perByte] >> shift) & lowBits]);
        }
    }
}

void decodeMasked(std::string_view bytes, const BmpLayout& layout, Image& image) {
    const ColourField red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]), alpha(layout.masks[3]);
    const size_t pixelBytes = layout.bitsPerPixel / 8;
    bool anyAlpha = false;
    for (long long i = 0; i < layout.height; ++i) {
        const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data()) + layout.pixelOffset + i * layout.rowStride;
        const long long y = layout.pictureRow(i);
        for (size_t x = 0; x < size_t(layout.width); ++x, p += pixelBytes) {
            uint32_t value = 0;
            for (size_t b = 0; b < pixelBytes; ++b) value |= uint32_t(p[b]) << (8 * b);
            Rgba colour{red.scale(value), green.scale(value), blue.scale(value), 255};
            if (alpha.mask != 0) {
                colour.a = alpha.scale(value);
                anyAlpha |= colour.a != 0;
            }
            putPixel(image, x, y, colour);
        }
    }
    // Many programs write the fourth byte of every pixel as zero and mean an
    // opaque picture; a picture that would be wholly invisible is read so.
    if (alpha.mask != 0 && !anyAlpha)
        for (size_t i = 3; i < image.byteSize(); i += 4) image.data()[i] = 255;
}

// Runs, literal stretches, line ends and jumps. Pixels the data never reaches
// stay transparent; pixels beyond the right edge are dropped.
Status decodeRle(std::string_view bytes, const BmpLayout& layout, Image& image) {
    const Palette palette(bytes, layout);
    const bool rle4 = layout.compression == kRle4;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data()) + layout.pixelOffset;
    const uint8_t* const end = reinterpret_cast<const uint8_t*>(bytes.data()) + bytes.size();
    const Status truncated = Status::failure("Truncated BMP image: the compressed pixels end early");
    unsigned long long x = 0, row = 0;
    auto put = [&](unsigned index) {
        if (x < (unsigned long long)layout.width)
            putPixel(image, size_t(x), layout.pictureRow((long long)row), palette.colours[index]);
        ++x;
    };
    while (row < (unsigned long long)layout.height) {
        if (end - p < 2) return truncated;
        const unsigned count = p[0], code = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) put(rle4 ? (i % 2 == 0 ? code >> 4 : code & 15) : code);
        } else if (code == 0) {  // end of line
            x = 0;
            ++row;
        } else if (code == 1) {  // end of picture
            break;
        } else if (code == 2) {  // jump right and up
            if (end - p < 2) return truncated;
            x += p[0];
            row += p[1];
            p += 2;
        } else {  // literal indices, padded to an even number of bytes
            const size_t used = rle4 ? (code + 1) / 2 : code;
            if (size_t(end - p) < used) return truncated;
            for (unsigned i = 0; i < code; ++i) put(rle4 ? (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 15) : p[i]);
            p += std::min<size_t>((used + 1) & ~size_t(1), size_t(end - p));
        }
    }
    return Status::success();
}

} // namespace

Status decodeBmp(std::string_view bytes, Image& out, const SizeCheck& check) {
    out = Image{};
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return Status::failure("Not a BMP image");
    try {
        BmpLayout layout;
        if (Status header = readLayout(bytes, layout); !header) return header;
        if (check) {
            if (Status allowed = check(int(layout.width), int(layout.height)); !allowed) return allowed;
        }
        Image image(int(layout.width), int(layout.height));
        if (layout.rle()) {
            if (Status pixels = decodeRle(bytes, layout, image); !pixels) return pixels;
        } else if (layout.bitsPerPixel <= 8) {
            decodeIndexed(bytes, layout, image);
        } else {
            decodeMasked(bytes, layout, image);
        }
        out = std::move(image);
        return Status::success();
    } catch (const std::bad_alloc&) {
        out = Image{};
        return Status::failure("Not enough memory to read the BMP image");
    }
}

} // namespace pondaro
