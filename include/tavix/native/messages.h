#pragma once
// Basic types, message numbers and key codes of the native windowing layer.
// The numeric values are fixed: applications see them in key events and send
// them to the grid's window.
#include <cstdint>

namespace tavix::native {

using HWND = int32_t;  // 0 = no window
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using DWORD = uint32_t;
using HCURSOR = int32_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct RECT {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t right { 0 };
    int32_t bottom { 0 };
    bool operator==(const RECT&) const = default;
};

struct POINT {
    int32_t x { 0 };
    int32_t y { 0 };
    bool operator==(const POINT&) const = default;
};

struct MSG {
    HWND hwnd { 0 };
    UINT message { 0 };
    WPARAM wParam { 0 };
    LPARAM lParam { 0 };
    DWORD time { 0 };
};

inline constexpr UINT WM_NULL = 0x00, WM_CREATE = 0x01, WM_DESTROY = 0x02, WM_MOVE = 0x03, WM_SIZE = 0x05,
                      WM_SETFOCUS = 0x07, WM_KILLFOCUS = 0x08, WM_ENABLE = 0x0A, WM_PAINT = 0x0F, WM_ERASEBKGND = 0x14,
                      WM_SYSCOLORCHANGE = 0x15, WM_SHOWWINDOW = 0x18, WM_SETCURSOR = 0x20, WM_MOUSEACTIVATE = 0x21,
                      WM_DRAWITEM = 0x2B, WM_MEASUREITEM = 0x2C, WM_NOTIFY = 0x4E, WM_CONTEXTMENU = 0x7B,
                      WM_NCCALCSIZE = 0x83, WM_NCHITTEST = 0x84, WM_NCPAINT = 0x85, WM_KEYDOWN = 0x100,
                      WM_KEYUP = 0x101, WM_CHAR = 0x102, WM_SYSKEYDOWN = 0x104, WM_SYSKEYUP = 0x105, WM_COMMAND = 0x111,
                      WM_TIMER = 0x113, WM_HSCROLL = 0x114, WM_VSCROLL = 0x115, WM_CTLCOLORLISTBOX = 0x134,
                      WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202, WM_LBUTTONDBLCLK = 0x203,
                      WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205, WM_RBUTTONDBLCLK = 0x206, WM_MBUTTONDOWN = 0x207,
                      WM_MBUTTONUP = 0x208, WM_MBUTTONDBLCLK = 0x209, WM_MOUSEWHEEL = 0x20A, WM_CAPTURECHANGED = 0x215,
                      WM_THEMECHANGED = 0x31A, WM_USER = 0x400;
inline constexpr UINT WM_STYLECHANGING = 0x7C, WM_STYLECHANGED = 0x7D;

// Text, fonts, clipboard commands, control colours and mouse activation.
inline constexpr UINT WM_SETTEXT = 0x0C, WM_GETTEXT = 0x0D, WM_GETTEXTLENGTH = 0x0E, WM_SETFONT = 0x30,
                      WM_GETFONT = 0x31, WM_CTLCOLOREDIT = 0x133, WM_CTLCOLORSTATIC = 0x138, WM_CUT = 0x300,
                      WM_COPY = 0x301, WM_PASTE = 0x302, WM_CLEAR = 0x303, WM_UNDO = 0x304;
// Answers to WM_MOUSEACTIVATE: the ...ANDEAT forms discard the click.
inline constexpr LRESULT MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4;
// The context-menu key.
inline constexpr int VK_APPS = 0x5D;

inline constexpr WPARAM MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10;

inline constexpr int VK_LBUTTON = 1, VK_RBUTTON = 2, VK_MBUTTON = 4, VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13,
                     VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33,
                     VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
                     VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73,
                     VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A,
                     VK_F12 = 0x7B;

// Scroll notification codes (LOWORD of WM_HSCROLL / WM_VSCROLL's wParam).
inline constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
                     SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6,
                     SB_BOTTOM = 7, SB_ENDSCROLL = 8;

// Hit-test codes answered by WM_NCHITTEST.
inline constexpr LRESULT HTNOWHERE = 0, HTCLIENT = 1, HTHSCROLL = 6, HTVSCROLL = 7, HTBORDER = 18;

inline constexpr uint16_t LOWORD(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
inline constexpr uint16_t HIWORD(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
inline constexpr WPARAM MAKEWPARAM(uint16_t lo, uint16_t hi) { return WPARAM(lo) | (WPARAM(hi) << 16); }
inline constexpr LPARAM MAKELPARAM(int lo, int hi)
{
    return static_cast<LPARAM>(
        static_cast<uint32_t>(static_cast<uint16_t>(lo)) | (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16));
}
inline constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lp))); }
inline constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lp))); }
inline constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wp) { return static_cast<int16_t>(HIWORD(wp)); }
inline constexpr int WHEEL_DELTA = 120;

}  // namespace tavix::native
