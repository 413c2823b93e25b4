// The grid's cells as the sort engine sees them, read in place before any row moves.
#pragma once

#include "core/grid_table.h"
#include "sort/sort_source.h"

namespace tavix {

// Thrown out of the sort when a CustomSort handler changed the rows or columns
// being sorted: the rows the sort holds are no longer those of the grid, and it
// is abandoned with nothing moved.
struct SortInterrupted { };

class GridSortSource : public SortSource {
public:
    explicit GridSortSource(core::GridTable& table)
        : table_(table)
        , watch_(table)
    {
    }

    GridVariant& Value(int32_t row, int16_t column) override;
    void Values(int16_t column, int32_t first, int32_t count, const GridVariant** out) override;
    std::string DisplayText(int32_t row, int16_t column) override;
    int16_t Icon(int32_t row, int16_t column) override;
    int16_t ExtraIcon(int32_t row, int16_t column) override;
    OleColor ForeColor(int32_t row, int16_t column) override;
    OleColor BackColor(int32_t row, int16_t column) override;
    int16_t FontIndex(int32_t row, int16_t column) override;
    bool Selected(int32_t row, int16_t column) override;
    int16_t Indent(int32_t row, int16_t column) override;
    uint8_t Hatch(int32_t row, int16_t column) override;
    bool IsGroupRow(int32_t row) override;
    void CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater) override;

private:
    // Criteria are stored unchecked: a column that does not exist fails the comparison that reaches it.
    void CheckColumn(int16_t column) const;
    void FetchAhead(int32_t row, int16_t column) const;
    const core::CellData& Cell(int32_t row, int16_t column) const;
    const core::CellLook& Look(int32_t row, int16_t column) const;

    core::GridTable& table_;
    core::ShapeWatch watch_;
};

}  // namespace tavix
