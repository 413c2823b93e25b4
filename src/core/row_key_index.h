#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavix::core {

// Row numbers of the keyed rows, sorted by binary comparison of their keys.
// The index stores only row numbers; keys are read back through a callback so
// that a row's key lives in one place (its row record).
class RowKeyIndex {
public:
    using KeyOf = std::function<const std::string&(int32_t row)>;

    struct Lookup {
        int32_t position { 1 };  // 1-based; insertion point when not found
        bool found { false };
    };

    Lookup Find(const std::string& key, const KeyOf& keyOf) const;
    // Shifting: a row was inserted (not appended), so rows >= row move down first.
    void Insert(int32_t position, int32_t row, bool shifting);
    void Remove(int32_t position, bool shifting);
    // Renumbering for unkeyed row insertion / removal.
    void ShiftFrom(int32_t row, int32_t delta);
    // Drops entries whose row is above lastRow, without renumbering the others.
    void DropAbove(int32_t lastRow);
    void Clear();

    int32_t Count() const { return static_cast<int32_t>(rows_.size()); }
    int32_t Capacity() const { return capacity_; }
    // 1-based, like the positions returned by Find.
    int32_t RowAt(int32_t position) const { return rows_[static_cast<size_t>(position - 1)]; }

private:
    static constexpr int32_t kInitialCapacity { 10 };
    std::vector<int32_t> rows_;
    int32_t capacity_ { kInitialCapacity };
};

}  // namespace tavix::core
