// Drop-down lists that combo cells take their texts and icons from.
#pragma once

#include <tavix/font.h>
#include <tavix/variant.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavix {

namespace core {
class ComboListMetrics;
class GridTable;
}  // namespace core

class ComboObject {
public:
    // `font`: the items' font; `metrics` measures the items (null: the width stays).
    ComboObject(FontRef font, core::ComboListMetrics* metrics);

    void Clear() { items_.clear(); }
    // A missing value stores the text as a String; lIndex -1 appends.
    void AddItem(const std::string& sItemText, const GridVariant& vItemValue = GridVariant::Missing(),
        int32_t iIconIndex = -1, int32_t lIndex = -1);
    void RemoveItem(int32_t lIndex);

    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    GridVariant ItemValue(int32_t lIndex) const { return At(lIndex).value; }
    void SetItemValue(int32_t lIndex, const GridVariant& v) { At(lIndex).value = v; }
    std::string ItemText(int32_t lIndex) const { return At(lIndex).text; }
    void SetItemText(int32_t lIndex, const std::string& s) { At(lIndex).text = s; }
    int32_t ItemIcon(int32_t lIndex) const { return At(lIndex).icon; }
    // First item equal to vValue, -1 when none; objects compare by identity.
    int32_t ValueIndex(const GridVariant& vValue) const;

    int32_t MaxHeightInItems() const { return maxHeight_; }
    void SetMaxHeightInItems(int32_t n);
    static constexpr int32_t kDefaultWidth { 120 };
    int32_t Width() const { return width_; }
    void SetWidth(int32_t w) { width_ = w; }
    // Width becomes what the widest item needs, with the list's scroll bar beside it.
    void AutoAdjustWidth();
    // A copy of the grid's font taken when the list was added, until one is set.
    FontRef Font() const { return font_; }
    void SetFont(const FontRef& oFont) { font_ = oFont; }

private:
    struct Item {
        std::string text;
        GridVariant value;
        int32_t icon;
    };
    Item& At(int32_t lIndex);
    const Item& At(int32_t lIndex) const;

    FontRef font_;
    core::ComboListMetrics* metrics_;
    std::vector<Item> items_;
    int32_t maxHeight_ { 8 };
    int32_t width_ { kDefaultWidth };
};

// Lists keyed case-insensitively; each occupies a slot that cells refer to by number.
class CombosObject {
public:
    explicit CombosObject(std::function<FontRef()> gridFont);

    int32_t Count() const { return static_cast<int32_t>(order_.size()); }
    ComboObject& Add(const std::string& sKey);
    // By key, or by 1-based position for numeric arguments.
    ComboObject& Items(const GridVariant& vKey);
    void Remove(const GridVariant& vKey);

    // 1-based slot of the list whose key matches exactly, 0 when none.
    int32_t SlotOfKey(const std::string& key) const;
    // Key of the list in a slot, empty for a free or unknown slot.
    std::string KeyOfSlot(int32_t slot) const;
    // The list in a slot, null for a free or unknown slot.
    ComboObject* AtSlot(int32_t slot);
    const ComboObject* AtSlot(int32_t slot) const;

private:
    friend class core::GridTable;
    // Wiring: what measures the lists exists only after them.
    void Connect(core::ComboListMetrics& metrics) { metrics_ = &metrics; }

    struct Slot {
        std::string key;
        std::unique_ptr<ComboObject> list;
    };
    int32_t PositionOf(const GridVariant& vKey) const;

    std::function<FontRef()> gridFont_;
    core::ComboListMetrics* metrics_ { nullptr };
    std::vector<Slot> slots_;
    std::vector<int32_t> order_;  // slot indices in insertion order
};

}  // namespace tavix
