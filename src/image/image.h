#pragma once
// A picture in memory: 8-bit RGBA with straight (not premultiplied) alpha, rows top
// to bottom. A new image is fully transparent. An image of size 0 x 0 is "no image".
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace pondaro {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// A colour as one number, red + green x 256 + blue x 65536 (the colour chooser's form).
constexpr int colourNumber(Rgba c) { return c.r + c.g * 256 + c.b * 65536; }
constexpr Rgba colourOfNumber(int number, uint8_t alpha) {
    return {uint8_t(number & 0xff), uint8_t((number >> 8) & 0xff), uint8_t((number >> 16) & 0xff), alpha};
}

class Image {
public:
    Image() = default;
    Image(int width, int height);
    // An image whose pixels are left as memory held them: for a renderer that writes
    // every pixel before anyone reads one, and need not clear them first.
    static Image unfilled(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    Rgba pixel(int x, int y) const;
    void setPixel(int x, int y, Rgba c);
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void fill(Rgba c);

    // Raw bytes, 4 per pixel, row after row.
    uint8_t* data() { return pixels_.data(); }
    const uint8_t* data() const { return pixels_.data(); }
    size_t byteSize() const { return pixels_.size(); }

    friend bool operator==(const Image&, const Image&) = default;

private:
    // Storage that a vector does not clear when it grows; Image clears it itself, except
    // in unfilled().
    template <class T>
    struct Uncleared : std::allocator<T> {
        Uncleared() = default;
        template <class U>
        Uncleared(const Uncleared<U>&) noexcept {}
        template <class U>
        struct rebind {
            using other = Uncleared<U>;
        };
        template <class U>
        void construct(U* p) noexcept {
            ::new (static_cast<void*>(p)) U;
        }
        template <class U, class... Args>
        void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t, Uncleared<uint8_t>> pixels_;
};

// Copies src into dst with src's top-left corner at (x, y), replacing dst's pixels
// (alpha included) where they overlap; parts outside dst are clipped.
void copyInto(Image& dst, const Image& src, int x, int y);
// The same, with each byte copied into row r of dst XORed on the way with the byte at
// its place in xorRows[r] (dst.width() * 4 bytes from dst's left edge; nullptr copies
// the row as it is; xorRows holds dst.height() entries): lines drawn by XOR over a copy
// then cost no second pass over it.
void copyInto(Image& dst, const Image& src, int x, int y, const uint8_t* const* xorRows);

} // namespace pondaro
