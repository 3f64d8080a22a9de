#include "code/ui/code_icons.h"

#include <algorithm>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "image/draw.h"
#include "image/fit.h"
#include "ui/wx_image.h"

namespace pondaro::ui {

namespace {

struct EventLook {
    const char* type;
    unsigned char r, g, b;
    const char* letter;
};

constexpr EventLook kLooks[] = {
    {"Creation", 60, 160, 60, "C"},   {"Destroy", 200, 50, 50, "D"},   {"Step", 60, 110, 200, "S"},
    {"End step", 40, 70, 150, "E"},   {"Collision", 220, 140, 20, "X"}, {"Room start", 120, 80, 180, "R"},
    {"Room end", 90, 50, 140, "r"},   {"Animation end", 0, 150, 150, "A"}, {"Draw", 200, 80, 150, "P"},
};

wxBitmap badge(const wxColour& fill, const wxString& letter) {
    wxBitmap bmp(kIconSize, kIconSize, 24);
    wxMemoryDC dc(bmp);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetBrush(wxBrush(fill));
    dc.SetPen(wxPen(fill.ChangeLightness(60)));
    dc.DrawRoundedRectangle(0, 0, kIconSize, kIconSize, 3);
    dc.SetFont(wxFontInfo(8).Bold().Family(wxFONTFAMILY_SWISS));
    dc.SetTextForeground(*wxWHITE);
    const wxSize t = dc.GetTextExtent(letter);
    dc.DrawText(letter, (kIconSize - t.x) / 2, (kIconSize - t.y) / 2);
    dc.SelectObject(wxNullBitmap);
    return bmp;
}

} // namespace

wxBitmap eventTypeIcon(const std::string& eventType) {
    for (const EventLook& l : kLooks)
        if (eventType == l.type) return badge(wxColour(l.r, l.g, l.b), l.letter);
    return badge(wxColour(128, 128, 128), "?");
}

wxBitmap iconFromImage(const Image& image, int size) {
    if (image.empty()) return wxBitmap();
    // On the checkerboard, as every picture preview: a white sprite stays visible.
    return toBitmap(onCheckerboard(fitInto(image, {size, size})));
}

wxBitmap objectIcon(const Project& project, const std::string& objectName) {
    const GameObject* o = project.objects.get(objectName);
    if (o && !o->sprite.empty())
        if (const Image* first = project.firstFrameImage(o->sprite)) {
            wxBitmap b = iconFromImage(*first, kIconSize);
            if (b.IsOk()) return b;
        }
    return badge(wxColour(150, 150, 150), "O");
}

} // namespace pondaro::ui
