#include "layout/layout.h"

#include "scroll/scroll_bars.h"

#include <tavix/native/window.h>

namespace tavix::layout {

namespace {
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;
}  // namespace

std::pair<int32_t, int32_t> Layout::CellFromPoint(int32_t x, int32_t y)
{
    int32_t lRow = 0;
    int32_t lCol = 0;
    const native::Rect rect = GetViewRect(true, true);
    native::POINT screen { x, y };
    if (s_.geo.hwnd != 0)
        native::ClientToScreen(s_.geo.hwnd, &screen);
    const bool inV = screen.y >= rect.top && screen.y < rect.bottom;
    const bool inH = screen.x >= rect.left && screen.x < rect.right;
    const int32_t cx = x + s_.geo.scrollX;
    const int32_t cy = y + s_.geo.scrollY - HeaderHeight();

    const auto& range = ComputeVisibleRange();
    if (inV) {
        for (int32_t r = std::max(range.StartRow, 1); r <= range.EndRow; ++r) {
            const auto& row = s_.rows.At(r);
            if (row.Visible && row.Top < cy && cy <= row.Top + row.Height) {
                lRow = r;
                break;
            }
        }
    }

    auto columnAt = [&](int32_t from) -> int32_t {
        for (int32_t p = std::max(from, 1); p <= range.EndCol; ++p) {
            const auto& c = s_.columns.At(p);
            if (c.Visible && !c.IsRowTextCol && c.Left < cx && cx <= c.Left + c.Width)
                return p;
        }
        return 0;
    };

    if (lRow > 0 && s_.rows.At(lRow).IsGroup) {
        const int32_t p = columnAt(GroupStartPos(s_.rows.At(lRow).GroupStartCol));
        if (p > 0)
            lCol = s_.rowTextCol;
    } else if (lRow > 0 && RowTextInEffect()) {
        if (inH) {
            const int32_t p = columnAt(range.StartCol);
            if (p > 0) {
                const auto& row = s_.rows.At(lRow);
                if (p >= GetRowTextStart().rowTextStartPos)
                    lCol = cy < row.Top + row.NormalCellHeight ? s_.columns.At(p).Index : s_.rowTextCol;
                else
                    lCol = s_.columns.At(p).Index;
            }
        }
    } else if (inH) {
        const int32_t p = columnAt(range.StartCol);
        if (p > 0)
            lCol = s_.columns.At(p).Index;
    }
    return { lRow, lCol };
}

CellRect Layout::CellBoundary(int32_t row, int32_t colIndex) const
{
    const auto& g = s_.geo;
    const auto& r = s_.rows.At(row);
    const int32_t hdr = HeaderHeight();
    CellRect out {};
    auto lastRight = [&] {
        const int32_t last = LastVisiblePos();
        const auto& c = s_.columns.At(last);
        return c.Left + c.Width - g.scrollX;
    };
    if (r.IsGroup) {
        out.left = s_.columns.At(GroupStartPos(r.GroupStartCol)).Left - g.scrollX;
        out.top = r.Top - g.scrollY + hdr;
        out.width = lastRight() - out.left;
        out.height = r.Height;
        return out;
    }
    const int32_t position = s_.columns.PositionOfIndex(colIndex);
    const auto& c = s_.columns.At(position);
    const RowTextStart start = GetRowTextStart();
    if (c.IsRowTextCol) {
        out.left = s_.columns.At(start.rowTextStartPos).Left - g.scrollX;
        out.top = r.Top + r.NormalCellHeight - g.scrollY + hdr;
        out.width = lastRight() - out.left;
        out.height = r.Height - r.NormalCellHeight;
        return out;
    }
    out.left = c.Left - g.scrollX;
    out.width = c.Width;
    out.top = r.Top - g.scrollY + hdr;
    out.height = RowTextInEffect() && position >= start.rowTextStartPos ? r.NormalCellHeight : r.Height;
    return out;
}

namespace {

// The scroll position that brings the span [lo, hi) into a view of `view`
// pixels scrolled to `scroll`, by the ensure-visible mode (columns and rows
// share the rules: 1/2 align the start, 3/4 the end, 2/4 even when in view).
int32_t EnsureVisibleTarget(int32_t lo, int32_t hi, int32_t scroll, int32_t view, int32_t mode, int32_t gap)
{
    const bool fullyIn = lo >= scroll && hi < scroll + view;
    const int32_t endAligned = hi - lo <= view ? hi - view + gap : lo;
    switch (mode) {
    case 1: return fullyIn ? scroll : lo - gap;
    case 2: return lo - gap;
    case 3: return fullyIn ? scroll : endAligned;
    case 4: return endAligned;
    default:
        if (lo < scroll)
            return lo - gap;
        if (hi >= scroll + view)
            return endAligned;
        return scroll;
    }
}

}  // namespace

void Layout::EnsureVisibleCol(int32_t colIndex, int32_t mode, int32_t gap)
{
    s_.view->CancelEdit();
    const auto& c = s_.columns.At(s_.columns.PositionOfIndex(colIndex));
    auto* bars = Bars();
    if (!c.Visible || c.IsRowTextCol || bars == nullptr)
        return;
    const auto& g = s_.geo;
    bars->SetPosition(kHorizontal, EnsureVisibleTarget(c.Left, c.Left + c.Width, g.scrollX, g.viewWidth, mode, gap));
}

void Layout::EnsureVisibleRow(int32_t row, int32_t mode, int32_t gap)
{
    s_.view->CancelEdit();
    const auto& rd = s_.rows.At(row);
    auto* bars = Bars();
    if (!rd.Visible || bars == nullptr)
        return;
    const auto& g = s_.geo;
    bars->SetPosition(kVertical, EnsureVisibleTarget(rd.Top, rd.Top + rd.Height, g.scrollY, g.viewHeight, mode, gap));
}

void Layout::ScrollCellIntoView(int32_t row, int32_t colIndex)
{
    s_.view->CancelEdit();
    auto* bars = Bars();
    if (bars == nullptr || row < 1 || row > s_.rowCount)
        return;
    const auto& g = s_.geo;
    const auto& rd = s_.rows.At(row);
    constexpr int32_t gap = 8;

    int32_t l = 0;
    int32_t r = 0;
    bool horizontal = false;
    if (rd.IsGroup) {
        l = s_.columns.At(GroupStartPos(rd.GroupStartCol)).Left;
        r = l + 1;
        horizontal = true;
    } else if (colIndex > 0) {
        const int32_t position = s_.columns.PositionOfIndex(colIndex);
        const auto& c = s_.columns.At(position);
        if (c.IsRowTextCol) {
            l = s_.columns.At(GetRowTextStart().rowTextStartPos).Left;
            r = l + 1;
        } else {
            l = c.Left;
            r = c.Left + c.Width;
        }
        horizontal = c.Visible;
    }
    if (horizontal) {
        if (l < g.scrollX)
            bars->SetPosition(kHorizontal, l - gap);
        else if (r > g.scrollX + g.viewWidth)
            bars->SetPosition(kHorizontal, r - l <= g.viewWidth ? r - g.viewWidth + gap : l);
    }
    if (rd.Visible) {
        const int32_t t = rd.Top;
        const int32_t b = rd.Top + rd.Height;
        if (t < s_.geo.scrollY)
            bars->SetPosition(kVertical, t - gap);
        else if (b >= s_.geo.scrollY + s_.geo.viewHeight)
            bars->SetPosition(kVertical, rd.Height < s_.geo.viewHeight ? b - s_.geo.viewHeight + gap : t);
    }
}

}  // namespace tavix::layout

namespace tavix::layout {

CellRect Layout::CellTextBoundary(
    int32_t row, int32_t colIndex, std::optional<std::pair<int32_t, int32_t>> noClipRoom) const
{
    CellRect r = CellBoundary(row, colIndex);
    const auto& cell = s_.cells.At(row, colIndex);
    const int32_t flags = cell.TextFlags;
    if ((flags & 256) != 0) {
        if (noClipRoom) {
            r.left = noClipRoom->first;
            r.width = noClipRoom->second - noClipRoom->first;
        }
        r.height -= 1;
        if ((flags & 1) != 0) {
            r.width -= 1;
        } else if ((flags & 2) != 0) {
            r.width -= cell.RightIndent + 1;
        } else {
            r.left += cell.Indent;
            r.width -= cell.Indent + 1;
        }
        return r;
    }
    r.left += 1;
    r.width -= 3;
    r.height -= 1;
    for (int16_t icon : { cell.Icon, cell.ExtraIcon }) {
        if (icon >= 0) {
            r.left += s_.geo.iconWidth + 2;
            r.width -= s_.geo.iconWidth + 2;
        }
    }
    r.left += cell.Indent;
    r.width -= cell.Indent + cell.RightIndent;
    return r;
}

}  // namespace tavix::layout
