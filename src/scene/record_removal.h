#pragma once
// Removing many records of a table in one pass: O(table size + removed), where
// removing them one by one by name would scan the table once per record.
#include <cstddef>
#include <vector>

#include "project/table.h"

namespace pondaro {

// Removes the records whose table index is marked; the others keep their order.
// Records are removed by position, not by name, so a record that happens to share
// a name with a removed one stays.
template <class Record>
size_t removeMarked(Table<Record>& table, const std::vector<char>& marked) {
    const Record* first = table.records().data();
    const size_t count = table.size();
    // remove_if tests every element in place before it moves anything onto it, so
    // the element's address still tells its original position.
    return table.removeIf([&](const Record& r) {
        const size_t i = size_t(&r - first);
        return i < count && i < marked.size() && marked[i];
    });
}

} // namespace pondaro
