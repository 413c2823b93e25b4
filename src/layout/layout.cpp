#include "layout/layout.h"

#include "scroll/scroll_bars.h"

#include <tavix/native/window.h>

namespace tavix::layout {

using native::Rect;

namespace {
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;
}  // namespace

int32_t Layout::BorderWidth(int32_t appearance, int32_t borderStyle)
{
    if (borderStyle == 0)
        return 0;
    if (appearance == 0)
        return 1;
    return borderStyle == 2 ? 2 : 1;
}

scroll::ScrollBars* Layout::Bars() const
{
    auto* bars = s_.view->Bars();
    return bars != nullptr && bars->Attached() ? bars : nullptr;
}

int32_t Layout::HeaderHeight() const { return s_.view->HeaderHeight(); }

bool Layout::RowTextInEffect() const { return s_.rowTextCol > 0 && s_.drawRowText && s_.selection.rowMode; }

Rect Layout::GetViewRect(bool belowHeader, bool excludeScrollBars) const
{
    Rect r {};
    if (s_.geo.hwnd == 0)
        return r;
    native::RECT wr {};
    native::GetWindowRect(s_.geo.hwnd, &wr);
    r = Rect { wr.left, wr.top, wr.right, wr.bottom };
    const int32_t border = BorderWidth(s_.look.appearance, s_.look.borderStyle);
    r = Rect { r.left + border, r.top + border, r.right - border, r.bottom - border };
    if (belowHeader)
        r.top += HeaderHeight();
    if (excludeScrollBars) {
        if (auto* bars = Bars()) {
            if (bars->Visible(kHorizontal))
                r.bottom -= s_.geo.hScrollHeight;
            if (bars->Visible(kVertical))
                r.right -= s_.geo.vScrollWidth;
        }
    }
    return r;
}

int32_t Layout::ContentWidth() const
{
    for (int32_t p = s_.ColCount(); p >= 1; --p) {
        const auto& c = s_.columns.At(p);
        if (c.Visible && !c.IsRowTextCol)
            return c.Left + c.Width;
    }
    return s_.geo.contentWidth;
}

int32_t Layout::ContentHeight() const
{
    const auto& g = s_.geo;
    if (g.isVirtual && g.moreRows) {
        const auto& last = s_.rows.At(s_.rowCount);
        return last.Top + (s_.rowCount > 0 ? last.Height : 0) + s_.defaultRowHeight;
    }
    for (int32_t r = s_.rowCount; r >= 1; --r) {
        const auto& row = s_.rows.At(r);
        if (row.Visible && row.Height > 0)
            return row.Top + row.Height;
    }
    return 0;
}

void Layout::InvalidateRange(core::RangeState mode)
{
    auto& state = s_.geo.rangeState;
    state = state != core::RangeState::Valid ? core::RangeState::Recompute : mode;
}

void Layout::RecalcLayout(bool raiseEvents)
{
    auto& g = s_.geo;
    const Rect view = GetViewRect(true, false);
    g.viewWidth = view.Width();
    g.viewHeight = view.Height();
    g.contentWidth = ContentWidth();
    g.contentHeight = ContentHeight();

    bool needH = g.contentWidth > g.viewWidth;
    if (needH)
        g.viewHeight -= g.hScrollHeight;
    const bool needV = g.contentHeight > g.viewHeight;
    if (needV) {
        g.viewWidth -= g.vScrollWidth;
        if (!needH && g.contentWidth > g.viewWidth) {
            needH = true;
            g.viewHeight -= g.hScrollHeight;
        }
    }

    auto* bars = Bars();
    g.scrollX = 0;
    g.scrollY = 0;
    if (bars == nullptr)
        return;

    // Resetting a position draws and showing a bar resizes the window, and both
    // lay the grid out again from inside this call: the new states are recorded
    // first so that the nested layout finds nothing to change and the events
    // come once, horizontal bar first.
    const bool need[2] = { needH, needV };
    bool changed[2] = { false, false };
    for (int bar : { kHorizontal, kVertical }) {
        changed[bar] = bars->Visible(bar) != need[bar];
        if (changed[bar]) {
            InvalidateRange(core::RangeState::Recompute);
            bars->RecordVisible(bar, need[bar]);
        }
    }
    for (int bar : { kHorizontal, kVertical }) {
        if (!changed[bar])
            continue;
        if (!need[bar])
            bars->SetPosition(bar, 0);
        bars->ShowAsRecorded(bar);
        if (raiseEvents)
            s_.host->Events().ScrollBarVisibilityChanged(static_cast<EScrollBar>(bar), need[bar]);
    }

    if (needH) {
        const int32_t m = g.contentWidth - g.viewWidth;
        if (bars->Maximum(kHorizontal) - bars->Page(kHorizontal) != m)
            bars->SetMaximum(kHorizontal, m);
        if (g.viewWidth > 0) {
            bars->SetPage(kHorizontal, m / (m / g.viewWidth + 1));
            bars->SetSmallChange(kHorizontal, 20);
        }
        g.scrollX = bars->Position(kHorizontal);
    }
    if (needV) {
        const int32_t d = g.contentHeight - g.viewHeight;
        const int32_t extra = g.isVirtual && g.moreRows ? s_.defaultRowHeight : 5;
        if (bars->Maximum(kVertical) - bars->Page(kVertical) != d + extra)
            bars->SetMaximum(kVertical, d + extra);
        if (g.viewHeight > 0) {
            bars->SetPage(kVertical, d / (d / g.viewHeight + 1));
            bars->SetSmallChange(kVertical, s_.defaultRowHeight);
        }
        g.scrollY = bars->Position(kVertical);
    }
}

int32_t Layout::SkipRowsAbove(int32_t from, int32_t to) const
{
    // Tops never decrease, and a shown row's bottom is the next row's top, so
    // no row before the last one whose Top <= ScrollY can reach into the view.
    const int32_t y = s_.geo.scrollY;
    int32_t lo = from;
    int32_t hi = to;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (s_.rows.At(mid).Top <= y)
            lo = mid;
        else
            hi = mid - 1;
    }
    return s_.rows.At(lo).Top <= y ? lo : from;
}

void Layout::ScanRowsForward(core::VisibleRange& r, int32_t from, int32_t to) const
{
    const auto& g = s_.geo;
    // A group row met on the way widens the column range, so only a grid
    // without group rows may skip the rows above the view.
    if (from <= to && s_.groupRowCount == 0)
        from = SkipRowsAbove(from, to);
    bool started = false;
    bool ended = false;
    r.StartRow = 0;
    r.EndRow = 0;
    // Without rows in view the range ends at the top of the content.
    r.StartY = r.EndY = -g.scrollY;
    for (int32_t i = from; i <= to; ++i) {
        const auto& row = s_.rows.At(i);
        if (!row.Visible || row.Height <= 0)
            continue;
        if (row.IsGroup)
            r.EndCol = s_.ColCount();
        if (!started) {
            if (row.Top + row.Height > g.scrollY) {
                started = true;
                r.StartRow = i;
                r.StartY = row.Top - g.scrollY;
            } else {
                continue;
            }
        }
        r.EndRow = i;
        r.EndY = row.Top - g.scrollY + row.Height;
        ended = true;
        if (row.Top > g.scrollY + g.viewHeight)
            break;
    }
    if (!started)
        r.EndRow = -1;
    else if (!ended)
        r.EndRow = r.StartRow;
}

void Layout::ScanRowsBackward(core::VisibleRange& r, int32_t from, int32_t to) const
{
    const auto& g = s_.geo;
    bool haveEnd = false;
    bool haveStart = false;
    r.StartRow = 0;
    r.EndRow = 0;
    r.StartY = r.EndY = -g.scrollY;
    for (int32_t i = from; i >= to; --i) {
        const auto& row = s_.rows.At(i);
        if (!row.Visible || row.Height < 1)
            continue;
        if (row.IsGroup)
            r.EndCol = s_.ColCount();
        if (!haveEnd) {
            if (row.Top < g.scrollY + g.viewHeight) {
                haveEnd = true;
                r.EndRow = i;
                r.EndY = row.Top - g.scrollY + row.Height;
            } else {
                continue;
            }
        }
        r.StartRow = i;
        r.StartY = row.Top - g.scrollY;
        haveStart = true;
        if (row.Top <= g.scrollY)
            break;
    }
    if (!haveEnd)
        r.EndRow = -1;
    else if (!haveStart)
        r.StartRow = r.EndRow;
}

const core::VisibleRange& Layout::ComputeVisibleRange()
{
    auto& g = s_.geo;
    if (g.rangeState == core::RangeState::Valid)
        return g.range;

    core::VisibleRange r = g.range;
    const int32_t colCount = s_.ColCount();
    r.StartCol = 0;
    r.EndCol = colCount;
    for (int32_t p = 1; p <= colCount; ++p) {
        const auto& c = s_.columns.At(p);
        if (!c.Visible || c.IsRowTextCol)
            continue;
        if (r.StartCol == 0 && c.Left + c.Width >= g.scrollX) {
            r.StartCol = p;
            r.StartX = c.Left - g.scrollX;
        }
        if (r.StartCol == 0)
            continue;
        r.EndCol = p;
        r.EndX = c.Left + c.Width - g.scrollX;
        if (r.EndX > g.viewWidth)
            break;
    }

    if (g.rangeState != core::RangeState::HorizontalOnly) {
        const int32_t lo = 1;
        const int32_t hi = s_.rowCount;
        int32_t position = 0;
        int32_t minimum = 0;
        int32_t maximum = 0;
        if (auto* bars = Bars(); bars != nullptr && bars->Visible(kVertical)) {
            position = bars->Position(kVertical);
            minimum = bars->Minimum(kVertical);
            const int32_t extra = g.isVirtual && g.moreRows ? s_.defaultRowHeight : 5;
            maximum = g.contentHeight - g.viewHeight + extra;
        }
        const int32_t cachedStart = g.range.StartRow;
        const int32_t cachedEnd = g.range.EndRow;
        if (position <= minimum)
            ScanRowsForward(r, lo, hi);
        else if (position >= maximum)
            ScanRowsBackward(r, hi, lo);
        else if (g.rangeState == core::RangeState::ScrolledDown && cachedStart >= lo && cachedStart <= hi)
            ScanRowsForward(r, cachedStart, hi);
        else if (g.rangeState == core::RangeState::ScrolledUp && cachedEnd >= lo && cachedEnd <= hi)
            ScanRowsBackward(r, cachedEnd, lo);
        else
            ScanRowsForward(r, lo, hi);
    }

    if (s_.rowTextCol > 0 && r.EndRow >= 1) {
        const bool rowText = s_.drawRowText && s_.selection.rowMode;
        for (int32_t i = std::max(r.StartRow, 1); i <= r.EndRow; ++i) {
            const auto& row = s_.rows.At(i);
            if (row.IsGroup || (rowText && row.Height > row.NormalCellHeight)) {
                r.EndCol = colCount;
                break;
            }
        }
    }
    g.range = r;
    g.rangeState = core::RangeState::Valid;
    return g.range;
}

RowTextStart Layout::GetRowTextStart() const
{
    RowTextStart result {};
    const int32_t colCount = s_.ColCount();
    result.firstSelectablePos = 1;
    for (int32_t p = 1; p <= colCount; ++p) {
        const auto& c = s_.columns.At(p);
        if (c.Visible && c.IncludeInSelect && !c.IsRowTextCol) {
            result.firstSelectablePos = p;
            break;
        }
    }
    result.rowTextStartPos = 1;
    if (s_.rowTextStartCol != 0) {
        const int32_t p = s_.columns.PositionOfIndex(s_.rowTextStartCol);
        if (p > 0)
            result.rowTextStartPos = p;
    }
    if (result.firstSelectablePos >= 2 && result.rowTextStartPos < result.firstSelectablePos)
        result.rowTextStartPos = result.firstSelectablePos;
    return result;
}

int32_t Layout::GroupStartPos(int32_t colIndex) const
{
    const int32_t colCount = s_.ColCount();
    int32_t start = colIndex == 0 ? 1 : s_.columns.PositionOfIndex(colIndex);
    if (start < 1)
        start = 1;
    for (int32_t p = start; p <= colCount; ++p) {
        const auto& c = s_.columns.At(p);
        if (c.Visible && !c.IsRowTextCol)
            return p;
    }
    return 1;
}

int32_t Layout::LastVisiblePos() const
{
    for (int32_t p = s_.ColCount(); p >= 1; --p) {
        const auto& c = s_.columns.At(p);
        if (c.Visible && !c.IsRowTextCol && c.Width > 0)
            return p;
    }
    return 0;
}

}  // namespace tavix::layout
