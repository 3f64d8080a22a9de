#pragma once
// The stored fields of each record kind, in the order the project file writes its
// attributes. The reader, the writer and the dump of pondaro-cli all walk these lists,
// so a field is named in one place only.
#include <span>
#include <string>

#include "project/model.h"

namespace pondaro {

template <class Record>
struct FieldDef {
    const char* attr;
    std::string Record::*text = nullptr;  // a text attribute, or
    int Record::*number = nullptr;        // a number attribute
};

template <class Record>
struct RecordLayout {
    const char* list;  // the list element, e.g. "sprites"
    const char* item;  // the item element, e.g. "sprite"
    std::span<const FieldDef<Record>> fields;
    std::string Record::*body = nullptr;  // the element text, when the item has one
};

const RecordLayout<Sprite>& spriteLayout();
const RecordLayout<Frame>& frameLayout();
const RecordLayout<Sound>& soundLayout();
const RecordLayout<Music>& musicLayout();
const RecordLayout<Background>& backgroundLayout();
const RecordLayout<Font>& fontLayout();
const RecordLayout<GameObject>& objectLayout();
const RecordLayout<Script>& scriptLayout();
const RecordLayout<Scene>& sceneLayout();
const RecordLayout<Layer>& layerLayout();
const RecordLayout<Tile>& tileLayout();
const RecordLayout<GameFunction>& functionLayout();
const RecordLayout<Point>& pointLayout();

} // namespace pondaro
