#pragma once
// The order in which object templates are exported: parents before their children.
#include <string>
#include <vector>

namespace pondaro {

struct OrderEntry {
    const std::string* name;
    const std::string* parent;
    bool isTemplate;
};

// The parent-first order of the object list, as a permutation: result[k] is the index
// (in `list`) of the entry that ends at position k. It is exactly the order given by
// this rule, applied n times over the list of n entries: for every position i and then
// every position j, when the entry at i is a template whose parent is the name of the
// entry at j and j > i, the two entries change places. That rule takes n^3 steps; here
// only the entries linked by parent names move, each linked group on its own, and a
// group stops as soon as its arrangement repeats (settled, or cycling through parents).
std::vector<size_t> parentFirstOrder(const std::vector<OrderEntry>& list);

} // namespace pondaro
