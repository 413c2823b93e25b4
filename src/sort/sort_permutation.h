// Shell sort of row numbers: the order a row-moving shell sort would leave, each row moved once by the caller.
#pragma once

#include <cstdint>
#include <vector>

#include "core/huge_page_allocator.h"
#include "sort/sort_source.h"
#include <tavix/shell_sort_object.h>

namespace tavix {

// Element p - 1 is the row (numbered before the sort) that ends at position p.
// groupMode: group rows stay fixed and fence the runs between them.
// A comparison that fails ends the sort: the order reached so far is returned, every row once, and
// the grid carries on as after any sort, as its operations do past errors of their later steps.
core::HugePageVector<int32_t> SortPermutation(
    const ShellSortObject& criteria, SortSource& source, int32_t rowCount, bool groupMode);

}  // namespace tavix
