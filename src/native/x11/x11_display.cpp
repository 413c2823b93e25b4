// Before Xlib, whose macros (None, Bool ...) would collide with them.
#include "native/win/desktop_state.h"
#include "native/win/utf8.h"
#include "native/x11/x11_clipboard.h"
#include "native/x11/x11_key_input.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <cctype>
#include <chrono>
#include <cstring>
#include <map>
#include <poll.h>
#include <string>
#include <tavix/native/x11_display.h>
#include <vector>

namespace tavix::native {

namespace {

int VirtualKey(KeySym sym)
{
    if (sym >= XK_a && sym <= XK_z)
        return static_cast<int>(sym - XK_a + 'A');
    if ((sym >= XK_A && sym <= XK_Z) || (sym >= XK_0 && sym <= XK_9))
        return static_cast<int>(sym);
    if (sym >= XK_F1 && sym <= XK_F12)
        return VK_F1 + static_cast<int>(sym - XK_F1);
    switch (sym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R: return VK_MENU;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Prior: return VK_PRIOR;
    case XK_Next: return VK_NEXT;
    case XK_End: return VK_END;
    case XK_Home: return VK_HOME;
    case XK_Left: return VK_LEFT;
    case XK_Up: return VK_UP;
    case XK_Right: return VK_RIGHT;
    case XK_Down: return VK_DOWN;
    case XK_Insert: return VK_INSERT;
    case XK_Delete: return VK_DELETE;
    case XK_Menu: return VK_APPS;
    default: return 0;
    }
}

unsigned FontCursorFor(HCURSOR cursor)
{
    switch (cursor) {
    case IDC_IBEAM: return XC_xterm;
    case IDC_SIZEWE: return XC_sb_h_double_arrow;
    case IDC_SIZEALL:
    case IDC_DRAGMOVE: return XC_fleur;
    case IDC_DRAGCOPY: return XC_plus;
    case IDC_DRAGLINK: return XC_exchange;
    case IDC_NO: return XC_X_cursor;
    default: return XC_left_ptr;
    }
}

// The title as _NET_WM_NAME in UTF-8 for today's window managers and as WM_NAME for the
// others, which read Latin-1 or compound text; WM_CLASS lets desktops group and match the window.
void NameWindow(Display* display, Window window, const char* title, const char* appName)
{
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace, reinterpret_cast<const unsigned char*>(title),
        static_cast<int>(std::strlen(title)));
    char* titles[] = { const_cast<char*>(title) };
    XTextProperty name {};
    if (Xutf8TextListToTextProperty(display, titles, 1, XStdICCTextStyle, &name) >= Success) {
        XSetWMName(display, window, &name);
        XFree(name.value);
    }
    std::string instance = appName;
    std::string className = instance;
    if (!className.empty())
        className[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(className[0])));
    XClassHint hint { instance.data(), className.data() };
    XSetClassHint(display, window, &hint);
}

}  // namespace

struct X11Display::Impl {
    Desktop& desktop;
    Display* display { nullptr };
    Window window { 0 };
    GC gc { nullptr };
    Atom deleteAtom { 0 };
    bool open { false };
    bool exposed { true };
    uint64_t serial { ~uint64_t(0) };
    std::vector<uint32_t> pixels;
    std::map<HCURSOR, Cursor> cursors;  // made on first use, freed with the display
    HCURSOR shownCursor { 0 };
    std::unique_ptr<X11Clipboard> clipboard;
    std::unique_ptr<X11KeyInput> keyInput;
    std::chrono::steady_clock::time_point last { std::chrono::steady_clock::now() };

    explicit Impl(Desktop& d)
        : desktop(d)
    {
    }

    void Put()
    {
        const Surface& frame = desktop.Frame();
        // Only a changed frame or an exposed window is worth a round trip.
        if (!exposed && desktop.FrameSerial() == serial)
            return;
        exposed = false;
        serial = desktop.FrameSerial();
        pixels.assign(frame.Data(), frame.Data() + static_cast<size_t>(frame.Width()) * frame.Height());
        Visual* visual = DefaultVisual(display, DefaultScreen(display));
        XImage* image = XCreateImage(display, visual, 24, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()),
            static_cast<unsigned>(frame.Width()), static_cast<unsigned>(frame.Height()), 32, 0);
        if (!image)
            return;
        XPutImage(display, window, gc, image, 0, 0, 0, 0, static_cast<unsigned>(frame.Width()),
            static_cast<unsigned>(frame.Height()));
        image->data = nullptr;  // the pixels belong to us
        XDestroyImage(image);
        XFlush(display);
    }

    // The desktop's cursor becomes the X window's.
    void ShowCursor()
    {
        const HCURSOR cursor = desktop.State().cursor;
        if (cursor == shownCursor)
            return;
        shownCursor = cursor;
        auto it = cursors.find(cursor);
        if (it == cursors.end())
            it = cursors.emplace(cursor, XCreateFontCursor(display, FontCursorFor(cursor))).first;
        XDefineCursor(display, window, it->second);
        XFlush(display);
    }

    void Key(XKeyEvent& e, bool down)
    {
        if (!down) {
            if (int vk = VirtualKey(X11KeyInput::Symbol(e)))
                desktop.KeyUp(vk);
            return;
        }
        const X11KeyInput::Press press = keyInput->Translate(e);
        const int vk = VirtualKey(press.sym);
        if (vk)
            desktop.KeyDown(vk);
        // One WM_CHAR per code point: a composed or pasted-in string may hold several.
        bool typed = false;
        for (size_t i = 0; i < press.text.size();) {
            const char32_t c = utf8::Next(press.text, i);
            if (c >= 0x20 && c != 0x7F) {
                desktop.Char(c);
                typed = true;
            }
        }
        if (!typed && (vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE || vk == VK_TAB))
            desktop.Char(static_cast<char32_t>(vk));
    }

    void Handle(XEvent& e)
    {
        if (keyInput->Filter(e))
            return;
        switch (e.type) {
        case MotionNotify: desktop.MouseMove(e.xmotion.x, e.xmotion.y); break;
        case ButtonPress:
        case ButtonRelease: {
            desktop.MouseMove(e.xbutton.x, e.xbutton.y);
            unsigned b = e.xbutton.button;
            if (b == Button4 || b == Button5) {
                if (e.type == ButtonPress)
                    desktop.Wheel(b == Button4 ? WHEEL_DELTA : -WHEEL_DELTA);
                break;
            }
            auto button = b == Button1 ? Desktop::Button::Left
                : b == Button3         ? Desktop::Button::Right
                                       : Desktop::Button::Middle;
            e.type == ButtonPress ? desktop.MouseDown(button) : desktop.MouseUp(button);
            break;
        }
        case Expose: exposed = true; break;
        case KeyPress: Key(e.xkey, true); break;
        case KeyRelease: Key(e.xkey, false); break;
        case FocusIn:
        case FocusOut: keyInput->Focus(e.type == FocusIn); break;
        // The keyboard layout changed: key codes mean other symbols from now on.
        case MappingNotify: XRefreshKeyboardMapping(&e.xmapping); break;
        case ConfigureNotify:
            if (e.xconfigure.width != desktop.Width() || e.xconfigure.height != desktop.Height())
                desktop.SetScreenSize(e.xconfigure.width, e.xconfigure.height);
            break;
        case SelectionRequest:
        case SelectionClear: clipboard->Handle(e); break;
        case ClientMessage:
            if (static_cast<Atom>(e.xclient.data.l[0]) == deleteAtom)
                open = false;
            break;
        default: break;
        }
    }
};

X11Display::X11Display(Desktop& desktop, const char* displayName, const char* title, const char* appName)
    : impl_(std::make_unique<Impl>(desktop))
{
    Impl& d = *impl_;
    d.display = XOpenDisplay(displayName);
    if (!d.display)
        return;
    int screen = DefaultScreen(d.display);
    if (DefaultDepth(d.display, screen) < 24)
        return;
    d.window = XCreateSimpleWindow(d.display, RootWindow(d.display, screen), 0, 0,
        static_cast<unsigned>(desktop.Width()), static_cast<unsigned>(desktop.Height()), 0, 0, 0);
    NameWindow(d.display, d.window, title, appName);
    d.keyInput = std::make_unique<X11KeyInput>(d.display, d.window);
    XSelectInput(d.display, d.window,
        ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask
            | StructureNotifyMask | PropertyChangeMask | FocusChangeMask | d.keyInput->EventMask());
    d.deleteAtom = XInternAtom(d.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d.display, d.window, &d.deleteAtom, 1);
    d.gc = XCreateGC(d.display, d.window, 0, nullptr);
    XMapWindow(d.display, d.window);
    XSync(d.display, False);
    d.open = true;
    d.clipboard = std::make_unique<X11Clipboard>(d.display, d.window);
    desktop.State().clipboard = d.clipboard.get();
    desktop.SetEventPump(this);
}

X11Display::~X11Display()
{
    Impl& d = *impl_;
    if (!d.display)
        return;
    DesktopState& s = d.desktop.State();
    if (s.clipboard == d.clipboard.get())
        s.clipboard = &s.localClipboard;
    if (d.desktop.Pump() == this)
        d.desktop.SetEventPump(nullptr);
    if (d.gc)
        XFreeGC(d.display, d.gc);
    for (const auto& [id, cursor] : d.cursors)
        XFreeCursor(d.display, cursor);
    d.keyInput.reset();
    if (d.window)
        XDestroyWindow(d.display, d.window);
    XCloseDisplay(d.display);
}

bool X11Display::IsOpen() const { return impl_->open; }
unsigned long X11Display::WindowId() const { return impl_->window; }

bool X11Display::PumpOnce(int timeoutMs)
{
    Impl& d = *impl_;
    if (!d.open)
        return false;
    if (!XPending(d.display)) {
        pollfd p { ConnectionNumber(d.display), POLLIN, 0 };
        poll(&p, 1, timeoutMs);
    }
    while (d.open && XPending(d.display)) {
        XEvent e;
        XNextEvent(d.display, &e);
        d.Handle(e);
    }
    auto now = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - d.last);
    d.last += elapsed;
    d.desktop.Advance(static_cast<DWORD>(elapsed.count()));
    if (d.open) {
        d.ShowCursor();
        d.Put();
    }
    return d.open;
}

void X11Display::GrabInput(bool grab)
{
    Impl& d = *impl_;
    if (!d.open)
        return;
    if (grab) {
        // Moves and the release outside our window still belong to the drag, and so does Escape.
        XGrabPointer(d.display, d.window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
            GrabModeAsync, 0, 0, CurrentTime);
        XGrabKeyboard(d.display, d.window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    } else {
        XUngrabPointer(d.display, CurrentTime);
        XUngrabKeyboard(d.display, CurrentTime);
    }
    XFlush(d.display);
}

void X11Display::Run()
{
    while (PumpOnce(15)) { }
}

}  // namespace tavix::native
