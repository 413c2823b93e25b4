// How the viewer tells its user why it cannot go on.
#pragma once

#include <string>

namespace tavix::view {

// Writes the message to stderr and, when the viewer runs on a display, shows it
// in a message box until the user dismisses it.
void ReportError(const std::string& message, bool onDisplay);

}  // namespace tavix::view
