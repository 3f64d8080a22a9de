// PNG through libpng's simplified API, which converts every colour type, bit
// depth and interlacing to 8-bit RGBA and reports errors without longjmp
// reaching our code.
#include <cstring>
#include <new>

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

Status decodePng(std::string_view bytes, Image& out) {
    out = Image{};
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
        return Status::failure("Not a PNG image");
    try {
        PngImage png;
        if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()))
            return Status::failure(std::string("Damaged PNG image (") + png.image.message + ")");
        Status size = checkImageSize(png.image.width, png.image.height, "PNG");
        if (!size) return size;
        if ((unsigned long long)png.image.width * png.image.height >
            kMaxPixelsPerByte * bytes.size() + kPixelSlack) {
            return Status::failure("Truncated PNG image: the file is far too short for " +
                                   std::to_string(png.image.width) + " x " +
                                   std::to_string(png.image.height) + " pixels");
        }
        png.image.format = PNG_FORMAT_RGBA;
        // Without this flag libpng takes 16-bit samples as linear light and
        // brightens them on conversion; drawing programs store them as sRGB.
        png.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
        Image decoded(int(png.image.width), int(png.image.height));
        if (!png_image_finish_read(&png.image, nullptr, decoded.data(), 0, nullptr))
            return Status::failure(std::string("Damaged PNG image (") + png.image.message + ")");
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
