// Compares two rows' cells under one sort criterion.
#pragma once

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <memory>
#include <optional>
#include <vector>

#include "sort/sort_source.h"
#include <tavix/shell_sort_object.h>

namespace tavix {

struct CellOrder {
    bool ge;  // greater-or-equal in the criterion's order
    bool eq;
};

class CellComparer {
public:
    // rowCount 0 caches nothing: for a sort whose rows move between comparisons.
    CellComparer(const ShellSortObject& criteria, SortSource& source, int32_t rowCount);

    // Rows are positions before the sort, so cached texts stay valid while rows move.
    CellOrder CompareCells(int32_t rowA, int32_t rowB, int16_t criterion);
    // Walks the criteria; a criterion that finds the cells unequal, or the last one, decides.
    bool CompareRows(int32_t held, int32_t row);

private:
    // Cached per row unless the comparer was made for no rows; then it is made in scratch.
    const icu::UnicodeString& Text(int32_t row, int16_t criterion, icu::UnicodeString& scratch);
    CellOrder CompareValues(int32_t rowA, int32_t rowB, int16_t column, bool descending);
    CellOrder CompareTexts(int32_t rowA, int32_t rowB, int16_t criterion, bool noCase, bool descending);

    struct Criterion {
        int16_t column;
        bool descending;
        int32_t type;
    };
    // Snapshot taken at construction: the criteria cannot change the order mid-sort.
    std::vector<Criterion> criteria_;
    SortSource& source_;
    int32_t rowCount_;
    // Display texts are costly and fixed during a sort: one per row and criterion, made on first use.
    std::vector<std::vector<std::optional<icu::UnicodeString>>> texts_;
    std::unique_ptr<icu::Collator> collator_;
};

}  // namespace tavix
