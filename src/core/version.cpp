#include <tavix/tavix.h>

namespace tavix {

const char* Version() { return "0.1.0"; }

}  // namespace tavix
