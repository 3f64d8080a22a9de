#pragma once
// The fonts and pictures the windows use, made once at start-up: the desktop theme's
// stock icons where one fits, the studio's own drawings (core artwork) for the rest.
#include <map>

#include <wx/bitmap.h>
#include <wx/font.h>

#include "app/main_menu.h"
#include "app/resource_panel.h"
#include "image/artwork.h"

namespace pondaro::ui {

struct StudioArt {
    // Fonts: name labels and the filter field ("heading"), list and text areas of the
    // small windows ("small"), and every other gadget.
    wxFont headingFont;
    wxFont smallFont;
    wxFont gadgetFont;

    // 16 x 16 icons of the toolbar and the menus, by command, and of the resource
    // menus' entries, by action: every entry has one.
    std::map<Command, wxBitmap> commandIcons;
    std::map<PanelAction, wxBitmap> actionIcons;
    wxBitmap sortIcons[3];  // reset order, ascending, descending

    // The panel's fixed cards, as core drew them, and as bitmaps.
    PanelPictures cards;
    wxBitmap noImage, object, scene, sound, music, font, function, addTile;
    wxBitmap headerStrip;

    // The Game tab's four pictures (grounds with their icons; the window sets the words).
    wxBitmap gameButtons[4];

    wxBitmap splash;       // 800 x 600
    wxBitmap about;        // 500 x 350
    wxBitmap placeholder;  // 240 x 240

    static StudioArt load();

    // The fixed card of a kind's page (sounds, musics, fonts, functions), or nullptr.
    const wxBitmap* kindCard(PanelCategory c) const;
};

// A font of the face when the desktop has it, else the desktop's sans-serif family.
wxFont studioFont(const char* face, int points, bool bold = false);

} // namespace pondaro::ui
