#pragma once
// The small pictures of the event code editor's boxes: one per event type, and an
// object's icon from the first frame of its sprite (a default icon when it has none).
#include <string>
#include <wx/bitmap.h>

#include "project/model.h"

namespace pondaro::ui {

inline constexpr int kIconSize = 16;

wxBitmap eventTypeIcon(const std::string& eventType);
wxBitmap objectIcon(const Project& project, const std::string& objectName);
// A picture of the model as a wx bitmap, scaled to fit a square of `size` and shown on
// the checkerboard.
wxBitmap iconFromImage(const Image& image, int size);

} // namespace pondaro::ui
