// How the viewer tells its user why it cannot go on.
#pragma once

#include <string>

namespace tavix::view {

// Writes the message to stderr, and shows it in a message box when there is a display.
void ReportError(const std::string& message);

}  // namespace tavix::view
