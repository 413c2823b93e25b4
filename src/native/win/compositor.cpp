#include "native/win/desktop_state.h"
#include "native/win/scrollbar_layout.h"
#include <algorithm>
#include <tavix/native/gdi.h>

namespace tavix::native {

namespace {

uint32_t Sys(int index) { return ToPixel(GetSysColor(index)); }

void Fill(Surface& s, RECT r, uint32_t color)
{
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, s.Width());
    r.bottom = std::min(r.bottom, s.Height());
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(s.Row(y) + r.left, s.Row(y) + std::max(r.left, r.right), color);
}

// One ring of the frame: top and left in one colour, bottom and right in another.
void Ring(Surface& s, RECT r, uint32_t topLeft, uint32_t bottomRight)
{
    Fill(s, { r.left, r.top, r.right, r.top + 1 }, topLeft);
    Fill(s, { r.left, r.top, r.left + 1, r.bottom }, topLeft);
    Fill(s, { r.left, r.bottom - 1, r.right, r.bottom }, bottomRight);
    Fill(s, { r.right - 1, r.top, r.right, r.bottom }, bottomRight);
}

RECT Shrink(RECT r, int by) { return { r.left + by, r.top + by, r.right - by, r.bottom - by }; }

// A small filled triangle pointing along the bar (dir: 0 up, 1 down, 2 left, 3 right).
void Arrow(Surface& s, RECT box, int dir, uint32_t color)
{
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        int row = (dir == 0 || dir == 2) ? i : 3 - i;
        int along = row - 2;
        if (dir < 2)
            Fill(s, { cx - i, cy + along, cx + i + 1, cy + along + 1 }, color);
        else
            Fill(s, { cx + along, cy - i, cx + along + 1, cy + i + 1 }, color);
    }
}

void Button(Surface& s, RECT r)
{
    Fill(s, r, Sys(COLOR_BTNFACE));
    Ring(s, r, Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW));
    Ring(s, Shrink(r, 1), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
}

void DrawBar(Surface& s, const WindowData& w, int bar)
{
    RECT r = ScrollBarRect(w, bar);
    if (r.right <= r.left)
        return;
    const ScrollBarState& state = bar == SB_VERT ? w.vbar : w.hbar;
    bool vert = bar == SB_VERT;
    ScrollBarLayout l = ScrollBarLayout::Compute(vert ? r.bottom - r.top : r.right - r.left, state);
    auto part = [&](int from, int to) {
        return vert ? RECT { r.left, r.top + from, r.right, r.top + to }
                    : RECT { r.left + from, r.top, r.left + to, r.bottom };
    };
    Fill(s, r, Sys(COLOR_SCROLLBAR));
    uint32_t glyph = state.disabled ? Sys(COLOR_GRAYTEXT) : Sys(COLOR_BTNTEXT);
    RECT first = part(0, l.arrow), last = part(l.length - l.arrow, l.length);
    Button(s, first);
    Button(s, last);
    Arrow(s, first, vert ? 0 : 2, glyph);
    Arrow(s, last, vert ? 1 : 3, glyph);
    if (l.thumbLength)
        Button(s, part(l.thumbStart, l.thumbStart + l.thumbLength));
}

void Blit(Surface& dst, const Surface& src, POINT at, RECT clip)
{
    RECT r { std::max({ at.x, clip.left, 0 }), std::max({ at.y, clip.top, 0 }),
        std::min({ at.x + src.Width(), clip.right, dst.Width() }),
        std::min({ at.y + src.Height(), clip.bottom, dst.Height() }) };
    for (int y = r.top; y < r.bottom; ++y)
        if (r.right > r.left)
            std::copy(src.Row(y - at.y) + (r.left - at.x), src.Row(y - at.y) + (r.right - at.x), dst.Row(y) + r.left);
}

RECT Intersect(const RECT& a, const RECT& b)
{
    return { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
}

void ComposeTree(DesktopState& s, WindowData& w, RECT clip)
{
    if (!(w.style & WS_VISIBLE) || !w.surface)
        return;
    DrawNonClient(w);
    RECT r = WindowScreenRect(s, w);
    Blit(*s.screen, *w.surface, { r.left, r.top }, clip);
    POINT o = ClientOrigin(s, w);
    RECT client;
    GetClientRect(w.id, &client);
    RECT inner = Intersect(clip, { o.x, o.y, o.x + client.right, o.y + client.bottom });
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it)
        if (auto* c = s.Find(*it))
            ComposeTree(s, *c, inner);
}

}  // namespace

void DrawNonClient(WindowData& w)
{
    Surface& s = *w.surface;
    RECT r { 0, 0, s.Width(), s.Height() };
    if (w.style & WS_BORDER) {
        Ring(s, r, Sys(COLOR_WINDOWFRAME), Sys(COLOR_WINDOWFRAME));
        r = Shrink(r, 1);
    }
    if (w.exStyle & WS_EX_STATICEDGE) {
        Ring(s, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        r = Shrink(r, 1);
    }
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        Ring(s, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        Ring(s, Shrink(r, 1), Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
    }
    DrawBar(s, w, SB_VERT);
    DrawBar(s, w, SB_HORZ);
    if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
        RECT v = ScrollBarRect(w, SB_VERT), h = ScrollBarRect(w, SB_HORZ);
        Fill(s, { v.left, h.top, v.right, h.bottom }, Sys(COLOR_BTNFACE));
    }
}

void Compose(DesktopState& s)
{
    PaintPending(s);
    if (!s.screen)
        s.screen = std::make_shared<Surface>(s.width, s.height);
    if (!s.screenDirty)
        return;
    Fill(*s.screen, { 0, 0, s.width, s.height }, Sys(COLOR_BACKGROUND));
    for (auto it = s.topLevel.rbegin(); it != s.topLevel.rend(); ++it)
        if (auto* w = s.Find(*it))
            ComposeTree(s, *w, { 0, 0, s.width, s.height });
    s.screenDirty = false;
    ++s.frameSerial;
}

}  // namespace tavix::native
