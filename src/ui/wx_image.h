#pragma once
// Pictures cross from core to the windows here only: an Image (straight RGBA) becomes
// a wxImage with an alpha channel or a wxBitmap.
#include <functional>

#include <wx/bitmap.h>
#include <wx/image.h>

#include "base/geometry.h"
#include "image/image.h"
#include "image/pixel_planes.h"

namespace pondaro::ui {

wxImage toWxImage(const Image& image);
wxBitmap toBitmap(const Image& image);
// The same into a bitmap kept from an earlier call: one of the same size takes the
// pixels as they are, row by row, with no new bitmap made (a view drawn many times a
// second). `reuse` is made anew when its size differs.
void toBitmap(const Image& image, wxBitmap& reuse);
// An opaque picture drawn by `fill` straight into the colour rows of a bitmap with no
// alpha: the one kept from an earlier call when it has the same size, else a new one.
// No picture in between, no alpha to blend when it is drawn.
void fillOpaqueBitmap(Size size, const std::function<void(const RgbRows&)>& fill, wxBitmap& reuse);

} // namespace pondaro::ui
