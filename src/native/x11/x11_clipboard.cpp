#include "native/x11/x11_clipboard.h"
#include "native/win/utf8.h"
#include <X11/Xatom.h>
#include <chrono>
#include <climits>
#include <poll.h>

namespace tavix::native {

namespace {

// Long enough for a busy owner, short enough that a dead one does not hang us.
constexpr auto kReplyTimeout = std::chrono::milliseconds(2000);
// Room left in a request for everything but the data.
constexpr long kRequestOverhead = 256;

size_t Index(ClipboardSelection which) { return which == ClipboardSelection::Primary ? 1 : 0; }

std::string Latin1(std::string_view utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = utf8::Next(utf8, i);
        out += c < 0x100 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string FromLatin1(std::string_view latin1)
{
    std::string out;
    for (char c : latin1)
        utf8::Append(out, static_cast<unsigned char>(c));
    return out;
}

}  // namespace

X11Clipboard::X11Clipboard(Display* display, Window window)
    : display_(display)
    , window_(window)
    , clipboard_(XInternAtom(display, "CLIPBOARD", False))
    , targets_(XInternAtom(display, "TARGETS", False))
    , utf8_(XInternAtom(display, "UTF8_STRING", False))
    , incr_(XInternAtom(display, "INCR", False))
    , transfer_(XInternAtom(display, "TAVIX_SELECTION", False))
{
}

Atom X11Clipboard::SelectionAtom(ClipboardSelection which) const
{
    return which == ClipboardSelection::Primary ? XA_PRIMARY : clipboard_;
}

bool X11Clipboard::SetText(ClipboardSelection which, std::string utf8)
{
    owned_[Index(which)] = std::move(utf8);
    const Atom selection = SelectionAtom(which);
    if (XGetSelectionOwner(display_, selection) != window_)
        XSetSelectionOwner(display_, selection, window_, CurrentTime);
    return XGetSelectionOwner(display_, selection) == window_;
}

std::optional<std::string> X11Clipboard::Text(ClipboardSelection which)
{
    const Atom selection = SelectionAtom(which);
    const Window owner = XGetSelectionOwner(display_, selection);
    if (owner == window_)
        return owned_[Index(which)];
    if (owner == None)
        return std::nullopt;
    if (auto text = Convert(selection, utf8_))
        return text;
    if (auto text = Convert(selection, XA_STRING))
        return FromLatin1(*text);
    return std::nullopt;
}

bool X11Clipboard::Handle(const XEvent& e)
{
    if (e.type == SelectionRequest && e.xselectionrequest.owner == window_) {
        Serve(e.xselectionrequest);
        return true;
    }
    // Someone else owns it now; reading will ask them.
    return e.type == SelectionClear && e.xselectionclear.window == window_;
}

void X11Clipboard::Serve(const XSelectionRequestEvent& request)
{
    XSelectionEvent reply {};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;
    // Old clients name no property: the target's name serves.
    const Atom property = request.property == None ? request.target : request.property;
    const std::string& text = owned_[request.selection == XA_PRIMARY ? 1 : 0];
    if (request.target == targets_) {
        Atom offered[] = { targets_, utf8_, XA_STRING };
        XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(offered), 3);
        reply.property = property;
    } else if (request.target == utf8_ || request.target == XA_STRING) {
        std::string data = request.target == XA_STRING ? Latin1(text) : text;
        long limit = XExtendedMaxRequestSize(display_) ? XExtendedMaxRequestSize(display_) : XMaxRequestSize(display_);
        // Larger texts would need an INCR transfer, which we do not offer: the request is refused.
        if (static_cast<long>(data.size()) <= limit * 4 - kRequestOverhead) {
            XChangeProperty(display_, request.requestor, property, request.target, 8, PropModeReplace,
                reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
            reply.property = property;
        }
    }
    XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display_);
}

bool X11Clipboard::WaitFor(int type, XEvent& out)
{
    const auto deadline = std::chrono::steady_clock::now() + kReplyTimeout;
    for (;;) {
        if (XCheckTypedWindowEvent(display_, window_, type, &out))
            return true;
        XEvent request;
        while (XCheckTypedWindowEvent(display_, window_, SelectionRequest, &request))
            Handle(request);
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p { ConnectionNumber(display_), POLLIN, 0 };
        poll(&p, 1, static_cast<int>(left.count()));
    }
}

std::optional<std::string> X11Clipboard::Convert(Atom selection, Atom target)
{
    XDeleteProperty(display_, window_, transfer_);
    XConvertSelection(display_, selection, target, transfer_, window_, CurrentTime);
    XFlush(display_);
    XEvent e;
    do {
        if (!WaitFor(SelectionNotify, e))
            return std::nullopt;
    } while (e.xselection.selection != selection);
    if (e.xselection.property == None)
        return std::nullopt;
    auto value = ReadProperty();
    if (!value)
        return std::nullopt;
    // Deleting the INCR property asked the owner for the first chunk.
    return value->type == incr_ ? ReadIncremental() : std::optional<std::string>(std::move(value->bytes));
}

std::optional<X11Clipboard::Property> X11Clipboard::ReadProperty()
{
    Property value;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window_, transfer_, 0, LONG_MAX / 4, True, AnyPropertyType, &value.type, &format,
            &count, &after, &data)
        != Success)
        return std::nullopt;
    if (data && format == 8)
        value.bytes.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return value;
}

std::optional<std::string> X11Clipboard::ReadIncremental()
{
    std::string text;
    for (;;) {
        XEvent e;
        if (!WaitFor(PropertyNotify, e))
            return std::nullopt;
        if (e.xproperty.atom != transfer_ || e.xproperty.state != PropertyNewValue)
            continue;
        auto chunk = ReadProperty();
        if (!chunk)
            return std::nullopt;
        // The notice of the INCR property itself comes late and finds it gone.
        if (chunk->type == None)
            continue;
        if (chunk->bytes.empty())
            return text;
        text += chunk->bytes;
    }
}

}  // namespace tavix::native
