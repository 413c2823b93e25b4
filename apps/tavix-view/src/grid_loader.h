// Shows the result of a query in a grid. The columns are made by FillFromRS from the result's
// fields and styled by their types; the rows come all at once through FillFromRS when the result
// fits in memory, or on demand in virtual mode for large ones. The query runs once either way.
#pragma once

#include "column_info.h"
#include "virtual_row_source.h"

#include <tavix/sqlite/database.h>
#include <tavix/sqlite/recordset.h>

#include <cstdint>
#include <functional>
#include <memory>
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

    GridLoader(Tavix& grid, sqlite::Database& db);

    static std::string QuoteIdentifier(const std::string& name);
    // `SELECT * FROM "name"` with the name quoted as an identifier.
    static std::string TableQuery(const std::string& table);

    // Replaces the grid's columns and rows by the query's result; throws sqlite::Error.
    void Load(const std::string& sql, bool forceVirtual = false, const Decorator& decorate = {});
    // The same for a whole table, which its rowids may show to be large before a row is read;
    // `sql` reads it, TableQuery when empty.
    void LoadTable(const std::string& table, bool forceVirtual = false, const Decorator& decorate = {},
        const std::string& sql = {});

    bool IsVirtual() const { return source_ != nullptr; }
    // The virtual-mode feeder the grid's RequestRow / RequestRowData events go to; null when all rows are loaded.
    VirtualRowSource* Source() { return source_.get(); }

private:
    void LoadAs(const std::string& sql, bool large, const Decorator& decorate);
    void MakeColumns(const std::shared_ptr<sqlite::Recordset>& rs, const Decorator& decorate);

    Tavix& grid_;
    sqlite::Database& db_;
    std::unique_ptr<VirtualRowSource> source_;
};

}  // namespace tavix::view
