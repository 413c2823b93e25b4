#include <tavix/grid.h>

#include "layout/layout.h"

namespace tavix {

void Tavix::GetStartEndCell(int32_t& lStartRow, int32_t& lStartCol, int32_t& lStartX, int32_t& lStartY,
    int32_t& lEndRow, int32_t& lEndCol, int32_t& lEndX, int32_t& lEndY)
{
    auto& s = State();
    const core::VisibleRange r = layout::Layout(s).ComputeVisibleRange();
    lStartRow = r.StartRow;
    lStartCol = r.StartCol >= 1 && r.StartCol <= s.ColCount() ? s.columns.At(r.StartCol).Index : 0;
    lStartX = r.StartX;
    lStartY = r.StartY;
    lEndRow = r.EndRow;
    lEndCol = r.EndCol >= 1 && r.EndCol <= s.ColCount() ? s.columns.At(r.EndCol).Index : 0;
    lEndX = r.EndX;
    lEndY = r.EndY;
}

void Tavix::CellFromPoint(int32_t xPixels, int32_t yPixels, int32_t& lRow, int32_t& lCol)
{
    std::tie(lRow, lCol) = layout::Layout(State()).CellFromPoint(xPixels, yPixels);
}

void Tavix::CellBoundary(
    const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop, int32_t& lWidth, int32_t& lHeight)
{
    auto& s = State();
    const int32_t row = s.ResolveRow(vRow);
    const int32_t col = s.ResolveCol(vCol);
    const layout::CellRect r = layout::Layout(s).CellBoundary(row, col);
    lLeft = r.left;
    lTop = r.top;
    lWidth = r.width;
    lHeight = r.height;
}

void Tavix::EnsureVisibleCol(const GridVariant& vCol, EEnsureVisibleColMode eMode, int32_t lGap)
{
    auto& s = State();
    const int32_t col = s.ResolveCol(vCol);
    layout::Layout(s).EnsureVisibleCol(col, eMode, lGap);
}

void Tavix::EnsureVisibleRow(const GridVariant& vRow, EEnsureVisibleRowMode eMode, int32_t lGap)
{
    auto& s = State();
    const int32_t row = s.ResolveRow(vRow);
    layout::Layout(s).EnsureVisibleRow(row, eMode, lGap);
}

void Tavix::EnsureVisibleCell(const GridVariant& vRow, const GridVariant& vCol)
{
    auto& s = State();
    const int32_t row = s.ResolveRow(vRow);
    const int32_t col = s.ResolveCol(vCol);
    layout::Layout(s).ScrollCellIntoView(row, col);
}

}  // namespace tavix
