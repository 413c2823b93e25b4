#include "error_report.h"

#include <cstdio>

namespace tavix::view {

void ReportError(const std::string& message)
{
    std::fprintf(stderr, "tavix-view: %s\n", message.c_str());
    // TODO(message box): when $DISPLAY is set, also show `message` in the native message box
    // (being built in src/native) on a desktop shown through an X11Display, titled "tavix-view".
}

}  // namespace tavix::view
