#include <algorithm>
#include <gtest/gtest.h>
#include <tavix/native/desktop.h>
#include <vector>

using namespace tavix::native;

namespace {

struct Entry {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};
std::vector<Entry> g_log;

LRESULT Recorder(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m != WM_NCHITTEST && m != WM_SETCURSOR && m != WM_PAINT && m != WM_ERASEBKGND)
        g_log.push_back({ h, m, wp, lp });
    return DefWindowProc(h, m, wp, lp);
}

// Hands the focus on to the window in its "next" property when a key goes down.
LRESULT FocusPasser(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_KEYDOWN)
        SetFocus(static_cast<HWND>(GetProp(h, "next")));
    return Recorder(h, m, wp, lp);
}

class WinInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        RegisterClass("Plain", Recorder);
        RegisterClass("Dbl", Recorder, CS_DBLCLKS);
    }
    std::vector<UINT> Buttons() const
    {
        std::vector<UINT> out;
        for (auto& e : g_log)
            if (e.msg >= WM_LBUTTONDOWN && e.msg <= WM_MBUTTONUP)
                out.push_back(e.msg);
        return out;
    }
    Desktop desktop { 800, 600 };
};

}  // namespace

TEST_F(WinInput, FrameWidthsPerStyle)
{
    struct Case {
        DWORD style, ex;
        RECT client;
    } cases[] = {
        { 0, 0, { 0, 0, 100, 80 } },
        { WS_BORDER, 0, { 0, 0, 98, 78 } },
        { 0, WS_EX_STATICEDGE, { 0, 0, 98, 78 } },
        { 0, WS_EX_CLIENTEDGE, { 0, 0, 96, 76 } },
        { WS_BORDER | WS_VSCROLL, 0, { 0, 0, 81, 78 } },
        { WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, { 0, 0, 79, 59 } },
    };
    for (auto& c : cases) {
        HWND w = CreateWindowEx(c.ex, "Plain", "", c.style | WS_VISIBLE, 10, 20, 100, 80, 0);
        RECT r;
        GetClientRect(w, &r);
        EXPECT_EQ(r, c.client) << std::hex << c.style << " " << c.ex;
        GetWindowRect(w, &r);
        EXPECT_EQ(r, (RECT { 10, 20, 110, 100 }));
    }
}

TEST_F(WinInput, CoordinatesAndHitTestingFollowTheTree)
{
    HWND top = CreateWindowEx(WS_EX_CLIENTEDGE, "Plain", "", WS_VISIBLE, 100, 50, 300, 200, 0);
    HWND child = CreateWindowEx(0, "Plain", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 50, 50, top);
    POINT p { 0, 0 };
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT { 100 + 2 + 10 + 1, 50 + 2 + 10 + 1 }));
    ScreenToClient(top, &p);
    EXPECT_EQ(p, (POINT { 11, 11 }));
    EXPECT_EQ(WindowFromPoint({ 120, 70 }), child);
    EXPECT_EQ(WindowFromPoint({ 300, 200 }), top);
    EXPECT_EQ(WindowFromPoint({ 5, 5 }), 0);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(WindowFromPoint({ 120, 70 }), top);
    EXPECT_FALSE(IsWindowVisible(child));

    // A topmost popup stays above a window brought to the top later.
    HWND popup = CreateWindowEx(WS_EX_TOPMOST, "Plain", "", WS_POPUP | WS_VISIBLE, 90, 40, 40, 40, 0);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint({ 110, 60 }), popup);
    SetWindowPos(popup, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_EQ(WindowFromPoint({ 110, 60 }), top);
}

TEST_F(WinInput, FocusChangeSendsKillThenSet)
{
    HWND a = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 0, 0, 50, 50, 0);
    HWND b = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 60, 0, 50, 50, 0);
    SetFocus(a);
    g_log.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(g_log.size(), 2u);
    EXPECT_EQ(g_log[0].hwnd, a);
    EXPECT_EQ(g_log[0].msg, WM_KILLFOCUS);
    EXPECT_EQ(g_log[0].wp, static_cast<WPARAM>(b));
    EXPECT_EQ(g_log[1].hwnd, b);
    EXPECT_EQ(g_log[1].msg, WM_SETFOCUS);
    EXPECT_EQ(g_log[1].wp, static_cast<WPARAM>(a));
    g_log.clear();
    SetFocus(b);
    EXPECT_TRUE(g_log.empty());
    desktop.KeyDown(VK_SHIFT);
    EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
    desktop.KeyUp(VK_SHIFT);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(g_log.front().msg, WM_KEYDOWN);
    EXPECT_EQ(g_log.front().hwnd, b);
    EnableWindow(b, false);
    EXPECT_EQ(GetFocus(), 0) << "a disabled window loses the focus";
}

TEST_F(WinInput, ACharacterGoesWhereItsKeyWentDown)
{
    RegisterClass("Passer", FocusPasser);
    HWND a = CreateWindowEx(0, "Passer", "", WS_VISIBLE, 0, 0, 50, 50, 0);
    HWND b = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 60, 0, 50, 50, 0);
    SetProp(a, "next", static_cast<intptr_t>(b));
    SetFocus(a);
    desktop.KeyDown(VK_RETURN);
    desktop.Char(U'\r');
    desktop.Char(U'x');
    desktop.KeyUp(VK_RETURN);
    desktop.Char(U'y');
    std::vector<std::pair<HWND, WPARAM>> chars;
    for (const Entry& e : g_log)
        if (e.msg == WM_CHAR)
            chars.emplace_back(e.hwnd, e.wp);
    EXPECT_EQ(chars, (std::vector<std::pair<HWND, WPARAM>> { { a, '\r' }, { b, 'x' }, { b, 'y' } }))
        << "the key moved the focus; the press's further characters, and those without a key, follow it";
}

TEST_F(WinInput, CaptureRoutesMouseOutsideTheWindow)
{
    HWND a = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 0, 0, 50, 50, 0);
    HWND b = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 100, 0, 50, 50, 0);
    SetCapture(a);
    g_log.clear();
    desktop.MouseMove(120, 10);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log[0].hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(g_log[0].lp), 120);
    SetCapture(b);
    EXPECT_EQ(g_log.back().msg, WM_CAPTURECHANGED);
    EXPECT_EQ(g_log.back().hwnd, a);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), 0);
    EXPECT_EQ(g_log.back().hwnd, b);
    // Disabled windows receive no mouse input.
    EnableWindow(b, false);
    g_log.clear();
    desktop.Click(120, 10);
    EXPECT_TRUE(Buttons().empty());
}

TEST_F(WinInput, DoubleClickNeedsClassStyleTimeAndDistance)
{
    HWND d = CreateWindowEx(0, "Dbl", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    HWND p = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 200, 0, 100, 100, 0);
    (void)d;
    (void)p;
    desktop.Click(10, 10);
    desktop.Advance(500);
    desktop.Click(12, 12);
    EXPECT_EQ(Buttons(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));

    // A third click is a plain press again; too late or too far is no double click.
    g_log.clear();
    desktop.Click(12, 12);
    desktop.Advance(501);
    desktop.Click(12, 12);
    desktop.Advance(10);
    desktop.Click(15, 12);
    EXPECT_EQ(Buttons(),
        (std::vector<UINT> {
            WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));

    // Without CS_DBLCLKS the class gets two plain presses.
    g_log.clear();
    desktop.Click(210, 10);
    desktop.Click(210, 10);
    EXPECT_EQ(Buttons(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));
}

TEST_F(WinInput, ClipCursorConfinesInjectedMoves)
{
    RECT clip { 10, 10, 20, 20 };
    ClipCursor(&clip);
    desktop.MouseMove(100, 0);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT { 19, 10 }));
    ClipCursor(nullptr);
    desktop.MouseMove(100, 0);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT { 100, 0 }));
}

TEST_F(WinInput, ContextMenuAndWheelBubbleUpFromChildren)
{
    HWND top = CreateWindowEx(0, "Plain", "", WS_VISIBLE, 100, 100, 200, 200, 0);
    HWND child = CreateWindowEx(0, "Plain", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    g_log.clear();
    desktop.Click(120, 130, Desktop::Button::Right);
    std::vector<Entry> menus;
    for (auto& e : g_log)
        if (e.msg == WM_CONTEXTMENU)
            menus.push_back(e);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].hwnd, child);
    EXPECT_EQ(menus[1].hwnd, top);
    EXPECT_EQ(menus[1].wp, static_cast<WPARAM>(child));
    EXPECT_EQ(GET_X_LPARAM(menus[1].lp), 120);
    EXPECT_EQ(GET_Y_LPARAM(menus[1].lp), 130);

    SetFocus(child);
    g_log.clear();
    desktop.KeyDown(VK_CONTROL);
    desktop.Wheel(-WHEEL_DELTA);
    desktop.KeyUp(VK_CONTROL);
    std::vector<Entry> wheels;
    for (auto& e : g_log)
        if (e.msg == WM_MOUSEWHEEL)
            wheels.push_back(e);
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(wheels[1].hwnd, top);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wp), -WHEEL_DELTA);
    EXPECT_EQ(LOWORD(wheels[0].wp) & MK_CONTROL, MK_CONTROL);
}

namespace {
// Refuses activation for clicks on its children and discards them.
LRESULT RefusingParent(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_MOUSEACTIVATE && LOWORD(static_cast<uintptr_t>(lp)) == HTCLIENT)
        return HIWORD(static_cast<uintptr_t>(lp)) == WM_LBUTTONDOWN ? MA_NOACTIVATEANDEAT : MA_NOACTIVATE;
    return Recorder(h, m, wp, lp);
}
}  // namespace

TEST_F(WinInput, ClicksAskTheParentChainWhetherTheyActivate)
{
    RegisterClass("Refusing", RefusingParent);
    HWND top = CreateWindowEx(0, "Refusing", "", WS_VISIBLE, 100, 100, 200, 200, 0);
    HWND child = CreateWindowEx(0, "Plain", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    g_log.clear();
    desktop.Click(120, 120);
    desktop.Click(120, 120, Desktop::Button::Right);
    auto asked = std::find_if(g_log.begin(), g_log.end(), [](auto& e) { return e.msg == WM_MOUSEACTIVATE; });
    ASSERT_NE(asked, g_log.end());
    EXPECT_EQ(asked->hwnd, child);
    EXPECT_EQ(asked->wp, static_cast<WPARAM>(top));
    EXPECT_EQ(Buttons(), (std::vector<UINT> { WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP }))
        << "the left press was discarded, the right one only kept from activating";
}
