// PNG reading through libpng's full API, so that every picture comes out with
// the sample values its file stores: no gamma or colour-space conversion,
// whatever gAMA, cHRM, sRGB or iCCP say. A person who picks a palette colour
// or keys one out must find it unchanged after Open, and Save writes no such
// chunk, so a conversion on reading would become permanent.
// Writing goes through the simplified API as 8-bit RGBA.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <png.h>

#include "image/codecs.h"

namespace pondaro {

namespace {

// Deflate cannot expand data more than 1032 times, and a PNG pixel takes at
// least one bit, so a file of n bytes holds at most about 8256 n pixels. A larger
// declared size means the data is missing; refusing it here avoids allocating
// a picture that the file could never fill.
constexpr unsigned long long kMaxPixelsPerByte = 1032ull * 8;
constexpr unsigned long long kPixelSlack = 1ull << 16;

// libpng reports errors by longjmp, so everything it may jump over is plain
// data: the reader below is made before the jump target, and the functions that
// set one construct nothing with a destructor after it.
struct PngReader {
    std::string_view bytes;
    size_t position = 0;
    bool ranOut = false;
    char message[160] = "unreadable data";
    png_structp png = nullptr;
    png_infop info = nullptr;

    explicit PngReader(std::string_view b) : bytes(b) {}
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
};

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
    std::snprintf(reader->message, sizeof reader->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep data, size_t length) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (reader->bytes.size() - reader->position < length) {
        reader->ranOut = true;
        png_error(png, "the file ends before the picture does");
    }
    std::memcpy(data, reader->bytes.data() + reader->position, length);
    reader->position += length;
}

bool readHeader(PngReader& reader) {
    if (setjmp(png_jmpbuf(reader.png))) return false;
    png_read_info(reader.png, reader.info);
    return true;
}

uint8_t reduce16(const uint8_t* sample) {
    unsigned value = unsigned(sample[0]) << 8 | sample[1];
    return uint8_t((value * 255 + 32767) / 65535);
}

// Reads every row as RGBA at the file's own depth, one row at a time, and puts
// each pixel where its interlace pass says. Interlaced rows are placed here
// rather than by libpng so that no picture-sized buffer at 16 bits is needed.
bool readPixels(PngReader& reader, bool sixteenBit, bool interlaced, uint8_t* row, Image& out) {
    if (setjmp(png_jmpbuf(reader.png))) return false;
    png_structp png = reader.png;
    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFFFF, PNG_FILLER_AFTER);  // only where no alpha came
    png_read_update_info(png, reader.info);
    const size_t sampleBytes = sixteenBit ? 2 : 1;
    if (png_get_channels(png, reader.info) != 4 || png_get_bit_depth(png, reader.info) != 8 * sampleBytes ||
        png_get_rowbytes(png, reader.info) != size_t(out.width()) * 4 * sampleBytes)
        png_error(png, "unexpected row layout");

    const int passes = interlaced ? 7 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        png_uint_32 columns = interlaced ? PNG_PASS_COLS(png_uint_32(out.width()), pass) : png_uint_32(out.width());
        png_uint_32 rows = interlaced ? PNG_PASS_ROWS(png_uint_32(out.height()), pass) : png_uint_32(out.height());
        if (columns == 0 || rows == 0) continue;  // libpng skips empty passes too
        const size_t firstColumn = interlaced ? PNG_PASS_START_COL(pass) : 0;
        const size_t columnStep = interlaced ? size_t(1) << PNG_PASS_COL_SHIFT(pass) : 1;
        const size_t firstRow = interlaced ? PNG_PASS_START_ROW(pass) : 0;
        const size_t rowStep = interlaced ? size_t(1) << PNG_PASS_ROW_SHIFT(pass) : 1;
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(png, row, nullptr);
            uint8_t* target = out.data() + ((firstRow + r * rowStep) * size_t(out.width()) + firstColumn) * 4;
            const size_t targetStep = columnStep * 4;
            if (sixteenBit) {
                for (png_uint_32 c = 0; c < columns; ++c, target += targetStep)
                    for (int channel = 0; channel < 4; ++channel)
                        target[channel] = reduce16(row + (size_t(c) * 4 + channel) * 2);
            } else {
                for (png_uint_32 c = 0; c < columns; ++c, target += targetStep)
                    std::memcpy(target, row + size_t(c) * 4, 4);
            }
        }
    }
    // Checks the rest of the pixel data and the chunks up to the end.
    png_read_end(png, nullptr);
    return true;
}

Status readFailure(const PngReader& reader) {
    if (reader.ranOut) return Status::failure(std::string("Truncated PNG image (") + reader.message + ")");
    return Status::failure(std::string("Damaged PNG image (") + reader.message + ")");
}

struct PngImage {
    png_image image;
    PngImage() {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

} // namespace

Status decodePng(std::string_view bytes, Image& out, const SizeCheck& check) {
    out = Image{};
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
        return Status::failure("Not a PNG image");
    try {
        PngReader reader(bytes);
        reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, onError, onWarning);
        if (reader.png) reader.info = png_create_info_struct(reader.png);
        if (!reader.png || !reader.info) return Status::failure("Cannot start the PNG decoder");
        png_set_read_fn(reader.png, &reader, readFromMemory);
        if (!readHeader(reader)) return readFailure(reader);

        const png_uint_32 width = png_get_image_width(reader.png, reader.info);
        const png_uint_32 height = png_get_image_height(reader.png, reader.info);
        Status size = checkImageSize(width, height, "PNG");
        if (!size) return size;
        if (check) {
            if (Status allowed = check(int(width), int(height)); !allowed) return allowed;
        }
        if ((unsigned long long)width * height > kMaxPixelsPerByte * bytes.size() + kPixelSlack) {
            return Status::failure("Truncated PNG image: the file is far too short for " + std::to_string(width) +
                                   " x " + std::to_string(height) + " pixels");
        }
        const bool sixteenBit = png_get_bit_depth(reader.png, reader.info) == 16;
        const bool interlaced = png_get_interlace_type(reader.png, reader.info) == PNG_INTERLACE_ADAM7;
        Image decoded(static_cast<int>(width), static_cast<int>(height));
        std::vector<uint8_t> row(size_t(width) * 4 * (sixteenBit ? 2 : 1));
        if (!readPixels(reader, sixteenBit, interlaced, row.data(), decoded)) return readFailure(reader);
        out = std::move(decoded);
        return Status::success();
    } catch (const std::bad_alloc&) {
        out = Image{};
        return Status::failure("Not enough memory to read the PNG image");
    }
}

Status encodePng(const Image& image, std::string& bytes) {
    bytes.clear();
    if (image.empty()) return Status::failure("Cannot write an empty image as PNG");
    try {
        PngImage png;
        png.image.width = png_uint_32(image.width());
        png.image.height = png_uint_32(image.height());
        png.image.format = PNG_FORMAT_RGBA;
        std::string encoded(PNG_IMAGE_PNG_SIZE_MAX(png.image), '\0');
        png_alloc_size_t size = encoded.size();
        if (!png_image_write_to_memory(&png.image, encoded.data(), &size, 0, image.data(), 0, nullptr))
            return Status::failure(std::string("Cannot write PNG image (") + png.image.message + ")");
        encoded.resize(size);
        bytes = std::move(encoded);
        return Status::success();
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return Status::failure("Not enough memory to write the PNG image");
    }
}

} // namespace pondaro
