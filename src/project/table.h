#pragma once
// An ordered table of named records. Order is creation (or load) order. A name index
// keeps "first record with this name" lookups O(1). Records are read through const
// access and changed only through the table: add, rename, edit, removal, reorder. A
// record is never handed out for writing beyond an edit, and an edit that changes a
// name is carried into the index, so the index always tells the truth.
//
// Every change also counts up the table's version, so a view can tell that the table
// changed since it last looked by comparing one number, without being told. A table
// that is assigned takes a version above both its own and the other's, so a view never
// mistakes a replaced table for the one it saw.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace pondaro {

struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <class Record>
class Table {
public:
    static constexpr size_t npos = size_t(-1);

    Table() = default;
    // A copy builds its own index: the names it points to are its own.
    Table(const Table& other) : records_(other.records_), version_(other.version_) { reindex(); }
    Table& operator=(const Table& other) {
        if (this != &other) {
            version_ = std::max(version_, other.version_) + 1;
            records_ = other.records_;
            reindex();
        }
        return *this;
    }
    Table(Table&&) noexcept = default;
    Table& operator=(Table&& other) noexcept {
        if (this != &other) {
            const uint64_t version = std::max(version_, other.version_) + 1;
            records_ = std::move(other.records_);
            index_ = std::move(other.index_);
            indexedNames_ = std::move(other.indexedNames_);
            version_ = version;
        }
        return *this;
    }

    // Counts up with every change of the table (see the top of the file).
    uint64_t version() const { return version_; }

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }

    const Record& operator[](size_t i) const { return records_[i]; }
    auto begin() const { return records_.cbegin(); }
    auto end() const { return records_.cend(); }

    // Index of the first record holding exactly this name, or npos.
    size_t find(std::string_view name) const {
        auto it = index_.find(name);
        return it == index_.end() ? npos : it->second.first;
    }
    bool contains(std::string_view name) const { return index_.find(name) != index_.end(); }
    const Record* get(std::string_view name) const {
        size_t i = find(name);
        return i == npos ? nullptr : &records_[i];
    }
    // True when a record other than the one at `self` holds the name.
    bool takenByOther(std::string_view name, size_t self) const {
        auto it = index_.find(name);
        if (it == index_.end()) return false;
        return it->second.second > 1 || it->second.first != self;
    }

    size_t add(Record record) {
        size_t i = records_.size();
        ++version_;
        auto [it, inserted] = index_.try_emplace(record.name, i, 0);
        ++it->second.second;
        records_.push_back(std::move(record));
        indexedNames_.push_back(&it->first);
        return i;
    }

    void rename(size_t i, std::string newName) {
        if (records_[i].name == newName) return;
        ++version_;
        unindex(i);
        records_[i].name = std::move(newName);
        auto [it, inserted] = index_.try_emplace(records_[i].name, i, 0);
        if (!inserted && i < it->second.first) it->second.first = i;
        ++it->second.second;
        indexedNames_[i] = &it->first;
    }

    // Changes the record at i in place: returns change(record). A name the change gives
    // the record is taken into the index (a rename of the record alone: references to
    // it are the caller's, see project/naming.h). `change` must not add or remove
    // records of this table, nor hand the record out to be changed later.
    template <class Change>
    decltype(auto) edit(size_t i, Change&& change) {
        ++version_;
        if constexpr (std::is_void_v<std::invoke_result_t<Change, Record&>>) {
            change(records_[i]);
            if (renamedInPlace(i)) reindex();
        } else {
            decltype(auto) result = change(records_[i]);
            if (renamedInPlace(i)) reindex();
            return result;
        }
    }

    // As edit(), for an index that may lie past the end: false, changing nothing, then.
    template <class Change>
    bool tryEdit(size_t i, Change&& change) {
        if (i >= records_.size()) return false;
        edit(i, change);
        return true;
    }

    // change(record) for every record in table order, as edit() does; names changed on
    // the way are taken into the index once the walk is over.
    template <class Change>
    void editEach(Change&& change) {
        ++version_;
        bool renamed = false;
        for (size_t i = 0; i < records_.size(); ++i) {
            change(records_[i]);
            renamed = renamedInPlace(i) || renamed;
        }
        if (renamed) reindex();
    }

    // Removes every record holding the name; the others keep their order.
    size_t removeByName(std::string_view name) {
        return removeIf([&](const Record& r) { return r.name == name; });
    }

    template <class Pred>
    size_t removeIf(Pred pred) {
        size_t before = records_.size();
        std::erase_if(records_, pred);
        size_t removed = before - records_.size();
        if (removed) {
            ++version_;
            reindex();
        }
        return removed;
    }

    // Removes the records whose table index is marked, in one pass: O(table size +
    // removed), where removing them one by one by name would scan the table once per
    // record. Records go by position, not by name, so one that happens to share a name
    // with a removed one stays; the others keep their order.
    size_t removeMarked(const std::vector<char>& marked) {
        const Record* first = records_.data();
        const size_t count = records_.size();
        // remove_if tests every element in place before it moves anything onto it, so
        // the element's address still tells its original position.
        return removeIf([&](const Record& r) {
            const size_t i = size_t(&r - first);
            return i < count && i < marked.size() && marked[i];
        });
    }

    // Puts the records in a new order: order[k] is the index of the record that goes
    // to position k (a permutation of all indexes).
    void reorder(const std::vector<size_t>& order) {
        std::vector<Record> moved;
        moved.reserve(records_.size());
        for (size_t i : order) moved.push_back(std::move(records_[i]));
        records_ = std::move(moved);
        ++version_;
        reindex();
    }

    void clear() {
        ++version_;
        records_.clear();
        index_.clear();
        indexedNames_.clear();
    }
    void reserve(size_t n) {
        records_.reserve(n);
        index_.reserve(n);
        indexedNames_.reserve(n);
    }

    const std::vector<Record>& records() const { return records_; }

private:
    void unindex(size_t i) {
        auto it = index_.find(records_[i].name);
        if (it == index_.end()) return;
        if (--it->second.second == 0) {
            index_.erase(it);
        } else if (it->second.first == i) {
            // The first holder went away: find the next one in table order.
            for (size_t k = i + 1; k < records_.size(); ++k)
                if (records_[k].name == records_[i].name) { it->second.first = k; break; }
        }
    }
    void reindex() {
        index_.clear();
        indexedNames_.resize(records_.size());
        for (size_t i = 0; i < records_.size(); ++i) {
            auto [it, inserted] = index_.try_emplace(records_[i].name, i, 0);
            ++it->second.second;
            indexedNames_[i] = &it->first;
        }
    }
    // The record's name is no longer the one the index holds it under.
    bool renamedInPlace(size_t i) const { return records_[i].name != *indexedNames_[i]; }

    std::vector<Record> records_;
    // name -> (index of first holder, number of holders)
    std::unordered_map<std::string, std::pair<size_t, size_t>, StringHash, std::equal_to<>> index_;
    // The index's own copy of each record's name (its key, which stays put when the
    // index grows), so an edit can tell a changed name with one comparison.
    std::vector<const std::string*> indexedNames_;
    uint64_t version_ = 0;
};

} // namespace pondaro
