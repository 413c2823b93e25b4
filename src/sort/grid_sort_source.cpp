#include "grid_sort_source.h"

#include "../core/cell_text.h"
#include "../core/grid_state.h"

#include <tavix/error.h>
#include <tavix/events.h>

namespace tavix {

namespace {
constexpr int32_t kSubscriptOutOfRange = 9;
}

// Criteria are stored unchecked: a column that does not exist fails the comparison that reaches it.
core::CellData& GridSortSource::Cell(int32_t row, int16_t column)
{
    if (column < 1 || column > state_.cells.Columns())
        throw TavixError::Runtime(kSubscriptOutOfRange);
    return state_.cells.At(row, column);
}

GridVariant& GridSortSource::Value(int32_t row, int16_t column) { return Cell(row, column).Value; }

std::string GridSortSource::DisplayText(int32_t row, int16_t column)
{
    return core::CellTextOf(Cell(row, column), state_.formats, state_.combos);
}

int16_t GridSortSource::Icon(int32_t row, int16_t column) { return Cell(row, column).Icon; }
int16_t GridSortSource::ExtraIcon(int32_t row, int16_t column) { return Cell(row, column).ExtraIcon; }
uint32_t GridSortSource::ForeColor(int32_t row, int16_t column) { return Cell(row, column).ForeColor; }
uint32_t GridSortSource::BackColor(int32_t row, int16_t column) { return Cell(row, column).BackColor; }
int16_t GridSortSource::FontIndex(int32_t row, int16_t column) { return Cell(row, column).FontIndex; }
int16_t GridSortSource::Indent(int32_t row, int16_t column) { return Cell(row, column).Indent; }
uint8_t GridSortSource::Hatch(int32_t row, int16_t column) { return Cell(row, column).Hatch; }

bool GridSortSource::Selected(int32_t row, int16_t column)
{
    return (Cell(row, column).Flags & core::CellData::kSelected) != 0;
}

bool GridSortSource::IsGroupRow(int32_t row) { return state_.rows.At(row).IsGroup; }

void GridSortSource::CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater)
{
    if (TavixEvents* sink = state_.host->EventSink())
        sink->CustomSort(v1, v2, isGreater);
}

}  // namespace tavix
