// The column operations of the table.
#include "core/grid_table.h"

#include "core/extent.h"
#include "core/key_case.h"

#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix::core {
namespace {

bool HasHeaderItem(const ColumnData& c) { return c.Visible && !c.IsRowTextCol; }

}  // namespace

void GridTable::CheckColKeyUnique(const std::string& key, int32_t ownPosition) const
{
    if (key.empty())
        return;
    const int32_t p = columns_.PositionOfKeyLower(KeyLower(key));
    if (p != 0 && p != ownPosition)
        RaiseGridError(tvErrDuplicateKey);
}

void GridTable::AutoHeightFor(EHeaderAutoHeightFlags reason)
{
    if (Header().AutoHeightOn(reason))
        Header().AutoHeight();
}

CellObject& GridTable::AddCol(const AddColArgs& a)
{
    int32_t width = a.lWidth == -1 ? kDefaultColumnWidth : a.lWidth;
    if (a.lMinWidth > -1 && width < a.lMinWidth)
        width = a.lMinWidth;
    if (a.lMaxWidth >= 0 && width > a.lMaxWidth)
        width = a.lMaxWidth;
    const bool inserting = !a.vColBefore.IsMissing();
    // Run again when ending the edit changed the columns they read.
    const auto validate = [&] {
        CheckColKeyUnique(a.sKey, 0);
        if (a.lMinWidth >= 0 && a.lMaxWidth >= 0 && a.lMaxWidth < a.lMinWidth)
            RaiseGridError(tvErrMaxWidthBelowMin);
        if (a.bRowTextCol && rowTextCol_ != 0)
            RaiseGridError(tvErrTwoRowTextColumns);
        const int32_t before = inserting ? ColPosition(a.vColBefore) : 0;
        if (rowTextCol_ != 0 && !inserting)
            RaiseGridError(tvErrColumnAfterRowText);
        CheckExtent(columns_.Extent() + ExtentOf(width));
        return before;
    };
    int32_t before = validate();
    Layout().InvalidateRange(RangeChange::Recompute);
    if (EndEditChangedShape())
        before = validate();
    ++shape_;

    const int32_t position = inserting ? before : ColCount() + 1;
    const int32_t index = inserting ? columns_.At(before).Index : ColCount() + 1;
    ColumnData& c = columns_.Insert(position, index);
    c.Key = a.sKey;
    c.KeyLower = KeyLower(a.sKey);
    c.Visible = a.bVisible;
    c.HeaderText = a.sHeader;
    c.DefaultCell = std::make_unique<CellObject>(*this);
    c.HeaderIcon = a.iIconIndex;
    c.Width = width;
    c.IncludeInSelect = a.bIncludeInSelect;
    c.HeaderTextFlags = a.eHdrTextFlags;
    c.SortType = a.eSortType;
    c.Tag = a.vTag.IsMissing() ? GridVariant() : a.vTag;
    c.IsRowTextCol = a.bRowTextCol;
    c.MinWidth = a.lMinWidth;
    c.MaxWidth = a.lMaxWidth;
    c.AllowSizing = a.bAllowSizing;
    CellObject& defaultCell = *c.DefaultCell;

    if (a.bRowTextCol)
        rowTextCol_ = index;
    else if (rowTextCol_ >= index)
        ++rowTextCol_;
    if (inserting)
        Header().ItemsRenumbered(position, 1);
    if (HasHeaderItem(c))
        Header().ItemInserted(inserting ? columns_.VisibleBefore(position) : -1, position, width);
    columns_.RecalcLefts();
    cells_.InsertColumn(index);
    for (int32_t r = 1; r <= rowCount_; ++r)
        InitCell(r, index);
    // The current cell moves with its column before the columns are drawn, as in RemoveCol.
    const bool moves = inserting && curCol_ >= index;
    if (moves)
        SetCurrentCell(curRow_, curCol_ + 1, false);
    AutoHeightFor(tvHAHOnAddCol);
    LayoutChanged();
    if (moves)
        RaisePendingCurCellChange();
    return defaultCell;
}

void GridTable::RemoveCol(const GridVariant& vCol)
{
    int32_t position = ColPosition(vCol);
    Layout().InvalidateRange(RangeChange::Recompute);
    if (EndEditChangedShape())
        position = ColPosition(vCol);
    const ColumnData& c = columns_.At(position);
    const int32_t index = c.Index;
    const bool hadItem = HasHeaderItem(c);
    ++shape_;
    if (c.IsRowTextCol) {
        rowTextCol_ = 0;
        rowTextStartCol_ = 0;
    } else if (rowTextCol_ > index) {
        --rowTextCol_;
    }
    const int32_t newCur = curCol_ > index ? curCol_ - 1 : curCol_ == index ? 0 : curCol_;
    // Without columns no row is left either: the current cell goes as Clear lets it go.
    const bool last = ColCount() < 2;
    if (last) {
        ResetRows();
        ResetColumns();
        if (hadItem)
            Header().ItemRemoved(position);
    } else {
        columns_.Remove(position);
        columns_.RecalcLefts();
        cells_.RemoveColumn(index);
        if (hadItem)
            Header().ItemRemoved(position);
        Header().ItemsRenumbered(position + 1, -1);
    }
    // The current cell moves before the columns are drawn, so the focus is drawn where it now is.
    SetCurrentCell(last ? 0 : curRow_, last ? 0 : newCur, false);
    AutoHeightFor(tvHAHOnRemoveCol);
    LayoutChanged();
    RaisePendingCurCellChange();
}

void GridTable::SetColOrder(const GridVariant& vCol, int32_t position)
{
    const auto validate = [&] {
        const int32_t from = ColPosition(vCol);
        if (position < 1 || position > ColCount())
            RaiseGridError(tvErrSubscript);
        return from;
    };
    int32_t from = validate();
    if (EndEditChangedShape())
        from = validate();
    if (position == from)
        return;
    ++shape_;
    Header().ItemMoved(from, position, columns_.At(from).Visible ? columns_.VisibleBefore(position) : -1);
    columns_.Move(from, position);
    columns_.RecalcLefts();
    LayoutChanged();
}

void GridTable::SetColKey(int32_t colIndex, const std::string& key)
{
    const int32_t position = ColPosition(GridVariant(colIndex));
    CheckColKeyUnique(key, position);
    columns_.At(position).Key = key;
    columns_.At(position).KeyLower = KeyLower(key);
}

void GridTable::SetColTag(const GridVariant& vCol, const GridVariant& tag) { columns_.At(ColPosition(vCol)).Tag = tag; }

void GridTable::SetColWidth(const GridVariant& vCol, int32_t width)
{
    const int32_t position = ColPosition(vCol);
    if (width < 0)
        RaiseGridError(tvErrInvalidArgument);
    const ColumnData& c = columns_.At(position);
    if (c.MinWidth >= 0 && width < c.MinWidth)
        width = c.MinWidth;
    if (c.MaxWidth >= 0 && width > c.MaxWidth)
        width = c.MaxWidth;
    ApplyColWidth(vCol, position, width);
}

void GridTable::ApplyColWidth(const GridVariant& vCol, int32_t position, int32_t width)
{
    const auto check
        = [&] { CheckExtent(columns_.Extent() - ExtentOf(columns_.At(position).Width) + ExtentOf(width)); };
    check();
    Layout().InvalidateRange(RangeChange::HorizontalOnly);
    if (EndEditChangedShape()) {
        position = ColPosition(vCol);
        check();
    }
    ColumnData& c = columns_.At(position);
    c.Width = width;
    columns_.RecalcLefts();
    if (HasHeaderItem(c))
        Header().ItemResized(position, width);
    LayoutChanged();
}

void GridTable::SetColMinWidth(const GridVariant& vCol, int32_t width)
{
    const int32_t position = ColPosition(vCol);
    ColumnData& c = columns_.At(position);
    if (width >= 0 && c.MaxWidth >= 0 && c.MaxWidth < width)
        RaiseGridError(tvErrMaxWidthBelowMin);
    if (width >= 0 && c.Width < width)
        CheckExtent(columns_.Extent() - ExtentOf(c.Width) + ExtentOf(width));
    c.MinWidth = width;
    if (width >= 0 && c.Width < width)
        ApplyColWidth(vCol, position, width);
}

void GridTable::SetColMaxWidth(const GridVariant& vCol, int32_t width)
{
    const int32_t position = ColPosition(vCol);
    ColumnData& c = columns_.At(position);
    if (width >= 0 && c.MinWidth >= 0 && c.MinWidth > width)
        RaiseGridError(tvErrMaxWidthBelowMin);
    c.MaxWidth = width;
    if (width >= 0 && c.Width > width)
        ApplyColWidth(vCol, position, width);
}

void GridTable::SetColAllowSizing(const GridVariant& vCol, bool allow)
{
    columns_.At(ColPosition(vCol)).AllowSizing = allow;
}

void GridTable::SetColVisible(const GridVariant& vCol, bool visible)
{
    int32_t position = ColPosition(vCol);
    Layout().InvalidateRange(RangeChange::HorizontalOnly);
    const auto unchanged = [&] {
        const ColumnData& c = columns_.At(position);
        return c.IsRowTextCol || c.Visible == visible;
    };
    if (unchanged())
        return;
    if (EndEditChangedShape()) {
        position = ColPosition(vCol);
        if (unchanged())
            return;
    }
    ColumnData& c = columns_.At(position);
    c.Visible = visible;
    if (visible)
        Header().ItemInserted(columns_.VisibleBefore(position), position, c.Width);
    else
        Header().ItemRemoved(position);
    AutoHeightFor(visible ? tvHAHOnShowCol : tvHAHOnHideCol);
    columns_.RecalcLefts();
    LayoutChanged();
}

void GridTable::RefreshHeaderItem(int32_t position)
{
    if (redraw_ && HasHeaderItem(columns_.At(position)))
        Header().ItemChanged(position);
}

void GridTable::HeaderContentsChanged()
{
    if (!Header().AutoHeightOn(tvHAHOnContentsChange))
        return;
    if (redraw_) {
        Header().AutoHeight();
        LayoutChanged();
    } else {
        headerAutoHeightPending_ = true;
    }
}

void GridTable::SetColHeaderText(const GridVariant& vCol, const std::string& text)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).HeaderText = text;
    RefreshHeaderItem(position);
    HeaderContentsChanged();
}

void GridTable::SetColHeaderIcon(const GridVariant& vCol, int16_t icon)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).HeaderIcon = icon;
    RefreshHeaderItem(position);
    HeaderContentsChanged();
}

void GridTable::SetColHeaderTextFlags(const GridVariant& vCol, ETextFormatFlags flags)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).HeaderTextFlags = flags;
    RefreshHeaderItem(position);
}

void GridTable::SetColHeaderBackColor(const GridVariant& vCol, OleColor color)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).HeaderBackColor = color;
    RefreshHeaderItem(position);
}

void GridTable::SetColHeaderForeColor(const GridVariant& vCol, OleColor color)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).HeaderForeColor = color;
    RefreshHeaderItem(position);
}

void GridTable::SetColSortType(const GridVariant& vCol, ESortTypes type)
{
    columns_.At(ColPosition(vCol)).SortType = type;
}

void GridTable::SetColSortOrder(const GridVariant& vCol, ESortOrders order)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).SortOrder = order;
    RefreshHeaderItem(position);
}

void GridTable::SetColSortKey(const GridVariant& vCol, int32_t key)
{
    const int32_t position = ColPosition(vCol);
    columns_.At(position).SortKey = key;
    RefreshHeaderItem(position);
}

void GridTable::SetColumnSortState(int32_t position, int32_t key, ESortOrders order)
{
    ColumnData& c = columns_.At(position);
    c.SortKey = key;
    c.SortOrder = order;
}

}  // namespace tavix::core
