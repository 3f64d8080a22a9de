#pragma once
// How records get their first names, how names are checked when read from a file
// and when a property window is applied, and how renames reach the references.
#include <string>
#include <string_view>
#include <vector>

#include "project/model.h"

namespace pondaro {

// ---- Creating records with default names and defaults ---------------------------
// Each draws a fresh counter value for the name (drawing again while the name is
// taken, so a new record never repeats a name of its table), then one for `uid`, and
// sets the modified flag. `keywords` is the resource panel's keyword text for the kind.
std::string createSprite(Project& p, std::string_view keywords = {});
std::string createSound(Project& p, std::string_view keywords = {});
std::string createMusic(Project& p, std::string_view keywords = {});
std::string createBackground(Project& p, std::string_view keywords = {});
std::string createFont(Project& p, std::string_view keywords = {});
std::string createObject(Project& p, std::string_view keywords = {});
std::string createScene(Project& p, std::string_view keywords = {});
std::string createFunction(Project& p, std::string_view keywords = {});
// A tile layer of the scene: "layer_" + n at depth 1000000.
std::string createLayer(Project& p, std::string_view scene);

// The defaults of a new record, without a name or uid.
Sprite defaultSprite();
Background defaultBackground();
Font defaultFont();
GameObject defaultObjectTemplate();
Scene defaultScene();

// A name for a new record: prefix + fresh counter value, drawn again while taken.
std::string freshName(Project& p, ResourceKind kind, std::string_view prefix);

// ---- Reading ---------------------------------------------------------------------
// Clash check on read: the name itself when free; otherwise name + "_" + a fresh
// counter value (drawn again until free), recorded in the rename table and, for the
// eight logged kinds, in the merge log.
std::string clashCheckOnRead(Project& p, ResourceKind kind, const std::string& name);

// ---- Applying a property window --------------------------------------------------
// The outcome of an apply: the messages shown (each under "Error"); empty = stored.
struct ApplyResult {
    std::vector<std::string> errors;
    bool ok() const { return errors.empty(); }
};

// Each takes the record's index and the window's field values (a copy of the record
// with the window's edits). On success the name and the stored fields are taken
// over (uid and editor state stay), every reference to the old name is rewritten and
// the project is marked modified. On failure nothing changes.
ApplyResult applySprite(Project& p, size_t index, const Sprite& fields);
ApplyResult applySound(Project& p, size_t index, const Sound& fields);
ApplyResult applyMusic(Project& p, size_t index, const Music& fields);
ApplyResult applyBackground(Project& p, size_t index, const Background& fields);
// The size comes from the window's size text.
ApplyResult applyFont(Project& p, size_t index, const Font& fields, std::string_view sizeText);
// An object template's instances take its depth and sprite, and the sprite's first
// frame as their picture (the display copy turned by each one's image_angle).
ApplyResult applyObject(Project& p, size_t index, const GameObject& fields);
// The speed comes from the window's speed text.
ApplyResult applyScene(Project& p, size_t index, const Scene& fields, std::string_view speedText);
ApplyResult applyFunction(Project& p, size_t index, const GameFunction& fields);

} // namespace pondaro
