#include "app/resource_panel.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "app/file_commands.h"
#include "base/text.h"
#include "export/generator.h"
#include "image/artwork.h"
#include "project/naming.h"
#include "project/removal.h"
#include "scene/scene_window.h"

namespace pondaro {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Calls f(word) for every trimmed, non-empty word of a comma-separated text.
template <class F>
void forEachWord(std::string_view text, F f) {
    size_t from = 0;
    while (from <= text.size()) {
        size_t comma = text.find(',', from);
        if (comma == std::string_view::npos) comma = text.size();
        std::string_view word = trimBlanks(text.substr(from, comma - from));
        if (!word.empty()) f(word);
        from = comma + 1;
    }
}

// Calls f(record) for the records of the page in table order (templates only for objects).
template <class F>
void forEachRecord(const Project& p, PanelCategory c, F f) {
    auto all = [&](const auto& table) {
        for (size_t i = 0; i < table.size(); ++i) f(i, table[i].name, table[i].keywords);
    };
    switch (c) {
    case PanelCategory::Sprites: all(p.sprites); break;
    case PanelCategory::Sounds: all(p.sounds); break;
    case PanelCategory::Musics: all(p.musics); break;
    case PanelCategory::Backgrounds: all(p.backgrounds); break;
    case PanelCategory::Fonts: all(p.fonts); break;
    case PanelCategory::Scenes: all(p.scenes); break;
    case PanelCategory::Functions: all(p.fns); break;
    case PanelCategory::Objects:
        for (size_t i = 0; i < p.objects.size(); ++i)
            if (p.objects[i].isTemplate()) f(i, p.objects[i].name, p.objects[i].keywords);
        break;
    }
}

template <class Table>
void sortTable(Table& table, SortOrder order) {
    std::vector<size_t> idx(table.size());
    std::iota(idx.begin(), idx.end(), size_t(0));
    switch (order) {
    case SortOrder::ByUid:
        std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return table[a].uid < table[b].uid; });
        break;
    case SortOrder::Ascending:
        std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return table[a].name < table[b].name; });
        break;
    case SortOrder::Descending:
        std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return table[b].name < table[a].name; });
        break;
    }
    table.reorder(idx);
}

} // namespace

PanelCategory panelCategory(int index) { return PanelCategory(std::clamp(index, 0, kPanelCategoryCount - 1)); }

const char* tabCaption(PanelCategory c) {
    static const char* captions[] = {"Sprites", " Sounds ", "Musics", "Backgrounds",
                                     "Fonts",   "Objects",  "Scenes", "Functions"};
    return captions[int(c)];
}

ResourceKind categoryKind(PanelCategory c) {
    static const ResourceKind kinds[] = {ResourceKind::Sprite,     ResourceKind::Sound, ResourceKind::Music,
                                         ResourceKind::Background, ResourceKind::Font,  ResourceKind::Object,
                                         ResourceKind::Scene,      ResourceKind::Function};
    return kinds[int(c)];
}

std::vector<std::string> splitKeywords(std::string_view text) {
    std::vector<std::string> words;
    forEachWord(text, [&](std::string_view w) { words.push_back(asciiUpper(w)); });
    return words;
}

bool keywordsMatch(std::string_view recordKeywords, const std::vector<std::string>& filterWords) {
    if (filterWords.empty()) return true;
    bool found = false;
    forEachWord(recordKeywords, [&](std::string_view word) {
        if (found) return;
        const std::string upper = asciiUpper(word);
        for (const auto& f : filterWords)
            if (upper.find(f) != std::string::npos) {
                found = true;
                return;
            }
    });
    return found;
}

size_t recordCount(const Project& p, PanelCategory c) {
    switch (c) {
    case PanelCategory::Sprites: return p.sprites.size();
    case PanelCategory::Sounds: return p.sounds.size();
    case PanelCategory::Musics: return p.musics.size();
    case PanelCategory::Backgrounds: return p.backgrounds.size();
    case PanelCategory::Fonts: return p.fonts.size();
    case PanelCategory::Objects: return p.objects.size();
    case PanelCategory::Scenes: return p.scenes.size();
    case PanelCategory::Functions: return p.fns.size();
    }
    return 0;
}

const std::string& recordName(const Project& p, PanelCategory c, size_t i) {
    switch (c) {
    case PanelCategory::Sprites: return p.sprites[i].name;
    case PanelCategory::Sounds: return p.sounds[i].name;
    case PanelCategory::Musics: return p.musics[i].name;
    case PanelCategory::Backgrounds: return p.backgrounds[i].name;
    case PanelCategory::Fonts: return p.fonts[i].name;
    case PanelCategory::Objects: return p.objects[i].name;
    case PanelCategory::Scenes: return p.scenes[i].name;
    case PanelCategory::Functions: return p.fns[i].name;
    }
    return p.sprites[i].name;
}

const std::string& recordKeywords(const Project& p, PanelCategory c, size_t i) {
    switch (c) {
    case PanelCategory::Sprites: return p.sprites[i].keywords;
    case PanelCategory::Sounds: return p.sounds[i].keywords;
    case PanelCategory::Musics: return p.musics[i].keywords;
    case PanelCategory::Backgrounds: return p.backgrounds[i].keywords;
    case PanelCategory::Fonts: return p.fonts[i].keywords;
    case PanelCategory::Objects: return p.objects[i].keywords;
    case PanelCategory::Scenes: return p.scenes[i].keywords;
    case PanelCategory::Functions: return p.fns[i].keywords;
    }
    return p.sprites[i].keywords;
}

std::vector<size_t> shownRecords(const Project& p, PanelCategory c, std::string_view filterText) {
    const auto words = splitKeywords(filterText);
    std::vector<size_t> shown;
    forEachRecord(p, c, [&](size_t i, const std::string&, const std::string& keywords) {
        if (keywordsMatch(keywords, words)) shown.push_back(i);
    });
    return shown;
}

std::vector<std::string> keywordRows(const Project& p, PanelCategory c) {
    std::vector<std::string> rows{""};
    std::unordered_set<std::string_view> seen;
    forEachRecord(p, c, [&](size_t, const std::string&, const std::string& keywords) {
        forEachWord(keywords, [&](std::string_view w) {
            if (seen.insert(w).second) rows.emplace_back(w);
        });
    });
    return rows;
}

Rgba pageBackground(std::string_view filterText) {
    return splitKeywords(filterText).empty() ? Rgba{200, 200, 200, 255} : Rgba{170, 170, 200, 255};
}

// ---- Grid -------------------------------------------------------------------------------

int gridColumns(int pageWidth) {
    const int limit = pageWidth - kCellWidth;
    return limit < kCellWidth ? 1 : limit / kCellWidth + 1;
}

Rect thumbnailRect(int cell, int columns) {
    columns = std::max(columns, 1);
    return {kGridLeft + kCellWidth * (cell % columns), kGridTop + kCellHeight * (cell / columns), kThumbWidth,
            kThumbHeight};
}

Rect labelRect(int cell, int columns) {
    Rect t = thumbnailRect(cell, columns);
    return {t.x, t.y + kLabelOffset, kThumbWidth, kLabelHeight};
}

int pageHeight(int cells, int columns) {
    columns = std::max(columns, 1);
    const int rows = (cells + columns - 1) / columns;
    return kGridTop + kCellHeight * rows;
}

GridHit hitTest(int x, int y, int columns, int cells) {
    if (x < kGridLeft || y < kGridTop || columns < 1) return {};
    const int col = (x - kGridLeft) / kCellWidth, row = (y - kGridTop) / kCellHeight;
    const int cell = row * columns + col;
    if (col >= columns || cell >= cells) return {};
    const int dx = (x - kGridLeft) % kCellWidth, dy = (y - kGridTop) % kCellHeight;
    if (dx >= kThumbWidth) return {};
    if (dy < kThumbHeight) return {GridHit::Part::Thumbnail, cell};
    if (dy >= kLabelOffset && dy < kLabelOffset + kLabelHeight) return {GridHit::Part::Label, cell};
    return {};
}

CellRange visibleCells(int top, int bottom, int columns, int cells) {
    columns = std::max(columns, 1);
    if (bottom <= top || cells <= 0) return {};
    const int firstRow = std::max(0, (top - kGridTop) / kCellHeight - (top < kGridTop ? 1 : 0));
    const int lastRow = std::max(0, (bottom - kGridTop) / kCellHeight);
    return {std::min(cells, firstRow * columns), std::min(cells, (lastRow + 1) * columns)};
}

HeaderLayout headerLayout(int pageWidth, bool functionsPage) {
    HeaderLayout h;
    h.exportButton = {240, 10, 60, 25};
    h.importButton = {310, 10, 60, 25};
    // The fixed places need 940 pixels; a narrower page moves the right-hand group left.
    const int shift = std::max(0, 940 - pageWidth);
    h.keywordList = {710 - shift, 10, 100, 25};
    h.resetOrder = {850 - shift, 10, 25, 25};
    h.ascending = {880 - shift, 10, 25, 25};
    h.descending = {910 - shift, 10, 25, 25};
    const int minLeft = functionsPage ? 380 : 10;
    const int left = std::max(minLeft, 400 - shift);
    const int right = h.keywordList.x - 10;
    h.filter = {left, 10, std::max(60, right - left), 25};
    if (h.filter.x + h.filter.width > right) {
        // Too narrow even for a short filter: keep the order of the controls.
        const int push = h.filter.x + h.filter.width + 10 - h.keywordList.x;
        for (Rect* r : {&h.keywordList, &h.resetOrder, &h.ascending, &h.descending}) r->x += push;
    }
    return h;
}

// ---- Sorting ----------------------------------------------------------------------------

void sortCategory(Studio& studio, PanelCategory c, SortOrder order) {
    Project& p = studio.project;
    studio.sortOrder = order == SortOrder::Ascending ? "ASC" : order == SortOrder::Descending ? "DESC" : "";
    switch (c) {
    case PanelCategory::Sprites: sortTable(p.sprites, order); break;
    case PanelCategory::Sounds: sortTable(p.sounds, order); break;
    case PanelCategory::Musics: sortTable(p.musics, order); break;
    case PanelCategory::Backgrounds: sortTable(p.backgrounds, order); break;
    case PanelCategory::Fonts: sortTable(p.fonts, order); break;
    // The export sorts the objects the same way after ordering them for the game.
    case PanelCategory::Objects: sortObjectsForDisplay(p, studio.sortOrder); break;
    case PanelCategory::Scenes: {
        // The first scene is the one the game starts with: a new order is a change the
        // user must not lose to New or Open without the question.
        std::vector<std::string> before;
        for (const auto& sc : p.scenes) before.push_back(sc.name);
        sortTable(p.scenes, order);
        for (size_t i = 0; i < before.size(); ++i)
            if (p.scenes[i].name != before[i]) {
                p.markModified();
                break;
            }
        break;
    }
    case PanelCategory::Functions: sortTable(p.fns, order); break;
    }
}

// ---- Pictures ---------------------------------------------------------------------------

PanelPictures PanelPictures::draw() {
    PanelPictures p;
    p.noImage = noImageCard();
    p.object = iconCard(Icon::Object);
    p.scene = iconCard(Icon::Scene);
    p.sound = iconCard(Icon::Sound);
    p.music = iconCard(Icon::Music);
    p.font = iconCard(Icon::Font);
    p.function = iconCard(Icon::Function);
    p.addTile = addTileCard();
    return p;
}

const Image& recordPicture(Studio& studio, PanelCategory c, size_t i, const PanelPictures& pictures) {
    const Project& p = studio.project;
    ThumbnailCards& cards = studio.thumbnails;
    const auto spriteCard = [&](std::string_view name) -> const Image& {
        const Image* card = cards.sprite(p, name);
        return card ? *card : pictures.noImage;
    };
    switch (c) {
    case PanelCategory::Sprites: return spriteCard(p.sprites[i].name);
    case PanelCategory::Backgrounds: {
        // The background window leaves the card of the picture it applied.
        if (!p.backgrounds[i].preview.empty()) return p.backgrounds[i].preview;
        const Image* card = cards.background(p, i, studio.root);
        return card ? *card : pictures.noImage;
    }
    case PanelCategory::Objects: {
        const std::string& sprite = p.objects[i].sprite;
        return p.spriteIndex(sprite) < 0 ? pictures.object : spriteCard(sprite);
    }
    case PanelCategory::Scenes: {
        const Image* card = sceneCard(studio.project, i, studio.root);
        return card ? *card : pictures.scene;
    }
    case PanelCategory::Sounds: return pictures.sound;
    case PanelCategory::Musics: return pictures.music;
    case PanelCategory::Fonts: return pictures.font;
    case PanelCategory::Functions: return pictures.function;
    }
    return pictures.noImage;
}

// ---- Pop-up menus -----------------------------------------------------------------------

const char* actionCaption(PanelAction a) {
    switch (a) {
    case PanelAction::Edit: return "Edit";
    case PanelAction::Duplicate: return "Duplicate";
    case PanelAction::Delete: return "Delete";
    case PanelAction::MoveBackward: return "Move backward";
    case PanelAction::MoveForward: return "Move forward";
    }
    return "";
}

std::vector<std::optional<PanelAction>> resourceMenu(PanelCategory c) {
    using A = PanelAction;
    switch (c) {
    case PanelCategory::Objects: return {A::Edit, std::nullopt, A::Duplicate, std::nullopt, A::Delete};
    case PanelCategory::Scenes:
        return {A::Edit,   std::nullopt, A::Duplicate,       std::nullopt,
                A::Delete, std::nullopt, A::MoveBackward, A::MoveForward};
    default: return {A::Edit, std::nullopt, A::Delete};
    }
}

bool moveScene(Project& p, const std::string& name, int direction) {
    const size_t i = p.scenes.find(name);
    if (i == Table<Scene>::npos) return false;
    if (direction < 0 && i == 0) return false;
    if (direction > 0 && i + 1 >= p.scenes.size()) return false;
    const size_t other = direction < 0 ? i - 1 : i + 1;
    std::vector<size_t> order(p.scenes.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::swap(order[i], order[other]);
    p.scenes.reorder(order);
    return true;
}

PanelActionResult applyPanelAction(Studio& studio, PanelCategory c, const std::string& name, PanelAction a) {
    Project& p = studio.project;
    switch (a) {
    case PanelAction::Edit: return {false, true};
    case PanelAction::Duplicate:
        if (c == PanelCategory::Objects) duplicateObject(studio, name);
        else if (c == PanelCategory::Scenes) duplicateScene(studio, name);
        else return {};
        return {true, false};
    case PanelAction::Delete:
        if (!deleteRecord(p, studio.dialogs, categoryKind(c), name)) return {};
        return {true, false};
    case PanelAction::MoveBackward:
    case PanelAction::MoveForward:
        if (c != PanelCategory::Scenes) return {};
        if (!moveScene(p, name, a == PanelAction::MoveBackward ? -1 : 1)) return {};
        p.markModified();
        return {true, false};
    }
    return {};
}

std::string addRecord(Studio& studio, PanelCategory c) {
    Project& p = studio.project;
    const std::string& keywords = studio.panelFilters[size_t(c)];
    switch (c) {
    case PanelCategory::Sprites: return createSprite(p, keywords);
    case PanelCategory::Sounds: return createSound(p, keywords);
    case PanelCategory::Musics: return createMusic(p, keywords);
    case PanelCategory::Backgrounds: return createBackground(p, keywords);
    case PanelCategory::Fonts: return createFont(p, keywords);
    case PanelCategory::Objects: return createObject(p, keywords);
    case PanelCategory::Scenes: return createScene(p, keywords);
    case PanelCategory::Functions: return createFunction(p, keywords);
    }
    return {};
}

void setAdvancedScriptingMode(Project& p, bool on) {
    const int value = on ? 1 : 0;
    if (p.game.advancedscriptmode == value) return;
    p.game.advancedscriptmode = value;
    p.markModified();
}

} // namespace pondaro
