#include <tavix/grid.h>

#include "grid_state.h"

#include <tavix/error.h>

#include <algorithm>
#include <cctype>

namespace tavix {
namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool HasHeaderItem(const core::ColumnData& c) { return c.Visible && !c.IsRowTextCol; }

void CheckColKeyUnique(const core::GridState& s, const std::string& key, int32_t ownPosition)
{
    if (key.empty())
        return;
    const int32_t p = s.columns.PositionOfKeyLower(Lower(key));
    if (p != 0 && p != ownPosition)
        RaiseGridError(tvErrDuplicateKey);
}

}  // namespace

CellObject& Tavix::AddCol(const std::string& sKey, const std::string& sHeader, ETextFormatFlags eHdrTextFlags,
    int16_t iIconIndex, int32_t lWidth, bool bVisible, const GridVariant& vColBefore, bool bIncludeInSelect,
    bool bRowTextCol, ESortTypes eSortType, int16_t lMinWidth, int16_t lMaxWidth, bool bAllowSizing,
    const GridVariant& vTag)
{
    return AddCol(AddColArgs { sKey, sHeader, eHdrTextFlags, iIconIndex, lWidth, bVisible, vColBefore, bIncludeInSelect,
        bRowTextCol, eSortType, lMinWidth, lMaxWidth, bAllowSizing, vTag });
}

CellObject& Tavix::AddCol(const AddColArgs& a)
{
    auto& s = *state_;
    CheckColKeyUnique(s, a.sKey, 0);
    int32_t width = a.lWidth == -1 ? 64 : a.lWidth;
    if (a.lMinWidth > -1 && width < a.lMinWidth)
        width = a.lMinWidth;
    if (a.lMaxWidth >= 0 && width > a.lMaxWidth)
        width = a.lMaxWidth;
    if (a.lMinWidth >= 0 && a.lMaxWidth >= 0 && a.lMaxWidth < a.lMinWidth)
        RaiseGridError(tvErrMaxWidthBelowMin);
    if (a.bRowTextCol && s.rowTextCol != 0)
        RaiseGridError(tvErrTwoRowTextColumns);
    const bool inserting = !a.vColBefore.IsMissing();
    const int32_t before = inserting ? s.ColPosition(a.vColBefore) : 0;
    if (s.rowTextCol != 0 && !inserting)
        RaiseGridError(tvErrColumnAfterRowText);
    s.view->InvalidateRange(1);
    s.view->CancelEdit();

    const int32_t position = inserting ? before : s.ColCount() + 1;
    const int32_t index = inserting ? s.columns.At(before).Index : s.ColCount() + 1;
    core::ColumnData& c = s.columns.Insert(position, index);
    c.Key = a.sKey;
    c.KeyLower = Lower(a.sKey);
    c.Visible = a.bVisible;
    c.HeaderText = a.sHeader;
    c.DefaultCell = std::make_unique<CellObject>(s);
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
        s.rowTextCol = index;
    else if (s.rowTextCol >= index)
        ++s.rowTextCol;
    if (inserting)
        s.view->HeaderRenumber(position, 1);
    if (HasHeaderItem(c))
        s.view->HeaderInsertItem(inserting ? s.columns.VisibleBefore(position) : -1, position, width);
    s.columns.RecalcLefts();
    s.cells.InsertColumn(index);
    for (int32_t r = 1; r <= s.rowCount; ++r)
        s.InitCell(r, index);
    if (s.headerAutoHeightFlags & tvHAHOnAddCol)
        s.view->HeaderAutoHeight(tvHAHOnAddCol);
    s.LayoutChanged();
    if (inserting && s.curCol >= index)
        s.SetCurrentCell(s.curRow, s.curCol + 1, true);
    return defaultCell;
}

void Tavix::RemoveCol(const GridVariant& vCol)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(vCol);
    const core::ColumnData& c = s.columns.At(position);
    const int32_t index = c.Index;
    const bool hadItem = HasHeaderItem(c);
    s.view->InvalidateRange(1);
    s.view->CancelEdit();
    if (c.IsRowTextCol) {
        s.rowTextCol = 0;
        s.rowTextStartCol = 0;
    } else if (s.rowTextCol > index) {
        --s.rowTextCol;
    }
    const int32_t newCur = s.curCol > index ? s.curCol - 1 : s.curCol == index ? 0 : s.curCol;
    if (s.ColCount() < 2) {
        s.ResetRows();
        s.ResetColumns();
        if (hadItem)
            s.view->HeaderDeleteItem(position);
    } else {
        s.columns.Remove(position);
        s.columns.RecalcLefts();
        s.cells.RemoveColumn(index);
        if (hadItem)
            s.view->HeaderDeleteItem(position);
        s.view->HeaderRenumber(position + 1, -1);
    }
    if (s.headerAutoHeightFlags & tvHAHOnRemoveCol)
        s.view->HeaderAutoHeight(tvHAHOnRemoveCol);
    s.LayoutChanged();
    s.SetCurrentCell(s.curRow, newCur, true);
}

int32_t Tavix::ColOrder(const GridVariant& vCol) const { return state_->ColPosition(vCol); }

void Tavix::SetColOrder(const GridVariant& vCol, int32_t lPosition)
{
    auto& s = *state_;
    const int32_t from = s.ColPosition(vCol);
    if (lPosition < 1 || lPosition > s.ColCount())
        RaiseGridError(tvErrSubscript);
    s.view->CancelEdit();
    if (lPosition == from)
        return;
    if (s.columns.At(from).Visible)
        s.view->HeaderMoveItem(from, s.columns.VisibleBefore(lPosition));
    s.columns.Move(from, lPosition);
    s.columns.RecalcLefts();
    s.LayoutChanged();
}

std::string Tavix::ColKey(int32_t lCol) const { return state_->columns.At(state_->ColPosition(GridVariant(lCol))).Key; }

void Tavix::SetColKey(int32_t lCol, const std::string& sKey)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(GridVariant(lCol));
    CheckColKeyUnique(s, sKey, position);
    s.columns.At(position).Key = sKey;
    s.columns.At(position).KeyLower = Lower(sKey);
}

GridVariant Tavix::ColTag(const GridVariant& vCol) const { return state_->columns.At(state_->ColPosition(vCol)).Tag; }

void Tavix::SetColTag(const GridVariant& vCol, const GridVariant& vTag)
{
    state_->columns.At(state_->ColPosition(vCol)).Tag = vTag;
}

int32_t Tavix::ColWidth(const GridVariant& vCol) const { return state_->columns.At(state_->ColPosition(vCol)).Width; }

void Tavix::SetColWidth(const GridVariant& vCol, int32_t lWidth)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(vCol);
    if (lWidth < 0)
        RaiseGridError(tvErrInvalidArgument);
    const core::ColumnData& c = s.columns.At(position);
    if (c.MinWidth >= 0 && lWidth < c.MinWidth)
        lWidth = c.MinWidth;
    if (c.MaxWidth >= 0 && lWidth > c.MaxWidth)
        lWidth = c.MaxWidth;
    ApplyColWidth(position, lWidth);
}

void Tavix::ApplyColWidth(int32_t position, int32_t width)
{
    auto& s = *state_;
    s.view->InvalidateRange(4);
    s.view->CancelEdit();
    core::ColumnData& c = s.columns.At(position);
    c.Width = width;
    s.columns.RecalcLefts();
    if (HasHeaderItem(c))
        s.view->HeaderSetItemWidth(position, width);
    s.LayoutChanged();
}

int32_t Tavix::ColMinWidth(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).MinWidth;
}

void Tavix::SetColMinWidth(const GridVariant& vCol, int32_t lWidth)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(vCol);
    core::ColumnData& c = s.columns.At(position);
    if (lWidth >= 0 && c.MaxWidth >= 0 && c.MaxWidth < lWidth)
        RaiseGridError(tvErrMaxWidthBelowMin);
    c.MinWidth = lWidth;
    if (lWidth >= 0 && c.Width < lWidth)
        ApplyColWidth(position, lWidth);
}

int32_t Tavix::ColMaxWidth(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).MaxWidth;
}

void Tavix::SetColMaxWidth(const GridVariant& vCol, int32_t lWidth)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(vCol);
    core::ColumnData& c = s.columns.At(position);
    if (lWidth >= 0 && c.MinWidth >= 0 && c.MinWidth > lWidth)
        RaiseGridError(tvErrMaxWidthBelowMin);
    c.MaxWidth = lWidth;
    if (lWidth >= 0 && c.Width > lWidth)
        ApplyColWidth(position, lWidth);
}

bool Tavix::ColAllowSizing(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).AllowSizing;
}

void Tavix::SetColAllowSizing(const GridVariant& vCol, bool bAllow)
{
    state_->columns.At(state_->ColPosition(vCol)).AllowSizing = bAllow;
}

bool Tavix::ColVisible(const GridVariant& vCol) const { return state_->columns.At(state_->ColPosition(vCol)).Visible; }

void Tavix::SetColVisible(const GridVariant& vCol, bool bVisible)
{
    auto& s = *state_;
    const int32_t position = s.ColPosition(vCol);
    s.view->InvalidateRange(4);
    core::ColumnData& c = s.columns.At(position);
    if (c.IsRowTextCol || c.Visible == bVisible)
        return;
    s.view->CancelEdit();
    c.Visible = bVisible;
    if (bVisible)
        s.view->HeaderInsertItem(s.columns.VisibleBefore(position), position, c.Width);
    else
        s.view->HeaderDeleteItem(position);
    const int32_t reason = bVisible ? tvHAHOnShowCol : tvHAHOnHideCol;
    if (s.headerAutoHeightFlags & reason)
        s.view->HeaderAutoHeight(reason);
    s.columns.RecalcLefts();
    s.LayoutChanged();
}

void Tavix::RefreshHeaderItem(int32_t position)
{
    auto& s = *state_;
    if (s.redraw && HasHeaderItem(s.columns.At(position)))
        s.view->HeaderRedrawItem(position);
}

void Tavix::HeaderContentsChanged()
{
    auto& s = *state_;
    if (!(s.headerAutoHeightFlags & tvHAHOnContentsChange))
        return;
    if (s.redraw) {
        s.view->HeaderAutoHeight(tvHAHOnContentsChange);
        s.LayoutChanged();
    } else {
        s.headerAutoHeightPending = true;
    }
}

std::string Tavix::ColHeaderText(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).HeaderText;
}

void Tavix::SetColHeaderText(const GridVariant& vCol, const std::string& sText)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).HeaderText = sText;
    RefreshHeaderItem(position);
    HeaderContentsChanged();
}

int16_t Tavix::ColHeaderIcon(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).HeaderIcon;
}

void Tavix::SetColHeaderIcon(const GridVariant& vCol, int16_t iIcon)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).HeaderIcon = iIcon;
    RefreshHeaderItem(position);
    HeaderContentsChanged();
}

ETextFormatFlags Tavix::ColHeaderTextFlags(const GridVariant& vCol) const
{
    return static_cast<ETextFormatFlags>(state_->columns.At(state_->ColPosition(vCol)).HeaderTextFlags);
}

void Tavix::SetColHeaderTextFlags(const GridVariant& vCol, ETextFormatFlags eFlags)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).HeaderTextFlags = eFlags;
    RefreshHeaderItem(position);
}

OleColor Tavix::ColHeaderBackColor(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).HeaderBackColor;
}

void Tavix::SetColHeaderBackColor(const GridVariant& vCol, OleColor oColor)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).HeaderBackColor = oColor;
    RefreshHeaderItem(position);
}

OleColor Tavix::ColHeaderForeColor(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).HeaderForeColor;
}

void Tavix::SetColHeaderForeColor(const GridVariant& vCol, OleColor oColor)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).HeaderForeColor = oColor;
    RefreshHeaderItem(position);
}

CellObject& Tavix::ColDefaultCell(const GridVariant& vCol)
{
    return *state_->columns.At(state_->ColPosition(vCol)).DefaultCell;
}

int32_t Tavix::RowTextStartCol() const { return state_->rowTextStartCol; }

void Tavix::SetRowTextStartCol(int32_t lCol)
{
    auto& s = *state_;
    s.CheckColIndex(lCol);
    s.rowTextStartCol = lCol;
    s.LayoutChanged();
}

}  // namespace tavix
