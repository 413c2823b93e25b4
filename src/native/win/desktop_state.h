#pragma once
// Internal state of a Desktop shared by the window, input and scroll-bar code.
#include "native/win/clipboard_store.h"
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tavix/native/desktop.h>
#include <tavix/native/drag_drop.h>
#include <tavix/native/surface.h>
#include <tavix/native/window.h>
#include <vector>

namespace tavix::native {

struct ScrollBarState {
    int min { 0 };
    int max { 100 };
    UINT page { 0 };
    int pos { 0 };
    int trackPos { 0 };
    bool tracking { false };
    bool disabled { false };
};

struct WindowClass {
    WNDPROC proc { nullptr };
    UINT style { 0 };
};

// The state of a built-in control ("EDIT", "COMBOBOX" ...), owned by its
// window; its class procedure holds a reference while it runs, so a control
// may destroy its own window.
class WindowControl {
public:
    virtual ~WindowControl() = default;
};

struct WindowData {
    HWND id { 0 };
    HWND parent { 0 };
    std::vector<HWND> children;  // z-order, topmost first
    std::string className;
    std::string title;
    DWORD style { 0 };
    DWORD exStyle { 0 };
    RECT rect;  // relative to the parent's client area (screen for top-level windows)
    WNDPROC proc { nullptr };
    UINT classStyle { 0 };
    std::map<std::string, intptr_t, std::less<>> props;
    ScrollBarState hbar;
    ScrollBarState vbar;
    bool destroying { false };
    std::shared_ptr<Surface> surface;  // the whole window, frame included
    RECT update;  // pending invalid area, client coordinates
    bool erase { false };
    uint32_t paintsBegun { 0 };  // BeginPaint calls, to tell a procedure that validates from one that never does
    int clientWidth { -1 };  // last size reported with WM_SIZE
    int clientHeight { -1 };
    std::shared_ptr<WindowControl> control;
    DropTarget* dropTarget { nullptr };  // registered for drops, not owned
};

struct TimerData {
    HWND hwnd { 0 };
    UINT_PTR id { 0 };
    UINT interval { 0 };
    DWORD due { 0 };
    TIMERPROC proc { nullptr };
    uint64_t order { 0 };  // ties at the same due time fire in creation order
};

// A held scroll-bar part: the notification repeats while the button is down.
struct ScrollDrag {
    HWND hwnd { 0 };
    int bar { SB_VERT };
    int code { -1 };  // SB_* being repeated, SB_THUMBTRACK for thumb drags
    int grabOffset { 0 };
    UINT_PTR timer { 0 };
};

class DragLoop;

struct DesktopState {
    int width { 1280 };
    int height { 800 };
    DWORD now { 0 };
    std::map<std::string, WindowClass, std::less<>> classes;
    std::map<HWND, std::unique_ptr<WindowData>> windows;
    std::vector<HWND> topLevel;  // z-order, topmost first
    HWND nextId { 1 };
    std::deque<MSG> queue;
    std::vector<TimerData> timers;
    UINT_PTR nextTimerId { 1 };
    uint64_t timerOrder { 0 };
    HWND focus { 0 };
    HWND charTarget { 0 };  // where the key went down whose character comes next
    HWND capture { 0 };
    HCURSOR cursor { IDC_ARROW };
    POINT mouse;
    bool clipped { false };
    RECT clip;
    bool keys[256] {};
    UINT wheelLines { 3 };
    // Double-click detection.
    HWND lastClickWindow { 0 };
    UINT lastClickMessage { 0 };
    DWORD lastClickTime { 0 };
    POINT lastClickPt;
    bool lastClickWasDouble { false };
    ScrollDrag scroll;
    std::shared_ptr<Surface> screen;
    bool screenDirty { true };
    uint64_t frameSerial { 0 };  // counts recompositions
    InProcessClipboard localClipboard;
    ClipboardStore* clipboard { &localClipboard };  // replaced by a backend's own
    std::deque<int> messageBoxAnswers;
    std::vector<MessageBoxCall> messageBoxCalls;
    EventPump* pump { nullptr };
    DragLoop* drag { nullptr };  // the running drag, which takes the pointer and keys

    WindowData* Find(HWND hwnd);
    std::vector<HWND>& SiblingsOf(const WindowData& w);
};

DesktopState* CurrentState();

// The message loop: every queued message, keyboard messages offered to the
// thread's message filters first (message_api.cpp).
void DispatchQueued();

// Copies text into a WM_GETTEXT buffer of bufferSize bytes, NUL included;
// returns the bytes copied.
size_t CopyText(std::string_view text, WPARAM bufferSize, LPARAM buffer);

// Window geometry helpers used across the module.
RECT WindowScreenRect(DesktopState& s, const WindowData& w);
RECT ClientInset(const WindowData& w);  // widths of the non-client frame per side
POINT ClientOrigin(DesktopState& s, const WindowData& w);  // screen coordinates
RECT ScrollBarRect(const WindowData& w, int bar);  // window coordinates; empty when not shown

// Painting (window_paint.cpp, compositor.cpp).
void PaintPending(DesktopState& s);  // one WM_PAINT per invalid visible window
void Compose(DesktopState& s);
void DrawNonClient(WindowData& w);

// The built-in window classes, registered with every desktop (system_classes.cpp).
void RegisterSystemClasses();
// Sends WM_MOUSEACTIVATE for a click on `target`; true when the answer
// discards the click (mouse_activate.cpp).
bool MouseActivateEatsClick(DesktopState& s, HWND target, LRESULT hit, UINT downMessage);

// Scroll-bar mouse handling (scrollbar.cpp).
bool ScrollBarMouseDown(DesktopState& s, WindowData& w, int bar, POINT windowPt);
void ScrollBarMouseMove(DesktopState& s, POINT screenPt);
void ScrollBarMouseUp(DesktopState& s);

}  // namespace tavix::native
