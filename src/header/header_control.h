#pragma once
// The grid's column header: a native "SysHeader32" window with one item per
// shown column, each carrying its column's display position. The control draws
// every item itself, tracks the pointer over the items and turns the native
// notifications into its own events. It reads the columns through the table and
// writes nothing of them.
#include "core/grid_table.h"
#include "header/header_settings.h"

#include <tavix/native/gdi.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/subclass.h>
#include <tavix/native/uxtheme.h>
#include <tavix/native/window.h>
#include <tavix/timer.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tavix::header {

// What the control reports; "item" is the native item index.
class HeaderControlEvents {
public:
    // Where an exception from the grid's event handlers ends when the message loop delivered the message.
    virtual Host& GridHost() = 0;
    virtual void ColumnWidthChanged(int32_t item, int32_t width) = 0;
    virtual void ColumnWidthChanging(int32_t item, int32_t width) = 0;
    // `cancel`: the drag does not start (the grid's handler changed the columns under it).
    virtual void StartColumnWidthChange(int32_t item, int32_t width, bool& cancel) = 0;
    virtual void DividerDblClick(int32_t item) = 0;
    virtual void ColumnClick(int32_t item, int32_t x, int32_t y) = 0;
    virtual void ColumnDblClick(int32_t item) = 0;
    virtual void ColumnBeginDrag(int32_t item, bool& cancel) = 0;
    virtual void ColumnEndDrag(int32_t item, int32_t newOrder, bool& cancel) = 0;
    virtual void RightClick(int32_t x, int32_t y) = 0;
    virtual void RecreateControl() = 0;
    virtual void MouseActivate(bool& noActivate) = 0;
    virtual void ColumnMouseEnter(int32_t item) = 0;
    virtual void ColumnMouseLeave(int32_t item) = 0;

protected:
    ~HeaderControlEvents() = default;
};

class HeaderControl {
public:
    // The empty area right of the last item, and no item recorded yet.
    static constexpr int32_t kEmptyArea = -1;
    static constexpr int32_t kNoHover = -100;

    HeaderControl(const core::GridTable& table, HeaderControlEvents& events);
    ~HeaderControl();
    HeaderControl(const HeaderControl&) = delete;
    HeaderControl& operator=(const HeaderControl&) = delete;

    // Creates the window as a child of the grid's window.
    void Attach(native::HWND parent, bool runMode);
    void DestroyWindow();
    // Destroys and creates the window again, then raises RecreateControl.
    void Recreate();
    native::HWND Window() const { return hwnd_; }

    HeaderSettings& Settings() { return settings_; }
    const HeaderSettings& Settings() const { return settings_; }
    // Applies what changed in the settings to the live window and repaints.
    void ApplyStyles();
    void RefreshEntireHeader();
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);
    void SetImageList(native::HIMAGELIST list);
    void SetFonts(native::HFONT text, native::HFONT sortInfo);
    void ChangeTheme();

    // Items; an index is the item's place in the header.
    int32_t ItemCount() const;
    // place -1 appends.
    void InsertItem(int32_t width, int32_t position, int32_t place);
    void DeleteItem(int32_t index);
    int32_t ItemData(int32_t index) const;
    void SetItemData(int32_t index, int32_t position);
    void SetItemWidth(int32_t index, int32_t width);
    int32_t ItemWidth(int32_t index) const;
    // The item carrying `position`, -1 when none.
    int32_t FindItem(int32_t position) const;
    void RepaintItem(int32_t index);

    // Where the window sits in the grid's client area.
    void SetPosition(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetLeft(int32_t left);
    void SetWidth(int32_t width);
    // Below MinHeight: ignored.
    void SetHeight(int32_t height);
    int32_t Left() const { return position_.left; }
    int32_t Top() const { return position_.top; }
    int32_t Width() const { return position_.Width(); }
    int32_t Height() const { return position_.Height(); }
    bool Visible() const { return settings_.visible; }

    // The size an item needs; see the header's measuring rules.
    void CalcItemAutoSize(int32_t item, int32_t& width, int32_t& height, int32_t available, bool useAvailable) const;
    // The height that fits every item, at least MinHeight.
    void AutoHeight();

private:
    class ParentHook;
    class WindowHook;

    void CreateNativeWindow();
    void PlaceWindow();
    native::DWORD StyleBits() const;
    native::LRESULT OnNotify(
        native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    void OnPaint(
        native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    void OnMouseMove(int32_t x, int32_t y);
    void OnHoverTick();
    void SetHoverItem(int32_t item);
    void DrawItem(const native::DRAWITEMSTRUCT& item);
    bool StylesInUse() const { return settings_.useXPStyles && native::IsAppThemed(); }
    int32_t SortedColumnCount() const;

    const core::GridTable& table_;
    HeaderControlEvents& events_;
    HeaderSettings settings_;
    native::HWND hwnd_ { 0 };
    native::HWND parent_ { 0 };
    bool runMode_ { true };
    native::Rect position_ {};
    bool placed_ { false };
    native::HCURSOR arrowCursor_ { 0 };
    native::HFONT textFont_ { 0 };
    native::HFONT sortInfoFont_ { 0 };
    native::HIMAGELIST imageList_ { 0 };
    int32_t iconWidth_ { 0 };
    int32_t iconHeight_ { 0 };
    bool buttonsSuspended_ { false };
    int32_t trackedItem_ { -1 };
    int32_t trackedWidth_ { -1 };
    bool tracking_ { false };
    bool dragging_ { false };
    int32_t hoverItem_ { kNoHover };
    bool hoverSizable_ { true };
    CTimer hoverTimer_;
    std::unique_ptr<ParentHook> parentHook_;
    std::unique_ptr<WindowHook> windowHook_;
};

}  // namespace tavix::header
