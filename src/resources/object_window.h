#pragma once
// The object window's logic without the window: what the sprite box, the parent box
// and the event list show, the chosen sprite's picture and size, adding and deleting
// event handlers, and "Done". The window finds its template by name; every function
// here copes with a template or a handler that went while the window was open (it
// changes nothing and says so).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "image/image.h"
#include "project/model.h"

namespace pondaro {

// "Object properties - " + name.
std::string objectWindowTitle(const std::string& name);

// The table index of the first template of the name, or Table::npos (an instance
// holding the same name in a damaged file is not it).
size_t templateIndex(const Project& p, std::string_view name);

// ---- The sprite box and the parent box ----------------------------------------------

// A row of the sprite box or the parent box: its text, and the sprite whose first frame
// is its icon ("" for none).
struct BoxRow {
    std::string text;
    std::string sprite;
    friend bool operator==(const BoxRow&, const BoxRow&) = default;
};

// "" and then every sprite, in table order. A name the record holds that is not among
// them (`named`: a damaged file) comes last, so Done keeps it until another is chosen.
std::vector<BoxRow> spriteBoxRows(const Project& p, const std::string& named = "");
// "" and then every template other than the edited one (none holding its name), in
// table order, each with its sprite's icon; `named` as for the sprite box (a parent
// removed since), unless it is the edited template itself.
std::vector<BoxRow> parentBoxRows(const Project& p, std::string_view editedTemplate, const std::string& named = "");

// Which row a box shows after it was filled again (resources changed while the window
// was open): the row chosen before when it is still offered; else the record's stored
// value (a sprite or parent renamed meanwhile has been carried into the record) when it
// is offered; else "".
std::string keptChoice(const std::vector<BoxRow>& rows, const std::string& chosen, const std::string& stored);

// The 100 x 100 preview of the chosen sprite: its first frame fitted into the square
// on the checkerboard, or the default picture when the sprite has no frame (or none is
// chosen).
inline constexpr int kSpritePreviewSide = 100;
Image objectSpritePreview(const Project& p, std::string_view sprite);
// "Size: " + width + " x " + height + " px" of the first frame, or "Size: <no sprite>".
std::string objectSpriteSizeText(const Project& p, std::string_view sprite);

// ---- The event list -------------------------------------------------------------------

// The template's handlers as the list shows them: grouped by event type in the order
// of the type box, each group in table order. A handler of a type this program does not
// know (a damaged or hand-edited file) comes last, so it can still be edited and
// deleted. Each row is the handler's index in the scripts table.
std::vector<size_t> eventListRows(const Project& p, std::string_view templateName);

// The handler a row stands for while it is still the template's, else nullptr (the
// list may be drawn before it is filled again after a change made elsewhere).
const Script* eventRowHandler(const Project& p, std::string_view templateName, size_t script);

// "Add event >>>": a new handler of the type for the template, named "scr_" + a fresh
// counter value, with no parameter and no code, appended to the scripts table; the
// project is marked modified. Returns its index.
size_t addEventHandler(Project& p, const std::string& templateName, const std::string& eventType);

inline constexpr const char* kDeleteEventQuestion = "Delete this event?";
// The event list's "Delete": asks kDeleteEventQuestion; Yes removes that handler (the
// others keep their order) and marks the project modified. True when removed; nothing
// is asked when the handler is no longer the template's.
bool deleteEventHandler(Project& p, Dialogs& dialogs, std::string_view templateName, size_t script);

// ---- Done -------------------------------------------------------------------------------

// The window's fields as typed.
struct ObjectFields {
    std::string name;
    std::string sprite;
    bool visible = false;
    std::string depth;
    bool collision = false;
    std::string parent;
    std::string keywords;
};
ObjectFields objectFieldsOf(const GameObject& o);

// "Done" (and the pre-save commit): the depth text read as an integer (a text that is
// not a number reads as 0), then the object apply step: the name checks, each failure
// shown under "Error" with nothing stored; on success the fields are stored, a rename
// reaches the handlers, the other templates' parents and the instances, and every
// instance of the template takes its depth and sprite with the sprite's pictures. True
// when stored.
bool commitObject(Project& p, Dialogs& dialogs, std::string_view templateName, const ObjectFields& fields);

} // namespace pondaro
