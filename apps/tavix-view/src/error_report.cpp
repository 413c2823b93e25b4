#include "error_report.h"

#include <tavix/native/desktop.h>
#include <tavix/native/message_box.h>
#include <tavix/native/x11_display.h>

#include <cstdio>

namespace tavix::view {

namespace {

// A window of its own just large enough for the box, which the desktop centres in it.
constexpr int kBoxScreenWidth = 520;
constexpr int kBoxScreenHeight = 180;

}  // namespace

void ReportError(const std::string& message, bool onDisplay)
{
    std::fprintf(stderr, "tavix-view: %s\n", message.c_str());
    if (!onDisplay)
        return;
    // A user who started the viewer from a launcher sees no stderr.
    native::Desktop desktop(kBoxScreenWidth, kBoxScreenHeight);
    native::X11Display display(desktop, nullptr, "tavix-view", "tavix-view");
    if (!display.IsOpen())
        return;
    native::MessageBox(0, message, "tavix-view", native::MB_OK | native::MB_ICONERROR);
}

}  // namespace tavix::view
