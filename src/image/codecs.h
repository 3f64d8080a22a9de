#pragma once
// Reading and writing image files. A corrupt or truncated file gives a failure
// with a clear message, never a crash; the output image is then left empty.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/files.h"
#include "base/status.h"
#include "image/image.h"

namespace pondaro {

// The largest picture a decoder accepts: at most kMaxImageSide pixels a side and
// at most kMaxImagePixelBytes of RGBA pixels. Decoders check the size a file
// declares before allocating anything, so a few bytes claiming a giant picture
// are refused instead of exhausting memory.
inline constexpr int kMaxImageSide = 16384;
inline constexpr size_t kMaxImagePixelBytes = size_t(256) << 20;
// Fails with a message naming the format when a declared size is not a
// picture the decoders accept (not positive, or beyond the limits above).
Status checkImageSize(long long width, long long height, std::string_view format);

// What a picture file may hold at most.
inline constexpr FileLimit kPictureFileLimit{"a picture", 256LL << 20};

// Called with a picture's size once its header is read and before any of its pixels is
// allocated; a failure it returns ends the decoding with that failure (a caller keeping
// several pictures within a budget of memory refuses the one that would exceed it).
using SizeCheck = std::function<Status(int width, int height)>;

// Decoders of bytes already in memory. Images without alpha read as alpha 255.
// Colours come out as the file stores them: PNG's gamma and colour-space chunks
// change nothing, 16-bit samples and colour fields of other widths are rounded
// to the nearest 8-bit level. The one colour that a grey or RGB PNG names in
// its tRNS chunk reads as alpha 0.
// A refused file's message tells a damaged or truncated file ("Damaged ...",
// "Truncated ...") from a valid kind that is not read ("Unsupported ...": a BMP
// holding a JPEG or PNG, 64-bit BMP, CMYK JPEG) and from a picture beyond the
// limits above ("... too large").
Status decodePng(std::string_view bytes, Image& out, const SizeCheck& check = {});
Status decodeJpeg(std::string_view bytes, Image& out, const SizeCheck& check = {});
Status decodeBmp(std::string_view bytes, Image& out, const SizeCheck& check = {});
// Chooses the decoder from the file's signature (PNG, JPEG or BMP).
Status decodeImage(std::string_view bytes, Image& out, const SizeCheck& check = {});

// Reads an image file of any of the three formats (at most kPictureFileLimit). A file of
// the program's folders is read only when it is a file there; one the user chose in a
// file dialog may be reached through a link.
Status loadImage(const std::filesystem::path& path, Image& out, Links links = Links::Refused);

// Encodes as 8-bit RGBA PNG.
Status encodePng(const Image& image, std::string& bytes);
// Writes a PNG file atomically.
Status savePng(const Image& image, const std::filesystem::path& path, WriteMode mode = WriteMode::Durable);

} // namespace pondaro
