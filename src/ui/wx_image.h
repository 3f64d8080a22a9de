#pragma once
// Pictures cross from core to the windows here only: an Image (straight RGBA) becomes
// a wxImage with an alpha channel or a wxBitmap.
#include <wx/bitmap.h>
#include <wx/image.h>

#include "image/image.h"

namespace pondaro::ui {

wxImage toWxImage(const Image& image);
wxBitmap toBitmap(const Image& image);
// The same into a bitmap kept from an earlier call: one of the same size takes the
// pixels as they are, row by row, with no new bitmap made (a view drawn many times a
// second). `reuse` is made anew when its size differs.
void toBitmap(const Image& image, wxBitmap& reuse);

} // namespace pondaro::ui
