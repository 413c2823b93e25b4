// Writes edited cells back to the table they were read from, one transaction per
// edit, by the rowid each row carries in a hidden last column. Results without
// row identity (views, joins, aggregates, tables without rowid) are read-only.
#pragma once

#include <tavix/grid.h>
#include <tavix/sqlite/database.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tavix::view {

class CellWriter {
public:
    // The key of the hidden column that holds each row's rowid.
    static constexpr const char* kRowIdKey = "_rowid_";

    CellWriter(Tavix& grid, sqlite::Database& db)
        : grid_(grid)
        , db_(db)
    {
    }

    // `SELECT *, rowid AS _rowid_ FROM table` when the table has rowids, else the plain query.
    std::string TableQuery(const std::string& table);
    // After a load: hides the rowid column and remembers where it is; `table` empty for a query.
    void Loaded(const std::string& table);
    bool Editable() const { return rowIdCol_.has_value(); }

    // Stores value in the database; the error's text when the write failed and nothing changed.
    std::optional<std::string> Write(int32_t row, int32_t col, const GridVariant& value);

private:
    Tavix& grid_;
    sqlite::Database& db_;
    std::string table_;
    bool hasRowId_ { false };
    std::optional<int32_t> rowIdCol_;
};

}  // namespace tavix::view
