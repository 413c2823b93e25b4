#include "native/win/desktop_state.h"
#include <algorithm>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Union(const RECT& a, const RECT& b)
{
    if (Empty(a))
        return b;
    if (Empty(b))
        return a;
    return { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
        std::max(a.bottom, b.bottom) };
}

RECT Intersect(const RECT& a, const RECT& b)
{
    RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
    return Empty(r) ? RECT {} : r;
}

RECT ClientBounds(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return r;
}

// The backing surface follows the window's size; a new one is all invalid.
Surface& EnsureSurface(WindowData& w)
{
    int width = w.rect.right - w.rect.left;
    int height = w.rect.bottom - w.rect.top;
    if (!w.surface)
        w.surface = std::make_shared<Surface>();
    if (w.surface->Width() != width || w.surface->Height() != height) {
        w.surface->Resize(width, height, ToPixel(GetSysColor(COLOR_WINDOW)));
        w.update = ClientBounds(w.id);
        w.erase = true;
    }
    return *w.surface;
}

HDC ClientDC(DesktopState& s, WindowData& w, const RECT& clip)
{
    EnsureSurface(w);
    RECT in = ClientInset(w);
    RECT client = ClientBounds(w.id);
    RECT c = Intersect(clip, client);
    s.screenDirty = true;
    return CreateSurfaceDC(w.surface, Point { in.left, in.top },
        Rect { c.left + in.left, c.top + in.top, c.right + in.left, c.bottom + in.top });
}

void PaintTree(DesktopState& s, HWND hwnd, bool& painted)
{
    auto* w = s.Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || painted)
        return;
    EnsureSurface(*w);
    if (!Empty(w->update)) {
        const uint32_t begun = w->paintsBegun;
        SendMessage(hwnd, WM_PAINT, 0, 0);
        // A procedure that never validates would otherwise be asked forever; one that
        // painted and invalidated again (it moved itself while painting ...) is asked again.
        if (auto* again = s.Find(hwnd); again && again->paintsBegun == begun)
            again->update = {};
        painted = true;
        return;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        PaintTree(s, *it, painted);
}

}  // namespace

void PaintPending(DesktopState& s)
{
    MessageLoopScope loop;
    // A window invalidating itself at every paint gets the next frame, not an endless loop.
    constexpr int kMaxRounds = 256;
    for (int round = 0; round < kMaxRounds; ++round) {
        bool painted = false;
        for (auto it = s.topLevel.rbegin(); it != s.topLevel.rend() && !painted; ++it)
            PaintTree(s, *it, painted);
        if (!painted)
            return;
        DispatchQueued();
    }
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    RECT client = ClientBounds(hwnd);
    w->update = Union(w->update, Intersect(rect ? *rect : client, client));
    w->erase = w->erase || erase;
    s->screenDirty = true;
    return true;
}

bool ValidateRect(HWND hwnd, const RECT* rect)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    // The invalid area is kept as one rectangle, so only a covering rectangle empties it.
    if (!rect || Intersect(*rect, w->update) == w->update)
        w->update = {};
    return true;
}

bool GetUpdateRect(HWND hwnd, RECT* rect, bool)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    if (rect)
        *rect = w->update;
    return !Empty(w->update);
}

bool UpdateWindow(HWND hwnd)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    if (IsWindowVisible(hwnd) && !Empty(w->update))
        SendMessage(hwnd, WM_PAINT, 0, 0);
    return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w || !ps)
        return 0;
    EnsureSurface(*w);
    ++w->paintsBegun;
    ps->rcPaint = w->update;
    ps->fErase = w->erase;
    w->update = {};
    w->erase = false;
    ps->hdc = ClientDC(*s, *w, ps->rcPaint);
    if (ps->fErase)
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, static_cast<WPARAM>(ps->hdc), 0) == 0;
    return ps->hdc;
}

bool EndPaint(HWND, const PAINTSTRUCT* ps) { return ps && DeleteDC(ps->hdc); }

HDC GetDC(HWND hwnd)
{
    auto* s = CurrentState();
    if (!s)
        return 0;
    if (!hwnd) {
        Compose(*s);
        return CreateSurfaceDC(s->screen, Point {}, s->screen->Bounds());
    }
    auto* w = s->Find(hwnd);
    return w ? ClientDC(*s, *w, ClientBounds(hwnd)) : 0;
}

int ReleaseDC(HWND hwnd, HDC hdc)
{
    // Drawing on the screen itself changed the frame without a recomposition.
    if (auto* s = CurrentState(); s && !hwnd)
        ++s->frameSerial;
    return DeleteDC(hdc) ? 1 : 0;
}

}  // namespace tavix::native
