#include "ui/widget_looks.h"

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace pondaro::ui {

namespace {

#ifdef __WXGTK__
// A function of the GTK library the program already runs on, or nullptr.
template <class Function>
Function* gtkFunction(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, name));
}
#endif

constexpr int kInnerMargin = 6;

} // namespace

void showMenuPictures(wxMenu& menu) {
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (wxMenu* sub = item->GetSubMenu()) showMenuPictures(*sub);
#ifdef __WXGTK__
        // wx makes an item with a picture a GtkImageMenuItem; others must not be asked.
        if (item->IsSeparator() || !item->GetBitmap().IsOk() || !item->GetMenuItem()) continue;
        using AlwaysShow = void(GtkWidget*, int);
        static AlwaysShow* const alwaysShow = gtkFunction<AlwaysShow>("gtk_image_menu_item_set_always_show_image");
        if (alwaysShow) alwaysShow(item->GetMenuItem(), 1);
#endif
    }
}

void showMenuPictures(wxMenuBar& bar) {
    for (size_t i = 0; i < bar.GetMenuCount(); ++i) showMenuPictures(*bar.GetMenu(i));
}

void giveInnerMargin(wxTextCtrl& text) {
#ifdef __WXGTK__
    // A multi-line text control is a GtkTextView inside a scrolled window; the view is
    // the widget that receives the input.
    if (!text.IsMultiLine()) return;
    GtkWidget* view = text.GetConnectWidget();
    if (!view) return;
    using SetMargin = void(GtkWidget*, int);
    for (const char* name : {"gtk_text_view_set_left_margin", "gtk_text_view_set_right_margin",
                             "gtk_text_view_set_top_margin", "gtk_text_view_set_bottom_margin"})
        if (auto* set = gtkFunction<SetMargin>(name)) set(view, kInnerMargin);
#else
    text.SetMargins(kInnerMargin, kInnerMargin);
#endif
}

} // namespace pondaro::ui
