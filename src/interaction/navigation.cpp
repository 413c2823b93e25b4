#include "interaction/navigation.h"

namespace tavix::interaction {

bool Navigation::RowNavigable(int32_t row) const
{
    const auto& r = table_.Row(row);
    return r.Visible && r.Height > 0;
}

bool Navigation::PosNavigable(int32_t position) const
{
    const auto& c = table_.Column(position);
    return c.Visible && !c.IsRowTextCol && c.Width > 0;
}

int32_t Navigation::WalkRows(int32_t from, int32_t step) const
{
    for (int32_t r = from; r >= 1 && r <= table_.RowCount(); r += step)
        if (RowNavigable(r))
            return r;
    return 0;
}

int32_t Navigation::FirstNavRow() const { return WalkRows(1, 1); }
int32_t Navigation::LastNavRow() const { return WalkRows(table_.RowCount(), -1); }

int32_t Navigation::FirstNavCol() const
{
    for (int32_t p = 1; p <= table_.ColCount(); ++p)
        if (PosNavigable(p))
            return table_.Column(p).Index;
    return 0;
}

int32_t Navigation::LastNavCol() const
{
    for (int32_t p = table_.ColCount(); p >= 1; --p)
        if (PosNavigable(p))
            return table_.Column(p).Index;
    return 0;
}

int32_t Navigation::FirstVisibleCol() const
{
    for (int32_t p = 1; p <= table_.ColCount(); ++p) {
        const auto& c = table_.Column(p);
        if (c.Visible && c.Width > 0 && !c.IsRowTextCol)
            return c.Index;
    }
    return 0;
}

CellPos Navigation::NextCell(int32_t colStep, int32_t rowStep)
{
    if (table_.CurRow() < 1)
        return { FirstNavRow(), FirstNavCol() };
    if (colStep != 0)
        return HorizontalStep(colStep);
    return VerticalStep({ table_.CurRow(), table_.CurCol() }, rowStep);
}

CellPos Navigation::HorizontalStep(int32_t colStep) const
{
    const CellPos here { table_.CurRow(), table_.CurCol() };
    const int32_t count = table_.ColCount();
    const bool groupRow = table_.Row(table_.CurRow()).IsGroup;
    int32_t q = (table_.CurCol() > 0 ? table_.Columns().PositionOfIndex(table_.CurCol()) : 0) + colStep;
    if (q >= 1 && q <= count) {
        // A group row spans the columns: any step inside it leaves the row upwards.
        if (groupRow)
            q = 0;
        while (q >= 1 && q <= count && !PosNavigable(q))
            q += colStep;
        if (q >= 1 && q <= count)
            return { table_.CurRow(), table_.Column(q).Index };
    }
    const bool up = q < 1;
    const int32_t col = up ? LastNavCol() : FirstNavCol();
    if (col == 0)
        return here;
    const int32_t row = up ? WalkRows(table_.CurRow() - 1, -1) : WalkRows(table_.CurRow() + 1, 1);
    if (row == 0)
        return here;
    return { row, table_.Row(row).IsGroup ? table_.RowTextCol() : col };
}

CellPos Navigation::VerticalStep(CellPos from, int32_t rowStep)
{
    for (int32_t r = from.row + rowStep;; r += rowStep) {
        if (r > table_.RowCount() && rowStep > 0)
            while (r > table_.RowCount() && RequestRow()) { }
        if (r < 1 || r > table_.RowCount())
            return from;
        if (!RowNavigable(r))
            continue;
        if (table_.Row(r).IsGroup)
            return { r, table_.RowTextCol() };
        if (table_.RowTextCol() != 0 && from.col == table_.RowTextCol())
            return { r, FirstVisibleCol() };
        return { r, from.col };
    }
}

int32_t Navigation::PageUpTarget(int32_t startRow) const
{
    const auto& start = table_.Row(startRow);
    const int32_t limit = start.Top + start.Height - layout_.ViewHeight();
    // Tops never decrease, so the rows above the limit form a prefix of 1 .. startRow-1.
    int32_t lo = 1;
    int32_t hi = startRow;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (table_.Row(mid).Top < limit)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int32_t r = lo - 1; r >= 1; --r)
        if (table_.Row(r).Visible)
            return r;
    return FirstNavRow();
}

int32_t Navigation::PageDownTarget(int32_t startRow)
{
    const auto& start = table_.Row(startRow);
    const int32_t limit = start.Top + layout_.ViewHeight() - start.Height;
    int32_t lo = startRow + 1;
    int32_t hi = table_.RowCount() + 1;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (table_.Row(mid).Top > limit)
            hi = mid;
        else
            lo = mid + 1;
    }
    for (int32_t r = lo;; ++r) {
        if (r > table_.RowCount() && !RequestRow())
            return LastNavRow();
        if (r <= table_.RowCount() && table_.Row(r).Visible && table_.Row(r).Top > limit)
            return r;
    }
}

bool Navigation::RequestRow()
{
    if (!table_.IsVirtual() || !table_.MoreRows())
        return false;
    const int32_t before = table_.RowCount();
    return table_.RequestNextRow(before + 1) && table_.RowCount() > before;
}

}  // namespace tavix::interaction
