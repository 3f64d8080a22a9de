#include "resources/ui/object_window.h"

#include <memory>
#include <optional>
#include <vector>

#include <wx/bmpcbox.h>
#include <wx/checkbox.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/weakref.h>

#include "code/code_window_rules.h"
#include "code/editor_scheme.h"
#include "code/ui/code_fonts.h"
#include "code/ui/code_icons.h"
#include "code/ui/code_windows.h"
#include "image/artwork.h"
#include "project/removal.h"
#include "resources/object_window.h"
#include "resources/sprite_icons.h"
#include "ui/form_layout.h"
#include "ui/picture_box.h"
#include "ui/studio_window.h"
#include "ui/widget_looks.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

std::string windowKey(const std::string& objectTemplate) { return "object:" + objectTemplate; }

constexpr size_t kNoTemplate = Table<GameObject>::npos;

// The sprites' icons of every object window's boxes, made once while the program runs
// and kept until a sprite's first frame changes. Never freed: bitmaps must not outlive
// the toolkit, which is gone before static objects are destroyed.
SpriteIcons<wxBitmap>& spriteIcons() {
    static auto* icons = new SpriteIcons<wxBitmap>(kIconSize, [](const Image& square) { return toBitmap(square); });
    return *icons;
}

// A transparent icon for the rows without a picture, so every row of a box lines up.
const wxBitmap& noIcon() {
    static auto* blank = new wxBitmap(toBitmap(Image(kIconSize, kIconSize)));
    return *blank;
}

// The event list: rows are fetched when drawn, so ten thousand handlers cost nothing
// until they are seen. Each row is a handler's index in the scripts table.
class EventList : public wxListCtrl {
public:
    EventList(wxWindow* parent, const Project& project)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxSize(190, 200),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES, wxDefaultValidator, "events"),
          project_(project) {
        AppendColumn("Event", wxLIST_FORMAT_LEFT, 110);
        AppendColumn("Parameter", wxLIST_FORMAT_LEFT, 80);
        icons_ = std::make_unique<wxImageList>(kIconSize, kIconSize, false);
        for (const std::string& type : eventTypes()) icons_->Add(eventTypeIcon(type));
        icons_->Add(eventTypeIcon(""));  // a type this program does not know
        SetImageList(icons_.get(), wxIMAGE_LIST_SMALL);
    }

    void fill(std::string objectTemplate, std::vector<size_t> rows) {
        objectTemplate_ = std::move(objectTemplate);
        rows_ = std::move(rows);
        SetItemCount(long(rows_.size()));
        Refresh();
    }

    // The handler (its index in the scripts table) of a row, or nothing for no row.
    std::optional<size_t> handlerAt(long row) const {
        if (row < 0 || size_t(row) >= rows_.size()) return std::nullopt;
        return rows_[size_t(row)];
    }
    long rowOf(size_t script) const {
        for (size_t r = 0; r < rows_.size(); ++r)
            if (rows_[r] == script) return long(r);
        return -1;
    }
    long selectedRow() const { return GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }

protected:
    wxString OnGetItemText(long row, long column) const override {
        const Script* s = handler(row);
        if (!s) return "";
        return toWx(column == 0 ? s->event : s->parameter);
    }
    int OnGetItemImage(long row) const override {
        const Script* s = handler(row);
        if (!s) return -1;
        const std::vector<std::string>& types = eventTypes();
        for (size_t t = 0; t < types.size(); ++t)
            if (types[t] == s->event) return int(t);
        return int(types.size());
    }

private:
    const Script* handler(long row) const {
        const auto script = handlerAt(row);
        return script ? eventRowHandler(project_, objectTemplate_, *script) : nullptr;
    }

    const Project& project_;
    std::string objectTemplate_;
    std::vector<size_t> rows_;
    std::unique_ptr<wxImageList> icons_;
};

// Fills an image combo box with rows and their sprites' icons, showing `shown`.
void fillBox(wxBitmapComboBox* box, const std::vector<BoxRow>& rows, const std::string& shown) {
    box->Freeze();
    box->Clear();
    SpriteIcons<wxBitmap>& icons = spriteIcons();
    int selected = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const wxBitmap* icon = rows[r].sprite.empty() ? nullptr : icons.icon(rows[r].sprite);
        box->Append(toWx(rows[r].text), icon ? *icon : noIcon());
        if (rows[r].text == shown) selected = int(r);
    }
    box->SetSelection(selected);
    box->Thaw();
}

wxBitmapComboBox* imageBox(wxWindow* parent, const wxString& name) {
    return new wxBitmapComboBox(parent, wxID_ANY, "", wxDefaultPosition, wxSize(180, -1), 0, nullptr, wxCB_READONLY,
                                wxDefaultValidator, name);
}

class ObjectWindow : public StudioWindow {
public:
    ObjectWindow(Studio& studio, wxWindow* mainWindow, const std::string& objectTemplate,
                 std::function<void()> rebuildPanel)
        : StudioWindow(studio, mainWindow, toWx(objectWindowTitle(objectTemplate)), windowKey(objectTemplate),
                       WindowLock::None),
          template_(objectTemplate), rebuildPanel_(std::move(rebuildPanel)) {
        whenClosed(rebuildPanel_);
        const ObjectFields fields = objectFieldsOf(studio.project.objects[index()]);
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");

        // The left column: the template's own fields.
        const int captions = captionColumnWidth(panel, {"Name", "Sprite", "Depth", "Parent"}, 45);
        auto* left = new wxBoxSizer(wxVERTICAL);
        name_ = formField(panel, toWx(fields.name), 180, "name");
        left->Add(captionedRow(panel, "Name", captions, name_), 0, wxEXPAND | wxBOTTOM, 10);
        sprite_ = imageBox(panel, "sprite");
        left->Add(captionedRow(panel, "Sprite", captions, sprite_), 0, wxEXPAND | wxBOTTOM, 5);
        preview_ = new PictureBox(panel, wxDefaultPosition, wxSize(kSpritePreviewSide, kSpritePreviewSide));
        preview_->SetName("preview");
        preview_->SetMinSize(wxSize(kSpritePreviewSide, kSpritePreviewSide));
        left->Add(preview_, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM, 5);
        size_ = new wxStaticText(panel, wxID_ANY, "Size: <no sprite>", wxDefaultPosition, wxDefaultSize,
                                 wxST_NO_AUTORESIZE | wxALIGN_CENTER_HORIZONTAL, "size");
        left->Add(size_, 0, wxEXPAND | wxBOTTOM, 10);
        visible_ = new wxCheckBox(panel, wxID_ANY, "Visible", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                                  "visible");
        visible_->SetValue(fields.visible);
        left->Add(visible_, 0, wxBOTTOM, 5);
        depth_ = formField(panel, toWx(fields.depth), 80, "depth");
        left->Add(captionedRow(panel, "Depth", captions, depth_), 0, wxEXPAND | wxBOTTOM, 5);
        collision_ = new wxCheckBox(panel, wxID_ANY, "Collision check", wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "collision");
        collision_->SetValue(fields.collision);
        left->Add(collision_, 0, wxBOTTOM, 5);
        parent_ = imageBox(panel, "parent");
        left->Add(captionedRow(panel, "Parent", captions, parent_), 0, wxEXPAND);

        // The middle column: the handlers.
        auto* middle = new wxBoxSizer(wxVERTICAL);
        auto* adding = new wxBoxSizer(wxHORIZONTAL);
        auto* add = formButton(panel, "Add event >>>", wxSize(100, 25), "add-event");
        eventType_ = new wxBitmapComboBox(panel, wxID_ANY, "", wxDefaultPosition, wxSize(160, -1), 0, nullptr,
                                          wxCB_READONLY, wxDefaultValidator, "event-type");
        for (const std::string& type : eventTypes()) eventType_->Append(toWx(type), eventTypeIcon(type));
        eventType_->SetSelection(0);
        adding->Add(add, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
        adding->Add(eventType_, 1, wxALIGN_CENTER_VERTICAL);
        middle->Add(adding, 0, wxEXPAND | wxBOTTOM, 5);
        events_ = new EventList(panel, studio.project);
        middle->Add(events_, 1, wxEXPAND);

        // The right column: the chosen handler's code, read only.
        auto* right = new wxBoxSizer(wxVERTICAL);
        right->Add(new wxStaticText(panel, wxID_ANY, "Code preview of selected event"), 0, wxBOTTOM, 5);
        code_ = new wxTextCtrl(panel, wxID_ANY, "", wxDefaultPosition, wxSize(250, 200),
                               wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP, wxDefaultValidator, "code-preview");
        giveInnerMargin(*code_);
        const EditorScheme scheme = studioScheme(studio.prefs);
        code_->SetFont(namedFont(scheme.fontFamily, usableFontSize(scheme.fontSize), false, wxFONTFAMILY_TELETYPE));
        code_->SetBackgroundColour(wxColour(240, 240, 240));
        right->Add(code_, 1, wxEXPAND);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(left, 0, wxALL, 10);
        columns->Add(middle, 1, wxEXPAND | wxTOP | wxBOTTOM, 10);
        columns->Add(right, 1, wxEXPAND | wxALL, 10);

        // The bottom row.
        const RecordButtons buttons = recordButtonRow(panel, toWx(fields.keywords));
        auto* remove = buttons.remove;
        keywords_ = buttons.keywords;
        auto* done = buttons.done;
        layOutAboveButtonRow(this, panel, columns, buttons, wxSize(800, 600));

        fillBoxes(spriteBoxRows(studio.project, fields.sprite), fields.sprite,
                  parentBoxRows(studio.project, template_, fields.parent), fields.parent);
        fillEvents();

        sprite_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { showSprite(); });
        add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { addEvent(); });
        events_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { showCode(); });
        events_->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent&) { showCode(); });
        events_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) {
            if (auto script = events_->handlerAt(e.GetIndex())) editEvent(*script);
        });
        events_->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this](wxListEvent& e) { eventMenu(e.GetIndex()); });
        remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (deleteRecord(studio_.project, studio_.dialogs, ResourceKind::Object, template_)) finish();
        });
        done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            if (commit()) finish();
        });
        changed_ = studio.resourcesChanged.subscribe([this] { refill(); });
        CentreOnScreen();
        Show();
    }

    // The pre-save commit: the fields are applied, the window stays open.
    void commitBeforeSave() override { commit(); }

    // The handler's row is chosen and its code shown (after it was edited or added).
    void selectHandler(size_t script) {
        const long row = events_->rowOf(script);
        if (row >= 0) {
            events_->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                  wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            events_->EnsureVisible(row);
        }
        showCode();
    }

private:
    size_t index() const { return templateIndex(studio_.project, template_); }

    ObjectFields fieldsShown() const {
        return {fromWx(name_->GetValue()),         fromWx(sprite_->GetStringSelection()),
                visible_->GetValue(),              fromWx(depth_->GetValue()),
                collision_->GetValue(),            fromWx(parent_->GetStringSelection()),
                fromWx(keywords_->GetValue())};
    }

    // The sprite and parent boxes, showing the given choices.
    void fillBoxes(const std::vector<BoxRow>& sprites, const std::string& sprite, const std::vector<BoxRow>& parents,
                   const std::string& parent) {
        spriteIcons().refresh(studio_.project);
        fillBox(sprite_, sprites, sprite);
        fillBox(parent_, parents, parent);
        showSprite();
    }

    void showSprite() {
        const std::string sprite = fromWx(sprite_->GetStringSelection());
        preview_->setPicture(toBitmap(objectSpritePreview(studio_.project, sprite)), false);
        size_->SetLabel(toWx(objectSpriteSizeText(studio_.project, sprite)));
    }

    void fillEvents() { events_->fill(template_, eventListRows(studio_.project, template_)); }

    void showCode() {
        const auto script = events_->handlerAt(events_->selectedRow());
        const Script* s = script ? eventRowHandler(studio_.project, template_, *script) : nullptr;
        code_->ChangeValue(s ? toWx(s->code) : wxString());
    }

    // Records changed elsewhere: the boxes keep what the user chose where they can, and
    // the list shows the handlers as they are now. A template removed meanwhile takes
    // its window with it.
    void refill() {
        if (closing()) return;
        const size_t i = index();
        if (i == kNoTemplate) return finish();
        const GameObject& stored = studio_.project.objects[i];
        const auto sprites = spriteBoxRows(studio_.project, stored.sprite);
        const auto parents = parentBoxRows(studio_.project, template_, stored.parent);
        fillBoxes(sprites, keptChoice(sprites, fromWx(sprite_->GetStringSelection()), stored.sprite), parents,
                  keptChoice(parents, fromWx(parent_->GetStringSelection()), stored.parent));
        const auto selected = events_->handlerAt(events_->selectedRow());
        fillEvents();
        events_->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
        if (selected) selectHandler(*selected);
        else showCode();
    }

    void addEvent() {
        const int type = eventType_->GetSelection();
        if (type < 0 || size_t(type) >= eventTypes().size() || index() == kNoTemplate) return;
        const size_t script = addEventHandler(studio_.project, template_, eventTypes()[size_t(type)]);
        fillEvents();
        selectHandler(script);
        editEvent(script);
    }

    // The event code editor on the handler: this window waits while it is open, and
    // shows the handler as stored once it is.
    void editEvent(size_t script) {
        if (!eventRowHandler(studio_.project, template_, script)) return;
        openEventEditor(studio_, this, script, [self = wxWeakRef<ObjectWindow>(this), script] {
            if (!self || self->closing()) return;
            self->fillEvents();
            self->selectHandler(script);
        });
    }

    void eventMenu(long row) {
        const auto script = events_->handlerAt(row);
        if (!script || !eventRowHandler(studio_.project, template_, *script)) return;
        wxMenu menu;
        auto entry = [&](const char* caption, Icon icon) {
            auto* item = new wxMenuItem(&menu, wxID_ANY, caption);
            item->SetBitmap(toBitmap(drawIcon(icon, 16)));
            return menu.Append(item)->GetId();
        };
        const int edit = entry("Edit", Icon::EditFrame);
        const int remove = entry("Delete", Icon::DeleteFrame);
        showMenuPictures(menu);
        const int chosen = GetPopupMenuSelectionFromUser(menu);
        if (chosen == edit) {
            editEvent(*script);
        } else if (chosen == remove && deleteEventHandler(studio_.project, studio_.dialogs, template_, *script)) {
            fillEvents();
            events_->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
            showCode();
        }
    }

    // The fields through the naming checks; each refusal is shown. A rename made while
    // the window stays open (the pre-save commit) moves the window to the new name.
    bool commit() {
        if (!commitObject(studio_.project, studio_.dialogs, template_, fieldsShown())) return false;
        const std::string name = fromWx(name_->GetValue());
        if (name != template_) {
            template_ = name;
            setKey(windowKey(template_));
            SetTitle(toWx(objectWindowTitle(template_)));
        }
        return true;
    }

    std::string template_;
    std::function<void()> rebuildPanel_;
    Notification::Subscription changed_;
    wxTextCtrl* name_ = nullptr;
    wxBitmapComboBox* sprite_ = nullptr;
    PictureBox* preview_ = nullptr;
    wxStaticText* size_ = nullptr;
    wxCheckBox* visible_ = nullptr;
    wxTextCtrl* depth_ = nullptr;
    wxCheckBox* collision_ = nullptr;
    wxBitmapComboBox* parent_ = nullptr;
    wxBitmapComboBox* eventType_ = nullptr;
    EventList* events_ = nullptr;
    wxTextCtrl* code_ = nullptr;
    wxTextCtrl* keywords_ = nullptr;
};

} // namespace

void openObjectWindow(Studio& studio, wxWindow* mainWindow, const std::string& objectTemplate,
                      std::function<void()> rebuildPanel) {
    if (raiseStudioWindow(windowKey(objectTemplate))) return;
    if (templateIndex(studio.project, objectTemplate) == kNoTemplate) {
        studio.dialogs.error("The object " + objectTemplate + " no longer exists.");
        return;
    }
    new ObjectWindow(studio, mainWindow, objectTemplate, std::move(rebuildPanel));
}

bool isObjectWindowOpen(const std::string& objectTemplate) {
    return findStudioWindow(windowKey(objectTemplate)) != nullptr;
}

wxFrame* findObjectWindow(const std::string& objectTemplate) { return findStudioWindow(windowKey(objectTemplate)); }

} // namespace pondaro::ui
