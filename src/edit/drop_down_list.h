#pragma once
// The drop-down list of combo cells: an owner-drawn "COMBOBOX" whose field sits
// out of sight in a small window of its own; only its list is ever seen. The
// items (text, value, icon) are loaded from a combo list when it drops down,
// drawn here (icon, then text) and all as tall as the tallest. It tells its
// owner when an item is chosen, when the list closes and which key was pressed.
#include <tavix/combos.h>
#include <tavix/host.h>
#include <tavix/native/gdi.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/subclass.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::edit {

class DropDownListener {
public:
    // Where an exception from the grid's event handlers ends when the message loop delivered the message.
    virtual Host& GridHost() = 0;
    virtual void ItemChosen() = 0;
    virtual void ListClosed() = 0;
    // keyCode may be changed; shift: 1 Shift, 2 Ctrl, 4 Alt.
    virtual void ListKeyDown(int16_t& keyCode, int16_t shift) = 0;

protected:
    ~DropDownListener() = default;
};

class DropDownList : public native::SubclassOwner {
public:
    static constexpr int32_t kMinItemHeight { 15 };
    static constexpr int32_t kDefaultWidth { 120 };

    explicit DropDownList(DropDownListener& listener)
        : listener_(listener)
    {
    }
    ~DropDownList() override;
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;

    // Creates the out-of-sight control window in `parent` once.
    bool Create(native::HWND parent);
    // Takes over the items of `list`, measured in `font`, icons from `imageList` (0: none).
    void Load(const ComboObject& list, native::HFONT font, int32_t imageList);

    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    int32_t ListIndex() const;
    // Selects a position (-1 none) and reports it chosen.
    void SetListIndex(int32_t index);
    const GridVariant& ItemValue(int32_t index) const { return items_[static_cast<size_t>(index)].value; }
    int16_t ItemIcon(int32_t index) const { return items_[static_cast<size_t>(index)].icon; }
    // The selected item's text; "" when none.
    std::string Text() const;
    int32_t ValueIndex(const GridVariant& value) const;
    // The first item whose text begins with `prefix`, compared in upper case; -1 when none.
    int32_t InitialIndex(const std::string& prefix) const;
    int32_t ItemHeight() const { return itemHeight_; }

    // Drops the list down at a screen point next to a cell of the size given.
    void ShowDropDownAtPosition(int32_t x, int32_t y, int32_t cellWidth, int32_t cellHeight);
    void Hide();
    bool Dropped() const;
    native::HWND Combo() const { return combo_; }
    native::HWND ListWindow() const;
    // Where the list goes when it next draws: screen left, top, width, height.
    native::Rect Placement() const { return placement_; }

    // The control window's own messages.
    native::LRESULT HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    // native::SubclassOwner: the combo box's messages, keys first.
    void SubclassProc(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result) override;
    Host& GridHost() { return listener_.GridHost(); }

private:
    void Deliver(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result);
    struct Item {
        std::string text;
        GridVariant value;
        int16_t icon { -1 };
    };
    void DrawItem(const native::DRAWITEMSTRUCT& dis) const;
    void MeasureItems();

    DropDownListener& listener_;
    native::HWND window_ { 0 };
    native::HWND combo_ { 0 };
    std::vector<Item> items_;
    native::HFONT font_ { 0 };
    int32_t imageList_ { 0 };
    int32_t iconWidth_ { 0 };
    int32_t iconHeight_ { 0 };
    int32_t itemHeight_ { kMinItemHeight };
    int32_t listWidth_ { kDefaultWidth };
    int32_t listHeight_ { kDefaultWidth };
    native::Rect placement_ {};
    bool placementPending_ { false };
};

}  // namespace tavix::edit
