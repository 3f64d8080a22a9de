#include "image/codecs.h"

#include "base/files.h"

namespace pondaro {

namespace {

bool startsWith(std::string_view bytes, std::string_view signature) {
    return bytes.size() >= signature.size() && bytes.substr(0, signature.size()) == signature;
}

} // namespace

Status checkImageSize(long long width, long long height, std::string_view format) {
    std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        return Status::failure("Damaged " + std::string(format) + " image: invalid size " + size);
    if (width > kMaxImageSide || height > kMaxImageSide ||
        (unsigned long long)width * (unsigned long long)height * 4 > kMaxImagePixelBytes) {
        return Status::failure(std::string(format) + " image too large: " + size + " pixels (at most " +
                               std::to_string(kMaxImageSide) + " a side and " +
                               std::to_string(kMaxImagePixelBytes >> 20) + " MiB of pixels)");
    }
    return Status::success();
}

Status decodeImage(std::string_view bytes, Image& out, const SizeCheck& check) {
    out = Image{};
    if (bytes.empty()) return Status::failure("Empty image file");
    if (startsWith(bytes, "\x89PNG")) return decodePng(bytes, out, check);
    if (startsWith(bytes, "\xFF\xD8\xFF")) return decodeJpeg(bytes, out, check);
    if (startsWith(bytes, "BM")) return decodeBmp(bytes, out, check);
    return Status::failure("Unknown image format (not PNG, JPEG or BMP)");
}

Status loadImage(const std::filesystem::path& path, Image& out, Links links) {
    out = Image{};
    std::string bytes;
    if (Status read = readFile(path, bytes, kPictureFileLimit, links); !read) return read;
    Status decoded = decodeImage(bytes, out);
    if (!decoded) return Status::failure("Cannot read image '" + path.string() + "': " + decoded.message());
    return decoded;
}

Status savePng(const Image& image, const std::filesystem::path& path, WriteMode mode) {
    std::string bytes;
    Status encoded = encodePng(image, bytes);
    if (!encoded) return Status::failure("Cannot save image '" + path.string() + "': " + encoded.message());
    return writeFileAtomic(path, bytes, mode);
}

} // namespace pondaro
