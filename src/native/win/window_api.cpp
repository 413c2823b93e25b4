#include "native/win/desktop_state.h"
#include <algorithm>

namespace tavix::native {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Sends WM_SIZE when the client size differs from the one last reported, which
// covers moves, resizes and frame changes (scroll bars shown or hidden).
void ReportClientSize(WindowData& w)
{
    RECT in = ClientInset(w);
    int cw = std::max(0, Width(w.rect) - in.left - in.right);
    int ch = std::max(0, Height(w.rect) - in.top - in.bottom);
    if (cw == w.clientWidth && ch == w.clientHeight)
        return;
    w.clientWidth = cw;
    w.clientHeight = ch;
    SendMessage(w.id, WM_SIZE, 0, MAKELPARAM(cw, ch));
}

// Topmost top-level windows stay above all others.
void KeepTopmostFirst(DesktopState& s)
{
    std::stable_partition(s.topLevel.begin(), s.topLevel.end(), [&](HWND h) {
        auto* w = s.Find(h);
        return w && (w->exStyle & WS_EX_TOPMOST);
    });
}

HWND HitChild(DesktopState& s, WindowData& w, POINT screenPt)
{
    for (HWND c : w.children) {
        auto* cw = s.Find(c);
        if (!cw || !(cw->style & WS_VISIBLE))
            continue;
        RECT r = WindowScreenRect(s, *cw);
        if (Contains(r, screenPt))
            return HitChild(s, *cw, screenPt);
    }
    return w.id;
}

void DestroyTree(DesktopState& s, HWND hwnd)
{
    auto* w = s.Find(hwnd);
    if (!w || w->destroying)
        return;
    w->destroying = true;
    // The window hears WM_DESTROY before its children, so a parent can still
    // reach them while it tears down; every handle stays valid until all have heard it.
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND c : std::vector<HWND>(w->children))
        DestroyTree(s, c);
}

void FreeTree(DesktopState& s, HWND hwnd)
{
    auto* w = s.Find(hwnd);
    if (!w)
        return;
    for (HWND c : std::vector<HWND>(w->children))
        FreeTree(s, c);
    if (s.focus == hwnd)
        s.focus = 0;
    if (s.capture == hwnd)
        s.capture = 0;
    if (s.scroll.hwnd == hwnd) {
        if (s.scroll.timer)
            KillTimer(0, s.scroll.timer);
        s.scroll = {};
    }
    std::erase_if(s.timers, [&](const TimerData& t) { return t.hwnd == hwnd; });
    std::erase_if(s.queue, [&](const MSG& m) { return m.hwnd == hwnd; });
    std::erase(s.SiblingsOf(*w), hwnd);
    s.windows.erase(hwnd);
    s.screenDirty = true;
}

}  // namespace

bool RegisterClass(std::string_view className, WNDPROC proc, UINT classStyle)
{
    auto* s = CurrentState();
    if (!s || !proc)
        return false;
    s->classes[std::string(className)] = WindowClass { proc, classStyle };
    return true;
}

HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view title, DWORD style, int x, int y,
    int width, int height, HWND parent)
{
    auto* s = CurrentState();
    if (!s)
        return 0;
    auto cls = s->classes.find(className);
    if (cls == s->classes.end() || (parent && !s->Find(parent)) || ((style & WS_CHILD) && !parent))
        return 0;
    auto w = std::make_unique<WindowData>();
    w->id = s->nextId++;
    w->parent = (style & WS_CHILD) ? parent : 0;
    w->className = std::string(className);
    w->title = std::string(title);
    w->style = style;
    w->exStyle = exStyle;
    w->rect = { x, y, x + std::max(0, width), y + std::max(0, height) };
    w->proc = cls->second.proc;
    w->classStyle = cls->second.style;
    HWND id = w->id;
    s->screenDirty = true;
    WindowData& ref = *w;
    s->windows.emplace(id, std::move(w));
    // New windows go on top of their siblings.
    auto& siblings = s->SiblingsOf(ref);
    siblings.insert(siblings.begin(), id);
    if (!ref.parent)
        KeepTopmostFirst(*s);
    if (SendMessage(id, WM_CREATE, 0, 0) == -1) {
        FreeTree(*s, id);
        return 0;
    }
    if (auto* again = s->Find(id))
        ReportClientSize(*again);
    return s->Find(id) ? id : 0;
}

bool DestroyWindow(HWND hwnd)
{
    auto* s = CurrentState();
    if (!s || !s->Find(hwnd))
        return false;
    DestroyTree(*s, hwnd);
    FreeTree(*s, hwnd);
    return true;
}

bool IsWindow(HWND hwnd)
{
    auto* s = CurrentState();
    return s && s->Find(hwnd);
}

HWND GetParent(HWND hwnd)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    return w ? w->parent : 0;
}

std::string GetWindowText(HWND hwnd)
{
    std::string text(static_cast<size_t>(std::max<LRESULT>(0, SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0))), '\0');
    auto copied = SendMessage(hwnd, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()))));
    return text;
}

bool SetWindowText(HWND hwnd, std::string_view text)
{
    const std::string terminated(text);
    return IsWindow(hwnd) && SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

LONG_PTR GetWindowLong(HWND hwnd, int index)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_WNDPROC: return FromWndProc(w->proc);
    default: return 0;
    }
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLong(hwnd, index);
    s->screenDirty = true;
    if (index == GWLP_WNDPROC) {
        if (value)
            w->proc = ToWndProc(value);
        return old;
    }
    if (index != GWL_STYLE && index != GWL_EXSTYLE)
        return 0;
    STYLESTRUCT change { static_cast<DWORD>(old), static_cast<DWORD>(value) };
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    w = s->Find(hwnd);
    if (!w)
        return 0;
    if (index == GWL_STYLE) {
        w->style = change.styleNew;
    } else {
        w->exStyle = change.styleNew;
        if (!w->parent)
            KeepTopmostFirst(*s);
    }
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return old;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool)
{
    return SetWindowPos(hwnd, 0, x, y, width, height, SWP_NOZORDER);
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    if (!(flags & SWP_NOZORDER)) {
        auto& sib = s->SiblingsOf(*w);
        std::erase(sib, hwnd);
        if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
            if (!w->parent)
                w->exStyle = insertAfter == HWND_TOPMOST ? (w->exStyle | WS_EX_TOPMOST) : (w->exStyle & ~WS_EX_TOPMOST);
            sib.insert(sib.begin(), hwnd);
        } else if (insertAfter == HWND_BOTTOM) {
            sib.push_back(hwnd);
        } else {
            auto it = std::find(sib.begin(), sib.end(), insertAfter);
            sib.insert(it == sib.end() ? sib.begin() : it + 1, hwnd);
        }
        if (!w->parent)
            KeepTopmostFirst(*s);
    }
    RECT old = w->rect;
    s->screenDirty = true;
    if (!(flags & SWP_NOMOVE)) {
        w->rect.right = x + Width(old);
        w->rect.bottom = y + Height(old);
        w->rect.left = x;
        w->rect.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        w->rect.right = w->rect.left + std::max(0, width);
        w->rect.bottom = w->rect.top + std::max(0, height);
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hwnd, SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(hwnd, SW_HIDE);
    if (w->rect.left != old.left || w->rect.top != old.top) {
        RECT in = ClientInset(*w);
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + in.left, w->rect.top + in.top));
    }
    if (auto* again = s->Find(hwnd))
        ReportClientSize(*again);
    return true;
}

bool GetWindowRect(HWND hwnd, RECT* rect)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !rect)
        return false;
    *rect = WindowScreenRect(*s, *w);
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !rect)
        return false;
    RECT in = ClientInset(*w);
    *rect
        = { 0, 0, std::max(0, Width(w->rect) - in.left - in.right), std::max(0, Height(w->rect) - in.top - in.bottom) };
    return true;
}

bool ClientToScreen(HWND hwnd, POINT* pt)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !pt)
        return false;
    POINT o = ClientOrigin(*s, *w);
    pt->x += o.x;
    pt->y += o.y;
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* pt)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !pt)
        return false;
    POINT o = ClientOrigin(*s, *w);
    pt->x -= o.x;
    pt->y -= o.y;
    return true;
}

HWND WindowFromPoint(POINT pt)
{
    auto* s = CurrentState();
    if (!s)
        return 0;
    for (HWND h : s->topLevel) {
        auto* w = s->Find(h);
        if (w && (w->style & WS_VISIBLE) && Contains(WindowScreenRect(*s, *w), pt))
            return HitChild(*s, *w, pt);
    }
    return 0;
}

bool ShowWindow(HWND hwnd, int cmd)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    bool was = w->style & WS_VISIBLE;
    s->screenDirty = true;
    bool show = cmd != SW_HIDE;
    if (was != show) {
        w->style = show ? (w->style | WS_VISIBLE) : (w->style & ~WS_VISIBLE);
        SendMessage(hwnd, WM_SHOWWINDOW, show, 0);
    }
    return was;
}

bool IsWindowVisible(HWND hwnd)
{
    auto* s = CurrentState();
    for (auto* w = s ? s->Find(hwnd) : nullptr; w; w = s->Find(w->parent)) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (!w->parent)
            return true;
    }
    return false;
}

bool EnableWindow(HWND hwnd, bool enable)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    bool wasDisabled = w->style & WS_DISABLED;
    s->screenDirty = true;
    if (wasDisabled == enable) {
        w->style = enable ? (w->style & ~WS_DISABLED) : (w->style | WS_DISABLED);
        if (!enable && s->focus == hwnd)
            SetFocus(0);
        SendMessage(hwnd, WM_ENABLE, enable, 0);
    }
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    return w && !(w->style & WS_DISABLED);
}

HWND GetWindow(HWND hwnd, int relation)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    if (relation == GW_CHILD)
        return w->children.empty() ? 0 : w->children.front();
    auto& sib = s->SiblingsOf(*w);
    auto it = std::find(sib.begin(), sib.end(), hwnd);
    if (relation == GW_HWNDNEXT)
        return (it + 1) < sib.end() ? *(it + 1) : 0;
    if (relation == GW_HWNDPREV)
        return it != sib.begin() ? *(it - 1) : 0;
    return 0;
}

}  // namespace tavix::native
