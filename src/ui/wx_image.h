#pragma once
// Pictures cross from core to the windows here only: an Image (straight RGBA) becomes
// a wxImage with an alpha channel or a wxBitmap.
#include <wx/bitmap.h>
#include <wx/image.h>

#include "image/image.h"

namespace pondaro::ui {

wxImage toWxImage(const Image& image);
wxBitmap toBitmap(const Image& image);

} // namespace pondaro::ui
