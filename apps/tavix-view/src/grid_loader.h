// Shows the result of a query in a grid: columns from the result's columns, then
// the rows, all at once for small results or on demand in virtual mode for large ones.
#pragma once

#include "column_info.h"
#include "sqlite_database.h"
#include "virtual_row_source.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavix {
class Tavix;
}

namespace tavix::view {

class GridLoader {
public:
    // Results with more rows than this open in virtual mode.
    static constexpr int32_t kVirtualThreshold = 50'000;

    using Decorator = std::function<void(std::vector<ColumnInfo>&)>;

    GridLoader(Tavix& grid, SqliteDatabase& db);

    static std::string QuoteIdentifier(const std::string& name);
    // `SELECT * FROM "name"` with the name quoted as an identifier.
    static std::string TableQuery(const std::string& table);

    // Replaces the grid's columns and rows by the query's result; throws SqliteError.
    void Load(const std::string& sql, bool forceVirtual = false, const Decorator& decorate = {});
    // The same for a whole table, sized from its rowids instead of stepping through its rows.
    void LoadTable(const std::string& table, bool forceVirtual = false, const Decorator& decorate = {});

    bool IsVirtual() const { return source_ != nullptr; }
    // The virtual-mode feeder the grid's RequestRow / RequestRowData events go to; null when all rows are loaded.
    VirtualRowSource* Source() { return source_.get(); }
    const std::vector<ColumnInfo>& Columns() const { return columns_; }

    // Adds one column per description (combo lists included) to an empty grid.
    static void BuildColumns(Tavix& grid, const std::vector<ColumnInfo>& columns);

private:
    bool HasMoreRowsThan(const std::string& sql, int32_t count);
    void LoadAs(const std::string& sql, bool virtualMode, const Decorator& decorate);
    void LoadAll(SqliteStatement& stmt, bool hasRow);

    Tavix& grid_;
    SqliteDatabase& db_;
    std::vector<ColumnInfo> columns_;
    std::unique_ptr<VirtualRowSource> source_;
};

}  // namespace tavix::view
