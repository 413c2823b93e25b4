// When a combo item stands for a value: the one rule for finding a cell's item and
// for keeping the item a commit picked.
#pragma once

#include <tavix/variant.h>

namespace tavix::core {

// Objects match only themselves; other values as they compare equal, and values
// that do not compare never match.
bool ComboValueMatches(const GridVariant& item, const GridVariant& value);

}  // namespace tavix::core
