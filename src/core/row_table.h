#pragma once

#include "core/row_blocks.h"
#include "core/row_data.h"

#include <cstdint>

namespace tavix::core {

// Row records 0..allocation; element 0 is the sentinel, rows above the row
// count are spare storage that keeps whatever it held. Block storage, so
// growing the table does not copy the records again and again.
class RowTable {
public:
    RowTable() { Resize(0); }

    int32_t Allocated() const { return static_cast<int32_t>(records_.Rows()) - 1; }
    RowData& At(int32_t row) { return *records_.Row(static_cast<size_t>(row)); }
    const RowData& At(int32_t row) const { return *records_.Row(static_cast<size_t>(row)); }

    void Resize(int32_t allocation) { records_.Resize(static_cast<size_t>(allocation) + 1); }
    // Moves row last to place `row`, shifting row..last-1 down one place.
    void RotateDown(int32_t row, int32_t last)
    {
        records_.RotateDown(static_cast<size_t>(row), static_cast<size_t>(last));
    }
    // Moves row `row` to place last, shifting row+1..last up one place.
    void RotateUp(int32_t row, int32_t last) { records_.RotateUp(static_cast<size_t>(row), static_cast<size_t>(last)); }

    void RecalcTops(int32_t from, int32_t rowCount);
    void RecalcOddRows(int32_t from, int32_t rowCount);

private:
    RowBlocks<RowData> records_ { 1 };
};

}  // namespace tavix::core
