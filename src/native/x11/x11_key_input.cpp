#include "native/x11/x11_key_input.h"
#include "native/win/utf8.h"

#include <X11/Xutil.h>
#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace tavix::native {

namespace {

constexpr KeySym kUnicodeKeysyms = 0x01000000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsUtf8Codeset() { return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; }

// Latin-1 keysyms are their code points; others carry theirs above 0x01000000.
char32_t CodePointOf(KeySym sym)
{
    if ((sym >= 0x20 && sym < 0x7F) || (sym >= 0xA0 && sym <= 0xFF))
        return static_cast<char32_t>(sym);
    if (sym > kUnicodeKeysyms + 0x9F && sym <= kUnicodeKeysyms + kLastCodePoint)
        return static_cast<char32_t>(sym - kUnicodeKeysyms);
    return 0;
}

XIM OpenInputMethod(Display* display)
{
    if (!XSupportsLocale())
        return nullptr;
    // XMODIFIERS may name a server that is not running: Xlib's own method still composes.
    if (XSetLocaleModifiers("") != nullptr)
        if (XIM im = XOpenIM(display, nullptr, nullptr, nullptr))
            return im;
    if (XSetLocaleModifiers("@im=none") != nullptr)
        return XOpenIM(display, nullptr, nullptr, nullptr);
    return nullptr;
}

}  // namespace

X11KeyInput::X11KeyInput(Display* display, Window window)
    : display_(display)
{
    UseCharacterLocale();
    im_ = OpenInputMethod(display);
    if (im_ == nullptr)
        return;
    // The method draws nothing in our window: a pre-edit, if any, shows in its own.
    ic_ = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, window, XNFocusWindow,
        window, nullptr);
    if (ic_ == nullptr)
        return;
    XGetICValues(ic_, XNFilterEvents, &imEvents_, nullptr);
}

X11KeyInput::~X11KeyInput()
{
    if (ic_ != nullptr)
        XDestroyIC(ic_);
    if (im_ != nullptr)
        XCloseIM(im_);
    if (!previousCtype_.empty())
        std::setlocale(LC_CTYPE, previousCtype_.c_str());
}

void X11KeyInput::UseCharacterLocale()
{
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (current == nullptr || (std::strcmp(current, "C") != 0 && std::strcmp(current, "POSIX") != 0))
        return;
    previousCtype_ = current;
    if (std::setlocale(LC_CTYPE, "") != nullptr && IsUtf8Codeset())
        return;
    if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && IsUtf8Codeset())
        return;
    std::setlocale(LC_CTYPE, previousCtype_.c_str());
    previousCtype_.clear();
}

bool X11KeyInput::Filter(XEvent& e) { return ic_ != nullptr && XFilterEvent(&e, 0) == True; }

void X11KeyInput::Focus(bool in)
{
    if (ic_ == nullptr)
        return;
    if (in)
        XSetICFocus(ic_);
    else
        XUnsetICFocus(ic_);
}

X11KeyInput::Press X11KeyInput::Translate(XKeyEvent& e)
{
    Press press;
    if (ic_ != nullptr) {
        std::string buffer(32, '\0');
        Status status = 0;
        int n = Xutf8LookupString(ic_, &e, buffer.data(), static_cast<int>(buffer.size()), &press.sym, &status);
        if (status == XBufferOverflow) {
            buffer.resize(static_cast<size_t>(n));
            n = Xutf8LookupString(ic_, &e, buffer.data(), n, &press.sym, &status);
        }
        if (status == XLookupChars || status == XLookupBoth)
            press.text.assign(buffer.data(), static_cast<size_t>(n));
        if (status != XLookupKeySym && status != XLookupBoth)
            press.sym = NoSymbol;
        return press;
    }
    char byte = 0;
    const int n = XLookupString(&e, &byte, 1, &press.sym, nullptr);
    // A control character (Ctrl+letter, Return, Escape ...) is the key's own; else the symbol's character.
    const bool control = n == 1 && (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F);
    if (control)
        press.text.assign(1, byte);
    else if (const char32_t cp = CodePointOf(press.sym))
        utf8::Append(press.text, cp);
    return press;
}

KeySym X11KeyInput::Symbol(XKeyEvent& e)
{
    KeySym sym = NoSymbol;
    XLookupString(&e, nullptr, 0, &sym, nullptr);
    return sym;
}

}  // namespace tavix::native
