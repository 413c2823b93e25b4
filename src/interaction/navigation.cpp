#include "navigation.h"

#include "core/virtual_rows.h"

namespace tavix::interaction {

bool Navigation::RowNavigable(int32_t row) const
{
    const auto& r = s_.rows.At(row);
    return r.Visible && r.Height > 0;
}

bool Navigation::PosNavigable(int32_t position) const
{
    const auto& c = s_.columns.At(position);
    return c.Visible && !c.IsRowTextCol && c.Width > 0;
}

int32_t Navigation::WalkRows(int32_t from, int32_t step) const
{
    for (int32_t r = from; r >= 1 && r <= s_.rowCount; r += step)
        if (RowNavigable(r))
            return r;
    return 0;
}

int32_t Navigation::FirstNavRow() const { return WalkRows(1, 1); }
int32_t Navigation::LastNavRow() const { return WalkRows(s_.rowCount, -1); }

int32_t Navigation::FirstNavCol() const
{
    for (int32_t p = 1; p <= s_.ColCount(); ++p)
        if (PosNavigable(p))
            return s_.columns.At(p).Index;
    return 0;
}

int32_t Navigation::LastNavCol() const
{
    for (int32_t p = s_.ColCount(); p >= 1; --p)
        if (PosNavigable(p))
            return s_.columns.At(p).Index;
    return 0;
}

int32_t Navigation::FirstVisibleCol() const
{
    for (int32_t p = 1; p <= s_.ColCount(); ++p) {
        const auto& c = s_.columns.At(p);
        if (c.Visible && c.Width > 0 && !c.IsRowTextCol)
            return c.Index;
    }
    return 0;
}

CellPos Navigation::NextCell(int32_t colStep, int32_t rowStep)
{
    if (s_.curRow < 1)
        return { FirstNavRow(), FirstNavCol() };
    if (colStep != 0)
        return HorizontalStep(colStep);
    return VerticalStep({ s_.curRow, s_.curCol }, rowStep);
}

CellPos Navigation::HorizontalStep(int32_t colStep) const
{
    const CellPos here { s_.curRow, s_.curCol };
    const int32_t count = s_.ColCount();
    const bool groupRow = s_.rows.At(s_.curRow).IsGroup;
    int32_t q = (s_.curCol > 0 ? s_.columns.PositionOfIndex(s_.curCol) : 0) + colStep;
    if (q >= 1 && q <= count) {
        // A group row spans the columns: any step inside it leaves the row upwards.
        if (groupRow)
            q = 0;
        while (q >= 1 && q <= count && !PosNavigable(q))
            q += colStep;
        if (q >= 1 && q <= count)
            return { s_.curRow, s_.columns.At(q).Index };
    }
    const bool up = q < 1;
    const int32_t col = up ? LastNavCol() : FirstNavCol();
    if (col == 0)
        return here;
    const int32_t row = up ? WalkRows(s_.curRow - 1, -1) : WalkRows(s_.curRow + 1, 1);
    if (row == 0)
        return here;
    return { row, s_.rows.At(row).IsGroup ? s_.rowTextCol : col };
}

CellPos Navigation::VerticalStep(CellPos from, int32_t rowStep)
{
    for (int32_t r = from.row + rowStep;; r += rowStep) {
        if (r > s_.rowCount && rowStep > 0)
            while (r > s_.rowCount && RequestRow()) { }
        if (r < 1 || r > s_.rowCount)
            return from;
        if (!RowNavigable(r))
            continue;
        if (s_.rows.At(r).IsGroup)
            return { r, s_.rowTextCol };
        if (s_.rowTextCol != 0 && from.col == s_.rowTextCol)
            return { r, FirstVisibleCol() };
        return { r, from.col };
    }
}

int32_t Navigation::PageUpTarget(int32_t startRow) const
{
    const auto& start = s_.rows.At(startRow);
    const int32_t limit = start.Top + start.Height - s_.geo.viewHeight;
    // Tops never decrease, so the rows above the limit form a prefix of 1 .. startRow-1.
    int32_t lo = 1;
    int32_t hi = startRow;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (s_.rows.At(mid).Top < limit)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int32_t r = lo - 1; r >= 1; --r)
        if (s_.rows.At(r).Visible)
            return r;
    return FirstNavRow();
}

int32_t Navigation::PageDownTarget(int32_t startRow)
{
    const auto& start = s_.rows.At(startRow);
    const int32_t limit = start.Top + s_.geo.viewHeight - start.Height;
    int32_t lo = startRow + 1;
    int32_t hi = s_.rowCount + 1;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (s_.rows.At(mid).Top > limit)
            hi = mid;
        else
            lo = mid + 1;
    }
    for (int32_t r = lo;; ++r) {
        if (r > s_.rowCount && !RequestRow())
            return LastNavRow();
        if (r <= s_.rowCount && s_.rows.At(r).Visible && s_.rows.At(r).Top > limit)
            return r;
    }
}

bool Navigation::RequestRow()
{
    if (!s_.geo.isVirtual || !s_.geo.moreRows)
        return false;
    const int32_t before = s_.rowCount;
    core::RequestNextRow(s_, before + 1);
    return s_.rowCount > before;
}

}  // namespace tavix::interaction
