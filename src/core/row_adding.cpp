#include "row_adding.h"

#include "grid_state.h"

#include <tavix/error.h>

namespace tavix::core {
namespace {

void FillRow(RowData& r, const AddRowArgs& a, int32_t height, int32_t normalHeight)
{
    r.Tag = a.vTag;
    r.IsGroup = a.bGroupRow;
    r.GroupStartCol = a.lGroupColStartIndex;
    r.Visible = a.bVisible;
    r.Height = height;
    r.NormalCellHeight = normalHeight;
    r.Key = a.sKey;
    r.SortMark = false;
}

void InitRowCells(GridState& s, int32_t row)
{
    for (int32_t c = 1; c <= s.ColCount(); ++c)
        s.InitCell(row, c);
}

void InsertRow(GridState& s, int32_t before, const AddRowArgs& a, int32_t height, int32_t keyPosition)
{
    const int32_t n = ++s.rowCount;
    s.EnsureRowCapacity(n);
    const int32_t top = s.rows.At(before).Top;
    // The spare row at n becomes the new row at `before`; the rows in between slide down.
    s.rows.RotateDown(before, n);
    s.cells.RotateDown(before, n);
    if (a.bVisible)
        for (int32_t i = before + 1; i <= n; ++i)
            s.rows.At(i).Top += height;
    RowData& r = s.rows.At(before);
    FillRow(r, a, height, s.defaultRowHeight);
    r.Top = top;
    if (a.bVisible)
        s.UpdateParity(before);
    InitRowCells(s, before);
    if (!a.sKey.empty())
        s.rowKeys.Insert(keyPosition, before, true);
    else
        s.rowKeys.ShiftFrom(before, 1);
}

void AppendRow(GridState& s, const AddRowArgs& a, int32_t height, int32_t keyPosition)
{
    const int32_t n = ++s.rowCount;
    s.EnsureRowCapacity(n);
    RowData& r = s.rows.At(n);
    FillRow(r, a, height, s.defaultRowHeight);
    const RowData& above = s.rows.At(n - 1);
    r.Top = n == 1 ? 0 : above.Top + (above.Visible ? above.Height : 0);
    if (a.bVisible)
        s.UpdateParity(n);
    InitRowCells(s, n);
    if (!a.sKey.empty())
        s.rowKeys.Insert(keyPosition, n, false);
}

}  // namespace

void AddRow(GridState& s, const AddRowArgs& a)
{
    if (s.ColCount() == 0)
        RaiseGridError(tvErrNoColumns);
    const int32_t before = a.vRowBefore.IsMissing() ? 0 : s.ResolveRow(a.vRowBefore);
    int32_t keyPosition = 0;
    if (!a.sKey.empty()) {
        const auto hit = s.rowKeys.Find(a.sKey, s.KeyOf());
        if (hit.found)
            RaiseGridError(tvErrDuplicateKey);
        keyPosition = hit.position;
    }
    s.view->InvalidateRange(1);
    const int32_t height = a.lHeight < 0 ? s.defaultRowHeight : a.lHeight;
    if (before > 0)
        InsertRow(s, before, a, height, keyPosition);
    else
        AppendRow(s, a, height, keyPosition);
    s.view->EnsurePaintBufferHeight(height);
    if (a.bGroupRow)
        ++s.groupRowCount;
    s.LayoutChanged();
    if (!s.redraw)
        s.view->UpdateScrollBars();
    if (before > 0)
        s.SetCurrentCell(s.curRow < before ? s.curRow : s.curRow + 1, s.curCol, true);
}

}  // namespace tavix::core
