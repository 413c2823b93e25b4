// Geometry, scrolling and window frame members of the facade.
#include "core/grid_table.h"
#include "layout/view_layout.h"

#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix {

void Tavix::GetStartEndCell(int32_t& lStartRow, int32_t& lStartCol, int32_t& lStartX, int32_t& lStartY,
    int32_t& lEndRow, int32_t& lEndCol, int32_t& lEndX, int32_t& lEndY)
{
    const layout::VisibleRange r = layout_->ComputeVisibleRange();
    const auto indexAt = [this](int32_t position) {
        return position >= 1 && position <= table_->ColCount() ? table_->Column(position).Index : 0;
    };
    lStartRow = r.StartRow;
    lStartCol = indexAt(r.StartCol);
    lStartX = r.StartX;
    lStartY = r.StartY;
    lEndRow = r.EndRow;
    lEndCol = indexAt(r.EndCol);
    lEndX = r.EndX;
    lEndY = r.EndY;
}

void Tavix::CellFromPoint(int32_t xPixels, int32_t yPixels, int32_t& lRow, int32_t& lCol)
{
    std::tie(lRow, lCol) = layout_->CellFromPoint(xPixels, yPixels);
}

void Tavix::CellBoundary(
    const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop, int32_t& lWidth, int32_t& lHeight)
{
    const int32_t row = table_->ResolveRow(vRow);
    const int32_t col = table_->ResolveCol(vCol);
    const layout::CellRect r = layout_->CellBoundary(row, col);
    lLeft = r.left;
    lTop = r.top;
    lWidth = r.width;
    lHeight = r.height;
}

void Tavix::EnsureVisibleCol(const GridVariant& vCol, EEnsureVisibleColMode eMode, int32_t lGap)
{
    layout_->EnsureVisibleCol(table_->ResolveCol(vCol), eMode, lGap);
}

void Tavix::EnsureVisibleRow(const GridVariant& vRow, EEnsureVisibleRowMode eMode, int32_t lGap)
{
    layout_->EnsureVisibleRow(table_->ResolveRow(vRow), eMode, lGap);
}

void Tavix::EnsureVisibleCell(const GridVariant& vRow, const GridVariant& vCol)
{
    const int32_t row = table_->ResolveRow(vRow);
    const int32_t col = table_->ResolveCol(vCol);
    table_->Editor().CancelEdit();
    layout_->ScrollCellIntoView(row, col);
}

namespace {

ScrollBarObject& RequireWindow(layout::ViewLayout& layout, ScrollBarObject& bar)
{
    if (layout.Window() == 0)
        throw TavixError::Runtime(rtObjectNotSet);
    return bar;
}

}  // namespace

ScrollBarObject& Tavix::HScrollBar() { return RequireWindow(*layout_, layout_->HScrollBar()); }
ScrollBarObject& Tavix::VScrollBar() { return RequireWindow(*layout_, layout_->VScrollBar()); }
EScrollBarStyles Tavix::ScrollBarStyle() const { return layout_->ScrollBarStyle(); }

void Tavix::SetScrollBarStyle(EScrollBarStyles eStyle)
{
    layout_->SetScrollBarStyle(eStyle);
    host_->PropertyChanged("ScrollBarStyle");
}

EAppearanceConstants Tavix::Appearance() const { return layout_->Appearance(); }

void Tavix::SetAppearance(EAppearanceConstants eAppearance)
{
    layout_->SetAppearance(eAppearance);
    host_->PropertyChanged("Appearance");
}

EBorderStyles Tavix::BorderStyle() const { return layout_->BorderStyle(); }

void Tavix::SetBorderStyle(EBorderStyles eStyle)
{
    layout_->SetBorderStyle(eStyle);
    host_->PropertyChanged("BorderStyle");
}

}  // namespace tavix
