#include "virtual_row_source.h"

#include "cell_value_reader.h"

#include <tavix/grid.h>

namespace tavix::view {

VirtualRowSource::VirtualRowSource(
    Tavix& grid, SqliteStatement statement, std::vector<ColumnInfo> columns, bool onFirstRow)
    : grid_(grid)
    , statement_(std::move(statement))
    , columns_(std::move(columns))
    , rowReady_(onFirstRow)
{
}

void VirtualRowSource::RequestRow(int32_t /*lRow*/, bool& bNoMoreRows)
{
    // Requests come strictly in row order, so the next row of the statement is the one asked for.
    if (!rowReady_ && !exhausted_) {
        rowReady_ = statement_.Step();
        exhausted_ = !rowReady_;
    }
    if (exhausted_)
        bNoMoreRows = true;
}

void VirtualRowSource::RequestRowData(int32_t lRow)
{
    if (!rowReady_)
        return;
    for (size_t c = 0; c < columns_.size(); ++c)
        grid_.SetCellValue(
            lRow, static_cast<int32_t>(c + 1), ReadCell(statement_, static_cast<int>(c), columns_[c].kind));
    rowReady_ = false;
}

}  // namespace tavix::view
