#pragma once
// Where columns and rows lie, what is in view, what lies under a point, and the
// scrolling that brings a column, row or cell into view. Owns the view's size and
// scroll offsets, the visible-range cache, the window frame settings and the two
// scroll bars (attached once the grid has a window).
#include "core/grid_table.h"
#include "scroll/scroll_bars.h"

#include <tavix/enums.h>
#include <tavix/native/surface.h>
#include <tavix/scroll_bar_object.h>

#include <cstdint>
#include <optional>
#include <utility>

namespace tavix::layout {

// The rows and columns in view; columns are display positions.
struct VisibleRange {
    int32_t StartRow { 0 };
    int32_t StartCol { 0 };
    int32_t StartX { 0 };
    int32_t StartY { 0 };
    int32_t EndRow { -1 };
    int32_t EndCol { 0 };
    int32_t EndX { 0 };
    int32_t EndY { 0 };
};

struct CellRect {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t width { 0 };
    int32_t height { 0 };
};

struct RowTextStart {
    int32_t firstSelectablePos { 1 };
    int32_t rowTextStartPos { 1 };
};

// The header sits above the cells; its height is the header's own, 0 while hidden.
class HeaderGeometry {
public:
    // May first fit the header to contents that changed while nothing was drawn.
    virtual int32_t Height() = 0;
    // The cells moved sideways without a scroll (a shrunk range pulled the bar in).
    virtual void FollowScrollX() = 0;

protected:
    ~HeaderGeometry() = default;
};

class ViewLayout : public core::LayoutUpdates {
public:
    explicit ViewLayout(core::GridTable& table);
    ViewLayout(const ViewLayout&) = delete;
    ViewLayout& operator=(const ViewLayout&) = delete;

    void Connect(HeaderGeometry& header) { header_ = &header; }

    // The grid's window: the bars attach to it and the view is measured from it.
    void AttachWindow(native::HWND hwnd, scroll::ScrollListener& listener);
    void DetachWindow();
    native::HWND Window() const { return window_; }
    // Re-creates the bars after a system metric change; true when their size changed.
    bool RecreateScrollBars();

    // Border width of the window frame that Appearance and BorderStyle select.
    static int32_t BorderWidth(EAppearanceConstants appearance, EBorderStyles borderStyle);
    // Window styles (WS_BORDER) and extended styles (edges) of the frame.
    std::pair<native::DWORD, native::DWORD> FrameStyles() const;
    EAppearanceConstants Appearance() const { return appearance_; }
    EBorderStyles BorderStyle() const { return borderStyle_; }
    // Store the setting and restyle the window's frame.
    void SetAppearance(EAppearanceConstants appearance);
    void SetBorderStyle(EBorderStyles style);

    // The scroll bars while the grid has a window, else null.
    scroll::ScrollBars* Bars();
    const scroll::ScrollBars* Bars() const;
    ScrollBarObject& HScrollBar() { return hObject_; }
    ScrollBarObject& VScrollBar() { return vObject_; }
    EScrollBarStyles ScrollBarStyle() const { return scrollBarStyle_; }
    void SetScrollBarStyle(EScrollBarStyles style);

    int32_t ScrollX() const { return scrollX_; }
    int32_t ScrollY() const { return scrollY_; }
    int32_t ViewWidth() const { return viewWidth_; }
    int32_t ViewHeight() const { return viewHeight_; }
    int32_t HeaderHeight() const;
    // The bars' thickness when they were made.
    int32_t HScrollHeight() const { return hScrollHeight_; }
    int32_t VScrollWidth() const { return vScrollWidth_; }
    // A scroll bar moved: the offset follows and the range is recomputed from the
    // direction moved.
    void ScrollTo(EScrollBar bar, int32_t value);

    void RecalcLayout(bool raiseEvents);
    // Screen rectangle of the grid window less its border.
    native::Rect GetViewRect(bool belowHeader, bool excludeScrollBars) const;
    const VisibleRange& ComputeVisibleRange();
    // The range as last computed, stale or not.
    const VisibleRange& CachedRange() const { return range_; }
    bool RangeValid() const { return rangeState_ == RangeState::Valid; }

    int32_t ContentWidth() const;
    int32_t ContentHeight() const;
    // What the vertical range reaches below the content.
    int32_t RoomBelow() const;
    bool RowTextInEffect() const;
    RowTextStart GetRowTextStart() const;
    int32_t GroupStartPos(int32_t colIndex) const;
    int32_t LastVisiblePos() const;

    // Client coordinates in; (row, column index), 0 when none.
    std::pair<int32_t, int32_t> CellFromPoint(int32_t x, int32_t y);
    // Client rectangle of a resolved cell (row number, column index).
    CellRect CellBoundary(int32_t row, int32_t colIndex) const;
    // iconWidth: that of the grid's image list. noClipRoom: client left and right
    // of the room a no-clip text may flow into (painting computes it); without it
    // the cell's own column is used.
    CellRect CellTextBoundary(int32_t row, int32_t colIndex, int32_t iconWidth,
        std::optional<std::pair<int32_t, int32_t>> noClipRoom = std::nullopt) const;

    void EnsureVisibleCol(int32_t colIndex, EEnsureVisibleColMode mode, int32_t gap);
    void EnsureVisibleRow(int32_t row, EEnsureVisibleRowMode mode, int32_t gap);

    // core::LayoutUpdates
    void InvalidateRange(core::RangeChange change) override;
    void UpdateScrollBars() override { RecalcLayout(false); }
    void ResetScrollPositions(bool horizontalToo) override;
    void ScrollCellIntoView(int32_t row, int32_t colIndex) override;

private:
    enum class RangeState : int8_t { Valid, Recompute, ScrolledUp, ScrolledDown, HorizontalOnly };

    void AttachBars();
    void ApplyFrameStyle();
    int32_t SkipRowsAbove(int32_t from, int32_t to) const;
    void ScanRowsForward(VisibleRange& r, int32_t from, int32_t to) const;
    void ScanRowsBackward(VisibleRange& r, int32_t from, int32_t to) const;

    core::GridTable& table_;
    HeaderGeometry* header_ { nullptr };
    native::HWND window_ { 0 };
    scroll::ScrollListener* listener_ { nullptr };
    scroll::ScrollBars bars_;
    ScrollBarObject hObject_ { bars_, tvScrollBarH };
    ScrollBarObject vObject_ { bars_, tvScrollBarV };
    EScrollBarStyles scrollBarStyle_ { tvScrollBarRegular };
    EAppearanceConstants appearance_ { tvAppearance3D };
    EBorderStyles borderStyle_ { tvBorder3D };

    int32_t viewWidth_ { 0 };
    int32_t viewHeight_ { 0 };
    int32_t contentWidth_ { 0 };
    int32_t contentHeight_ { 0 };
    int32_t scrollX_ { 0 };
    int32_t scrollY_ { 0 };
    int32_t hScrollHeight_ { 0 };
    int32_t vScrollWidth_ { 0 };
    VisibleRange range_ {};
    RangeState rangeState_ { RangeState::Recompute };
};

}  // namespace tavix::layout
