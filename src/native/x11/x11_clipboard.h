#pragma once
// The desktop's clipboard under X11Display: text goes out through the X
// CLIPBOARD and PRIMARY selections, owned by the display's window and served
// on request (TARGETS, UTF8_STRING, STRING), and comes in from other owners
// through XConvertSelection, INCR transfers included.
#include "native/win/clipboard_store.h"
#include <X11/Xlib.h>
#include <array>

namespace tavix::native {

class X11Clipboard final : public ClipboardStore {
public:
    X11Clipboard(Display* display, Window window);

    bool SetText(ClipboardSelection which, std::string utf8) override;
    std::optional<std::string> Text(ClipboardSelection which) override;
    // Selection requests and clears addressed to the window; true when taken.
    bool Handle(const XEvent& e);

private:
    Atom SelectionAtom(ClipboardSelection which) const;
    void Serve(const XSelectionRequestEvent& request);
    std::optional<std::string> Convert(Atom selection, Atom target);
    struct Property {
        Atom type { None };
        std::string bytes;
    };
    // Reads and deletes the transfer property.
    std::optional<Property> ReadProperty();
    std::optional<std::string> ReadIncremental();
    // Waits for an event of `type` on the window, serving requests meanwhile.
    bool WaitFor(int type, XEvent& out);

    Display* display_;
    Window window_;
    Atom clipboard_;
    Atom targets_;
    Atom utf8_;
    Atom incr_;
    Atom transfer_;  // the property our window receives conversions in
    std::array<std::string, 2> owned_;
};

}  // namespace tavix::native
