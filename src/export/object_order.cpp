#include "export/object_order.h"

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

// One group of entries linked by parent names, on the positions it occupies. The
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
        Group g(list, std::move(positions));
        const auto& slots = g.run(n);
        for (size_t k = 0; k < slots.size(); ++k) order[g.positions()[k]] = slots[k];
    }
    return order;
}

} // namespace pondaro
