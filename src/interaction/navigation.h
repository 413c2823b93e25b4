#pragma once
// Where the keyboard may go: navigable rows and columns, the arrow step and
// the page rule. Nothing here scans all rows: steps walk only over the rows
// they skip, and the page rule searches the (non-decreasing) row tops.
#include "core/grid_table.h"
#include "layout/view_layout.h"

#include <cstdint>

namespace tavix::interaction {

struct CellPos {
    int32_t row { 0 };
    int32_t col { 0 };
    bool operator==(const CellPos&) const = default;
};

class Navigation {
public:
    Navigation(core::GridTable& table, const layout::ViewLayout& layout)
        : table_(table)
        , layout_(layout)
    {
    }

    bool RowNavigable(int32_t row) const;
    bool PosNavigable(int32_t position) const;

    int32_t FirstNavRow() const;
    int32_t LastNavRow() const;
    // Column indexes at the first / last navigable display position, 0 if none.
    int32_t FirstNavCol() const;
    int32_t LastNavCol() const;

    // Exactly one of the steps is non-zero.
    CellPos NextCell(int32_t colStep, int32_t rowStep);
    int32_t PageUpTarget(int32_t startRow) const;
    // May request rows in virtual mode.
    int32_t PageDownTarget(int32_t startRow);

private:
    CellPos HorizontalStep(int32_t colStep) const;
    CellPos VerticalStep(CellPos from, int32_t rowStep);
    // Next navigable row from `from` in direction step (from itself included), 0 if none.
    int32_t WalkRows(int32_t from, int32_t step) const;
    int32_t FirstVisibleCol() const;
    // Appends a row in virtual mode while the application has more; true if one came.
    bool RequestRow();

    core::GridTable& table_;
    const layout::ViewLayout& layout_;
};

}  // namespace tavix::interaction
