#pragma once
// The grid's side of the column header: it keeps one header item per shown
// column for the table, places the header above the cells, and turns what the
// user does on the header into grid events, sorts, column moves and width
// changes. Owns the header control and the public HeaderObject.
#include "core/grid_table.h"
#include "header/header_control.h"
#include "layout/view_layout.h"
#include "paint/auto_sizer.h"
#include "paint/grid_painter.h"
#include "sort/grid_sorter.h"

#include <tavix/font.h>
#include <tavix/header_object.h>
#include <tavix/native/gdi.h>

#include <cstdint>

namespace tavix::header {

class GridHeader : public core::HeaderItems,
                   public layout::HeaderGeometry,
                   public paint::HeaderItemWidth,
                   private HeaderControlEvents {
public:
    GridHeader(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter, paint::AutoSizer& sizer,
        sort::GridSorter& sorter);
    ~GridHeader();
    GridHeader(const GridHeader&) = delete;
    GridHeader& operator=(const GridHeader&) = delete;

    // The grid window exists: the header window is made in it, with an item per shown column.
    void Attach(native::HWND gridWindow, bool runMode);
    void Detach();
    // The grid window was resized or scrolled sideways: the header spans the
    // client width and moves with the cells.
    void Place();

    HeaderControl& Control() { return control_; }
    const HeaderControl& Control() const { return control_; }
    HeaderObject& Object() { return object_; }

    EHeaderAutoHeightFlags AutoHeightFlags() const { return autoHeightFlags_; }
    void SetAutoHeightFlags(EHeaderAutoHeightFlags flags) { autoHeightFlags_ = flags; }
    FontRef Font() const { return font_; }
    void SetFont(const FontRef& font);
    FontRef SortInfoFont() const { return sortInfoFont_; }
    void SetSortInfoFont(const FontRef& font);
    // Stored by the grid; reaches the header only where immediate resizing is supported.
    bool ImmediateColumnResizing() const { return immediateColumnResizing_; }
    void SetImmediateColumnResizing(bool immediate);
    void SetEnabled(bool enabled);
    // The height of the header window, as HeaderObject shows it.
    int32_t WindowHeight();
    // The header took another height or was shown or hidden: the cells follow.
    void HeightChanged();

    // core::HeaderItems
    void ItemInserted(int32_t headerPlace, int32_t position, int32_t width) override;
    void ItemRemoved(int32_t position) override;
    void AllItemsRemoved() override;
    void ItemMoved(int32_t from, int32_t to, int32_t headerPlace) override;
    void ItemsRenumbered(int32_t fromPosition, int32_t delta) override;
    void ItemResized(int32_t position, int32_t width) override;
    void ItemChanged(int32_t position) override;
    void Repaint() override { control_.RefreshEntireHeader(); }
    bool AutoHeightOn(EHeaderAutoHeightFlags reason) const override { return (autoHeightFlags_ & reason) != 0; }
    void AutoHeight() override;

    // layout::HeaderGeometry
    int32_t Height() override;
    void FollowScrollX() override { Place(); }
    // paint::HeaderItemWidth
    int32_t NeededWidth(int32_t position) override;

private:
    // HeaderControlEvents
    Host& GridHost() override { return table_.GetHost(); }
    void ColumnWidthChanged(int32_t item, int32_t width) override;
    void ColumnWidthChanging(int32_t item, int32_t width) override;
    void StartColumnWidthChange(int32_t item, int32_t width, bool& cancel) override;
    void DividerDblClick(int32_t item) override;
    void ColumnClick(int32_t item, int32_t x, int32_t y) override;
    void ColumnDblClick(int32_t item) override;
    void ColumnBeginDrag(int32_t item, bool& cancel) override;
    void ColumnEndDrag(int32_t item, int32_t newOrder, bool& cancel) override;
    void RightClick(int32_t x, int32_t y) override;
    void RecreateControl() override;
    void MouseActivate(bool& noActivate) override;
    void ColumnMouseEnter(int32_t item) override;
    void ColumnMouseLeave(int32_t item) override;

    // The column of a header item: its display position, and its index (0 for none).
    int32_t PositionOf(int32_t item) const;
    int32_t ColumnOf(int32_t item) const;
    void ApplyFonts();
    void ResolveAutoHeight();
    // The inverted line that shows a column's new right edge while a divider is
    // dragged without immediate resizing; drawing it twice erases it.
    void InvertTrackingLine(int32_t x) const;
    void ConfinePointer(const core::ColumnData& column, int32_t width) const;

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    paint::AutoSizer& sizer_;
    sort::GridSorter& sorter_;
    HeaderControl control_;
    HeaderObject object_ { *this };
    EHeaderAutoHeightFlags autoHeightFlags_ { static_cast<EHeaderAutoHeightFlags>(tvHAHOnAddCol | tvHAHOnThemeChange) };
    FontRef font_;
    FontRef sortInfoFont_;
    FontRef::Subscription fontWatch_;
    FontRef::Subscription sortInfoFontWatch_;
    native::UniqueGdiObject textFont_;
    native::UniqueGdiObject sortFont_;
    bool immediateColumnResizing_ { false };
    // A divider drag is in progress, and where its line is drawn (-1: none).
    bool resizing_ { false };
    int32_t lineX_ { -1 };
    bool autoHeightPending_ { false };
};

}  // namespace tavix::header
