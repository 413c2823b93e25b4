#pragma once
// Windows, window procedures, input state, timers and window scroll bars.
// Every call works on the current Desktop (see desktop.h); with none alive the
// calls fail harmlessly (0 / false).
#include <string>
#include <string_view>
#include <tavix/native/messages.h>

namespace tavix::native {

inline constexpr DWORD WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                       WS_BORDER = 0x00800000, WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_EX_TOPMOST = 0x8, WS_EX_CLIENTEDGE = 0x200, WS_EX_STATICEDGE = 0x20000;
inline constexpr UINT CS_DBLCLKS = 0x8;

inline constexpr UINT SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOACTIVATE = 0x10,
                      SWP_FRAMECHANGED = 0x20, SWP_SHOWWINDOW = 0x40, SWP_HIDEWINDOW = 0x80;
inline constexpr HWND HWND_TOP = 0, HWND_BOTTOM = 1, HWND_TOPMOST = -1, HWND_NOTOPMOST = -2;
inline constexpr int SW_HIDE = 0, SW_SHOW = 5;
inline constexpr int GWL_STYLE = -16, GWL_EXSTYLE = -20, GWLP_WNDPROC = -4, GWL_WNDPROC = -4;

inline constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CXBORDER = 5,
                     SM_CYBORDER = 6, SM_CXHSCROLL = 21, SM_CYVSCROLL = 20, SM_CXHTHUMB = 10, SM_CYVTHUMB = 9,
                     SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37, SM_CXEDGE = 45, SM_CYEDGE = 46;
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x68;

inline constexpr HCURSOR IDC_ARROW = 32512, IDC_IBEAM = 32513, IDC_SIZEWE = 32644, IDC_SIZEALL = 32646;

// WM_STYLECHANGING / WM_STYLECHANGED (wParam GWL_STYLE or GWL_EXSTYLE); a
// WM_STYLECHANGING handler may change styleNew.
struct STYLESTRUCT {
    DWORD styleOld { 0 };
    DWORD styleNew { 0 };
};

// Window scroll bars.
inline constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;
inline constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8, SIF_TRACKPOS = 0x10,
                      SIF_ALL = 0x17;
inline constexpr UINT ESB_ENABLE_BOTH = 0, ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
    UINT cbSize { sizeof(SCROLLINFO) };
    UINT fMask { 0 };
    int nMin { 0 };
    int nMax { 0 };
    UINT nPage { 0 };
    int nPos { 0 };
    int nTrackPos { 0 };
};

// Classes and windows.
bool RegisterClass(std::string_view className, WNDPROC proc, UINT classStyle = 0);
HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view title, DWORD style, int x, int y,
    int width, int height, HWND parent);
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
// Through WM_GETTEXTLENGTH / WM_GETTEXT and WM_SETTEXT, so controls answer with their own text.
std::string GetWindowText(HWND hwnd);
bool SetWindowText(HWND hwnd, std::string_view text);
LONG_PTR GetWindowLong(HWND hwnd, int index);
// Style words are announced with WM_STYLECHANGING / WM_STYLECHANGED, even when unchanged.
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLongPtr(HWND hwnd, int index) { return GetWindowLong(hwnd, index); }
inline LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) { return SetWindowLong(hwnd, index, value); }

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
bool GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, client width, client height)
bool ClientToScreen(HWND hwnd, POINT* pt);
bool ScreenToClient(HWND hwnd, POINT* pt);
HWND WindowFromPoint(POINT screenPt);
bool ShowWindow(HWND hwnd, int cmd);  // returns whether it was visible before
bool IsWindowVisible(HWND hwnd);  // visible itself and all its ancestors
bool EnableWindow(HWND hwnd, bool enable);  // returns whether it was disabled before
bool IsWindowEnabled(HWND hwnd);
HWND GetWindow(HWND hwnd, int relation);
inline constexpr int GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_CHILD = 5;

// Messages.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PeekMessage(MSG* msg, bool remove);
LRESULT DispatchMessage(const MSG& msg);
// True while the message loop delivers something it took from the queue or a
// paint it decided on, and everything that delivery causes; false while code
// outside the loop (an application's call) is running.
bool InMessageLoop();
// Marks delivery by the message loop for as long as it lives.
class MessageLoopScope {
public:
    MessageLoopScope();
    ~MessageLoopScope();
    MessageLoopScope(const MessageLoopScope&) = delete;
    MessageLoopScope& operator=(const MessageLoopScope&) = delete;
};
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
inline WNDPROC ToWndProc(LONG_PTR value) { return reinterpret_cast<WNDPROC>(value); }
inline LONG_PTR FromWndProc(WNDPROC proc) { return reinterpret_cast<LONG_PTR>(proc); }

bool SetProp(HWND hwnd, std::string_view name, intptr_t value);
intptr_t GetProp(HWND hwnd, std::string_view name);  // 0 when missing
intptr_t RemoveProp(HWND hwnd, std::string_view name);
bool HasProp(HWND hwnd, std::string_view name);

// Input state.
HWND SetFocus(HWND hwnd);  // returns the previous focus
HWND GetFocus();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
HCURSOR LoadCursor(HCURSOR id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
bool GetCursorPos(POINT* pt);
bool ClipCursor(const RECT* rect);  // nullptr frees the cursor
int16_t GetKeyState(int vk);  // high bit set while down
int16_t GetAsyncKeyState(int vk);
int GetSystemMetrics(int index);
bool SystemParametersInfo(UINT action, UINT param, void* out, UINT winIni = 0);
UINT GetDoubleClickTime();
DWORD GetTickCount();

// Timers. With no window and no procedure nothing can receive the tick, so
// SetTimer fails (returns 0).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
bool KillTimer(HWND hwnd, UINT_PTR id);

// Window scroll bars (drawn and hit-tested in the non-client area).
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw = true);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
bool ShowScrollBar(HWND hwnd, int bar, bool show);
bool EnableScrollBar(HWND hwnd, int bar, UINT arrows);

}  // namespace tavix::native
