#include "scroll/scroll_bars.h"

#include <algorithm>

namespace tavix::scroll {

using namespace native;

namespace {
int WheelLines()
{
    UINT lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines);
    return lines < 1 ? 3 : static_cast<int>(lines);
}
size_t Index(int bar) { return bar == SB_VERT ? 1 : 0; }
}  // namespace

ScrollBars::~ScrollBars() { Detach(); }

void ScrollBars::Attach(HWND hwnd)
{
    Detach();
    window_ = hwnd;
    if (window_ == 0)
        return;
    Subclass(window_, SubclassKind::cScrollBars, this);
    attached_ = true;
}

void ScrollBars::Detach()
{
    // A window destroyed first has already dropped its procedure chain.
    if (attached_ && IsWindow(window_))
        Unsubclass(window_, SubclassKind::cScrollBars);
    attached_ = false;
    window_ = 0;
}

void ScrollBars::SetOrientation(int32_t orientation)
{
    orientation_ = orientation;
    if (orientation == 0 || orientation == 2)
        ShowScrollBar(window_, SB_HORZ, true);
    if (orientation == 1 || orientation == 2)
        ShowScrollBar(window_, SB_VERT, true);
}

void ScrollBars::SetVisible(int bar, bool visible)
{
    RecordVisible(bar, visible);
    ShowAsRecorded(bar);
}

void ScrollBars::RecordVisible(int bar, bool visible) { visible_[Index(bar)] = visible; }

void ScrollBars::ShowAsRecorded(int bar) { ShowScrollBar(window_, bar, visible_[Index(bar)]); }

bool ScrollBars::Visible(int bar) const { return visible_[Index(bar)]; }

void ScrollBars::SetStyle(int32_t style)
{
    if (!CanBeFlat())
        return;
    style_ = style;
}

void ScrollBars::SetSmallChange(int bar, int32_t value) { smallChange_[Index(bar)] = value; }
int32_t ScrollBars::SmallChange(int bar) const { return smallChange_[Index(bar)]; }

SCROLLINFO ScrollBars::Info(int bar, UINT mask) const
{
    SCROLLINFO si { .fMask = mask };
    GetScrollInfo(window_, bar, &si);
    return si;
}

int32_t ScrollBars::Minimum(int bar) const { return Info(bar, SIF_RANGE).nMin; }
int32_t ScrollBars::Maximum(int bar) const { return Info(bar, SIF_RANGE).nMax; }
int32_t ScrollBars::Page(int bar) const { return static_cast<int32_t>(Info(bar, SIF_PAGE).nPage); }
int32_t ScrollBars::Position(int bar) const { return Info(bar, SIF_POS).nPos; }
int32_t ScrollBars::TrackPosition(int bar) const { return Info(bar, SIF_TRACKPOS).nTrackPos; }

void ScrollBars::SetMaximum(int bar, int32_t maximumPosition)
{
    SCROLLINFO si = Info(bar, SIF_RANGE | SIF_PAGE);
    si.fMask = SIF_RANGE;
    si.nMax = maximumPosition + static_cast<int32_t>(si.nPage);
    SetScrollInfo(window_, bar, &si);
    FollowClamp(bar);
}

void ScrollBars::SetPage(int bar, int32_t page)
{
    SCROLLINFO si = Info(bar, SIF_RANGE | SIF_PAGE);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax += page - static_cast<int32_t>(si.nPage);
    si.nPage = static_cast<UINT>(page);
    SetScrollInfo(window_, bar, &si);
    FollowClamp(bar);
}

// A smaller range pulls the position in without a report: the owner reads it back
// itself. Were the last value left behind, a later scroll back to it would go unreported.
void ScrollBars::FollowClamp(int bar) { lastValue_[Index(bar)] = Position(bar); }

void ScrollBars::SetPosition(int bar, int32_t value)
{
    if (value == Position(bar))
        return;
    SCROLLINFO si { .fMask = SIF_POS, .nPos = value };
    SetScrollInfo(window_, bar, &si);
    Report(bar);
}

void ScrollBars::Enable(int bar, bool enable)
{
    EnableScrollBar(window_, bar, enable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void ScrollBars::Report(int bar)
{
    const int32_t pos = Position(bar);
    auto& last = lastValue_[Index(bar)];
    if (pos == last)
        return;
    last = pos;
    if (listener_)
        listener_->ScrollPositionChanged(static_cast<EScrollBar>(bar), pos);
}

// A small change may be a row of any height: lines are counted in 64 bits.
int64_t ScrollBars::LineStep(int bar, int multiplier) const { return int64_t { SmallChange(bar) } * multiplier; }

void ScrollBars::HandleRequest(int bar, int request, int multiplier)
{
    switch (request) {
    case SB_LINEUP:
        if (!Visible(bar))
            return;
        SetPosition(
            bar, static_cast<int32_t>(std::max(Position(bar) - LineStep(bar, multiplier), int64_t { Minimum(bar) })));
        break;
    case SB_LINEDOWN:
        if (!Visible(bar))
            return;
        SetPosition(
            bar, static_cast<int32_t>(std::min(Position(bar) + LineStep(bar, multiplier), int64_t { Maximum(bar) })));
        break;
    case SB_PAGEUP: SetPosition(bar, Position(bar) - Page(bar)); break;
    case SB_PAGEDOWN: SetPosition(bar, Position(bar) + Page(bar)); break;
    case SB_THUMBTRACK: {
        const int32_t track = TrackPosition(bar);
        SetPosition(bar, track);
        Report(bar);
        if (listener_)
            listener_->ScrollThumbTracked(static_cast<EScrollBar>(bar), track);
        return;
    }
    case SB_TOP: SetPosition(bar, Minimum(bar)); break;
    case SB_BOTTOM: SetPosition(bar, Maximum(bar)); break;
    case SB_ENDSCROLL:
        if (listener_)
            listener_->ScrollEnded(static_cast<EScrollBar>(bar));
        return;
    default: return;
    }
    Report(bar);
}

void ScrollBars::SubclassProc(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_HSCROLL: HandleRequest(SB_HORZ, LOWORD(wParam), 1); break;
    case WM_VSCROLL: HandleRequest(SB_VERT, LOWORD(wParam), 1); break;
    case WM_MOUSEWHEEL: {
        const int bar = (wParam & MK_CONTROL) ? SB_HORZ : SB_VERT;
        const int request = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? SB_LINEDOWN : SB_LINEUP;
        HandleRequest(bar, request, WheelLines());
        break;
    }
    default: break;
    }
    result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
}

}  // namespace tavix::scroll
