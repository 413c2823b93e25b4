#include "native/win/combo_list_control.h"
#include "native/win/combo_box_control.h"
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

int32_t ClientHeight(HWND hwnd)
{
    RECT c;
    GetClientRect(hwnd, &c);
    return c.bottom;
}

}  // namespace

std::shared_ptr<ComboBoxControl> ComboListControl::Combo() const { return ControlOf<ComboBoxControl>(combo_); }

LRESULT ComboListControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Layout(); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: OnMouse(msg, lParam); return 0;
    case WM_CAPTURECHANGED:
        // Losing the mouse to anyone else ends the drop-down.
        if (static_cast<HWND>(lParam) != hwnd_)
            if (auto combo = Combo())
                combo->CloseUp(false);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
        // Keys sent to the list move its combo box's choice, which the list shows.
        return combo_ != 0 ? SendMessage(combo_, msg, wParam, lParam) : 0;
    case WM_VSCROLL: OnScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: ScrollTo(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA); return 0;
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

int ComboListControl::FittingFrom(int top) const
{
    auto combo = Combo();
    if (!combo)
        return 0;
    const auto& items = combo->Items();
    int32_t room = ClientHeight(hwnd_);
    int n = 0;
    for (int i = std::max(0, top); i < items.Count() && items[i].height <= room; ++i, ++n)
        room -= items[i].height;
    return n;
}

int ComboListControl::PageSize() const { return std::max(1, FittingFrom(top_)); }

int ComboListControl::MaxTop() const
{
    auto combo = Combo();
    if (!combo)
        return 0;
    const auto& items = combo->Items();
    int32_t room = ClientHeight(hwnd_);
    int top = items.Count();
    while (top > 0 && items[top - 1].height <= room)
        room -= items[--top].height;
    return std::min(top, std::max(0, items.Count() - 1));
}

void ComboListControl::Layout()
{
    auto combo = Combo();
    if (!combo)
        return;
    const auto& items = combo->Items();
    hot_ = items.Valid(hot_) ? hot_ : -1;
    top_ = std::clamp(top_, 0, MaxTop());
    bool needed = combo->ListScrollBar() && items.Height(0, items.Count()) > ClientHeight(hwnd_);
    bool shown = GetWindowLong(hwnd_, GWL_STYLE) & WS_VSCROLL;
    if (needed != shown)
        ShowScrollBar(hwnd_, SB_VERT, needed);  // comes back here through WM_SIZE
    if (needed) {
        SCROLLINFO si { .fMask = SIF_RANGE | SIF_PAGE | SIF_POS,
            .nMin = 0,
            .nMax = items.Count() - 1,
            .nPage = static_cast<UINT>(PageSize()),
            .nPos = top_ };
        SetScrollInfo(hwnd_, SB_VERT, &si);
    }
    InvalidateRect(hwnd_, nullptr, false);
}

void ComboListControl::Open(int hot)
{
    hot_ = -1;
    top_ = 0;
    Layout();
    SetHot(hot);
}

void ComboListControl::SetHot(int index)
{
    auto combo = Combo();
    if (!combo)
        return;
    hot_ = combo->Items().Valid(index) ? index : -1;
    if (hot_ >= 0 && hot_ < top_)
        ScrollTo(hot_);
    else if (hot_ >= top_ + PageSize())
        ScrollTo(hot_ - PageSize() + 1);
    InvalidateRect(hwnd_, nullptr, false);
}

void ComboListControl::ScrollTo(int top)
{
    top = std::clamp(top, 0, MaxTop());
    if (top == top_)
        return;
    top_ = top;
    Layout();
}

void ComboListControl::OnScroll(int code)
{
    SCROLLINFO si { .fMask = SIF_TRACKPOS };
    GetScrollInfo(hwnd_, SB_VERT, &si);
    switch (code) {
    case SB_LINEUP: ScrollTo(top_ - 1); break;
    case SB_LINEDOWN: ScrollTo(top_ + 1); break;
    case SB_PAGEUP: ScrollTo(top_ - PageSize()); break;
    case SB_PAGEDOWN: ScrollTo(top_ + PageSize()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
    default: break;
    }
}

int ComboListControl::ItemAt(int32_t y) const
{
    auto combo = Combo();
    if (!combo || y < 0 || y >= ClientHeight(hwnd_))
        return -1;
    const auto& items = combo->Items();
    for (int i = top_; i < items.Count(); ++i) {
        if (y < items[i].height)
            return i;
        y -= items[i].height;
    }
    return -1;
}

void ComboListControl::OnMouse(UINT msg, LPARAM lParam)
{
    auto combo = Combo();
    if (!combo)
        return;
    POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool inClient = pt.x >= 0 && pt.x < client.right && pt.y >= 0 && pt.y < client.bottom;
    const int item = inClient ? ItemAt(pt.y) : -1;
    if (msg == WM_MOUSEMOVE) {
        if (item >= 0 && item != hot_)
            SetHot(item);
        return;
    }
    if (msg == WM_LBUTTONUP) {
        if (item >= 0) {
            hot_ = item;
            combo->CloseUp(true);
        }
        return;
    }
    POINT screen = pt;
    ClientToScreen(hwnd_, &screen);
    RECT window;
    GetWindowRect(hwnd_, &window);
    const bool inWindow
        = screen.x >= window.left && screen.x < window.right && screen.y >= window.top && screen.y < window.bottom;
    if (!inWindow) {
        combo->CloseUp(false);  // a press anywhere else cancels, and is spent doing so
    } else if (!inClient && msg == WM_LBUTTONDOWN) {
        // The list holds the mouse, so its own scroll bar is worked from here.
        auto* s = CurrentState();
        if (auto* w = s ? s->Find(hwnd_) : nullptr)
            ScrollBarMouseDown(*s, *w, SB_VERT, POINT { screen.x - window.left, screen.y - window.top });
    } else if (item >= 0) {
        SetHot(item);
    }
}

void ComboListControl::Paint()
{
    auto combo = Combo();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc || !combo) {
        EndPaint(hwnd_, &ps);
        return;
    }
    RECT before;
    GetWindowRect(hwnd_, &before);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    HWND parent = GetParent(combo_);
    auto brush = static_cast<HBRUSH>(
        parent ? SendMessage(parent, WM_CTLCOLORLISTBOX, static_cast<WPARAM>(dc), static_cast<LPARAM>(hwnd_)) : 0);
    RECT after;
    GetWindowRect(hwnd_, &after);
    if (!(before == after) || !IsWindow(hwnd_)) {
        // Placed anew by the parent: the next paint draws at the new size.
        EndPaint(hwnd_, &ps);
        InvalidateRect(hwnd_, nullptr, true);
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, Rect { 0, 0, client.right, client.bottom }, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    const auto& items = combo->Items();
    int32_t y = 0;
    for (int i = top_; i < items.Count() && y < client.bottom; ++i) {
        RECT rc { 0, y, client.right, y + items[i].height };
        if (rc.bottom > ps.rcPaint.top && rc.top < ps.rcPaint.bottom)
            combo->DrawItem(dc, i, rc, i == hot_ ? ODS_SELECTED | ODS_FOCUS : 0);
        y = rc.bottom;
    }
    EndPaint(hwnd_, &ps);
}

}  // namespace tavix::native
