#pragma once
// The drop-down list of combo cells: an owner-drawn "COMBOBOX" whose field sits
// out of sight in a small window of its own; only its list is ever seen. The
// items (text, value, icon) are loaded from a combo list when it drops down,
// drawn here (icon, then text) and all as tall as the tallest. It tells its
// owner when an item is chosen, when the list closes and which key was pressed.
// While it has the keyboard, Enter and the navigation keys are its own before
// any shortcut of the application can take them.
#include <tavix/combos.h>
#include <tavix/host.h>
#include <tavix/native/gdi.h>
#include <tavix/native/message_filter.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/subclass.h>

#include <cstdint>
#include <optional>
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

class DropDownList : public native::SubclassOwner, public native::MessageFilter {
public:
    static constexpr int32_t kMinItemHeight { 15 };
    static constexpr int32_t kDefaultWidth { 120 };
    // The source of the errors the list raises.
    static constexpr const char* kErrorSource { "tavix.ODCboLst" };

    explicit DropDownList(DropDownListener& listener)
        : listener_(listener)
    {
    }
    ~DropDownList() override;
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;

    // Creates the out-of-sight control window in `parent` once.
    bool Create(native::HWND parent);
    // Takes over the items, font, width and height of `list`, icons from `imageList` (0: none).
    void Load(const ComboObject& list, int32_t imageList);
    // The width `list` needs to show its widest item whole beside the scroll bar.
    static int32_t FittingWidth(const ComboObject& list, int32_t imageList);

    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    int32_t ListIndex() const;
    // Selects a position and reports it chosen; -1 clears the selection. A
    // position the list rejects raises 381.
    void SetListIndex(int32_t index);
    // A position without an item raises 381.
    const GridVariant& ItemValue(int32_t index) const { return At(index).value; }
    int16_t ItemIconIndex(int32_t index) const { return At(index).icon; }
    const std::string& ItemText(int32_t index) const { return At(index).text; }
    // The selected item's text; "" when none.
    std::string Text() const;
    int32_t ValueIndex(const GridVariant& value) const;
    // The first item whose text begins with `prefix`, compared in upper case; -1 when none.
    int32_t InitialIndex(const std::string& prefix) const;
    int32_t ItemHeight() const { return itemHeight_; }

    // Measures every item again in the font, which the list keeps for as long as it uses it.
    void SetFont(const FontRef& font);
    void ImageList(int32_t handle);
    void SetWidth(int32_t width);
    void SetHeightInItems(int32_t count);
    // False switches visual styles off for the list window.
    void AllowXPStyles(bool allow);

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
    // native::MessageFilter: Enter and the navigation keys go to the list window.
    bool TranslateAccelerator(const native::MSG& msg) override;

private:
    void Deliver(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result);
    struct Item {
        std::string text;
        GridVariant value;
        int16_t icon { -1 };
    };
    struct IconSize {
        int32_t width { 0 };
        int32_t height { 0 };
    };
    static IconSize IconSizeOf(int32_t imageList);
    // Width and height of one item, its font selected into `dc`.
    static native::Size MeasureItem(native::HDC dc, const std::string& text, bool icon, IconSize iconSize);
    const Item& At(int32_t index) const;
    void DrawItem(const native::DRAWITEMSTRUCT& dis) const;
    void MeasureItems();

    DropDownListener& listener_;
    native::HWND window_ { 0 };
    native::HWND combo_ { 0 };
    std::vector<Item> items_;
    std::optional<FontRef> fontDescription_;
    native::UniqueGdiObject font_;
    int32_t imageList_ { 0 };
    IconSize icon_ {};
    int32_t itemHeight_ { kMinItemHeight };
    int32_t listWidth_ { kDefaultWidth };
    int32_t listHeight_ { kDefaultWidth };
    native::Rect placement_ {};
    bool placementPending_ { false };
    std::optional<native::ScopedMessageFilter> keys_;
};

}  // namespace tavix::edit
