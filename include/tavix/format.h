// The runtime's Format function: numbers, dates and text through user patterns.
#pragma once

#include <tavix/variant.h>

#include <string>
#include <string_view>

namespace tavix {

// An empty format gives the standard text conversion. A malformed pattern never
// throws: the text produced so far is returned. firstDayOfWeek: 1 = Sunday ... 7 = Saturday;
// firstWeekOfYear: 1 = the week containing 1 January.
std::string Format(const GridVariant& value, std::string_view format, int firstDayOfWeek = 1, int firstWeekOfYear = 1);

}  // namespace tavix
