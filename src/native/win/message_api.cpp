#include "native/win/desktop_state.h"
#include <algorithm>
#include <tavix/native/message_filter.h>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {
constexpr int kScrollBarSize = 17;
}

size_t CopyText(std::string_view text, WPARAM bufferSize, LPARAM buffer)
{
    if (!buffer || bufferSize == 0)
        return 0;
    size_t n = std::min<size_t>(text.size(), bufferSize - 1);
    // Never split a UTF-8 sequence.
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    auto* out = reinterpret_cast<char*>(buffer);
    std::copy_n(text.data(), n, out);
    out[n] = '\0';
    return n;
}

WindowData* DesktopState::Find(HWND hwnd)
{
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

std::vector<HWND>& DesktopState::SiblingsOf(const WindowData& w)
{
    if (auto* p = w.parent ? Find(w.parent) : nullptr)
        return p->children;
    return topLevel;
}

RECT ClientInset(const WindowData& w)
{
    int edge = 0;
    if (w.style & WS_BORDER)
        edge += 1;
    if (w.exStyle & WS_EX_STATICEDGE)
        edge += 1;
    if (w.exStyle & WS_EX_CLIENTEDGE)
        edge += 2;
    RECT in { edge, edge, edge, edge };
    if (w.style & WS_VSCROLL)
        in.right += kScrollBarSize;
    if (w.style & WS_HSCROLL)
        in.bottom += kScrollBarSize;
    return in;
}

POINT ClientOrigin(DesktopState& s, const WindowData& w)
{
    RECT r = WindowScreenRect(s, w);
    RECT in = ClientInset(w);
    return { r.left + in.left, r.top + in.top };
}

RECT WindowScreenRect(DesktopState& s, const WindowData& w)
{
    RECT r = w.rect;
    if (auto* p = w.parent ? s.Find(w.parent) : nullptr) {
        POINT o = ClientOrigin(s, *p);
        r.left += o.x;
        r.right += o.x;
        r.top += o.y;
        r.bottom += o.y;
    }
    return r;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !w->proc)
        return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* s = CurrentState();
    if (!s || (hwnd && !s->Find(hwnd)))
        return false;
    s->queue.push_back(MSG { hwnd, msg, wParam, lParam, s->now });
    return true;
}

bool PeekMessage(MSG* msg, bool remove)
{
    auto* s = CurrentState();
    if (!s || s->queue.empty())
        return false;
    if (msg)
        *msg = s->queue.front();
    if (remove)
        s->queue.pop_front();
    return true;
}

namespace {
thread_local int loopDepth = 0;
}

bool InMessageLoop() { return loopDepth > 0; }
MessageLoopScope::MessageLoopScope() { ++loopDepth; }
MessageLoopScope::~MessageLoopScope() { --loopDepth; }

LRESULT DispatchMessage(const MSG& msg)
{
    MessageLoopScope loop;
    // A WM_TIMER carrying a procedure in lParam calls it instead of the window.
    if (msg.message == WM_TIMER && msg.lParam) {
        reinterpret_cast<TIMERPROC>(msg.lParam)(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
        return 0;
    }
    return SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void DispatchQueued()
{
    MSG m;
    while (PeekMessage(&m, true)) {
        // What a filter does with the message is delivery by the loop, as dispatching is.
        MessageLoopScope loop;
        if (!TranslateMessageFilters(m))
            DispatchMessage(m);
    }
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCHITTEST: {
        POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        RECT r = WindowScreenRect(*s, *w);
        if (pt.x < r.left || pt.x >= r.right || pt.y < r.top || pt.y >= r.bottom)
            return HTNOWHERE;
        POINT local { pt.x - r.left, pt.y - r.top };
        for (int bar : { SB_VERT, SB_HORZ }) {
            RECT b = ScrollBarRect(*w, bar);
            if (local.x >= b.left && local.x < b.right && local.y >= b.top && local.y < b.bottom)
                return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
        }
        POINT o = ClientOrigin(*s, *w);
        RECT client;
        GetClientRect(hwnd, &client);
        if (pt.x >= o.x && pt.x < o.x + client.right && pt.y >= o.y && pt.y < o.y + client.bottom)
            return HTCLIENT;
        return HTBORDER;
    }
    case WM_SETCURSOR: SetCursor(IDC_ARROW); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(static_cast<HDC>(wParam), Rect { r.left, r.top, r.right, r.bottom }, GetSysColorBrush(COLOR_WINDOW));
        return 1;
    }
    case WM_MOUSEACTIVATE:
        // A child's parent decides first; a non-zero answer ends the question.
        if (w->parent && (w->style & WS_CHILD))
            if (LRESULT parent = SendMessage(w->parent, msg, wParam, lParam))
                return parent;
        return MA_ACTIVATE;
    case WM_SETTEXT: w->title = lParam ? reinterpret_cast<const char*>(lParam) : ""; return 1;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->title.size());
    case WM_GETTEXT: return static_cast<LRESULT>(CopyText(w->title, wParam, lParam));
    case WM_RBUTTONUP: {
        // A right click asks for a context menu at the cursor, in screen coordinates.
        POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        ClientToScreen(hwnd, &pt);
        SendMessage(hwnd, WM_CONTEXTMENU, static_cast<WPARAM>(hwnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        // Unhandled by a child, these travel up to its parent.
        if (w->parent && (w->style & WS_CHILD))
            return SendMessage(w->parent, msg, wParam, lParam);
        return 0;
    default: return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

bool SetProp(HWND hwnd, std::string_view name, intptr_t value)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    w->props.insert_or_assign(std::string(name), value);
    return true;
}

intptr_t GetProp(HWND hwnd, std::string_view name)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    auto it = w->props.find(name);
    return it == w->props.end() ? 0 : it->second;
}

bool HasProp(HWND hwnd, std::string_view name)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    return w && w->props.find(name) != w->props.end();
}

intptr_t RemoveProp(HWND hwnd, std::string_view name)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return 0;
    auto it = w->props.find(name);
    if (it == w->props.end())
        return 0;
    intptr_t v = it->second;
    w->props.erase(it);
    return v;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    auto* s = CurrentState();
    if (!s || (hwnd && !s->Find(hwnd)) || (!hwnd && !proc))
        return 0;
    UINT interval = std::max<UINT>(elapseMs, 1);
    if (hwnd) {
        // A window timer is keyed by (window, id); setting it again restarts it.
        for (auto& t : s->timers) {
            if (t.hwnd == hwnd && t.id == id) {
                t.interval = interval;
                t.due = s->now + interval;
                t.proc = proc;
                return id ? id : 1;
            }
        }
    } else {
        id = s->nextTimerId++;
    }
    s->timers.push_back(TimerData { hwnd, id, interval, s->now + interval, proc, s->timerOrder++ });
    return hwnd ? (id ? id : 1) : id;
}

bool KillTimer(HWND hwnd, UINT_PTR id)
{
    auto* s = CurrentState();
    if (!s)
        return false;
    auto n = std::erase_if(s->timers, [&](const TimerData& t) { return t.hwnd == hwnd && t.id == id; });
    // A tick already queued for it must not arrive afterwards either.
    std::erase_if(s->queue, [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; });
    return n > 0;
}

}  // namespace tavix::native
