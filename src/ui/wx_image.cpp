#include "ui/wx_image.h"

#include <cstdlib>
#include <cstring>

#include <wx/rawbmp.h>

#include "image/pixel_planes.h"

namespace pondaro::ui {

namespace {

// `keepAlpha` false: an opaque picture goes without its alpha plane, which spares the
// blending when it is drawn.
wxImage converted(const Image& image, bool keepAlpha) {
    if (image.empty()) return wxImage();
    const int w = image.width(), h = image.height();
    const size_t pixels = size_t(w) * size_t(h);
    // wxImage takes ownership of malloc'ed buffers.
    auto* rgb = static_cast<unsigned char*>(std::malloc(pixels * 3));
    auto* alpha = static_cast<unsigned char*>(std::malloc(pixels));
    if (!rgb || !alpha) {
        std::free(rgb);
        std::free(alpha);
        return wxImage();
    }
    const bool opaque = splitRgbAlpha(image, rgb, alpha);
    wxImage out(w, h, rgb, false);
    if (opaque && !keepAlpha) {
        std::free(alpha);
        return out;
    }
    out.SetAlpha(alpha, false);
    return out;
}

} // namespace

// A wxImage keeps its alpha plane: scaling or padding it must not turn into black.
wxImage toWxImage(const Image& image) { return converted(image, true); }

void toBitmap(const Image& image, wxBitmap& reuse) {
    if (image.empty()) {
        reuse = wxBitmap();
        return;
    }
    const int w = image.width(), h = image.height();
    if (!reuse.IsOk() || reuse.GetWidth() != w || reuse.GetHeight() != h || reuse.GetDepth() != 32) {
        reuse = wxBitmap(w, h, 32);
        reuse.UseAlpha();
    }
    wxAlphaPixelData pixels(reuse);
    if (!pixels) {
        // The desktop keeps no pixels that can be written to: the slower way.
        reuse = toBitmap(image);
        return;
    }
    // The desktop's 32-bit bitmaps hold straight RGBA, as Image does.
    wxAlphaPixelData::Iterator row(pixels);
    const size_t rowBytes = size_t(w) * 4;
    for (int y = 0; y < h; ++y) {
        std::memcpy(&row.Red(), image.data() + size_t(y) * rowBytes, rowBytes);
        row.OffsetY(pixels, 1);
    }
}

void fillOpaqueBitmap(Size size, const std::function<void(const RgbRows&)>& fill, wxBitmap& reuse) {
    const int w = size.width, h = size.height;
    if (w <= 0 || h <= 0) {
        reuse = wxBitmap();
        return;
    }
    if (!reuse.IsOk() || reuse.GetWidth() != w || reuse.GetHeight() != h || reuse.GetDepth() != 24)
        reuse = wxBitmap(w, h, 24);
    {
        // The desktop's opaque bitmaps hold red, green and blue bytes, rows padded.
        using Format = wxNativePixelData::Iterator::PixelFormat;
        constexpr bool rgbBytes = Format::SizePixel == 3 && Format::RED == 0 && Format::GREEN == 1 && Format::BLUE == 2;
        wxNativePixelData pixels(reuse);
        if (rgbBytes && pixels && pixels.GetRowStride() >= w * 3) {
            wxNativePixelData::Iterator first(pixels);
            fill(RgbRows{&first.Red(), w, h, size_t(pixels.GetRowStride())});
            return;
        }
    }
    // No rows of that form to write to: the slower way, through a picture of colour rows.
    auto* rgb = static_cast<unsigned char*>(std::malloc(size_t(w) * size_t(h) * 3));
    if (!rgb) {
        reuse = wxBitmap();
        return;
    }
    fill(RgbRows{rgb, w, h, size_t(w) * 3});
    reuse = wxBitmap(wxImage(w, h, rgb, false), 24);
}

wxBitmap toBitmap(const Image& image) {
    wxImage img = converted(image, false);
    return img.IsOk() ? wxBitmap(img, 32) : wxBitmap();
}

} // namespace pondaro::ui
