#include "app/ui/studio_art.h"

#include <wx/artprov.h>
#include <wx/fontenum.h>

#include "ui/wx_image.h"

namespace pondaro::ui {

namespace {

// The theme's icon at 16 x 16, or the studio's own drawing when the theme has none.
wxBitmap stockOr(const wxArtID& id, Icon fallback) {
    wxBitmap b = wxArtProvider::GetBitmap(id, wxART_MENU, wxSize(16, 16));
    if (b.IsOk()) {
        if (b.GetWidth() != 16 || b.GetHeight() != 16)
            b = wxBitmap(b.ConvertToImage().Rescale(16, 16, wxIMAGE_QUALITY_HIGH));
        return b;
    }
    return toBitmap(drawIcon(fallback, 16));
}

wxBitmap own(Icon icon) { return toBitmap(drawIcon(icon, 16)); }

} // namespace

wxFont studioFont(const char* face, int points, bool bold) {
    wxFontInfo info(points);
    if (wxFontEnumerator::IsValidFacename(face)) info.FaceName(face);
    else info.Family(wxFONTFAMILY_SWISS);
    if (bold) info.Bold();
    return wxFont(info);
}

StudioArt StudioArt::load() {
    StudioArt a;
    a.headingFont = studioFont("Arial", 9, true);
    a.smallFont = studioFont("Arial", 9);
    a.gadgetFont = studioFont("Arial Narrow", 10);

    using C = Command;
    a.commandIcons[C::New] = stockOr(wxART_NEW, Icon::Document);
    a.commandIcons[C::Open] = stockOr(wxART_FILE_OPEN, Icon::Folder);
    a.commandIcons[C::Merge] = own(Icon::Merge);
    a.commandIcons[C::Save] = stockOr(wxART_FILE_SAVE, Icon::Disk);
    a.commandIcons[C::SaveAs] = stockOr(wxART_FILE_SAVE_AS, Icon::Disk);
    a.commandIcons[C::RunGame] = own(Icon::Run);
    a.commandIcons[C::Preferences] = own(Icon::Preferences);
    a.commandIcons[C::Exit] = stockOr(wxART_QUIT, Icon::Exit);
    a.commandIcons[C::AddSprite] = own(Icon::Sprite);
    a.commandIcons[C::AddSound] = own(Icon::Sound);
    a.commandIcons[C::AddMusic] = own(Icon::Music);
    a.commandIcons[C::AddBackground] = own(Icon::Background);
    a.commandIcons[C::AddFont] = own(Icon::Font);
    a.commandIcons[C::AddObject] = own(Icon::Object);
    a.commandIcons[C::AddScene] = own(Icon::Scene);
    a.commandIcons[C::AddFunction] = own(Icon::Function);
    a.commandIcons[C::Help] = stockOr(wxART_HELP, Icon::Help);
    a.commandIcons[C::About] = stockOr(wxART_INFORMATION, Icon::About);
    a.commandIcons[C::CheckVersion] = own(Icon::VersionCheck);

    using A = PanelAction;
    a.actionIcons[A::Edit] = stockOr(wxART_EDIT, Icon::EditFrame);
    a.actionIcons[A::Duplicate] = stockOr(wxART_COPY, Icon::DuplicateFrame);
    a.actionIcons[A::Delete] = stockOr(wxART_DELETE, Icon::DeleteFrame);
    a.actionIcons[A::MoveBackward] = stockOr(wxART_GO_BACK, Icon::FrameLeft);
    a.actionIcons[A::MoveForward] = stockOr(wxART_GO_FORWARD, Icon::FrameRight);

    a.sortIcons[0] = own(Icon::ResetOrder);
    a.sortIcons[1] = own(Icon::SortAscending);
    a.sortIcons[2] = own(Icon::SortDescending);

    a.cards = PanelPictures::draw();
    a.noImage = toBitmap(a.cards.noImage);
    a.object = toBitmap(a.cards.object);
    a.scene = toBitmap(a.cards.scene);
    a.sound = toBitmap(a.cards.sound);
    a.music = toBitmap(a.cards.music);
    a.font = toBitmap(a.cards.font);
    a.function = toBitmap(a.cards.function);
    a.addTile = toBitmap(a.cards.addTile);
    a.headerStrip = toBitmap(headerStripArt(2880, kHeaderHeight));

    const Icon gameIcons[4] = {Icon::Variables, Icon::Function, Icon::Comments, Icon::Extensions};
    for (int i = 0; i < 4; ++i) a.gameButtons[i] = toBitmap(gameButtonArt(gameIcons[i], 275, 38));

    a.splash = toBitmap(splashArt(800, 600));
    a.about = toBitmap(aboutArt(500, 350));
    a.placeholder = toBitmap(placeholderArt(240, 240));
    return a;
}

const wxBitmap* StudioArt::kindCard(PanelCategory c) const {
    switch (c) {
    case PanelCategory::Sounds: return &sound;
    case PanelCategory::Musics: return &music;
    case PanelCategory::Fonts: return &font;
    case PanelCategory::Functions: return &function;
    default: return nullptr;
    }
}

} // namespace pondaro::ui
