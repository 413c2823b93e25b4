// Shell sort of row numbers: the order a row-moving shell sort would leave, each row moved once by the caller.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sort_source.h"
#include "tavix/error.h"
#include "tavix/shell_sort_object.h"

namespace tavix {

// Element p - 1 is the row (numbered before the sort) that ends at position p.
// groupMode: group rows stay fixed and fence the runs between them.
// A comparison that throws ends the sort: the order reached so far is returned, every row once,
// and the error is stored in *failure when given.
std::vector<int32_t> SortPermutation(const ShellSortObject& criteria, SortSource& source, int32_t rowCount,
    bool groupMode, std::optional<TavixError>* failure = nullptr);

}  // namespace tavix
