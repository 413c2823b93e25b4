#include "native/win/desktop_state.h"
#include "native/win/scrollbar_layout.h"
#include <algorithm>

namespace tavix::native {

namespace {

constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

ScrollBarState* BarOf(WindowData& w, int bar) { return bar == SB_HORZ ? &w.hbar : bar == SB_VERT ? &w.vbar : nullptr; }

void Clamp(ScrollBarState& b)
{
    int range = std::max(0, b.max - b.min + 1);
    b.page = std::min<UINT>(b.page, static_cast<UINT>(range));
    b.pos = std::clamp(b.pos, b.min, std::max(b.min, b.max - std::max(0, static_cast<int>(b.page) - 1)));
}

void Notify(HWND hwnd, int bar, int code, int pos = 0)
{
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
        MAKEWPARAM(static_cast<uint16_t>(code), static_cast<uint16_t>(pos)), 0);
}

// Coordinate along the bar's axis, relative to the bar's start.
int AlongBar(const WindowData& w, int bar, POINT windowPt)
{
    RECT r = ScrollBarRect(w, bar);
    return bar == SB_VERT ? windowPt.y - r.top : windowPt.x - r.left;
}

ScrollBarLayout LayoutOf(const WindowData& w, int bar)
{
    RECT r = ScrollBarRect(w, bar);
    const ScrollBarState& b = bar == SB_VERT ? w.vbar : w.hbar;
    return ScrollBarLayout::Compute(bar == SB_VERT ? r.bottom - r.top : r.right - r.left, b);
}

void RepeatTick(HWND, UINT, UINT_PTR, DWORD);

void StopRepeat(DesktopState& s)
{
    if (s.scroll.timer)
        KillTimer(0, s.scroll.timer);
    s.scroll.timer = 0;
}

// While an arrow or the track is held the request repeats, but only while the
// cursor is still over the part that was pressed: paging stops once the thumb
// reaches the cursor.
void RepeatTick(HWND, UINT, UINT_PTR, DWORD)
{
    auto* s = CurrentState();
    if (!s || !s->scroll.hwnd)
        return;
    auto* w = s->Find(s->scroll.hwnd);
    if (!w)
        return;
    if (s->scroll.timer) {
        KillTimer(0, s->scroll.timer);
        s->scroll.timer = SetTimer(0, 0, kRepeatMs, RepeatTick);
    }
    RECT wr = WindowScreenRect(*s, *w);
    POINT local { s->mouse.x - wr.left, s->mouse.y - wr.top };
    RECT br = ScrollBarRect(*w, s->scroll.bar);
    bool inside = local.x >= br.left && local.x < br.right && local.y >= br.top && local.y < br.bottom;
    if (inside && LayoutOf(*w, s->scroll.bar).PartAt(AlongBar(*w, s->scroll.bar, local)) == s->scroll.code)
        Notify(w->id, s->scroll.bar, s->scroll.code);
}

}  // namespace

RECT ScrollBarRect(const WindowData& w, int bar)
{
    RECT in = ClientInset(w);
    int edge = in.left;
    int width = w.rect.right - w.rect.left;
    int height = w.rect.bottom - w.rect.top;
    int size = GetSystemMetrics(SM_CXVSCROLL);
    if (bar == SB_VERT && (w.style & WS_VSCROLL))
        return { width - edge - size, edge, width - edge, height - in.bottom };
    if (bar == SB_HORZ && (w.style & WS_HSCROLL))
        return { edge, height - edge - size, width - in.right, height - edge };
    return {};
}

bool ScrollBarMouseDown(DesktopState& s, WindowData& w, int bar, POINT windowPt)
{
    ScrollBarState* b = BarOf(w, bar);
    if (!b || b->disabled)
        return false;
    ScrollBarLayout layout = LayoutOf(w, bar);
    int along = AlongBar(w, bar, windowPt);
    int code = layout.PartAt(along);
    if (code < 0)
        return false;
    s.scroll = ScrollDrag { w.id, bar, code, 0, 0 };
    if (code == SB_THUMBTRACK) {
        s.scroll.grabOffset = along - layout.thumbStart;
        b->tracking = true;
        b->trackPos = b->pos;
        return true;
    }
    s.scroll.timer = SetTimer(0, 0, kFirstRepeatMs, RepeatTick);
    Notify(w.id, bar, code);
    return true;
}

void ScrollBarMouseMove(DesktopState& s, POINT screenPt)
{
    auto* w = s.Find(s.scroll.hwnd);
    if (!w || s.scroll.code != SB_THUMBTRACK)
        return;
    ScrollBarState* b = BarOf(*w, s.scroll.bar);
    RECT wr = WindowScreenRect(s, *w);
    int along = AlongBar(*w, s.scroll.bar, POINT { screenPt.x - wr.left, screenPt.y - wr.top });
    int track = LayoutOf(*w, s.scroll.bar).PositionForThumbAt(along - s.scroll.grabOffset, *b);
    if (track == b->trackPos)
        return;
    b->trackPos = track;
    s.screenDirty = true;
    Notify(w->id, s.scroll.bar, SB_THUMBTRACK, track);
}

void ScrollBarMouseUp(DesktopState& s)
{
    ScrollDrag drag = s.scroll;
    s.screenDirty = true;
    StopRepeat(s);
    s.scroll = {};
    auto* w = s.Find(drag.hwnd);
    if (!w)
        return;
    if (drag.code == SB_THUMBTRACK) {
        ScrollBarState* b = BarOf(*w, drag.bar);
        int track = b->trackPos;
        Notify(w->id, drag.bar, SB_THUMBPOSITION, track);
        if (auto* again = s.Find(drag.hwnd))
            BarOf(*again, drag.bar)->tracking = false;
    }
    if (s.Find(drag.hwnd))
        Notify(drag.hwnd, drag.bar, SB_ENDSCROLL);
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    ScrollBarState* b = w ? BarOf(*w, bar) : nullptr;
    if (!b || !info)
        return 0;
    if (info->fMask & SIF_RANGE) {
        b->min = info->nMin;
        b->max = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        b->page = info->nPage;
    if (info->fMask & SIF_POS)
        b->pos = info->nPos;
    Clamp(*b);
    s->screenDirty = true;
    return b->pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    ScrollBarState* b = w ? BarOf(*w, bar) : nullptr;
    if (!b || !info)
        return false;
    if (info->fMask & SIF_RANGE) {
        info->nMin = b->min;
        info->nMax = b->max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = b->page;
    if (info->fMask & SIF_POS)
        info->nPos = b->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = b->tracking ? b->trackPos : b->pos;
    return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    DWORD bits = bar == SB_HORZ ? WS_HSCROLL
        : bar == SB_VERT        ? WS_VSCROLL
        : bar == SB_BOTH        ? (WS_HSCROLL | WS_VSCROLL)
                                : 0;
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style != w->style) {
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
        SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    return true;
}

bool EnableScrollBar(HWND hwnd, int bar, UINT arrows)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    for (int one : { SB_HORZ, SB_VERT })
        if (bar == one || bar == SB_BOTH)
            BarOf(*w, one)->disabled = arrows == ESB_DISABLE_BOTH;
    s->screenDirty = true;
    return true;
}

}  // namespace tavix::native
