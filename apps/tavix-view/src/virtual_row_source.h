// Feeds a grid in virtual mode from a record set, one record per request, so that
// only the rows the grid asks for are read beyond the record set's type sample.
#pragma once

#include <tavix/sqlite/recordset.h>

#include <cstdint>
#include <memory>

namespace tavix {
class Tavix;
}

namespace tavix::view {

class VirtualRowSource {
public:
    // The grid's columns are the record set's fields, in order.
    VirtualRowSource(Tavix& grid, std::shared_ptr<sqlite::Recordset> records);

    // The grid's RequestRow: answers whether another record follows.
    void RequestRow(int32_t lRow, bool& bNoMoreRows);
    // The grid's RequestRowData: copies the next record into the appended row.
    void RequestRowData(int32_t lRow);

private:
    Tavix& grid_;
    std::shared_ptr<sqlite::Recordset> records_;
};

}  // namespace tavix::view
