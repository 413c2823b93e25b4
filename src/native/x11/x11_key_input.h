#pragma once
// Key presses as typed text. An X input method (the one XMODIFIERS names, else
// Xlib's own, which composes dead keys and Multi_key sequences) gives UTF-8 for
// any script; without one, the key's symbol gives the character. Input methods
// need a character locale: when the program left LC_CTYPE at "C", the user's is
// taken, or C.UTF-8 when that one is not UTF-8 (code elsewhere classifies bytes
// with <cctype>, which a single-byte locale would make rewrite UTF-8), and
// the previous one comes back at destruction. Number formatting (LC_NUMERIC)
// is never touched.
#include <X11/Xlib.h>
#include <string>

namespace tavix::native {

class X11KeyInput {
public:
    X11KeyInput(Display* display, Window window);
    ~X11KeyInput();
    X11KeyInput(const X11KeyInput&) = delete;
    X11KeyInput& operator=(const X11KeyInput&) = delete;

    // Events the input method wants the window to receive besides keys and focus.
    long EventMask() const { return imEvents_; }
    // True when the input method consumed the event (a compose sequence in progress ...).
    bool Filter(XEvent& e);
    void Focus(bool in);

    struct Press {
        KeySym sym { NoSymbol };
        std::string text;  // UTF-8, control characters included
    };
    Press Translate(XKeyEvent& e);
    // The key's symbol alone, for releases: input methods only read presses.
    static KeySym Symbol(XKeyEvent& e);

private:
    void UseCharacterLocale();

    Display* display_;
    XIM im_ { nullptr };
    XIC ic_ { nullptr };
    long imEvents_ { 0 };
    std::string previousCtype_;  // empty: the locale was left alone
};

}  // namespace tavix::native
