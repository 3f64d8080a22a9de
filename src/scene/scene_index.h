#pragma once
// Where the instances and tiles of one scene lie, so that drawing a visible rectangle
// and hit-testing a point look only at the records near it, not at the whole scene.
//
// Records are found by their table index and always re-read from the tables, so a
// stale index never reaches a removed record: it can only miss a record that moved.
// The index rebuilds itself when the scene name, the version of the objects, tiles or
// sprites table or the size of the frames list changed, so a change made anywhere
// (another window, a save that puts the objects in a new order) is never missed. The
// editor's own changes keep it in step instead, at the cost of the records they touch:
// appended, removed and moved records, and selection flags, which move nothing. A
// change of frames that keeps their number must call invalidate().
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pondaro {

struct Project;
struct GameObject;
struct Tile;

// A rectangle of scene pixels, half-open: [left, right) x [top, bottom). 64-bit so
// positions near the ends of the int range do not wrap.
struct SceneBox {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
    bool meets(const SceneBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

class SceneIndex {
public:
    // Brings the index up to date with the tables for the named scene.
    void sync(const Project& p, const std::string& scene);
    void invalidate() { valid_ = false; }

    // After the editor appended a record to its table (the index was synced before).
    void instanceAppended(const Project& p, size_t index);
    void tileAppended(const Project& p, size_t index);
    // After the editor removed the marked records (marks by their old table index)
    // from a table the index was synced with: the survivors' indexes are renumbered
    // in one pass instead of the whole scene being indexed again.
    void instancesRemoved(const Project& p, const std::vector<char>& marked);
    void tilesRemoved(const Project& p, const std::vector<char>& marked);
    // After the editor moved these records of the scene by (dx, dy) (the index was synced
    // before): each leaves the cells it was in for the ones it is in now.
    void instancesMoved(const Project& p, const std::vector<uint32_t>& moved, int dx, int dy);
    void tilesMoved(const Project& p, const std::vector<uint32_t>& moved, int dx, int dy);
    // After the editor changed selection flags only (the index was synced before).
    void selectionChanged(const Project& p);

    // The scene's records, in table order.
    const std::vector<uint32_t>& instances() const { return instances_; }
    const std::vector<uint32_t>& tiles() const { return tiles_; }

    // Table indexes of the records whose area may meet the box: ascending, no repeats.
    void instancesIn(const SceneBox& box, std::vector<uint32_t>& out) const;
    void tilesIn(const SceneBox& box, std::vector<uint32_t>& out) const;

    // The largest frame of a sprite (0 x 0 when it has none), as of the last sync.
    std::pair<int, int> frameExtent(const std::string& sprite) const;

private:
    struct Buckets {
        std::unordered_map<uint64_t, std::vector<uint32_t>> cells;
        std::vector<uint32_t> large;  // records spanning too many cells to list in each
        void clear();
        void insert(const SceneBox& box, uint32_t index);
        void collect(const SceneBox& box, std::vector<uint32_t>& out) const;
        // Takes the index out of the cells the box covers (a box that was inserted).
        void erase(const SceneBox& box, uint32_t index);
        // Drops the entries whose new index is kNone and renumbers the others.
        void renumber(const std::vector<uint32_t>& newIndex);
    };
    static void renumber(std::vector<uint32_t>& list, const std::vector<uint32_t>& newIndex);
    // newIndex[old] for a table after the marked records went; false when the index
    // was not in step with that table.
    static bool renumbering(const std::vector<char>& marked, size_t count, std::vector<uint32_t>& newIndex);

    bool fresh(const Project& p, const std::string& scene) const;
    void remember(const Project& p);

    bool valid_ = false;
    std::string scene_;
    size_t objectCount_ = 0, tileCount_ = 0, frameCount_ = 0;
    uint64_t objectsVersion_ = 0, tilesVersion_ = 0, spritesVersion_ = 0;
    std::vector<uint32_t> instances_;
    std::vector<uint32_t> tiles_;
    Buckets instanceCells_;
    Buckets tileCells_;
    std::unordered_map<std::string, std::pair<int, int>> frameExtents_;
};

// Everything an instance may cover: its hit box (inclusive edges), its display copy
// and the placeholder icon. `frameW`/`frameH` is the sprite's largest frame.
SceneBox instanceArea(const Project& p, const GameObject& o, int frameW, int frameH);
// A tile's rectangle, or its picture where that is larger.
SceneBox tileArea(const Tile& t);

} // namespace pondaro
