#include "layout/view_layout.h"

#include "core/extent.h"
#include "scroll/scroll_bars.h"

#include <tavix/native/window.h>

#include <algorithm>

namespace tavix::layout {

using namespace native;

namespace {
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;
}  // namespace

ViewLayout::ViewLayout(core::GridTable& table)
    : table_(table)
{
}

void ViewLayout::AttachWindow(HWND hwnd, scroll::ScrollListener& listener)
{
    window_ = hwnd;
    listener_ = &listener;
    AttachBars();
}

void ViewLayout::DetachWindow()
{
    bars_.SetListener(nullptr);
    bars_.Detach();
    window_ = 0;
    listener_ = nullptr;
}

void ViewLayout::AttachBars()
{
    bars_.Attach(window_);
    bars_.SetListener(listener_);
    bars_.SetOrientation(2);
    bars_.SetVisible(kHorizontal, false);
    bars_.SetVisible(kVertical, false);
    bars_.SetPosition(kHorizontal, 0);
    bars_.SetPosition(kVertical, 0);
    bars_.SetStyle(scrollBarStyle_);
    hScrollHeight_ = native::GetSystemMetrics(native::SM_CYHSCROLL);
    vScrollWidth_ = native::GetSystemMetrics(native::SM_CXVSCROLL);
}

bool ViewLayout::RecreateScrollBars()
{
    if (window_ == 0)
        return false;
    const int32_t oldH = hScrollHeight_;
    const int32_t oldV = vScrollWidth_;
    if (native::GetSystemMetrics(native::SM_CYHSCROLL) == oldH
        && native::GetSystemMetrics(native::SM_CXVSCROLL) == oldV)
        return false;
    bars_.Detach();
    AttachBars();
    RecalcLayout(false);
    return true;
}

void ViewLayout::SetScrollBarStyle(EScrollBarStyles style)
{
    scrollBarStyle_ = style;
    if (window_ != 0)
        bars_.SetStyle(style);
}

scroll::ScrollBars* ViewLayout::Bars() { return bars_.Attached() ? &bars_ : nullptr; }
const scroll::ScrollBars* ViewLayout::Bars() const { return bars_.Attached() ? &bars_ : nullptr; }

int32_t ViewLayout::BorderWidth(EAppearanceConstants appearance, EBorderStyles borderStyle)
{
    if (borderStyle == tvBorderNone)
        return 0;
    if (appearance == tvAppearanceFlat)
        return 1;
    return borderStyle == tvBorder3D ? 2 : 1;
}

std::pair<DWORD, DWORD> ViewLayout::FrameStyles() const
{
    if (borderStyle_ == tvBorderNone)
        return { 0, 0 };
    if (appearance_ == tvAppearanceFlat)
        return { WS_BORDER, 0 };
    return { 0, borderStyle_ == tvBorder3D ? WS_EX_CLIENTEDGE : WS_EX_STATICEDGE };
}

void ViewLayout::ApplyFrameStyle()
{
    if (window_ != 0) {
        const auto [border, edges] = FrameStyles();
        const auto style = static_cast<DWORD>(GetWindowLong(window_, GWL_STYLE)) & ~WS_BORDER;
        const auto ex
            = static_cast<DWORD>(GetWindowLong(window_, GWL_EXSTYLE)) & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE);
        SetWindowLong(window_, GWL_STYLE, static_cast<LONG_PTR>(style | border));
        SetWindowLong(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(ex | edges));
        SetWindowPos(window_, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    InvalidateRange(core::RangeChange::Recompute);
}

void ViewLayout::SetAppearance(EAppearanceConstants appearance)
{
    appearance_ = appearance;
    ApplyFrameStyle();
}

void ViewLayout::SetBorderStyle(EBorderStyles style)
{
    borderStyle_ = style;
    ApplyFrameStyle();
}

int32_t ViewLayout::HeaderHeight() const { return header_ != nullptr ? header_->Height() : 0; }

bool ViewLayout::RowTextInEffect() const { return table_.RowTextCol() > 0 && table_.DrawRowText() && table_.RowMode(); }

Rect ViewLayout::GetViewRect(bool belowHeader, bool excludeScrollBars) const
{
    Rect r {};
    if (window_ == 0)
        return r;
    native::RECT wr {};
    native::GetWindowRect(window_, &wr);
    const int32_t border = BorderWidth(appearance_, borderStyle_);
    r = Rect { wr.left + border, wr.top + border, wr.right - border, wr.bottom - border };
    if (belowHeader)
        r.top += HeaderHeight();
    if (excludeScrollBars) {
        if (const auto* bars = Bars()) {
            if (bars->Visible(kHorizontal))
                r.bottom -= hScrollHeight_;
            if (bars->Visible(kVertical))
                r.right -= vScrollWidth_;
        }
    }
    return r;
}

int32_t ViewLayout::ContentWidth() const
{
    for (int32_t p = table_.ColCount(); p >= 1; --p) {
        const auto& c = table_.Column(p);
        if (c.Visible && !c.IsRowTextCol)
            return c.Left + c.Width;
    }
    return contentWidth_;
}

int32_t ViewLayout::RoomBelow() const
{
    // A virtual grid's next row counts twice (in the content and below it), within
    // the headroom the table leaves above its rows; the bar's page takes the rest.
    if (table_.IsVirtual() && table_.MoreRows())
        return std::min(table_.DefaultRowHeight(), core::kViewHeadroom / 4);
    return 5;
}

int32_t ViewLayout::ContentHeight() const
{
    if (table_.IsVirtual() && table_.MoreRows()) {
        const auto& last = table_.Row(table_.RowCount());
        return last.Top + (table_.RowCount() > 0 ? last.Height : 0) + RoomBelow();
    }
    for (int32_t r = table_.RowCount(); r >= 1; --r) {
        const auto& row = table_.Row(r);
        if (row.Visible && row.Height > 0)
            return row.Top + row.Height;
    }
    return 0;
}

void ViewLayout::InvalidateRange(core::RangeChange change)
{
    // A range already stale for another reason must be recomputed from scratch.
    if (rangeState_ != RangeState::Valid) {
        rangeState_ = RangeState::Recompute;
        return;
    }
    switch (change) {
    case core::RangeChange::Recompute: rangeState_ = RangeState::Recompute; break;
    case core::RangeChange::ScrolledUp: rangeState_ = RangeState::ScrolledUp; break;
    case core::RangeChange::ScrolledDown: rangeState_ = RangeState::ScrolledDown; break;
    case core::RangeChange::HorizontalOnly: rangeState_ = RangeState::HorizontalOnly; break;
    }
}

void ViewLayout::ScrollTo(EScrollBar bar, int32_t value)
{
    if (bar == tvScrollBarV) {
        InvalidateRange(value <= scrollY_ ? core::RangeChange::ScrolledUp : core::RangeChange::ScrolledDown);
        scrollY_ = value;
    } else {
        InvalidateRange(core::RangeChange::HorizontalOnly);
        scrollX_ = value;
    }
}

void ViewLayout::ResetScrollPositions(bool horizontalToo)
{
    auto* bars = Bars();
    if (bars == nullptr)
        return;
    bars->SetPosition(kVertical, 0);
    if (horizontalToo)
        bars->SetPosition(kHorizontal, 0);
}

void ViewLayout::RecalcLayout(bool raiseEvents)
{
    const int32_t oldScrollX = scrollX_;
    const Rect view = GetViewRect(true, false);
    viewWidth_ = view.Width();
    viewHeight_ = view.Height();
    contentWidth_ = ContentWidth();
    contentHeight_ = ContentHeight();

    bool needH = contentWidth_ > viewWidth_;
    if (needH)
        viewHeight_ -= hScrollHeight_;
    const bool needV = contentHeight_ > viewHeight_;
    if (needV) {
        viewWidth_ -= vScrollWidth_;
        if (!needH && contentWidth_ > viewWidth_) {
            needH = true;
            viewHeight_ -= hScrollHeight_;
        }
    }

    auto* bars = Bars();
    scrollX_ = 0;
    scrollY_ = 0;
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
            InvalidateRange(core::RangeChange::Recompute);
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
            table_.Events().ScrollBarVisibilityChanged(static_cast<EScrollBar>(bar), need[bar]);
    }

    if (needH) {
        // The nested layout of a bar shown above may have grown the view past the
        // content: the range is never negative.
        const int32_t m = std::max(contentWidth_ - viewWidth_, 0);
        if (bars->Maximum(kHorizontal) - bars->Page(kHorizontal) != m)
            bars->SetMaximum(kHorizontal, m);
        if (viewWidth_ > 0) {
            bars->SetPage(kHorizontal, m / (m / viewWidth_ + 1));
            bars->SetSmallChange(kHorizontal, 20);
        }
        scrollX_ = bars->Position(kHorizontal);
    }
    if (needV) {
        const int32_t d = std::max(contentHeight_ - viewHeight_, 0);
        const int32_t extra = RoomBelow();
        if (bars->Maximum(kVertical) - bars->Page(kVertical) != d + extra)
            bars->SetMaximum(kVertical, d + extra);
        if (viewHeight_ > 0) {
            bars->SetPage(kVertical, d / (d / viewHeight_ + 1));
            bars->SetSmallChange(kVertical, table_.DefaultRowHeight());
        }
        scrollY_ = bars->Position(kVertical);
    }
    if (scrollX_ != oldScrollX && header_ != nullptr)
        header_->FollowScrollX();
}

int32_t ViewLayout::SkipRowsAbove(int32_t from, int32_t to) const
{
    // Tops never decrease, and a shown row's bottom is the next row's top, so
    // no row before the last one whose Top <= ScrollY can reach into the view.
    const int32_t y = scrollY_;
    int32_t lo = from;
    int32_t hi = to;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (table_.Row(mid).Top <= y)
            lo = mid;
        else
            hi = mid - 1;
    }
    return table_.Row(lo).Top <= y ? lo : from;
}

void ViewLayout::ScanRowsForward(VisibleRange& r, int32_t from, int32_t to) const
{
    // A group row met on the way widens the column range, so only a grid
    // without group rows may skip the rows above the view.
    if (from <= to && table_.GroupRowCount() == 0)
        from = SkipRowsAbove(from, to);
    bool started = false;
    bool ended = false;
    r.StartRow = 0;
    r.EndRow = 0;
    // Without rows in view the range ends at the top of the content.
    r.StartY = r.EndY = -scrollY_;
    for (int32_t i = from; i <= to; ++i) {
        const auto& row = table_.Row(i);
        if (!row.Visible || row.Height <= 0)
            continue;
        if (row.IsGroup)
            r.EndCol = table_.ColCount();
        if (!started) {
            if (row.Top + row.Height > scrollY_) {
                started = true;
                r.StartRow = i;
                r.StartY = row.Top - scrollY_;
            } else {
                continue;
            }
        }
        r.EndRow = i;
        r.EndY = row.Top - scrollY_ + row.Height;
        ended = true;
        if (row.Top > scrollY_ + viewHeight_)
            break;
    }
    if (!started)
        r.EndRow = -1;
    else if (!ended)
        r.EndRow = r.StartRow;
}

void ViewLayout::ScanRowsBackward(VisibleRange& r, int32_t from, int32_t to) const
{
    bool haveEnd = false;
    bool haveStart = false;
    r.StartRow = 0;
    r.EndRow = 0;
    r.StartY = r.EndY = -scrollY_;
    for (int32_t i = from; i >= to; --i) {
        const auto& row = table_.Row(i);
        if (!row.Visible || row.Height < 1)
            continue;
        if (row.IsGroup)
            r.EndCol = table_.ColCount();
        if (!haveEnd) {
            if (row.Top < scrollY_ + viewHeight_) {
                haveEnd = true;
                r.EndRow = i;
                r.EndY = row.Top - scrollY_ + row.Height;
            } else {
                continue;
            }
        }
        r.StartRow = i;
        r.StartY = row.Top - scrollY_;
        haveStart = true;
        if (row.Top <= scrollY_)
            break;
    }
    if (!haveEnd)
        r.EndRow = -1;
    else if (!haveStart)
        r.StartRow = r.EndRow;
}

const VisibleRange& ViewLayout::ComputeVisibleRange()
{
    if (rangeState_ == RangeState::Valid)
        return range_;

    VisibleRange r = range_;
    const int32_t colCount = table_.ColCount();
    r.StartCol = 0;
    r.EndCol = colCount;
    for (int32_t p = 1; p <= colCount; ++p) {
        const auto& c = table_.Column(p);
        if (!c.Visible || c.IsRowTextCol)
            continue;
        if (r.StartCol == 0 && c.Left + c.Width >= scrollX_) {
            r.StartCol = p;
            r.StartX = c.Left - scrollX_;
        }
        if (r.StartCol == 0)
            continue;
        r.EndCol = p;
        r.EndX = c.Left + c.Width - scrollX_;
        if (r.EndX > viewWidth_)
            break;
    }

    if (rangeState_ != RangeState::HorizontalOnly) {
        const int32_t lo = 1;
        const int32_t hi = table_.RowCount();
        int32_t position = 0;
        int32_t minimum = 0;
        int32_t maximum = 0;
        if (auto* bars = Bars(); bars != nullptr && bars->Visible(kVertical)) {
            position = bars->Position(kVertical);
            minimum = bars->Minimum(kVertical);
            maximum = contentHeight_ - viewHeight_ + RoomBelow();
        }
        const int32_t cachedStart = range_.StartRow;
        const int32_t cachedEnd = range_.EndRow;
        if (position <= minimum)
            ScanRowsForward(r, lo, hi);
        else if (position >= maximum)
            ScanRowsBackward(r, hi, lo);
        else if (rangeState_ == RangeState::ScrolledDown && cachedStart >= lo && cachedStart <= hi)
            ScanRowsForward(r, cachedStart, hi);
        else if (rangeState_ == RangeState::ScrolledUp && cachedEnd >= lo && cachedEnd <= hi)
            ScanRowsBackward(r, cachedEnd, lo);
        else
            ScanRowsForward(r, lo, hi);
    }

    if (table_.RowTextCol() > 0 && r.EndRow >= 1) {
        const bool rowText = table_.DrawRowText() && table_.RowMode();
        for (int32_t i = std::max(r.StartRow, 1); i <= r.EndRow; ++i) {
            const auto& row = table_.Row(i);
            if (row.IsGroup || (rowText && row.Height > row.NormalCellHeight)) {
                r.EndCol = colCount;
                break;
            }
        }
    }
    range_ = r;
    rangeState_ = RangeState::Valid;
    return range_;
}

RowTextStart ViewLayout::GetRowTextStart() const
{
    RowTextStart result {};
    const int32_t colCount = table_.ColCount();
    result.firstSelectablePos = 1;
    for (int32_t p = 1; p <= colCount; ++p) {
        const auto& c = table_.Column(p);
        if (c.Visible && c.IncludeInSelect && !c.IsRowTextCol) {
            result.firstSelectablePos = p;
            break;
        }
    }
    result.rowTextStartPos = 1;
    if (table_.RowTextStartCol() != 0) {
        const int32_t p = table_.Columns().PositionOfIndex(table_.RowTextStartCol());
        if (p > 0)
            result.rowTextStartPos = p;
    }
    if (result.firstSelectablePos >= 2 && result.rowTextStartPos < result.firstSelectablePos)
        result.rowTextStartPos = result.firstSelectablePos;
    return result;
}

int32_t ViewLayout::GroupStartPos(int32_t colIndex) const
{
    const int32_t colCount = table_.ColCount();
    int32_t start = colIndex == 0 ? 1 : table_.Columns().PositionOfIndex(colIndex);
    if (start < 1)
        start = 1;
    for (int32_t p = start; p <= colCount; ++p) {
        const auto& c = table_.Column(p);
        if (c.Visible && !c.IsRowTextCol)
            return p;
    }
    return 1;
}

int32_t ViewLayout::LastVisiblePos() const
{
    for (int32_t p = table_.ColCount(); p >= 1; --p) {
        const auto& c = table_.Column(p);
        if (c.Visible && !c.IsRowTextCol && c.Width > 0)
            return p;
    }
    return 0;
}

}  // namespace tavix::layout
