// Umbrella header of the Tavix grid control.
#pragma once

#include <tavix/cell_object.h>
#include <tavix/dispatch.h>
#include <tavix/enums.h>
#include <tavix/error.h>
#include <tavix/events.h>
#include <tavix/font.h>
#include <tavix/format.h>
#include <tavix/grid.h>
#include <tavix/host.h>
#include <tavix/locale.h>
#include <tavix/ole_color.h>
#include <tavix/property_bag.h>
#include <tavix/scroll_bar_object.h>
#include <tavix/shell_sort_object.h>
#include <tavix/timer.h>
#include <tavix/variant.h>

namespace tavix {

// Library version as "major.minor.patch".
const char* Version();

}  // namespace tavix
