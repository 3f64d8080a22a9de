#pragma once
// An ordered table of named records. Order is creation (or load) order. A name index
// keeps "first record with this name" lookups O(1); names change only through
// rename() so the index stays true. Other fields may be edited in place.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
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

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }

    const Record& operator[](size_t i) const { return records_[i]; }
    // In-place access for every field but the name (use rename()).
    Record& operator[](size_t i) { return records_[i]; }

    auto begin() const { return records_.cbegin(); }
    auto end() const { return records_.cend(); }
    auto begin() { return records_.begin(); }
    auto end() { return records_.end(); }

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
    Record* get(std::string_view name) {
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
        auto [it, inserted] = index_.try_emplace(record.name, i, 0);
        ++it->second.second;
        records_.push_back(std::move(record));
        return i;
    }

    void rename(size_t i, std::string newName) {
        if (records_[i].name == newName) return;
        unindex(i);
        records_[i].name = std::move(newName);
        auto [it, inserted] = index_.try_emplace(records_[i].name, i, 0);
        if (!inserted && i < it->second.first) it->second.first = i;
        ++it->second.second;
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
        if (removed) reindex();
        return removed;
    }

    // Puts the records in a new order: order[k] is the index of the record that goes
    // to position k (a permutation of all indexes).
    void reorder(const std::vector<size_t>& order) {
        std::vector<Record> moved;
        moved.reserve(records_.size());
        for (size_t i : order) moved.push_back(std::move(records_[i]));
        records_ = std::move(moved);
        reindex();
    }

    void clear() {
        records_.clear();
        index_.clear();
    }
    void reserve(size_t n) {
        records_.reserve(n);
        index_.reserve(n);
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
        for (size_t i = 0; i < records_.size(); ++i) {
            auto [it, inserted] = index_.try_emplace(records_[i].name, i, 0);
            ++it->second.second;
        }
    }

    std::vector<Record> records_;
    // name -> (index of first holder, number of holders)
    std::unordered_map<std::string, std::pair<size_t, size_t>, StringHash, std::equal_to<>> index_;
};

} // namespace pondaro
