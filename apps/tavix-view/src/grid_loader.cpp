#include "grid_loader.h"

#include "cell_value_reader.h"

#include <tavix/grid.h>

namespace tavix::view {

namespace {

std::string WithoutTrailingSemicolons(std::string sql)
{
    while (!sql.empty() && (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back()))))
        sql.pop_back();
    return sql;
}

}  // namespace

GridLoader::GridLoader(Tavix& grid, SqliteDatabase& db)
    : grid_(grid)
    , db_(db)
{
}

std::string GridLoader::QuoteIdentifier(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string GridLoader::TableQuery(const std::string& table) { return "SELECT * FROM " + QuoteIdentifier(table); }

void GridLoader::BuildColumns(Tavix& grid, const std::vector<ColumnInfo>& columns)
{
    for (const auto& column : columns) {
        CellObject& cell
            = grid.AddCol(AddColArgs { .sKey = column.name, .sHeader = column.name, .lWidth = column.width });
        cell.eTextFlags = column.textFlags;
        if (!column.format.empty())
            cell.SetsFmtString(column.format);
        if (column.cellType == tvCellCombo) {
            // A reload (a re-sort in virtual mode) builds the columns again; the
            // list from the previous load is replaced, not added twice.
            if (grid.Combos().SlotOfKey(column.name) != 0)
                grid.Combos().Remove(GridVariant(column.name));
            ComboObject& list = grid.Combos().Add(column.name);
            for (size_t i = 0; i < column.comboItems.size(); ++i)
                list.AddItem(column.comboItems[i], GridVariant(column.comboItems[i]), static_cast<int32_t>(i));
            cell.SetsCtrlKey(column.name);
        }
        cell.SeteType(column.cellType);
    }
}

bool GridLoader::HasMoreRowsThan(const std::string& sql, int32_t count)
{
    // Stepping over `count` rows inside SQLite costs far less than handing them out.
    auto probe = db_.Prepare("SELECT 1 FROM (" + sql + ") LIMIT 1 OFFSET " + std::to_string(count));
    return probe.Step();
}

void GridLoader::Load(const std::string& sql, bool forceVirtual, const Decorator& decorate)
{
    const std::string query = WithoutTrailingSemicolons(sql);
    LoadAs(query, forceVirtual || HasMoreRowsThan(query, kVirtualThreshold), decorate);
}

void GridLoader::LoadTable(const std::string& table, bool forceVirtual, const Decorator& decorate)
{
    const std::string sql = TableQuery(table);
    if (forceVirtual)
        return LoadAs(sql, true, decorate);
    // The rowid span bounds the row count from above at the cost of two index look-ups; views and
    // tables without rowids have none and are measured like any query.
    std::optional<int64_t> span;
    try {
        // Two subqueries: SQLite answers a lone min() or max() from the b-tree's ends, both together by a scan.
        const std::string from = " FROM " + QuoteIdentifier(table);
        auto ends = db_.Prepare("SELECT (SELECT max(rowid)" + from + ") - (SELECT min(rowid)" + from + ") + 1");
        if (ends.Step())
            span = ends.ColumnStorage(0) == SqliteStatement::Storage::Null ? 0 : ends.Int64(0);
    } catch (const SqliteError&) {
    }
    LoadAs(sql, span ? *span > kVirtualThreshold : HasMoreRowsThan(sql, kVirtualThreshold), decorate);
}

void GridLoader::LoadAs(const std::string& sql, bool virtualMode, const Decorator& decorate)
{
    SqliteStatement stmt = db_.Prepare(sql);
    const bool hasRow = stmt.Step();
    columns_ = PlanColumns(stmt, hasRow);
    if (decorate)
        decorate(columns_);

    source_.reset();
    grid_.SetRedraw(false);
    grid_.SetVirtual(false);
    grid_.Clear(true);
    BuildColumns(grid_, columns_);
    if (virtualMode) {
        source_ = std::make_unique<VirtualRowSource>(grid_, std::move(stmt), columns_, hasRow);
        // The first row is read already. Adding it now gives the visible range a real row to be
        // measured from: a virtual grid emptied by Clear can keep the previous range's bottom
        // and then request nothing.
        if (hasRow) {
            grid_.AddRow();
            source_->RequestRowData(1);
        }
        grid_.SetVirtual(true);
    } else {
        LoadAll(stmt, hasRow);
    }
    grid_.SetRedraw(true);
}

void GridLoader::LoadAll(SqliteStatement& stmt, bool hasRow)
{
    for (int32_t row = 1; hasRow; ++row, hasRow = stmt.Step()) {
        grid_.AddRow();
        for (size_t c = 0; c < columns_.size(); ++c)
            grid_.SetCellValue(row, static_cast<int32_t>(c + 1), ReadCell(stmt, static_cast<int>(c), columns_[c].kind));
    }
}

}  // namespace tavix::view
