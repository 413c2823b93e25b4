#pragma once

#include <cstdint>

namespace tavix::scroll {
class ScrollBars;
}

namespace tavix::core {

// The calls the table operations make into the view subsystems (layout,
// painting, header, editing, scroll bars). The core alone has no view, so every
// call is a no-op here; the view subsystems override what they handle.
class GridViewHooks {
public:
    virtual ~GridViewHooks() = default;

    virtual void InvalidateRange(int32_t /*mode*/) { }
    virtual void MarkLayoutStale() { }
    // Called whenever a change must reach the screen; painting honours Redraw.
    virtual void Draw() { }
    virtual void CancelEdit() { }
    virtual void UpdateScrollBars() { }
    virtual void EnsurePaintBufferHeight(int32_t /*height*/) { }
    virtual void ResetScrollPositions(bool /*horizontalToo*/) { }

    // Header items carry the display position of their column; a header place
    // of -1 appends the item.
    virtual void HeaderInsertItem(int32_t /*headerPlace*/, int32_t /*position*/, int32_t /*width*/) { }
    virtual void HeaderDeleteItem(int32_t /*position*/) { }
    virtual void HeaderDeleteAllItems() { }
    virtual void HeaderMoveItem(int32_t /*position*/, int32_t /*headerPlace*/) { }
    virtual void HeaderRenumber(int32_t /*fromPosition*/, int32_t /*delta*/) { }
    virtual void HeaderSetItemWidth(int32_t /*position*/, int32_t /*width*/) { }
    virtual void HeaderRedrawItem(int32_t /*position*/) { }
    virtual void HeaderRepaint() { }
    virtual void HeaderAutoHeight(int32_t /*reasonFlag*/) { }

    // The grid window and its parts; none exist before the grid is created in a window.
    virtual int32_t Window() const { return 0; }
    virtual scroll::ScrollBars* Bars() { return nullptr; }
    virtual int32_t HeaderHeight() const { return 0; }
    virtual bool HasFocus() const { return false; }
    // Scrolls so that the cell is in view (the current cell after a move or a sort).
    virtual void ScrollCellIntoView(int32_t /*row*/, int32_t /*col*/) { }
};

}  // namespace tavix::core
