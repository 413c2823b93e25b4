#pragma once
// What the table operations need from the subsystems above the table: one small
// interface per concern, implemented by the subsystem that owns the behaviour and
// handed to the table when the grid is wired.
#include <tavix/enums.h>

#include <cstdint>

namespace tavix {
class ComboObject;
}

namespace tavix::core {

// The in-place editor: a running edit ends before the table changes under it.
class EditSession {
public:
    virtual void CancelEdit() = 0;
    virtual bool EditActive() const = 0;

protected:
    ~EditSession() = default;
};

// The drop-down list measures the combo lists' items as it shows them.
class ComboListMetrics {
public:
    // The list width that shows the widest item of `list` whole beside the scroll bar.
    virtual int32_t FittingWidth(const ComboObject& list) = 0;

protected:
    ~ComboListMetrics() = default;
};

// The column header keeps one item per shown column; items carry the display
// position of their column. A header place of -1 appends the item.
class HeaderItems {
public:
    virtual void ItemInserted(int32_t headerPlace, int32_t position, int32_t width) = 0;
    virtual void ItemRemoved(int32_t position) = 0;
    virtual void AllItemsRemoved() = 0;
    // The column at display position `from` moved to `to`; its item goes to the header place.
    virtual void ItemMoved(int32_t from, int32_t to, int32_t headerPlace) = 0;
    // The items of positions from `fromPosition` on now carry their position plus delta.
    virtual void ItemsRenumbered(int32_t fromPosition, int32_t delta) = 0;
    virtual void ItemResized(int32_t position, int32_t width) = 0;
    // The column's caption, icon, colours or sort state changed.
    virtual void ItemChanged(int32_t position) = 0;
    virtual void Repaint() = 0;
    // The header's auto-height flags include `reason`.
    virtual bool AutoHeightOn(EHeaderAutoHeightFlags reason) const = 0;
    // Fits the header's height to its contents.
    virtual void AutoHeight() = 0;

protected:
    ~HeaderItems() = default;
};

// How the visible range must be recomputed after a change.
enum class RangeChange : int8_t { Recompute, ScrolledUp, ScrolledDown, HorizontalOnly };

// The view layout: the visible range, the scroll bars and scrolling into view.
class LayoutUpdates {
public:
    virtual void InvalidateRange(RangeChange change) = 0;
    // Rows came or went while nothing is painted: the scroll bars still follow.
    virtual void UpdateScrollBars() = 0;
    virtual void ResetScrollPositions(bool horizontalToo) = 0;
    virtual void ScrollCellIntoView(int32_t row, int32_t colIndex) = 0;

protected:
    ~LayoutUpdates() = default;
};

// The painter: what changed is repainted on the next Draw.
class RepaintRequests {
public:
    // Columns, rows or sizes changed: everything in view is stale.
    virtual void MarkLayoutStale() = 0;
    // Paints what is stale; nothing while Redraw is off or without a window.
    virtual void Draw() = 0;
    // The default row height changed: what below the rows shows it is stale.
    virtual void DefaultRowHeightChanged() = 0;

protected:
    ~RepaintRequests() = default;
};

}  // namespace tavix::core
