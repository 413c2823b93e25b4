#include "native/win/desktop_state.h"
#include "native/win/drag_loop.h"
#include "native/win/png_writer.h"
#include <algorithm>
#include <cstdlib>
#include <tavix/native/desktop.h>

namespace tavix::native {

namespace {
thread_local Desktop* g_current = nullptr;

WPARAM MouseKeyFlags(const DesktopState& s)
{
    WPARAM f = 0;
    if (s.keys[VK_LBUTTON])
        f |= MK_LBUTTON;
    if (s.keys[VK_RBUTTON])
        f |= MK_RBUTTON;
    if (s.keys[VK_MBUTTON])
        f |= MK_MBUTTON;
    if (s.keys[VK_SHIFT])
        f |= MK_SHIFT;
    if (s.keys[VK_CONTROL])
        f |= MK_CONTROL;
    return f;
}

int ButtonKey(Desktop::Button b)
{
    return b == Desktop::Button::Left ? VK_LBUTTON : b == Desktop::Button::Right ? VK_RBUTTON : VK_MBUTTON;
}

UINT DownMessage(Desktop::Button b)
{
    return b == Desktop::Button::Left ? WM_LBUTTONDOWN : b == Desktop::Button::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
}

bool AncestorsEnabled(DesktopState& s, HWND hwnd)
{
    for (auto* w = s.Find(hwnd); w; w = s.Find(w->parent))
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

// Where a mouse message at the current position goes: the capture window, or
// the window under the cursor when its client area is hit.
struct MouseTarget {
    HWND hwnd { 0 };
    LRESULT hit { HTNOWHERE };
};

MouseTarget FindTarget(DesktopState& s, UINT msg)
{
    if (s.capture)
        return { s.capture, HTCLIENT };
    HWND h = WindowFromPoint(s.mouse);
    if (!h || !AncestorsEnabled(s, h))
        return {};
    LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(s.mouse.x, s.mouse.y));
    if (msg == WM_MOUSEMOVE && s.Find(h))
        SendMessage(h, WM_SETCURSOR, static_cast<WPARAM>(h), MAKELPARAM(static_cast<int>(hit), static_cast<int>(msg)));
    return { h, hit };
}

void PostClient(DesktopState& s, HWND h, UINT msg)
{
    POINT p = s.mouse;
    ScreenToClient(h, &p);
    PostMessage(h, msg, MouseKeyFlags(s), MAKELPARAM(p.x, p.y));
}

// Turns a button-down into a double click when the class asks for it and the
// second press is close enough in time and space to the first.
UINT ClassifyDown(DesktopState& s, HWND h, UINT down)
{
    auto* w = s.Find(h);
    bool dbl = w && (w->classStyle & CS_DBLCLKS) && !s.lastClickWasDouble && s.lastClickWindow == h
        && s.lastClickMessage == down && s.now - s.lastClickTime <= GetDoubleClickTime()
        && std::abs(s.mouse.x - s.lastClickPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2
        && std::abs(s.mouse.y - s.lastClickPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    s.lastClickWindow = h;
    s.lastClickMessage = down;
    s.lastClickTime = s.now;
    s.lastClickPt = s.mouse;
    s.lastClickWasDouble = dbl;
    return dbl ? down + 2 : down;  // WM_xBUTTONDBLCLK follows WM_xBUTTONUP
}
}  // namespace

DesktopState* CurrentState() { return g_current ? &g_current->State() : nullptr; }

Desktop::Desktop(int screenWidth, int screenHeight)
    : state_(std::make_unique<DesktopState>())
    , previous_(g_current)
{
    state_->width = screenWidth;
    state_->height = screenHeight;
    g_current = this;
    RegisterSystemClasses();
}

Desktop::~Desktop()
{
    for (HWND h : std::vector<HWND>(state_->topLevel))
        DestroyWindow(h);
    if (g_current == this)
        g_current = previous_;
}

Desktop* Desktop::Current() { return g_current; }
int Desktop::Width() const { return state_->width; }
int Desktop::Height() const { return state_->height; }
DWORD Desktop::Now() const { return state_->now; }
void Desktop::SetScreenSize(int width, int height)
{
    state_->width = std::max(1, width);
    state_->height = std::max(1, height);
    state_->screen.reset();
    state_->screenDirty = true;
}

void Desktop::SetWheelScrollLines(UINT lines) { state_->wheelLines = lines; }

void Desktop::QueueMessageBoxAnswer(int answer) { state_->messageBoxAnswers.push_back(answer); }
const std::vector<MessageBoxCall>& Desktop::MessageBoxCalls() const { return state_->messageBoxCalls; }
void Desktop::SetEventPump(EventPump* pump) { state_->pump = pump; }
EventPump* Desktop::Pump() const { return state_->pump; }

void Desktop::RunUntilIdle()
{
    DispatchQueued();
    PaintPending(*state_);
}

const Surface& Desktop::Frame()
{
    Compose(*state_);
    return *state_->screen;
}

uint64_t Desktop::FrameSerial() const { return state_->frameSerial; }

bool Desktop::Screenshot(const std::string& path) { return WritePng(Frame(), path); }

void Desktop::Advance(DWORD ms)
{
    RunUntilIdle();
    auto& s = *state_;
    DWORD end = s.now + ms;
    for (;;) {
        TimerData* next = nullptr;
        for (auto& t : s.timers)
            if (t.due <= end && (!next || t.due < next->due || (t.due == next->due && t.order < next->order)))
                next = &t;
        if (!next)
            break;
        s.now = next->due;
        next->due += next->interval;
        PostMessage(next->hwnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc));
        RunUntilIdle();
    }
    // A modal loop run by a timer's handler may have moved the clock further.
    s.now = std::max(s.now, end);
}

void Desktop::MouseMove(int x, int y)
{
    auto& s = *state_;
    if (s.clipped) {
        x = std::clamp(x, s.clip.left, std::max(s.clip.left, s.clip.right - 1));
        y = std::clamp(y, s.clip.top, std::max(s.clip.top, s.clip.bottom - 1));
    }
    s.mouse = { x, y };
    if (s.drag) {
        s.drag->Track();
    } else if (s.scroll.hwnd) {
        ScrollBarMouseMove(s, s.mouse);
    } else if (auto t = FindTarget(s, WM_MOUSEMOVE); t.hwnd && t.hit == HTCLIENT) {
        PostClient(s, t.hwnd, WM_MOUSEMOVE);
    }
    RunUntilIdle();
}

void Desktop::MouseDown(Button button)
{
    auto& s = *state_;
    s.keys[ButtonKey(button)] = true;
    if (s.drag) {
        s.drag->Track();
        RunUntilIdle();
        return;
    }
    UINT down = DownMessage(button);
    auto t = FindTarget(s, down);
    if (t.hwnd && s.Find(t.hwnd) && !s.capture && MouseActivateEatsClick(s, t.hwnd, t.hit, down))
        t = {};
    if (t.hwnd && s.Find(t.hwnd)) {
        if (t.hit == HTCLIENT) {
            PostClient(s, t.hwnd, ClassifyDown(s, t.hwnd, down));
        } else if ((t.hit == HTVSCROLL || t.hit == HTHSCROLL) && button == Button::Left) {
            auto* w = s.Find(t.hwnd);
            RECT wr = WindowScreenRect(s, *w);
            ScrollBarMouseDown(
                s, *w, t.hit == HTVSCROLL ? SB_VERT : SB_HORZ, POINT { s.mouse.x - wr.left, s.mouse.y - wr.top });
        }
    }
    RunUntilIdle();
}

void Desktop::MouseUp(Button button)
{
    auto& s = *state_;
    s.keys[ButtonKey(button)] = false;
    if (s.drag) {
        s.drag->ButtonUp(ButtonKey(button));
    } else if (s.scroll.hwnd && button == Button::Left) {
        ScrollBarMouseUp(s);
    } else if (auto t = FindTarget(s, DownMessage(button) + 1); t.hwnd && t.hit == HTCLIENT) {
        PostClient(s, t.hwnd, DownMessage(button) + 1);
    }
    RunUntilIdle();
}

void Desktop::Click(int x, int y, Button button)
{
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void Desktop::Wheel(int delta)
{
    auto& s = *state_;
    HWND h = s.focus ? s.focus : WindowFromPoint(s.mouse);
    if (h)
        PostMessage(h, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<uint16_t>(MouseKeyFlags(s)), static_cast<uint16_t>(delta)),
            MAKELPARAM(s.mouse.x, s.mouse.y));
    RunUntilIdle();
}

void Desktop::KeyDown(int vk)
{
    auto& s = *state_;
    bool repeat = s.keys[vk & 0xFF];
    s.keys[vk & 0xFF] = true;
    bool sys = s.keys[VK_MENU] && vk != VK_CONTROL && !s.keys[VK_CONTROL];
    LPARAM lp = 1 | (repeat ? (LPARAM(1) << 30) : 0);
    s.charTarget = s.focus;
    if (s.drag)
        s.drag->KeyDown(vk);
    else if (s.focus)
        PostMessage(s.focus, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), lp);
    RunUntilIdle();
}

void Desktop::KeyUp(int vk)
{
    auto& s = *state_;
    s.keys[vk & 0xFF] = false;
    s.charTarget = 0;
    bool sys = s.keys[VK_MENU] || vk == VK_MENU;
    if (s.drag)
        s.drag->Track();
    else if (s.focus)
        PostMessage(s.focus, sys ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), 1 | (LPARAM(3) << 30));
    RunUntilIdle();
}

void Desktop::Char(char32_t ch)
{
    // The key's character goes where the key went down, as the platform translates it, even
    // when the key moved the focus: Enter closing a list must not reach the grid as well.
    // Any further characters of the same press (an input method's string) follow the focus.
    // The keys of a running drag belong to it.
    auto& s = *state_;
    const HWND to = s.charTarget != 0 && IsWindow(s.charTarget) ? s.charTarget : s.focus;
    s.charTarget = 0;
    if (to && !s.drag)
        PostMessage(to, WM_CHAR, static_cast<WPARAM>(ch), 1);
    RunUntilIdle();
}

void Desktop::TypeText(std::string_view utf8)
{
    for (size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (int k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += len;
        // Letters, digits and space come with their key strokes, like typing.
        int vk = 0;
        if ((cp >= '0' && cp <= '9') || cp == ' ')
            vk = static_cast<int>(cp);
        else if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z'))
            vk = static_cast<int>(cp & ~0x20u);
        if (vk)
            KeyDown(vk);
        Char(cp);
        if (vk)
            KeyUp(vk);
    }
}

}  // namespace tavix::native
