// The column layout and the sort state as strings of "|"-terminated items read in triples:
// column index | property name | value |. Parsing works on temporaries, so that a string
// that fails leaves the grid as it was.
#pragma once

#include "core/column_table.h"
#include "core/grid_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavix::persist {

std::string FormatLayoutCol(const core::ColumnTable& columns);
// The columns in their new display order. Raises 13 for an item that is not a number, 9 for
// an order outside 1 .. column count, 5 for a missing "|", an unfinished group or a string
// that does not place every column exactly once.
std::vector<core::ColumnPlacement> ParseLayoutCol(std::string_view text, const core::ColumnTable& columns);

std::string FormatLayoutSort(const core::ColumnTable& columns);

struct SortMark {
    int32_t colIndex { 0 };
    bool isKey { false };  // SortKey, else SortOrder
    int32_t value { 0 };
};
// The "SortKey" and "SortOrder" triples in the order read. Never raises: an item that is not
// a number leaves its variable as the previous triple had it, other names are skipped, and
// an item without its "|" ends the string.
std::vector<SortMark> ParseLayoutSort(std::string_view text);

}  // namespace tavix::persist
