#pragma once

#include "core/cell_data.h"

#include <string>

namespace tavix {
class CombosObject;
}

namespace tavix::core {

class FormatPool;

// The text a cell displays. Never throws: a failing conversion yields "".
std::string CellTextOf(const CellData& cell, const CellLook& look, const FormatPool& formats);
// As above, with combo cells showing the text of their matched item.
std::string CellTextOf(
    const CellData& cell, const CellLook& look, const FormatPool& formats, const CombosObject& combos);

// State a check-box cell shows: 0 unchecked, 1 checked, 2 indeterminate.
int32_t CheckStateOf(const GridVariant& value, bool threeState);

}  // namespace tavix::core
