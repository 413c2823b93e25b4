#include "sort/grid_sort_source.h"

#include "core/grid_table.h"

#include <tavix/error.h>
#include <tavix/events.h>

#include <utility>

namespace tavix {

// Criteria are stored unchecked: a column that does not exist fails the comparison that reaches it.
const core::CellData& GridSortSource::Cell(int32_t row, int16_t column) const
{
    CheckColumn(column);
    return table_.Cell(row, column);
}

const core::CellLook& GridSortSource::Look(int32_t row, int16_t column) const { return table_.Look(Cell(row, column)); }

void GridSortSource::CheckColumn(int16_t column) const
{
    if (column < 1 || column > table_.ColCount())
        throw TavixError::Runtime(rtSubscript);
}

GridVariant& GridSortSource::Value(int32_t row, int16_t column)
{
    CheckColumn(column);
    return table_.ValueForCustomSort(row, column);
}

namespace {

// A cell may straddle two cache lines, a text's characters then lying in the second: both are asked for.
void Prefetch(const void* at, size_t size)
{
    __builtin_prefetch(at);
    __builtin_prefetch(static_cast<const char*>(at) + size - 1);
}

}  // namespace

// After a sort the rows' cells lie anywhere: each is asked for as its address is found, and
// read once the rest of the batch has been.
void GridSortSource::Values(int16_t column, int32_t first, int32_t count, const GridVariant** out)
{
    CheckColumn(column);
    for (int32_t i = 0; i < count; ++i) {
        out[i] = &table_.Cell(first + i, column).Value;
        Prefetch(out[i], sizeof(GridVariant));
    }
}

// The text keys read a column row after row, and after a sort the rows' cells lie anywhere:
// the cell a few rows on is asked for now, so that it has arrived when its turn comes.
void GridSortSource::FetchAhead(int32_t row, int16_t column) const
{
    constexpr int32_t kAhead = 16;
    if (row + kAhead <= table_.RowCount())
        Prefetch(&table_.Cell(row + kAhead, column), sizeof(core::CellData));
}

std::string GridSortSource::DisplayText(int32_t row, int16_t column)
{
    CheckColumn(column);
    FetchAhead(row, column);
    return table_.CellText(row, column);
}

int16_t GridSortSource::Icon(int32_t row, int16_t column) { return Look(row, column).Icon; }
int16_t GridSortSource::ExtraIcon(int32_t row, int16_t column) { return Look(row, column).ExtraIcon; }
OleColor GridSortSource::ForeColor(int32_t row, int16_t column) { return Look(row, column).ForeColor; }
OleColor GridSortSource::BackColor(int32_t row, int16_t column) { return Look(row, column).BackColor; }
int16_t GridSortSource::FontIndex(int32_t row, int16_t column) { return Look(row, column).FontIndex; }
int16_t GridSortSource::Indent(int32_t row, int16_t column) { return Look(row, column).Indent; }
uint8_t GridSortSource::Hatch(int32_t row, int16_t column) { return Look(row, column).Hatch; }

bool GridSortSource::Selected(int32_t row, int16_t column)
{
    return (Cell(row, column).Flags & core::CellData::kSelected) != 0;
}

bool GridSortSource::IsGroupRow(int32_t row) { return table_.Row(row).IsGroup; }

// The handler works on copies: one that clears or removes rows would otherwise be
// left holding references into freed cells. What it writes reaches the cells only
// while they are still the ones compared.
void GridSortSource::CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater)
{
    GridVariant a = v1;
    GridVariant b = v2;
    table_.Events().CustomSort(a, b, isGreater);
    if (watch_.Changed())
        throw SortInterrupted {};
    v1 = std::move(a);
    v2 = std::move(b);
}

}  // namespace tavix
