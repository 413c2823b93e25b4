// Umbrella header of the Tavix grid control.
#pragma once

namespace tavix {

// Library version as "major.minor.patch".
const char* Version();

}  // namespace tavix
