#pragma once
// The programs' own icon (desktop/icons/, drawn by scripts/make-icons.sh), built into the
// programs so that their windows carry it wherever they run from, the build folder too.
#include <cstddef>
#include <span>

#include <wx/iconbndl.h>

namespace pondaro::ui {

// One size of the icon as its PNG file holds it.
struct EmbeddedPng {
    int size;
    const unsigned char* bytes;
    std::size_t length;
};

// The icon's PNG files, smallest first, as the build read them from desktop/icons/.
std::span<const EmbeddedPng> programIconPngs();

// Every size of the icon, for a top-level window's title bar and the task switcher.
wxIconBundle programIcons();

} // namespace pondaro::ui
