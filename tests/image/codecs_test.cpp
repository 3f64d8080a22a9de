#include "image/codecs.h"

#include <gtest/gtest.h>
#include <png.h>
#include <turbojpeg.h>
#include <zlib.h>

#include "support/temp_folder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace pondaro {

// Lets failed comparisons of images show sizes instead of raw object bytes.
static void PrintTo(const Image& image, std::ostream* os) {
    *os << image.width() << " x " << image.height() << " image";
}

namespace {

namespace fs = std::filesystem;

using Decoder = Status (*)(std::string_view, Image&, const SizeCheck&);

// Every pixel differs from its neighbours, and alpha runs through 0 with a
// colour still set, so swapped rows, shifted columns or premultiplying show up.
Image patternImage(int width, int height, bool withAlpha = true) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           {uint8_t(x * 37 + y * 11), uint8_t(250 - x * 5 - y * 17), uint8_t(x * y * 7 + 3),
                            withAlpha ? uint8_t(x * 53 + y * 29) : uint8_t(255)});
    return image;
}

// Where two images first differ, for failure messages.
std::string firstDifference(const Image& actual, const Image& expected) {
    if (actual.width() != expected.width() || actual.height() != expected.height()) return "sizes differ";
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            Rgba a = actual.pixel(x, y), e = expected.pixel(x, y);
            if (a != e)
                return "at " + std::to_string(x) + ", " + std::to_string(y) + ": " + std::to_string(a.r) + " " +
                       std::to_string(a.g) + " " + std::to_string(a.b) + " " + std::to_string(a.a) + " instead of " +
                       std::to_string(e.r) + " " + std::to_string(e.g) + " " + std::to_string(e.b) + " " +
                       std::to_string(e.a);
        }
    return "";
}

void putU16(std::string& b, size_t at, uint32_t v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

void putU32(std::string& b, size_t at, uint32_t v) {
    putU16(b, at, v & 0xFFFF);
    putU16(b, at + 2, v >> 16);
}

void appendU16(std::string& b, uint32_t v) {
    b += char(v & 0xFF);
    b += char((v >> 8) & 0xFF);
}

void appendU32(std::string& b, uint32_t v) {
    appendU16(b, v & 0xFFFF);
    appendU16(b, v >> 16);
}

void putU32BigEndian(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

// Keeps a generated file as a seed for the fuzz targets when PONDARO_FUZZ_SEEDS
// names a folder: the files land in <folder>/<format>/ (see fuzz/seeds/).
void keepAsFuzzSeed(const std::string& format, std::string name, const std::string& file) {
    const char* folder = std::getenv("PONDARO_FUZZ_SEEDS");
    if (!folder || file.empty()) return;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
    fs::path target = fs::path(folder) / format;
    fs::create_directories(target);
    std::ofstream(target / (name + "." + format), std::ios::binary) << file;
}

// --- PNG files written by libpng's full API, for the variants our encoder never makes.

struct PngLayout {
    int width = 0, height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS for palette images
    std::vector<unsigned> transparent;  // tRNS for grey (one sample) and RGB (three) images
    double gamma = 0;                   // gAMA, when not 0
};

PngLayout pngLayout(int width, int height, int colorType, int bitDepth) {
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colorType = colorType;
    layout.bitDepth = bitDepth;
    return layout;
}

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

// rows hold the samples exactly as stored: packed below 8 bits, big-endian at 16.
std::string writeLibpngFile(const PngLayout& layout, std::vector<std::vector<uint8_t>>& rows) {
    std::string file;
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) rowPointers.push_back(row.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test image";
        return {};
    }
    png_set_write_fn(png, &file, appendToString, nullptr);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.paletteAlpha.empty())
        png_set_tRNS(png, info, layout.paletteAlpha.data(), int(layout.paletteAlpha.size()), nullptr);
    if (!layout.transparent.empty()) {
        png_color_16 colour{};
        colour.gray = png_uint_16(layout.transparent[0]);
        if (layout.transparent.size() == 3) {
            colour.red = png_uint_16(layout.transparent[0]);
            colour.green = png_uint_16(layout.transparent[1]);
            colour.blue = png_uint_16(layout.transparent[2]);
        }
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    if (layout.gamma != 0) png_set_gAMA(png, info, layout.gamma);
    png_set_rows(png, info, rowPointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// Rewrites the size in IHDR (which follows the signature) with a correct CRC.
std::string withPngSize(std::string file, uint32_t width, uint32_t height) {
    putU32BigEndian(file, 16, width);
    putU32BigEndian(file, 20, height);
    uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(file.data() + 12), 17));
    putU32BigEndian(file, 29, crc);
    return file;
}

// One row of samples as PNG stores them: packed from the high bits below 8 bits
// a sample, big-endian at 16.
std::vector<uint8_t> packSamples(const std::vector<unsigned>& samples, int bitDepth) {
    std::vector<uint8_t> row;
    if (bitDepth == 16) {
        for (unsigned sample : samples) row.insert(row.end(), {uint8_t(sample >> 8), uint8_t(sample)});
    } else {
        row.assign((samples.size() * bitDepth + 7) / 8, 0);
        for (size_t i = 0; i < samples.size(); ++i)
            row[i * bitDepth / 8] |= uint8_t(samples[i] << (8 - bitDepth - i * bitDepth % 8));
    }
    return row;
}

std::string encodedPattern(int width, int height) {
    std::string file;
    EXPECT_TRUE(encodePng(patternImage(width, height), file));
    return file;
}

// --- JPEG files from TurboJPEG's compressor.

std::string compressJpeg(const std::vector<uint8_t>& pixels, int width, int height, int pixelFormat,
                         int subsampling, int flags = 0) {
    tjhandle handle = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::string file;
    if (tjCompress2(handle, pixels.data(), width, 0, height, pixelFormat, &buffer, &size, subsampling, 95, flags) ==
        0) {
        file.assign(reinterpret_cast<const char*>(buffer), size);
    } else {
        ADD_FAILURE() << "TurboJPEG could not write the test image: " << tjGetErrorStr2(handle);
    }
    tjFree(buffer);
    tjDestroy(handle);
    return file;
}

// Four flat quadrants: red, green / blue, white. Flat areas survive JPEG closely.
std::string quadrantJpeg(int flags = 0) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int quadrant = (y >= 16) * 2 + (x >= 16);
            const uint8_t colours[4][3] = {{220, 20, 20}, {20, 200, 40}, {30, 40, 210}, {250, 250, 250}};
            rgb.insert(rgb.end(), colours[quadrant], colours[quadrant] + 3);
        }
    return compressJpeg(rgb, 32, 32, TJPF_RGB, TJSAMP_444, flags);
}

// Position of the frame header's size fields (SOF0 or SOF2), or 0.
size_t jpegSizeOffset(const std::string& file) {
    for (size_t i = 2; i + 9 < file.size(); ++i)
        if (uint8_t(file[i]) == 0xFF && (uint8_t(file[i + 1]) == 0xC0 || uint8_t(file[i + 1]) == 0xC2))
            return i + 5;
    return 0;
}

void expectNear(Rgba actual, Rgba expected, int tolerance) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
    EXPECT_EQ(actual.a, expected.a);
}

// --- BMP files built byte by byte.

struct BmpLayout {
    int bitsPerPixel = 24;
    bool topDown = false;
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    uint32_t gap = 0;                // bytes between the header and the rows
    bool dropLastPadding = false;  // the final row stops without its padding
};

std::string makeBmp(const Image& picture, const BmpLayout& layout) {
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    const size_t rowBytes = size_t(picture.width()) * bytesPerPixel;
    const size_t stride = (rowBytes + 3) & ~size_t(3);
    const bool masksAfterHeader = layout.compression == 3 && layout.headerSize == 40;
    const size_t headerEnd = 14 + layout.headerSize + (masksAfterHeader ? 12 : 0);
    const size_t offset = headerEnd + layout.gap;

    std::string file = "BM";
    appendU32(file, 0);  // file size, filled in at the end
    appendU32(file, 0);
    appendU32(file, uint32_t(offset));
    appendU32(file, layout.headerSize);
    appendU32(file, uint32_t(picture.width()));
    appendU32(file, uint32_t(layout.topDown ? -picture.height() : picture.height()));
    appendU16(file, 1);
    appendU16(file, uint32_t(layout.bitsPerPixel));
    appendU32(file, layout.compression);
    file.append(20, '\0');  // data size, resolution, colour counts
    if (layout.compression == 3) {
        // Right after the 40 common bytes: inside a V4/V5 header, after a short one.
        appendU32(file, 0x00FF0000);
        appendU32(file, 0x0000FF00);
        appendU32(file, 0x000000FF);
        if (!masksAfterHeader) appendU32(file, 0xFF000000);
    }
    file.resize(headerEnd, '\0');
    file.append(layout.gap, char(0xAB));  // junk that must not be read as pixels

    for (int row = 0; row < picture.height(); ++row) {
        int y = layout.topDown ? row : picture.height() - 1 - row;
        for (int x = 0; x < picture.width(); ++x) {
            Rgba p = picture.pixel(x, y);
            file += char(p.b);
            file += char(p.g);
            file += char(p.r);
            if (bytesPerPixel == 4) file += char(p.a);
        }
        bool last = row == picture.height() - 1;
        if (!(last && layout.dropLastPadding)) file.append(stride - rowBytes, char(0xEE));
    }
    putU32(file, 2, uint32_t(file.size()));
    return file;
}

Image opaque(Image image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            Rgba p = image.pixel(x, y);
            p.a = 255;
            image.setPixel(x, y, p);
        }
    return image;
}

// --- BMP files of every kind that drawing programs write, field by field.

// One kind of BMP file. The picture written is made for the kind: colour
// indices for a colour table, fields of random width and value for masks.
struct BmpKind {
    const char* name;
    unsigned bits = 24;
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    std::array<uint32_t, 4> masks{};  // red, green, blue, alpha as written in or after the header
    bool topDown = false;
    int paletteEntries = 0;           // entries written; the header's count says the same unless 0
    bool countInHeader = true;
    uint32_t gap = 0;                 // unused bytes before the pixels
    bool sparse = false;              // RLE leaving pixels undefined through jumps and early ends
    bool zeroFourthByte = false;      // 32 bits whose fourth byte is never set
    bool indexBeyondTable = false;    // one pixel names the first entry a short table lacks
    bool independentDecoderReadsIt = true;
};

struct BmpPicture {
    int width = 0, height = 0;
    std::vector<int64_t> stored;  // per pixel, top row first: index or packed pixel; -1 left undefined
    std::vector<Rgba> palette;
    Image expected;
};

Rgba paletteColour(int i) { return {uint8_t(37 * i + 11), uint8_t(255 - 29 * i), uint8_t(71 * i + 5), 255}; }

std::array<uint32_t, 4> effectiveMasks(const BmpKind& kind) {
    if (kind.compression == 3) return kind.masks;
    if (kind.bits == 16) return {0x7C00, 0x03E0, 0x001F, 0};
    return {0xFF0000, 0xFF00, 0xFF, kind.bits == 32 ? 0xFF000000u : 0u};
}

BmpPicture bmpPicture(const BmpKind& kind) {
    BmpPicture picture;
    const bool rle = kind.compression == 1 || kind.compression == 2;
    picture.width = rle ? 13 : kind.bits <= 8 ? 11 : 7;
    picture.height = rle ? 8 : 5;
    picture.expected = Image(picture.width, picture.height);
    const int w = picture.width, h = picture.height;
    if (kind.bits <= 8) {
        for (int i = 0; i < kind.paletteEntries; ++i) picture.palette.push_back(paletteColour(i));
        const int entries = kind.paletteEntries;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int row = h - 1 - y;  // as stored, bottom row first
                int64_t index = (x * 7 + y * 3 + x * y) % entries;
                if (rle && !kind.sparse) {
                    index = (x / 3 + y) % entries;  // runs only
                } else if (rle) {
                    // Runs, a run of two alternating indices, literal stretches of
                    // odd and even length, and undefined stretches: inside a row,
                    // at its end, a whole row, and every row after the last code.
                    if (x < 4) index = (row + 1) % entries;
                    else if (x < 8) index = (x % 2 ? 2 : 5 + row) % entries;
                    if ((row == 1 && x >= 3 && x < 7) || (row == 2 && x >= 10) || row == 3 || row >= 6) index = -1;
                }
                picture.stored.push_back(index);
                picture.expected.setPixel(x, y, index < 0 ? Rgba{} : paletteColour(int(index)));
            }
        if (kind.indexBeyondTable) {  // reads as black
            picture.stored[1] = entries;
            picture.expected.setPixel(1, 0, {0, 0, 0, 255});
        }
        return picture;
    }
    const std::array<uint32_t, 4> masks = effectiveMasks(kind);
    std::mt19937 random(kind.bits * 1000 + kind.headerSize);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int64_t packed = 0;
            uint8_t channel[4] = {0, 0, 0, 255};
            for (int c = 0; c < 4; ++c) {
                if (masks[c] == 0 || (c == 3 && kind.zeroFourthByte)) continue;
                int shift = std::countr_zero(masks[c]);
                uint64_t max = masks[c] >> shift;
                // The first pixel has every field at 0, the second at its maximum.
                uint64_t value = x + y == 0 ? 0 : x + y == 1 && y == 0 ? max : random() % (max + 1);
                packed |= int64_t(value << shift);
                channel[c] = uint8_t((value * 255 + max / 2) / max);
            }
            picture.stored.push_back(packed);
            picture.expected.setPixel(x, y, {channel[0], channel[1], channel[2], channel[3]});
        }
    if (kind.zeroFourthByte) picture.expected = opaque(picture.expected);
    return picture;
}

// RLE codes for one picture, bottom row first: runs of one index (of two
// alternating ones for RLE4), literal stretches of three or more, jumps over
// undefined pixels, line ends, and the end code once only undefined rows remain.
std::string encodeRle(const BmpPicture& picture, bool rle4) {
    const int w = picture.width, h = picture.height;
    auto at = [&](int x, int row) { return picture.stored[size_t(h - 1 - row) * w + x]; };
    auto rowUndefined = [&](int row) {
        for (int x = 0; x < w; ++x)
            if (at(x, row) >= 0) return false;
        return true;
    };
    auto runLength = [&](int x, int row) {
        int n = 1;
        while (x + n < w && n < 255 && at(x + n, row) >= 0 &&
               at(x + n, row) == at(x + (rle4 ? n % 2 : 0), row))
            ++n;
        return n;
    };
    std::string codes;
    auto add = [&](std::initializer_list<int> bytes) {
        for (int b : bytes) codes += char(b);
    };
    for (int row = 0; row < h; ++row) {
        bool restUndefined = true;
        for (int r = row; r < h && restUndefined; ++r) restUndefined = rowUndefined(r);
        if (restUndefined) break;
        if (rowUndefined(row)) {  // from the start of this row to the start of the next
            add({0, 2, 0, 1});
            continue;
        }
        int x = 0;
        while (x < w) {
            if (at(x, row) < 0) {
                int end = x;
                while (end < w && at(end, row) < 0) ++end;
                if (end == w) break;
                add({0, 2, end - x, 0});
                x = end;
                continue;
            }
            int run = runLength(x, row);
            if (run >= 3 || x + run == w || at(x + run, row) < 0) {
                int first = int(at(x, row)), second = int(at(x + (rle4 && run > 1 ? 1 : 0), row));
                add({run, rle4 ? first << 4 | second : first});
                x += run;
                continue;
            }
            int literal = 0;
            while (x + literal < w && literal < 255 && at(x + literal, row) >= 0 && runLength(x + literal, row) < 3)
                ++literal;
            if (literal < 3) {
                add({1, int(at(x, row)) << (rle4 ? 4 : 0)});
                x += 1;
                continue;
            }
            add({0, literal});
            std::string data;
            for (int i = 0; i < literal; ++i) {
                int index = int(at(x + i, row));
                if (!rle4) data += char(index);
                else if (i % 2 == 0) data += char(index << 4);
                else data.back() = char(data.back() | index);
            }
            if (data.size() % 2) data += '\0';
            codes += data;
            x += literal;
        }
        add({0, 0});
    }
    add({0, 1});
    return codes;
}

std::string writeBmp(const BmpKind& kind, const BmpPicture& picture) {
    const bool core = kind.headerSize == 12;
    const bool masksAfterHeader = kind.compression == 3 && kind.headerSize == 40;
    const size_t entrySize = core ? 3 : 4;
    const size_t offset = 14 + kind.headerSize + (masksAfterHeader ? 12 : 0) +
                          picture.palette.size() * entrySize + kind.gap;
    std::string header = "BM";
    appendU32(header, 0);  // file size, filled in at the end
    appendU32(header, 0);
    appendU32(header, uint32_t(offset));
    appendU32(header, kind.headerSize);
    if (core) {
        appendU16(header, uint32_t(picture.width));
        appendU16(header, uint32_t(picture.height));
        appendU16(header, 1);
        appendU16(header, kind.bits);
    } else {
        appendU32(header, uint32_t(picture.width));
        appendU32(header, uint32_t(kind.topDown ? -picture.height : picture.height));
        appendU16(header, 1);
        appendU16(header, kind.bits);
        appendU32(header, kind.compression);
        appendU32(header, 0);  // data size
        appendU32(header, 2835);
        appendU32(header, 2835);
        appendU32(header, kind.countInHeader ? uint32_t(picture.palette.size()) : 0);
        appendU32(header, 0);
        for (int i = 0; i < (kind.headerSize >= 56 ? 4 : kind.headerSize >= 52 || masksAfterHeader ? 3 : 0); ++i)
            appendU32(header, kind.masks[i]);
        if (kind.headerSize >= 108) appendU32(header, 0x73524742);  // sRGB colour space
    }
    header.resize(14 + kind.headerSize + (masksAfterHeader ? 12 : 0), '\0');
    for (Rgba c : picture.palette) {
        header += {char(c.b), char(c.g), char(c.r)};
        if (!core) header += '\0';
    }
    header.append(kind.gap, char(0xAB));

    std::string pixels;
    if (kind.compression == 1 || kind.compression == 2) {
        pixels = encodeRle(picture, kind.compression == 2);
    } else {
        const size_t stride = (size_t(picture.width) * kind.bits + 31) / 32 * 4;
        for (int i = 0; i < picture.height; ++i) {
            int y = kind.topDown ? i : picture.height - 1 - i;
            std::string row(stride, '\0');
            for (int x = 0; x < picture.width; ++x) {
                uint64_t value = uint64_t(picture.stored[size_t(y) * picture.width + x]);
                if (kind.bits < 8) {
                    char& byte = row[x * kind.bits / 8];
                    byte = char(byte | value << (8 - kind.bits - x * kind.bits % 8));
                } else {
                    for (unsigned b = 0; b < kind.bits / 8; ++b) row[x * kind.bits / 8 + b] = char(value >> (8 * b));
                }
            }
            pixels += row;
        }
    }
    std::string file = header + pixels;
    putU32(file, 2, uint32_t(file.size()));
    return file;
}

std::vector<BmpKind> bmpKinds() {
    const std::array<uint32_t, 4> rgb555{0x7C00, 0x03E0, 0x001F, 0}, rgb565{0xF800, 0x07E0, 0x001F, 0},
        argb4444{0x0F00, 0x00F0, 0x000F, 0xF000}, rgb888{0xFF0000, 0xFF00, 0xFF, 0},
        argb8888{0xFF0000, 0xFF00, 0xFF, 0xFF000000}, argb2101010{0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000};
    // The independent decoder knows neither 2 bits, nor the 52- and 56-byte
    // headers, nor RLE jumps, nor fields other than 5 and 8 bits, and it ignores
    // the fourth byte of 32 bits without masks; it reads an index beyond the
    // colour table as a grey of that level, where we read black.
    std::vector<BmpKind> kinds = {
        {.name = "1 bit", .bits = 1, .paletteEntries = 2},
        {.name = "1 bit OS/2", .bits = 1, .headerSize = 12, .paletteEntries = 2},
        {.name = "2 bits", .bits = 2, .paletteEntries = 4, .independentDecoderReadsIt = false},
        {.name = "4 bits", .bits = 4, .paletteEntries = 16},
        {.name = "4 bits short table", .bits = 4, .paletteEntries = 6},
        {.name = "8 bits", .bits = 8, .paletteEntries = 256, .countInHeader = false},
        {.name = "8 bits top-down", .bits = 8, .topDown = true, .paletteEntries = 256},
        {.name = "8 bits OS/2 short table", .bits = 8, .headerSize = 12, .paletteEntries = 40,
         .indexBeyondTable = true, .independentDecoderReadsIt = false},
        {.name = "8 bits V5 header", .bits = 8, .headerSize = 124, .paletteEntries = 30},
        {.name = "8 bits gap after the table", .bits = 8, .paletteEntries = 20, .gap = 6},
        {.name = "RLE8", .bits = 8, .compression = 1, .paletteEntries = 20, .sparse = true,
         .independentDecoderReadsIt = false},
        {.name = "RLE8 runs only", .bits = 8, .compression = 1, .paletteEntries = 20},
        {.name = "RLE4", .bits = 4, .compression = 2, .paletteEntries = 16, .sparse = true,
         .independentDecoderReadsIt = false},
        {.name = "RLE4 runs only", .bits = 4, .compression = 2, .paletteEntries = 16},
        {.name = "16 bits 555", .bits = 16},
        {.name = "16 bits 555 masks", .bits = 16, .compression = 3, .masks = rgb555},
        {.name = "16 bits 565 masks", .bits = 16, .compression = 3, .masks = rgb565},
        {.name = "16 bits 565 V4 header top-down", .bits = 16, .headerSize = 108, .compression = 3, .masks = rgb565,
         .topDown = true},
        {.name = "16 bits 4444 alpha V5 header", .bits = 16, .headerSize = 124, .compression = 3, .masks = argb4444,
         .independentDecoderReadsIt = false},
        {.name = "24 bits", .bits = 24},
        {.name = "24 bits 52-byte header", .headerSize = 52, .independentDecoderReadsIt = false},
        {.name = "24 bits 56-byte header top-down", .headerSize = 56, .topDown = true,
         .independentDecoderReadsIt = false},
        {.name = "24 bits V4 header", .headerSize = 108},
        {.name = "24 bits V5 header top-down", .headerSize = 124, .topDown = true},
        {.name = "24 bits after an unused table", .gap = 64},
        {.name = "32 bits", .bits = 32, .independentDecoderReadsIt = false},
        {.name = "32 bits top-down", .bits = 32, .topDown = true, .independentDecoderReadsIt = false},
        {.name = "32 bits fourth byte zero", .bits = 32, .zeroFourthByte = true},
        {.name = "32 bits V5 header without masks", .bits = 32, .headerSize = 124, .independentDecoderReadsIt = false},
        {.name = "32 bits masks after the header", .bits = 32, .compression = 3, .masks = rgb888},
        {.name = "32 bits masks in a 52-byte header", .bits = 32, .headerSize = 52, .compression = 3,
         .masks = rgb888, .independentDecoderReadsIt = false},
        {.name = "32 bits masks in a 56-byte header", .bits = 32, .headerSize = 56, .compression = 3,
         .masks = argb8888, .independentDecoderReadsIt = false},
        {.name = "32 bits alpha mask V5 header", .bits = 32, .headerSize = 124, .compression = 3,
         .masks = argb8888},
        {.name = "32 bits 10-bit fields V4 header", .bits = 32, .headerSize = 108, .compression = 3,
         .masks = argb2101010, .independentDecoderReadsIt = false},
    };
    return kinds;
}

// Decodes into an image that already holds a picture, so a failure that forgets
// to clear the output shows.
Status decodeIntoUsed(Decoder decode, std::string_view bytes, Image& out) {
    out = patternImage(3, 2);
    return decode(bytes, out, {});
}

void expectCleanFailure(const Status& status, const Image& out) {
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
    EXPECT_TRUE(out.empty()) << "failed decode left a " << out.width() << " x " << out.height() << " image";
}

// ============================================================================ PNG

TEST(PngCodec, RoundTripKeepsEveryPixelIncludingColourUnderZeroAlpha) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{7, 5}, std::pair{64, 3}}) {
        Image source = patternImage(w, h);
        std::string file;
        ASSERT_TRUE(encodePng(source, file));
        Image decoded;
        Status status = decodePng(file, decoded);
        ASSERT_TRUE(status) << status.message();
        EXPECT_EQ(decoded, source) << w << " x " << h;
    }
}

TEST(PngCodec, EncodingAnEmptyImageFails) {
    std::string file = "old";
    Status status = encodePng(Image{}, file);
    EXPECT_FALSE(status);
    EXPECT_TRUE(file.empty());
}

TEST(PngCodec, ReadsGreyPaletteAndRgbFilesAsRgbaWithOpaqueDefault) {
    {
        SCOPED_TRACE("8-bit grey");
        std::vector<std::vector<uint8_t>> rows{{0, 100, 255}, {7, 8, 9}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(3, 2, PNG_COLOR_TYPE_GRAY, 8), rows), image));
        EXPECT_EQ(image.pixel(1, 0), (Rgba{100, 100, 100, 255}));
        EXPECT_EQ(image.pixel(2, 1), (Rgba{9, 9, 9, 255}));
    }
    {
        SCOPED_TRACE("1-bit grey, width not a multiple of 8");
        std::vector<std::vector<uint8_t>> rows{{0b10110000, 0b01000000}};  // 1 0 1 1 0 0 0 0 | 0 1
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(10, 1, PNG_COLOR_TYPE_GRAY, 1), rows), image));
        const int expected[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
        for (int x = 0; x < 10; ++x) {
            uint8_t v = expected[x] ? 255 : 0;
            EXPECT_EQ(image.pixel(x, 0), (Rgba{v, v, v, 255})) << x;
        }
    }
    {
        SCOPED_TRACE("grey with a transparent grey level");
        PngLayout layout = pngLayout(2, 1, PNG_COLOR_TYPE_GRAY, 8);
        layout.transparent = {40};
        std::vector<std::vector<uint8_t>> rows{{40, 41}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(layout, rows), image));
        EXPECT_EQ(image.pixel(0, 0).a, 0);
        EXPECT_EQ(image.pixel(1, 0), (Rgba{41, 41, 41, 255}));
    }
    {
        SCOPED_TRACE("grey and alpha");
        std::vector<std::vector<uint8_t>> rows{{10, 0, 20, 128}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8), rows), image));
        EXPECT_EQ(image.pixel(0, 0), (Rgba{10, 10, 10, 0}));
        EXPECT_EQ(image.pixel(1, 0), (Rgba{20, 20, 20, 128}));
    }
    {
        SCOPED_TRACE("8-bit RGB");
        std::vector<std::vector<uint8_t>> rows{{1, 2, 3, 250, 251, 252}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(2, 1, PNG_COLOR_TYPE_RGB, 8), rows), image));
        EXPECT_EQ(image.pixel(0, 0), (Rgba{1, 2, 3, 255}));
        EXPECT_EQ(image.pixel(1, 0), (Rgba{250, 251, 252, 255}));
    }
    {
        SCOPED_TRACE("8-bit palette, transparency on some entries");
        PngLayout layout = pngLayout(4, 1, PNG_COLOR_TYPE_PALETTE, 8);
        layout.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        layout.paletteAlpha = {0, 128};  // the third entry has none: opaque
        std::vector<std::vector<uint8_t>> rows{{2, 1, 0, 2}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(layout, rows), image));
        EXPECT_EQ(image.pixel(0, 0), (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(image.pixel(1, 0), (Rgba{0, 255, 0, 128}));
        EXPECT_EQ(image.pixel(2, 0).a, 0);
        EXPECT_EQ(image.pixel(3, 0), (Rgba{0, 0, 255, 255}));
    }
    {
        SCOPED_TRACE("4-bit palette, odd width");
        PngLayout layout = pngLayout(3, 1, PNG_COLOR_TYPE_PALETTE, 4);
        layout.palette = {{10, 20, 30}, {40, 50, 60}};
        std::vector<std::vector<uint8_t>> rows{{0x10, 0x10}};  // 1 0 1
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(layout, rows), image));
        EXPECT_EQ(image.pixel(0, 0), (Rgba{40, 50, 60, 255}));
        EXPECT_EQ(image.pixel(1, 0), (Rgba{10, 20, 30, 255}));
        EXPECT_EQ(image.pixel(2, 0), (Rgba{40, 50, 60, 255}));
    }
}

TEST(PngCodec, Reads16BitSamplesWithoutChangingTheirBrightness) {
    // 16-bit samples scale to the nearest 8-bit value, as a drawing program shows
    // them; read as linear light they would come out much brighter.
    {
        SCOPED_TRACE("16-bit RGB");
        std::vector<std::vector<uint8_t>> rows{{0x80, 0x80, 0x12, 0x34, 0xFF, 0xFF}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(1, 1, PNG_COLOR_TYPE_RGB, 16), rows), image));
        expectNear(image.pixel(0, 0), {0x80, 0x12, 0xFF, 255}, 1);
    }
    {
        SCOPED_TRACE("16-bit RGBA");
        std::vector<std::vector<uint8_t>> rows{{0x40, 0x00, 0xC0, 0x00, 0x20, 0x00, 0x80, 0x80}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16), rows), image));
        Rgba p = image.pixel(0, 0);
        EXPECT_NEAR(p.a, 0x80, 1);
        EXPECT_NEAR(p.r, 0x40, 2);
        EXPECT_NEAR(p.g, 0xC0, 2);
        EXPECT_NEAR(p.b, 0x20, 2);
    }
    {
        SCOPED_TRACE("16-bit grey");
        std::vector<std::vector<uint8_t>> rows{{0x33, 0x00, 0xCC, 0xFF}};
        Image image;
        ASSERT_TRUE(decodePng(writeLibpngFile(pngLayout(2, 1, PNG_COLOR_TYPE_GRAY, 16), rows), image));
        expectNear(image.pixel(0, 0), {0x33, 0x33, 0x33, 255}, 1);
        expectNear(image.pixel(1, 0), {0xCD, 0xCD, 0xCD, 255}, 1);
    }
}

TEST(PngCodec, ReadsInterlacedFiles) {
    // Sizes that leave some of the seven passes partly or wholly empty.
    for (auto [w, h] : {std::pair{13, 11}, std::pair{1, 9}, std::pair{3, 1}}) {
        Image source = patternImage(w, h);
        std::vector<std::vector<uint8_t>> rows;
        for (int y = 0; y < h; ++y)
            rows.emplace_back(source.data() + size_t(y) * w * 4, source.data() + size_t(y + 1) * w * 4);
        PngLayout layout = pngLayout(w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8);
        layout.interlaced = true;
        Image decoded;
        Status status = decodePng(writeLibpngFile(layout, rows), decoded);
        ASSERT_TRUE(status) << status.message();
        EXPECT_EQ(decoded, source) << w << " x " << h;
    }
}

TEST(PngCodec, ReadsTheStoredSamplesOfEveryKindWhateverGammaTheFileDeclares) {
    // Every colour type at every depth, plain and interlaced (13 x 11 leaves
    // passes partly filled), with and without tRNS, declaring linear and
    // typical gamma: samples come out as stored, 16 bits rounded to 8.
    struct Kind {
        int colorType, bitDepth, channels;
    };
    const Kind kinds[] = {
        {PNG_COLOR_TYPE_GRAY, 1, 1},       {PNG_COLOR_TYPE_GRAY, 2, 1},       {PNG_COLOR_TYPE_GRAY, 4, 1},
        {PNG_COLOR_TYPE_GRAY, 8, 1},       {PNG_COLOR_TYPE_GRAY, 16, 1},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16, 2}, {PNG_COLOR_TYPE_PALETTE, 1, 1},   {PNG_COLOR_TYPE_PALETTE, 2, 1},
        {PNG_COLOR_TYPE_PALETTE, 4, 1},    {PNG_COLOR_TYPE_PALETTE, 8, 1},    {PNG_COLOR_TYPE_RGB, 8, 3},
        {PNG_COLOR_TYPE_RGB, 16, 3},       {PNG_COLOR_TYPE_RGB_ALPHA, 8, 4},  {PNG_COLOR_TYPE_RGB_ALPHA, 16, 4},
    };
    const int width = 13, height = 11;
    std::mt19937 random(2024);
    for (const Kind& kind : kinds)
        for (bool interlaced : {false, true})
            for (double gamma : {1.0, 0.45})
                for (bool withTrns : {false, true}) {
                    const bool palette = kind.colorType == PNG_COLOR_TYPE_PALETTE;
                    if (withTrns && (kind.colorType & PNG_COLOR_MASK_ALPHA)) continue;
                    std::string name = "type " + std::to_string(kind.colorType) + " depth " +
                                       std::to_string(kind.bitDepth) + (interlaced ? " interlaced" : "") +
                                       " gamma " + std::to_string(gamma).substr(0, 4) + (withTrns ? " trns" : "");
                    SCOPED_TRACE(name);
                    const unsigned maxSample = (1u << kind.bitDepth) - 1;
                    auto toEight = [&](unsigned v) {
                        return uint8_t(kind.bitDepth == 16 ? (v * 255 + 32767) / 65535 : v * 255 / maxSample);
                    };
                    PngLayout layout = pngLayout(width, height, kind.colorType, kind.bitDepth);
                    layout.interlaced = interlaced;
                    layout.gamma = gamma;
                    if (palette)
                        for (unsigned i = 0; i <= maxSample; ++i)
                            layout.palette.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});

                    std::vector<std::vector<unsigned>> samples(height);
                    for (auto& row : samples)
                        for (int i = 0; i < width * kind.channels; ++i) row.push_back(random() & maxSample);
                    // The second pixel differs from the first in its last sample
                    // only, so a tRNS naming the first must leave it opaque.
                    for (int c = 0; c < kind.channels; ++c) samples[0][kind.channels + c] = samples[0][c];
                    samples[0][2 * kind.channels - 1] ^= 1;
                    if (withTrns && palette) {
                        for (unsigned i = 0; i <= maxSample / 2; ++i) layout.paletteAlpha.push_back(uint8_t(random()));
                    } else if (withTrns) {
                        layout.transparent.assign(samples[0].begin(), samples[0].begin() + kind.channels);
                        samples[5] = samples[0];  // a whole row of the transparent colour
                    }

                    Image expected(width, height);
                    for (int y = 0; y < height; ++y)
                        for (int x = 0; x < width; ++x) {
                            const unsigned* s = samples[y].data() + x * kind.channels;
                            Rgba p;
                            if (palette) {
                                png_color entry = layout.palette[s[0]];
                                uint8_t alpha = s[0] < layout.paletteAlpha.size() ? layout.paletteAlpha[s[0]] : 255;
                                p = {entry.red, entry.green, entry.blue, alpha};
                            } else if (kind.channels <= 2) {
                                p = {toEight(s[0]), toEight(s[0]), toEight(s[0]),
                                     kind.channels == 2 ? toEight(s[1]) : uint8_t(255)};
                            } else {
                                p = {toEight(s[0]), toEight(s[1]), toEight(s[2]),
                                     kind.channels == 4 ? toEight(s[3]) : uint8_t(255)};
                            }
                            if (!layout.transparent.empty() &&
                                std::equal(layout.transparent.begin(), layout.transparent.end(), s))
                                p.a = 0;
                            expected.setPixel(x, y, p);
                        }

                    std::vector<std::vector<uint8_t>> rows;
                    for (const auto& row : samples) rows.push_back(packSamples(row, kind.bitDepth));
                    std::string file = writeLibpngFile(layout, rows);
                    keepAsFuzzSeed("png", name, file);
                    Image decoded;
                    Status status = decodePng(file, decoded);
                    ASSERT_TRUE(status) << status.message();
                    ASSERT_EQ(decoded, expected) << firstDifference(decoded, expected);
                }
}

TEST(PngCodec, RefusesDeclaredSizesBeyondTheLimitsOrTheData) {
    std::string file = encodedPattern(4, 4);
    Image out;
    {
        SCOPED_TRACE("wider than the side limit");
        Status status = decodeIntoUsed(decodePng, withPngSize(file, kMaxImageSide + 1, 4), out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("too large"), std::string::npos) << status.message();
    }
    {
        SCOPED_TRACE("sides within the limit, pixels beyond it");
        Status status = decodeIntoUsed(decodePng, withPngSize(file, kMaxImageSide, kMaxImageSide), out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("too large"), std::string::npos) << status.message();
    }
    {
        SCOPED_TRACE("allowed size that a file this short cannot hold");
        Status status = decodeIntoUsed(decodePng, withPngSize(file, 8000, 8000), out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("Truncated"), std::string::npos) << status.message();
    }
    {
        SCOPED_TRACE("zero width");
        expectCleanFailure(decodeIntoUsed(decodePng, withPngSize(file, 0, 4), out), out);
    }
    {
        SCOPED_TRACE("size larger than the pixel data, within the short-file allowance");
        expectCleanFailure(decodeIntoUsed(decodePng, withPngSize(file, 4, 40), out), out);
    }
}

TEST(PngCodec, RefusesDamagedPixelData) {
    std::string file = encodedPattern(8, 8);
    size_t idat = file.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    file[idat + 8] = char(file[idat + 8] ^ 0x55);  // its CRC no longer matches
    Image out;
    expectCleanFailure(decodeIntoUsed(decodePng, file, out), out);
}

// ============================================================================ JPEG

TEST(JpegCodec, ReadsColoursCloselyWithOpaqueAlpha) {
    for (int flags : {0, TJFLAG_PROGRESSIVE}) {
        SCOPED_TRACE(flags ? "progressive" : "baseline");
        Image image;
        Status status = decodeJpeg(quadrantJpeg(flags), image);
        ASSERT_TRUE(status) << status.message();
        ASSERT_EQ(image.width(), 32);
        ASSERT_EQ(image.height(), 32);
        expectNear(image.pixel(7, 7), {220, 20, 20, 255}, 6);
        expectNear(image.pixel(24, 7), {20, 200, 40, 255}, 6);
        expectNear(image.pixel(7, 24), {30, 40, 210, 255}, 6);
        expectNear(image.pixel(24, 24), {250, 250, 250, 255}, 6);
        for (size_t i = 3; i < image.byteSize(); i += 4) ASSERT_EQ(image.data()[i], 255) << i;
    }
}

TEST(JpegCodec, ReadsSubsampledImagesOfOddSize) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 17 * 9; ++i) rgb.insert(rgb.end(), {90, 140, 190});
    Image image;
    Status status = decodeJpeg(compressJpeg(rgb, 17, 9, TJPF_RGB, TJSAMP_420), image);
    ASSERT_TRUE(status) << status.message();
    ASSERT_EQ(image.width(), 17);
    ASSERT_EQ(image.height(), 9);
    expectNear(image.pixel(16, 8), {90, 140, 190, 255}, 4);
}

TEST(JpegCodec, ReadsGreyImagesAsEqualChannels) {
    std::vector<uint8_t> grey;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) grey.push_back(uint8_t(x < 8 ? 30 : 200));
    Image image;
    Status status = decodeJpeg(compressJpeg(grey, 16, 16, TJPF_GRAY, TJSAMP_GRAY), image);
    ASSERT_TRUE(status) << status.message();
    for (auto [x, v] : {std::pair{2, 30}, std::pair{13, 200}}) {
        Rgba p = image.pixel(x, 5);
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
        expectNear(p, {uint8_t(v), uint8_t(v), uint8_t(v), 255}, 4);
    }
}

TEST(JpegCodec, RefusesCmykImagesClearly) {
    std::vector<uint8_t> cmyk(8 * 8 * 4, 60);
    std::string file = compressJpeg(cmyk, 8, 8, TJPF_CMYK, TJSAMP_444);
    Image out;
    Status status = decodeIntoUsed(decodeJpeg, file, out);
    expectCleanFailure(status, out);
    EXPECT_NE(status.message().find("CMYK"), std::string::npos) << status.message();
}

TEST(JpegCodec, RefusesDeclaredSizesBeyondTheLimits) {
    std::string file = quadrantJpeg();
    size_t at = jpegSizeOffset(file);
    ASSERT_NE(at, 0u);
    for (auto [w, h] : {std::pair{20000, 16}, std::pair{16000, 16000}}) {
        std::string patched = file;
        patched[at] = char(h >> 8);
        patched[at + 1] = char(h & 0xFF);
        patched[at + 2] = char(w >> 8);
        patched[at + 3] = char(w & 0xFF);
        Image out;
        Status status = decodeIntoUsed(decodeJpeg, patched, out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("too large"), std::string::npos) << status.message();
    }
}

TEST(JpegCodec, RefusesFilesCutInTheMiddleOfThePixels) {
    // libjpeg fills a missing end with grey and only warns; that must not pass
    // for a whole picture.
    std::string file = quadrantJpeg();
    size_t at = jpegSizeOffset(file);
    size_t scan = file.find("\xFF\xDA", at);
    ASSERT_NE(scan, std::string::npos);
    Image out;
    Status status = decodeIntoUsed(decodeJpeg, file.substr(0, (scan + file.size()) / 2), out);
    expectCleanFailure(status, out);
    EXPECT_NE(status.message().find("Truncated"), std::string::npos) << status.message();
}

TEST(JpegCodec, KeepsFilesWithStrayBytesButNotWhenTheyAreAlsoCut) {
    // Stray bytes between segments only draw a warning from libjpeg and are
    // common in files from cameras; the picture is whole.
    std::string clean = quadrantJpeg();
    size_t scan = clean.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    std::string stray = clean.substr(0, scan) + "\x12\x34" + clean.substr(scan);
    Image expected, decoded;
    ASSERT_TRUE(decodeJpeg(clean, expected));
    Status status = decodeJpeg(stray, decoded);
    ASSERT_TRUE(status) << status.message();
    EXPECT_EQ(decoded, expected);

    // libjpeg reports only the first warning, so the cut must be found anyway.
    for (size_t cut : {scan + 20, (scan + stray.size()) / 2, stray.size() - 3, stray.size() - 1}) {
        Image out;
        status = decodeIntoUsed(decodeJpeg, std::string_view(stray).substr(0, cut), out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("Truncated"), std::string::npos) << cut << ": " << status.message();
    }
}

TEST(JpegCodec, RefusesWholeFilesWithDamagedPixelData) {
    Image out;
    {
        SCOPED_TRACE("scan stops early, end marker present");
        std::string file = quadrantJpeg();
        size_t scan = file.find("\xFF\xDA");
        ASSERT_NE(scan, std::string::npos);
        std::string damaged = file.substr(0, (scan + file.size()) / 2) + "\xFF\xD9";
        expectCleanFailure(decodeIntoUsed(decodeJpeg, damaged, out), out);
    }
    {
        // TurboJPEG reports a fatal error that follows a warning as a warning.
        SCOPED_TRACE("stray bytes, then a broken table in a later scan");
        std::string file = quadrantJpeg(TJFLAG_PROGRESSIVE);
        size_t firstScan = file.find("\xFF\xDA");
        size_t laterTable = file.find("\xFF\xC4", firstScan);
        ASSERT_NE(laterTable, std::string::npos);
        for (size_t i = laterTable + 5; i < laterTable + 21; ++i) file[i] = char(0xFF);  // over 256 codes
        std::string damaged = file.substr(0, firstScan) + "\x12\x34" + file.substr(firstScan);
        Status status = decodeIntoUsed(decodeJpeg, damaged, out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find("Damaged"), std::string::npos) << status.message();
    }
}

// ============================================================================ BMP

TEST(BmpCodec, Reads24BitRowsInBothOrdersSkippingRowPadding) {
    // 3 pixels of 3 bytes leave 3 bytes of padding per row; 4 pixels leave none.
    for (int width : {3, 4, 5}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(width) + (topDown ? " top-down" : " bottom-up"));
            Image source = patternImage(width, 3, false);
            BmpLayout layout;
            layout.topDown = topDown;
            Image decoded;
            Status status = decodeBmp(makeBmp(source, layout), decoded);
            ASSERT_TRUE(status) << status.message();
            EXPECT_EQ(decoded, source);
        }
    }
}

TEST(BmpCodec, Reads32BitAlphaAndTreatsAllZeroAlphaAsOpaque) {
    Image withAlpha = patternImage(5, 4);
    Image zeroAlpha = withAlpha;
    for (size_t i = 3; i < zeroAlpha.byteSize(); i += 4) zeroAlpha.data()[i] = 0;

    BmpLayout plain;
    plain.bitsPerPixel = 32;
    BmpLayout topDown = plain;
    topDown.topDown = true;
    BmpLayout v5 = plain;  // 124-byte header declaring an alpha mask
    v5.headerSize = 124;
    v5.compression = 3;
    BmpLayout masks = plain;  // 40-byte header, masks after it, no alpha mask
    masks.compression = 3;

    for (auto [name, layout] : {std::pair{"plain", plain}, std::pair{"top-down", topDown}, std::pair{"v5", v5}}) {
        SCOPED_TRACE(name);
        Image decoded;
        Status status = decodeBmp(makeBmp(withAlpha, layout), decoded);
        ASSERT_TRUE(status) << status.message();
        EXPECT_EQ(decoded, withAlpha);
        status = decodeBmp(makeBmp(zeroAlpha, layout), decoded);
        ASSERT_TRUE(status) << status.message();
        EXPECT_EQ(decoded, opaque(withAlpha));
    }
    Image decoded;
    Status status = decodeBmp(makeBmp(withAlpha, masks), decoded);
    ASSERT_TRUE(status) << status.message();
    EXPECT_EQ(decoded, opaque(withAlpha)) << "masks without an alpha mask mean an opaque picture";
}

TEST(BmpCodec, ReadsRowsThatStartAfterAGapOrEndWithoutPadding) {
    Image source = patternImage(3, 3, false);
    BmpLayout gap;
    gap.gap = 10;
    BmpLayout shortEnd;
    shortEnd.dropLastPadding = true;
    for (auto [name, layout] : {std::pair{"gap", gap}, std::pair{"short end", shortEnd}}) {
        SCOPED_TRACE(name);
        Image decoded;
        Status status = decodeBmp(makeBmp(source, layout), decoded);
        ASSERT_TRUE(status) << status.message();
        EXPECT_EQ(decoded, source);
    }
}

TEST(BmpCodec, ReadsTheShortCoreHeader) {
    // 12-byte header with 16-bit sizes; 2 pixels of 3 bytes, padded to 8 per row.
    std::string file = "BM";
    appendU32(file, 26 + 16);
    appendU32(file, 0);
    appendU32(file, 26);
    appendU32(file, 12);
    appendU16(file, 2);
    appendU16(file, 2);
    appendU16(file, 1);
    appendU16(file, 24);
    file += std::string("\x01\x02\x03\x04\x05\x06\xEE\xEE", 8);  // bottom row, blue first
    file += std::string("\x0A\x0B\x0C\x0D\x0E\x0F\xEE\xEE", 8);  // top row
    Image image;
    Status status = decodeBmp(file, image);
    ASSERT_TRUE(status) << status.message();
    ASSERT_EQ(image.width(), 2);
    ASSERT_EQ(image.height(), 2);
    EXPECT_EQ(image.pixel(0, 0), (Rgba{0x0C, 0x0B, 0x0A, 255}));
    EXPECT_EQ(image.pixel(1, 0), (Rgba{0x0F, 0x0E, 0x0D, 255}));
    EXPECT_EQ(image.pixel(0, 1), (Rgba{0x03, 0x02, 0x01, 255}));
    EXPECT_EQ(image.pixel(1, 1), (Rgba{0x06, 0x05, 0x04, 255}));
}

TEST(BmpCodec, ReadsEveryCommonKindLikeTheSamePictureWrittenWith32Bits) {
    // Among them the 56-byte header, whose masks lie inside it: nothing follows.
    BmpLayout twinLayout;
    twinLayout.bitsPerPixel = 32;
    for (const BmpKind& kind : bmpKinds()) {
        SCOPED_TRACE(kind.name);
        BmpPicture picture = bmpPicture(kind);
        std::string file = writeBmp(kind, picture);
        keepAsFuzzSeed("bmp", kind.name, file);
        Image decoded, twin;
        Status status = decodeBmp(file, decoded);
        ASSERT_TRUE(status) << status.message();
        ASSERT_TRUE(decodeBmp(makeBmp(picture.expected, twinLayout), twin));
        EXPECT_EQ(decoded, twin) << firstDifference(decoded, twin);
    }
}

TEST(BmpCodec, ReadsEveryKindItSharesWithAnIndependentDecoderAsThatDecoderDoes) {
    // The writer above and the reader could share one misreading of the format;
    // Debian's Python imaging library, installed with the build dependencies,
    // settles it. It scales 5- and 6-bit fields down where we round, so those
    // may differ by one.
    TempFolder temp;
    std::vector<std::pair<BmpKind, std::string>> files;
    for (const BmpKind& kind : bmpKinds()) {
        if (!kind.independentDecoderReadsIt) continue;
        files.emplace_back(kind, writeBmp(kind, bmpPicture(kind)));
        writeTestFile(temp.path() / (std::to_string(files.size()) + ".bmp"), files.back().second);
    }
    writeTestFile(temp.path() / "decode.py",
                  "import pathlib, sys\n"
                  "from PIL import Image\n"
                  "for path in pathlib.Path(sys.argv[1]).glob('*.bmp'):\n"
                  "    with Image.open(path) as image:\n"
                  "        path.with_suffix('.rgba').write_bytes(image.convert('RGBA').tobytes())\n");
    std::string command =
        "/usr/bin/python3 '" + (temp.path() / "decode.py").string() + "' '" + temp.path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (size_t i = 0; i < files.size(); ++i) {
        const auto& [kind, file] = files[i];
        SCOPED_TRACE(kind.name);
        Image decoded;
        ASSERT_TRUE(decodeBmp(file, decoded));
        std::string reference;
        reference = readTestFile(temp.path() / (std::to_string(i + 1) + ".rgba"));
        ASSERT_EQ(reference.size(), decoded.byteSize());
        const int tolerance = kind.bits == 16 ? 1 : 0;
        for (size_t b = 0; b < reference.size(); ++b) {
            int difference = int(decoded.data()[b]) - int(uint8_t(reference[b]));
            ASSERT_TRUE(difference >= 0 && difference <= tolerance)
                << "byte " << b << ": " << int(decoded.data()[b]) << " against " << int(uint8_t(reference[b]));
        }
    }
}

TEST(BmpCodec, RefusesOtherKindsAsUnsupportedAndBrokenFilesAsDamaged) {
    const std::string plain = makeBmp(patternImage(4, 2, false), {});
    BmpKind eightBits{.name = "8 bits", .bits = 8, .paletteEntries = 4};
    const std::string indexed = writeBmp(eightBits, bmpPicture(eightBits));
    BmpKind rle{.name = "RLE8", .bits = 8, .compression = 1, .paletteEntries = 20};
    const std::string compressed = writeBmp(rle, bmpPicture(rle));
    struct Edit {
        size_t at;
        int size;  // of the field: 2 or 4 bytes
        uint32_t value;
    };
    struct Case {
        const char* name;
        std::string file;
        std::vector<Edit> edits;
        const char* message;  // how the message starts
    };
    const Case cases[] = {
        {"a JPEG inside", plain, {{30, 4, 4}, {28, 2, 0}}, "Unsupported BMP image: the file holds a JPEG picture"},
        {"a PNG inside", plain, {{30, 4, 5}, {28, 2, 0}}, "Unsupported BMP image: the file holds a PNG picture"},
        {"64 bits", plain, {{28, 2, 64}}, "Unsupported BMP image: 64 bits per pixel"},
        {"OS/2 version 2 header", plain, {{14, 4, 64}}, "Unsupported BMP image: unknown header of 64 bytes"},
        {"unknown compression", plain, {{30, 4, 6}}, "Unsupported BMP image: compression method 6"},
        {"7 bits", plain, {{28, 2, 7}}, "Damaged BMP image: 7 bits per pixel"},
        {"RLE8 on 24 bits", plain, {{30, 4, 1}}, "Damaged BMP image: compression method 1 with 24 bits"},
        {"masks on 8 bits", indexed, {{30, 4, 3}}, "Damaged BMP image: compression method 3 with 8 bits"},
        {"no colour table", indexed, {{10, 4, 54}}, "Damaged BMP image: the colour table is missing"},
        {"RLE far too short for its size", compressed, {{18, 4, 8000}, {22, 4, 8000}},
         "Truncated BMP image: the file is far too short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = c.file;
        for (const Edit& edit : c.edits) {
            if (edit.size == 2) putU16(file, edit.at, edit.value);
            else putU32(file, edit.at, edit.value);
        }
        Image out;
        Status status = decodeIntoUsed(decodeBmp, file, out);
        expectCleanFailure(status, out);
        EXPECT_TRUE(status.message().starts_with(c.message)) << status.message();
    }
}

TEST(BmpCodec, RefusesSizesBeyondTheLimitsOrTheData) {
    std::string file = makeBmp(patternImage(4, 4, false), {});
    struct Case {
        const char* name;
        int32_t width, height;
        const char* word;
    };
    const Case cases[] = {
        {"too wide", kMaxImageSide + 1, 1, "too large"},
        {"too many pixels", kMaxImageSide, kMaxImageSide, "too large"},
        {"most negative height", 4, INT32_MIN, "too large"},
        {"zero width", 0, 4, "size"},
        {"negative width", -4, 4, "size"},
        {"zero height", 4, 0, "size"},
        {"more rows than the file holds", 1000, 1000, "Truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string patched = file;
        putU32(patched, 18, uint32_t(c.width));
        putU32(patched, 22, uint32_t(c.height));
        Image out;
        Status status = decodeIntoUsed(decodeBmp, patched, out);
        expectCleanFailure(status, out);
        EXPECT_NE(status.message().find(c.word), std::string::npos) << status.message();
    }
    std::string farOffset = file;
    putU32(farOffset, 10, 0xFFFFFFF0u);
    Image out;
    expectCleanFailure(decodeIntoUsed(decodeBmp, farOffset, out), out);
}

// ============================================================================ every format

struct Sample {
    const char* name;
    std::string file;
    Decoder decoder;
};

std::vector<Sample> validSamples() {
    BmpLayout bmp32;
    bmp32.bitsPerPixel = 32;
    std::vector<std::vector<uint8_t>> rows;
    Image interlacedSource = patternImage(9, 9);
    for (int y = 0; y < 9; ++y)
        rows.emplace_back(interlacedSource.data() + y * 36, interlacedSource.data() + (y + 1) * 36);
    PngLayout interlaced = pngLayout(9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8);
    interlaced.interlaced = true;
    std::vector<Sample> samples{
        {"png", encodedPattern(9, 7), decodePng},
        {"interlaced png", writeLibpngFile(interlaced, rows), decodePng},
        {"jpeg", quadrantJpeg(), decodeJpeg},
        {"progressive jpeg", quadrantJpeg(TJFLAG_PROGRESSIVE), decodeJpeg},
        {"bmp 24", makeBmp(patternImage(5, 3, false), {}), decodeBmp},
        {"bmp 32", makeBmp(patternImage(5, 3), bmp32), decodeBmp},
    };
    for (const BmpKind& kind : bmpKinds())
        if (kind.name == std::string_view("4 bits") || kind.name == std::string_view("16 bits 565 masks") ||
            kind.name == std::string_view("RLE8") || kind.name == std::string_view("RLE4"))
            samples.push_back({kind.name, writeBmp(kind, bmpPicture(kind)), decodeBmp});
    return samples;
}

TEST(ImageCodecs, TruncatedFilesFailCleanlyOrDecodeTheWholePicture) {
    for (const Sample& sample : validSamples()) {
        SCOPED_TRACE(sample.name);
        Image whole;
        Status status = decodeImage(sample.file, whole);
        ASSERT_TRUE(status) << status.message();
        int failures = 0;
        for (size_t cut = 0; cut < sample.file.size(); ++cut) {
            std::string_view part = std::string_view(sample.file).substr(0, cut);
            for (Decoder decode : {sample.decoder, decodeImage}) {
                Image out;
                Status result = decodeIntoUsed(decode, part, out);
                if (result) {
                    // Only the very end may be missing (PNG's closing chunk).
                    EXPECT_EQ(out, whole) << "cut at " << cut << " decoded a different picture";
                    EXPECT_GT(cut, sample.file.size() - 16) << "cut at " << cut;
                } else {
                    ++failures;
                    EXPECT_TRUE(out.empty()) << "cut at " << cut;
                    EXPECT_FALSE(result.message().empty());
                }
            }
        }
        EXPECT_GT(failures, 0);
    }
}

TEST(ImageCodecs, DamagedBytesNeverCrashAndFailuresLeaveNoImage) {
    std::mt19937 random(12345);
    for (const Sample& sample : validSamples()) {
        SCOPED_TRACE(sample.name);
        for (int round = 0; round < 300; ++round) {
            std::string file = sample.file;
            int flips = 1 + int(random() % 4);
            for (int i = 0; i < flips; ++i) {
                // Keep the signature so the chosen decoder gets past it.
                size_t at = 3 + random() % (file.size() - 3);
                file[at] = char(random());
            }
            Image out;
            Status status = decodeIntoUsed(decodeImage, file, out);
            if (status) {
                EXPECT_FALSE(out.empty());
                EXPECT_EQ(out.byteSize(), size_t(out.width()) * out.height() * 4);
            } else {
                EXPECT_TRUE(out.empty());
            }
        }
    }
}

TEST(ImageCodecs, GarbageAndEmptyInputFailClearly) {
    std::mt19937 random(777);
    const std::string prefixes[] = {"", "\x89PNG\r\n\x1a\n", "\xFF\xD8\xFF", "BM"};
    for (const std::string& prefix : prefixes) {
        for (size_t length : {0u, 1u, 10u, 60u, 500u}) {
            std::string file = prefix;
            for (size_t i = 0; i < length; ++i) file += char(random());
            for (Decoder decode : {decodePng, decodeJpeg, decodeBmp, decodeImage}) {
                Image out;
                expectCleanFailure(decodeIntoUsed(decode, file, out), out);
            }
        }
    }
    Image out;
    Status status = decodeIntoUsed(decodeImage, "", out);
    expectCleanFailure(status, out);
    status = decodeIntoUsed(decodeImage, "GIF89a\x01\x00\x01\x00", out);
    expectCleanFailure(status, out);
    EXPECT_EQ(status.message(), "Unknown image format (not PNG, JPEG or BMP)");
}

TEST(ImageCodecs, DecodeImageChoosesTheDecoderFromTheSignature) {
    Image fromPng, fromJpeg, fromBmp;
    ASSERT_TRUE(decodeImage(encodedPattern(6, 2), fromPng));
    EXPECT_EQ(fromPng, patternImage(6, 2));
    ASSERT_TRUE(decodeImage(quadrantJpeg(), fromJpeg));
    EXPECT_EQ(fromJpeg.width(), 32);
    ASSERT_TRUE(decodeImage(makeBmp(patternImage(2, 2, false), {}), fromBmp));
    EXPECT_EQ(fromBmp, patternImage(2, 2, false));
}

class ImageFilesTest : public testing::Test {
protected:
    TempFolder temp_;
    const fs::path& folder_ = temp_.path();
};

TEST_F(ImageFilesTest, SavedPngLoadsBackUnchanged) {
    Image source = patternImage(11, 6);
    fs::path file = folder_ / "sprite.png";
    ASSERT_TRUE(savePng(source, file));
    Image loaded;
    Status status = loadImage(file, loaded);
    ASSERT_TRUE(status) << status.message();
    EXPECT_EQ(loaded, source);
    // Saving again replaces the file.
    ASSERT_TRUE(savePng(patternImage(2, 2), file));
    ASSERT_TRUE(loadImage(file, loaded));
    EXPECT_EQ(loaded, patternImage(2, 2));
}

TEST_F(ImageFilesTest, LoadFailuresNameTheFile) {
    Image out;
    Status missing = loadImage(folder_ / "missing.png", out);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("missing.png"), std::string::npos) << missing.message();

    fs::path broken = folder_ / "broken.bmp";
    writeTestFile(broken, "BM this is not a bitmap");
    out = patternImage(2, 2);
    Status status = loadImage(broken, out);
    expectCleanFailure(status, out);
    EXPECT_NE(status.message().find("broken.bmp"), std::string::npos) << status.message();
    EXPECT_NE(status.message().find("BMP"), std::string::npos) << status.message();
}

TEST_F(ImageFilesTest, SaveFailuresAreReportedAndWriteNothing) {
    fs::path file = folder_ / "empty.png";
    EXPECT_FALSE(savePng(Image{}, file));
    EXPECT_FALSE(fs::exists(file));
    Status status = savePng(patternImage(2, 2), folder_ / "no-such-folder" / "a.png");
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.message().empty());
}

// ============================================================================ Image

TEST(ImageBasics, CopyIntoClipsAtEveryEdge) {
    const Rgba background{9, 9, 9, 9};
    Image src = patternImage(3, 4);
    const std::pair<int, int> offsets[] = {{0, 0},  {1, 1},  {-1, -2}, {-2, 0}, {4, 3},  {3, 1},
                                           {2, 4},  {5, 0},  {0, 5},   {-3, 0}, {0, -4}, {-10, -10},
                                           {-1, -1}};
    for (auto [ox, oy] : offsets) {
        SCOPED_TRACE(std::to_string(ox) + ", " + std::to_string(oy));
        Image dst(5, 5);
        dst.fill(background);
        copyInto(dst, src, ox, oy);
        // And XORed on the way with a mask of its own for each row but the second.
        std::vector<std::vector<uint8_t>> masks(5);
        std::vector<const uint8_t*> rows(5, nullptr);
        for (int y = 0; y < 5; ++y) {
            for (int k = 0; k < 20; ++k) masks[size_t(y)].push_back(uint8_t(y * 40 + k * 3 + 1));
            if (y != 1) rows[size_t(y)] = masks[size_t(y)].data();
        }
        Image xored(5, 5);
        xored.fill(background);
        copyInto(xored, src, ox, oy, rows.data());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                Rgba expected = src.contains(x - ox, y - oy) ? src.pixel(x - ox, y - oy) : background;
                ASSERT_EQ(dst.pixel(x, y), expected) << "at " << x << ", " << y;
                if (src.contains(x - ox, y - oy) && rows[size_t(y)]) {
                    const uint8_t* m = rows[size_t(y)] + x * 4;
                    expected = {uint8_t(expected.r ^ m[0]), uint8_t(expected.g ^ m[1]), uint8_t(expected.b ^ m[2]),
                                uint8_t(expected.a ^ m[3])};
                }
                ASSERT_EQ(xored.pixel(x, y), expected) << "XORed at " << x << ", " << y;
            }
    }
}

TEST(ImageBasics, CopyIntoFromALargerSourceFillsTheWholeTarget) {
    Image src = patternImage(8, 8);
    Image dst(3, 2);
    copyInto(dst, src, -2, -5);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.pixel(x, y), src.pixel(x + 2, y + 5));
}

TEST(ImageBasics, SizesAndOutOfRangeAccess) {
    EXPECT_TRUE(Image(0, 5).empty());
    EXPECT_TRUE(Image(-3, 4).empty());
    EXPECT_EQ(Image(-3, 4).byteSize(), 0u);
    Image image(2, 3);
    EXPECT_EQ(image.byteSize(), 24u);
    EXPECT_EQ(image.pixel(1, 2), Rgba{});  // new images are transparent
    image.setPixel(2, 0, {1, 2, 3, 4});    // outside: ignored
    image.setPixel(-1, 0, {1, 2, 3, 4});
    image.setPixel(0, 3, {1, 2, 3, 4});
    EXPECT_EQ(image, Image(2, 3));
    EXPECT_EQ(image.pixel(5, 5), Rgba{});
}

} // namespace
} // namespace pondaro
