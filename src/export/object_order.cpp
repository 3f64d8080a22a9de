#include "export/object_order.h"

#include <cstdint>
#include <deque>
#include <map>
#include <numeric>
#include <set>
#include <string_view>
#include <unordered_map>

namespace pondaro {

namespace {

struct UnionFind {
    explicit UnionFind(size_t n) : up(n) { std::iota(up.begin(), up.end(), size_t(0)); }
    size_t find(size_t x) {
        while (up[x] != x) x = up[x] = up[up[x]];
        return x;
    }
    void join(size_t a, size_t b) { up[find(a)] = find(b); }
    std::vector<size_t> up;
};

// One group of entries linked by parent names, on the positions it occupies, where a
// name may be held by several entries (a damaged file). Simulated swap by swap. The
// group's arrangement evolves on its own: swaps only ever exchange two of its entries,
// and whether a swap happens depends only on how its positions compare.
class Group {
public:
    Group(const std::vector<OrderEntry>& list, std::vector<size_t> positions) : list_(list), positions_(std::move(positions)) {
        slot_ = positions_;  // slot k holds the entry standing at positions_[k]
        for (size_t k = 0; k < slot_.size(); ++k) holders_[*list_[slot_[k]].name].insert(int(k));
    }

    // Runs `passes` passes of the rule; returns the final entries per slot.
    const std::vector<size_t>& run(size_t passes) {
        // Arrangements seen after each pass, to jump ahead once one repeats.
        std::map<std::vector<size_t>, size_t> seen;
        size_t budget = size_t(1) << 24;  // entries kept for the repeat check
        for (size_t pass = 0; pass < passes; ++pass) {
            if (!onePass()) return slot_;  // settled: every further pass changes nothing
            if (budget < slot_.size()) continue;
            auto [it, fresh] = seen.emplace(slot_, pass);
            if (!fresh) {
                size_t period = pass - it->second;
                size_t left = (passes - 1 - pass) % period;
                for (size_t k = 0; k < left; ++k) onePass();
                return slot_;
            }
            budget -= slot_.size();
        }
        return slot_;
    }

    const std::vector<size_t>& positions() const { return positions_; }

private:
    bool onePass() {
        bool changed = false;
        for (size_t k = 0; k < slot_.size(); ++k) {
            size_t after = k;  // the scan of j has passed this slot
            while (true) {
                const OrderEntry& cur = list_[slot_[k]];
                if (!cur.isTemplate) break;
                auto h = holders_.find(*cur.parent);
                if (h == holders_.end()) break;
                auto next = h->second.upper_bound(int(after));
                if (next == h->second.end()) break;
                size_t q = size_t(*next);
                swapSlots(k, q);
                after = q;
                changed = true;
            }
        }
        return changed;
    }

    void swapSlots(size_t a, size_t b) {
        const std::string& na = *list_[slot_[a]].name;
        const std::string& nb = *list_[slot_[b]].name;
        if (na != nb) {
            auto& ha = holders_[na];
            auto& hb = holders_[nb];
            ha.erase(int(a));
            ha.insert(int(b));
            hb.erase(int(b));
            hb.insert(int(a));
        }
        std::swap(slot_[a], slot_[b]);
    }

    const std::vector<OrderEntry>& list_;
    std::vector<size_t> positions_;
    std::vector<size_t> slot_;
    std::unordered_map<std::string_view, std::set<int>> holders_;
};


// A group in which every name is held by one entry, so a template has at most one parent
// entry and the rule's search for "the first later position holding the parent's name"
// finds that entry or nothing. One pass of the rule is then worked out without doing
// its swaps one by one.
//
// At position k the entry there follows its parents for as long as each stands further
// on than the one before: the run e0 (at k), e1 = parent(e0), ... em. Each run member
// takes its parent's position and em comes to k. The members moved on stand again at
// rising positions, each the child of the next: a "block". Blocks keep their entries and
// positions side by side (entry F[t] stands at position S[t]) and move as a whole: a
// later run entering a block goes through to its last entry at once, so a chain listed
// child first costs one step per position instead of one per swap.
class LinkedGroup {
public:
    // `up[e]`: the entry that is e's parent (e a template), or kNone; `templ[e]`.
    LinkedGroup(std::vector<uint32_t> up, std::vector<bool> templ) : up_(std::move(up)), templ_(std::move(templ)) {}

    // The arrangement after `passes` passes of the rule (position -> entry), from the
    // arrangement where entry e stands at position e.
    std::vector<uint32_t> run(size_t passes) {
        const size_t n = up_.size();
        std::vector<uint32_t> at(n), next(n);
        std::iota(at.begin(), at.end(), uint32_t(0));
        std::unordered_map<uint64_t, size_t> seen;  // arrangement hash -> passes done
        size_t done = 0;
        while (done < passes) {
            onePass(at, next);
            ++done;
            if (next == at) return at;  // settled: every further pass changes nothing
            // When every further pass relabels the entries as this one did, the rest is
            // that relabelling applied passes - done times.
            if (relabelsAlongLinks(at, next)) return relabel(at, next, passes - done);
            std::swap(at, next);
            // An arrangement met again repeats from here on: once a repeat is confirmed
            // (the arrangement comes back after the same number of passes), only what is
            // left over whole periods is run.
            auto [it, fresh] = seen.emplace(hashOf(at), done);
            if (fresh) continue;
            const size_t period = done - it->second;
            if (passes - done < period) continue;
            const std::vector<uint32_t> snapshot = at;
            for (size_t k = 0; k < period; ++k) {
                onePass(at, next);
                std::swap(at, next);
            }
            done += period;
            if (at == snapshot) {
                for (size_t k = (passes - done) % period; k > 0; --k) {
                    onePass(at, next);
                    std::swap(at, next);
                }
                return at;
            }
            seen.clear();  // two arrangements with one hash: look afresh
        }
        return at;
    }

    static constexpr uint32_t kNone = UINT32_MAX;

private:
    struct Block {
        std::deque<uint32_t> entries;    // F
        std::deque<uint32_t> positions;  // S, rising
        long long base = 0;              // index of F.front() in the numbering of F
    };
    static constexpr uint32_t kPlain = UINT32_MAX;

    uint32_t positionOf(uint32_t e) const {
        if (blockOf_[e] == kPlain) return position_[e];
        const Block& b = blocks_[blockOf_[e]];
        return b.positions[size_t(index_[e] - b.base)];
    }

    uint32_t newBlock() {
        blocks_.emplace_back();
        return uint32_t(blocks_.size() - 1);
    }

    void pushBack(uint32_t b, uint32_t e, uint32_t position) {
        Block& block = blocks_[b];
        block.entries.push_back(e);
        block.positions.push_back(position);
        blockOf_[e] = b;
        index_[e] = block.base + (long long)block.entries.size() - 1;
        blockAt_[position] = b;
    }

    // Makes the entry at index i of block b the first of a block (moving the smaller of
    // the two parts into a new one) and returns that block.
    uint32_t splitBefore(uint32_t b, size_t i) {
        if (i == 0) return b;
        const uint32_t fresh = newBlock();
        Block& from = blocks_[b];
        const bool lowerIsSmaller = i <= from.entries.size() - i;
        if (lowerIsSmaller) {
            for (size_t t = 0; t < i; ++t) {
                const uint32_t e = from.entries.front(), position = from.positions.front();
                from.entries.pop_front();
                from.positions.pop_front();
                pushBack(fresh, e, position);
            }
            from.base += (long long)i;
            return b;
        }
        for (size_t t = i; t < from.entries.size(); ++t) pushBack(fresh, from.entries[t], from.positions[t]);
        from.entries.resize(i);
        from.positions.resize(i);
        return fresh;
    }

    void onePass(const std::vector<uint32_t>& at, std::vector<uint32_t>& out) {
        const size_t n = at.size();
        position_.resize(n);
        blockOf_.assign(n, kPlain);
        index_.resize(n);
        blockAt_.assign(n, kPlain);
        blocks_.clear();
        for (size_t k = 0; k < n; ++k) position_[at[k]] = uint32_t(k);

        for (uint32_t k = 0; k < n; ++k) {
            uint32_t cur, after = k, tail = kPlain;  // tail: the block the last run member joined
            if (blockAt_[k] == kPlain) {
                cur = at[k];
            } else {
                // A block starting here: its run goes through it to its last entry.
                const uint32_t b = blockAt_[k];
                Block& block = blocks_[b];
                after = block.positions.back();
                block.positions.pop_front();
                cur = block.entries.back();
                block.entries.pop_back();
                if (!block.entries.empty()) tail = b;
            }
            blockAt_[k] = kPlain;
            blockOf_[cur] = kPlain;
            while (templ_[cur]) {
                const uint32_t parent = up_[cur];
                if (parent == kNone || parent == cur) break;
                const uint32_t at_ = positionOf(parent);
                if (at_ <= after) break;
                if (blockOf_[parent] == kPlain) {
                    // cur takes the parent's position, the parent goes on.
                    if (tail == kPlain) tail = newBlock();
                    pushBack(tail, cur, at_);
                    blockOf_[parent] = kPlain;
                    cur = parent;
                    after = at_;
                    continue;
                }
                // The parent heads (after a split) a block the run goes through whole:
                // cur takes the block's first position, each entry its parent's, and the
                // last entry goes on.
                uint32_t b = blockOf_[parent];
                b = splitBefore(b, size_t(index_[parent] - blocks_[b].base));
                Block& block = blocks_[b];
                const uint32_t last = block.positions.back();
                if (tail != kPlain) {
                    const uint32_t first = block.positions.front();
                    block.positions.pop_front();
                    pushBack(tail, cur, first);
                } else {
                    block.entries.push_front(cur);
                    block.base -= 1;
                    blockOf_[cur] = b;
                    index_[cur] = block.base;
                }
                const uint32_t goesOn = block.entries.back();
                block.entries.pop_back();
                blockOf_[goesOn] = kPlain;
                if (!block.entries.empty()) tail = b;
                cur = goesOn;
                after = last;
            }
            out[k] = cur;
            position_[cur] = k;
        }
    }

    // Whether every further pass will relabel the entries as this one did, from `from`
    // to `to`: the map f (f(e) is the entry that took e's position) keeps the parent
    // links and template flags of the entries that moved (M), whose parents all moved
    // too; and the entries that stayed never start a run, either because they did not
    // now (a parent that stayed stands before them) or because their parent moved and
    // every position of M lies before them. Then the entries that stayed stay for good,
    // and M goes on as a list of its own, on which the rule sees only parent links and
    // flags: relabelling by f commutes with a pass, so each pass relabels by f again.
    bool relabelsAlongLinks(const std::vector<uint32_t>& from, const std::vector<uint32_t>& to) {
        const size_t n = from.size();
        map_.resize(n);
        position_.resize(n);
        long long lastMoved = -1;
        for (size_t k = 0; k < n; ++k) {
            map_[from[k]] = to[k];
            position_[from[k]] = uint32_t(k);
            if (from[k] != to[k]) lastMoved = (long long)k;
        }
        for (uint32_t e = 0; e < n; ++e) {
            const uint32_t f = map_[e], parent = up_[e];
            const bool moved = f != e;
            if (!moved) {
                if (parent != kNone && map_[parent] != parent && position_[e] <= lastMoved) return false;
                continue;
            }
            if (templ_[f] != templ_[e]) return false;
            if (parent == kNone) {
                if (up_[f] != kNone) return false;
                continue;
            }
            if (map_[parent] == parent) return false;  // a parent that stayed
            if (up_[f] != map_[parent]) return false;
        }
        return true;
    }

    // `to` relabelled `times` more times by the map found by relabelsAlongLinks.
    std::vector<uint32_t> relabel(const std::vector<uint32_t>&, const std::vector<uint32_t>& to, size_t times) {
        const size_t n = to.size();
        std::vector<uint32_t> power(n);
        std::vector<bool> visited(n, false);
        std::vector<uint32_t> cycle;
        for (uint32_t e = 0; e < n; ++e) {
            if (visited[e]) continue;
            cycle.clear();
            for (uint32_t x = e; !visited[x]; x = map_[x]) {
                visited[x] = true;
                cycle.push_back(x);
            }
            const size_t shift = times % cycle.size();
            for (size_t i = 0; i < cycle.size(); ++i) power[cycle[i]] = cycle[(i + shift) % cycle.size()];
        }
        std::vector<uint32_t> out(n);
        for (size_t k = 0; k < n; ++k) out[k] = power[to[k]];
        return out;
    }

    static uint64_t hashOf(const std::vector<uint32_t>& at) {
        uint64_t h = 0x9E3779B97F4A7C15ull;
        for (uint32_t v : at) {
            h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
            h *= 0xFF51AFD7ED558CCDull;
        }
        return h;
    }

    std::vector<uint32_t> up_;
    std::vector<bool> templ_;
    // Per pass: where each entry stands (a block's or its own position), per position
    // the block that holds it, and the blocks.
    std::vector<uint32_t> position_, blockOf_, blockAt_, map_;
    std::vector<long long> index_;
    std::vector<Block> blocks_;
};

} // namespace

std::vector<size_t> parentFirstOrder(const std::vector<OrderEntry>& list) {
    const size_t n = list.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));

    std::unordered_map<std::string_view, std::vector<size_t>> byName;
    for (size_t i = 0; i < n; ++i) byName[*list[i].name].push_back(i);

    UnionFind groups(n);
    std::vector<bool> linked(n, false);
    for (size_t i = 0; i < n; ++i) {
        if (!list[i].isTemplate) continue;
        auto it = byName.find(*list[i].parent);
        if (it == byName.end()) continue;
        for (size_t j : it->second) {
            if (j == i && it->second.size() == 1) continue;  // its own parent, alone: never moves
            groups.join(i, j);
            linked[i] = linked[j] = true;
        }
    }

    std::unordered_map<size_t, std::vector<size_t>> members;
    for (size_t i = 0; i < n; ++i)
        if (linked[i]) members[groups.find(i)].push_back(i);

    for (auto& [root, positions] : members) {
        if (positions.size() < 2) continue;
        // Entry e of the group is the one first standing at positions[e].
        std::unordered_map<std::string_view, uint32_t> entryNamed;
        bool namesHeldOnce = true;
        for (uint32_t e = 0; e < positions.size() && namesHeldOnce; ++e)
            namesHeldOnce = entryNamed.emplace(*list[positions[e]].name, e).second;
        if (!namesHeldOnce) {
            Group g(list, std::move(positions));
            const auto& slots = g.run(n);
            for (size_t k = 0; k < slots.size(); ++k) order[g.positions()[k]] = slots[k];
            continue;
        }
        std::vector<uint32_t> up(positions.size(), LinkedGroup::kNone);
        std::vector<bool> templ(positions.size());
        for (uint32_t e = 0; e < positions.size(); ++e) {
            const OrderEntry& entry = list[positions[e]];
            templ[e] = entry.isTemplate;
            auto it = entryNamed.find(*entry.parent);
            if (entry.isTemplate && it != entryNamed.end()) up[e] = it->second;
        }
        const std::vector<uint32_t> at = LinkedGroup(std::move(up), std::move(templ)).run(n);
        for (size_t k = 0; k < at.size(); ++k) order[positions[k]] = positions[at[k]];
    }
    return order;
}

} // namespace pondaro
