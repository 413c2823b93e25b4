#pragma once
// The grid paints itself: each row that holds a changed cell is composed in an
// off-screen row buffer and copied to the window in one block, then the space
// below the last row is filled. Owns the appearance settings, the painting
// resources kept between Draws and the repaint marks of the whole view.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/appearance.h"
#include "paint/overflow_rects.h"
#include "paint/paint_resources.h"

#include <cstdint>
#include <vector>

namespace tavix::paint {

struct DrawContext;
struct RowPlan;

// What painting reads from the editor.
class EditingState {
public:
    // Edits may start (cells show their combo buttons).
    virtual bool Editable() const = 0;
    // An editor is open over the current cell.
    virtual bool EditActive() const = 0;

protected:
    ~EditingState() = default;
};

// The typed-ahead prefix the incremental search shows highlighted in its cell.
struct SearchHighlight {
    core::CellRef cell {};
    int32_t prefixLength { 0 };
};

class GridPainter : public core::RepaintRequests {
public:
    GridPainter(core::GridTable& table, layout::ViewLayout& layout);
    GridPainter(const GridPainter&) = delete;
    GridPainter& operator=(const GridPainter&) = delete;

    void Connect(const EditingState& editing) { editing_ = &editing; }

    const Appearance& Look() const { return look_; }
    // Stores a setting that changes how every cell looks: everything is repainted.
    // `below`: it shows in the empty area under the last row too.
    template <typename T> void SetLook(T Appearance::*field, T value, bool below = false)
    {
        look_.*field = value;
        needFullRedraw_ = true;
        needPaintBelow_ = needPaintBelow_ || below;
        Draw();
    }
    // Stores a setting that shows only in what is painted next.
    template <typename T> void StoreLook(T Appearance::*field, T value) { look_.*field = value; }
    void SetEnabled(bool enabled);
    void SetBackgroundPicture(native::SurfacePtr picture);
    void SetImageList(int32_t handle);
    void SetUseXPStyles(bool use);
    // Feature number outside the known ones: empty.
    std::optional<bool> Supports(int32_t feature);

    // core::RepaintRequests
    // Repaints what is pending; nothing while Redraw is off, before the grid is
    // ready, during a virtual-mode row request or without a window.
    void Draw() override;
    void MarkLayoutStale() override;
    void DefaultRowHeightChanged() override;

    // The window needs painting: everything in view is repainted.
    void Paint();
    // Every row in view is repainted on the next Draw.
    void MarkFullRedraw() { needFullRedraw_ = true; }
    // The view moved: the cells in view and the area below them are stale.
    void MarkViewMoved();
    // Every cell of the visible columns in the rows StartRow-1 .. EndRow.
    void MarkAllVisibleCellsChanged();
    // The system's visual style changed.
    void OnThemeChanged();

    // Inputs of the subsystems above: the hot cell control under the pointer,
    // the search prefix and whether a column divider drag holds the cells back.
    void SetHotControl(core::CellRef cell, bool hot);
    void SetSearchHighlight(SearchHighlight highlight) { search_ = highlight; }
    const SearchHighlight& Search() const { return search_; }
    void SetCellsDeferredBySizing(bool deferred) { cellsDeferred_ = deferred; }
    // The cell whose check box or combo button is drawn hot; none when 0, 0.
    core::CellRef HotControl() const { return hotControl_; }
    bool EditActive() const { return editing_ != nullptr && editing_->EditActive(); }

    // Whether the cell shows its combo button: never on a grid that cannot be
    // edited, always on the current cell, elsewhere as ShowControlsInAllCells says.
    bool ShowsCellControl(int32_t row, int32_t colIndex) const;
    bool ThemesActive() const { return res_.theme.ThemesActive(); }
    int32_t CheckBoxSize() const { return res_.theme.CheckBoxSize(); }
    // Where the no-clip texts of `row` flow, by display position.
    std::vector<OverflowRect> OverflowRects(int32_t row);
    // The surface and fonts texts are measured with: the row buffer's, with the grid font selected.
    native::HDC MeasuringDc();
    FontCache& Fonts() { return res_.fonts; }
    // Where the cell's text is drawn; a no-clip text's room depends on its
    // neighbours' texts, which only painting measures.
    layout::CellRect CellTextRect(int32_t row, int32_t colIndex);
    // The native font of a pooled cell font; the grid's font for 0.
    SharedFont CellFont(int16_t fontIndex);
    // Rows composed so far; unchanged rows are not composed again.
    int64_t RowsComposed() const { return res_.rowsComposed; }
    int32_t BufferHeight() const { return res_.buffer.Height(); }

private:
    bool MayDraw();
    bool HasFocus() const;
    void PrepareSurface(DrawContext& ctx);
    void PrepareBrushes(DrawContext& ctx) const;
    void ExtendVirtualRows(layout::VisibleRange& range) const;
    // Returns the client bottom (header included) of the last row passed.
    int32_t PaintRows(DrawContext& ctx, const layout::VisibleRange& range);
    // Virtual mode: asks the application for a row painting has reached.
    bool RequestRow(int32_t row);
    bool PlanRow(const DrawContext& ctx, const layout::VisibleRange& range, RowPlan& plan);
    bool ConsumeMarks(const DrawContext& ctx, const RowPlan& plan);
    void PaintBelow(DrawContext& ctx, const layout::VisibleRange& range, int32_t lastBottom);
    void PaintGhostRows(DrawContext& ctx, const layout::VisibleRange& range, int32_t top, int32_t limit) const;
    // Rows are composed a view at most at a time: the buffer never outgrows the window.
    int32_t BufferHeightFor(int32_t rowHeight) const;
    void EnsureBufferHeight(int32_t height);
    void RefreshTheme();

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    const EditingState* editing_ { nullptr };
    Appearance look_;
    PaintResources res_;

    bool needFullRedraw_ { true };
    bool needPaintBelow_ { true };
    bool forcePaintOnce_ { false };
    core::CellRef hotControl_ {};
    SearchHighlight search_ {};
    bool cellsDeferred_ { false };
    // Set when a row request stopped because its handler changed the grid.
    bool rowsChanged_ { false };
};

}  // namespace tavix::paint
