#include "virtual_row_source.h"

#include "null_cells.h"

#include <tavix/grid.h>

namespace tavix::view {

VirtualRowSource::VirtualRowSource(Tavix& grid, std::shared_ptr<sqlite::Recordset> records)
    : grid_(grid)
    , records_(std::move(records))
{
}

void VirtualRowSource::RequestRow(int32_t /*lRow*/, bool& bNoMoreRows)
{
    // Requests come strictly in row order, so the current record is the one asked for.
    if (records_->Eof())
        bNoMoreRows = true;
}

void VirtualRowSource::RequestRowData(int32_t lRow)
{
    if (records_->Eof())
        return;
    for (int field = 0; field < records_->FieldCount(); ++field)
        grid_.SetCellValue(lRow, field + 1, records_->Value(field));
    ShowNullCells(grid_, lRow);
    records_->MoveNext();
}

}  // namespace tavix::view
