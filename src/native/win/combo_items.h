#pragma once
// The items of a combo box: text, item data and owner-drawn height.
#include <string>
#include <string_view>
#include <vector>

namespace tavix::native {

struct ComboItem {
    std::string text;
    uintptr_t data { 0 };
    int32_t height { 0 };
};

class ComboItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const ComboItem& operator[](int index) const { return items_[static_cast<size_t>(index)]; }
    ComboItem& operator[](int index) { return items_[static_cast<size_t>(index)]; }

    // -1 appends; returns the position, -1 for one past the end.
    int Insert(int index, ComboItem item);
    void Erase(int index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }

    // Heights of items [from, to).
    int32_t Height(int from, int to) const;
    // The first index after `after` (wrapping) whose text starts with `ch`,
    // case ignored; -1 when none.
    int FindInitial(int after, char32_t ch) const;

private:
    std::vector<ComboItem> items_;
};

}  // namespace tavix::native
