// Feeds a grid in virtual mode from a statement, one row per request, so that
// only the rows the grid asks for are ever read.
#pragma once

#include "column_info.h"
#include "sqlite_statement.h"

#include <cstdint>
#include <vector>

namespace tavix {
class Tavix;
}

namespace tavix::view {

class VirtualRowSource {
public:
    // `onFirstRow`: the statement already stands on its first row (read while planning columns);
    // otherwise it has not been stepped yet.
    VirtualRowSource(Tavix& grid, SqliteStatement statement, std::vector<ColumnInfo> columns, bool onFirstRow);

    // The grid's RequestRow: steps to the next row, or answers that there are no more.
    void RequestRow(int32_t lRow, bool& bNoMoreRows);
    // The grid's RequestRowData: copies the row read for the request into the appended row.
    void RequestRowData(int32_t lRow);

    int64_t RowsRead() const { return statement_.RowsStepped(); }
    bool Exhausted() const { return exhausted_; }

private:
    Tavix& grid_;
    SqliteStatement statement_;
    std::vector<ColumnInfo> columns_;
    bool rowReady_;
    bool exhausted_ { false };
};

}  // namespace tavix::view
