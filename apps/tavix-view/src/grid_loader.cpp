#include "grid_loader.h"

#include "null_cells.h"

#include <tavix/grid.h>

#include <cctype>
#include <optional>

namespace tavix::view {

namespace {

using sqlite::Recordset;

std::string WithoutTrailingSemicolons(std::string sql)
{
    while (!sql.empty() && (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back()))))
        sql.pop_back();
    return sql;
}

// The fields of a record set without its records: FillFromRS over it makes the columns the
// result gets (keys, tags, check boxes, alignment) before a row is read.
std::shared_ptr<Dispatch> FieldsOnly(std::shared_ptr<Recordset> rs)
{
    auto fields = std::make_shared<DispatchObject>("Recordset");
    fields->DefineProperty("RecordCount", GridVariant(int32_t { 0 }));
    fields->DefineProperty("EOF", GridVariant(true));
    fields->DefineMethod("Supports", [](std::span<GridVariant>) { return GridVariant(true); });
    fields->DefineMethod("MoveFirst", [](std::span<GridVariant>) { return GridVariant(); });
    fields->DefineMethod("MoveNext", [](std::span<GridVariant>) { return GridVariant(); });
    fields->DefineMethod("Fields", [rs = std::move(rs)](std::span<GridVariant> args) {
        return rs->Invoke("Fields", Dispatch::InvokeKind::PropertyGet, args);
    });
    return fields;
}

}  // namespace

GridLoader::GridLoader(Tavix& grid, sqlite::Database& db)
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

void GridLoader::Load(const std::string& sql, bool forceVirtual, const Decorator& decorate)
{
    LoadAs(WithoutTrailingSemicolons(sql), forceVirtual, decorate);
}

void GridLoader::LoadTable(
    const std::string& table, bool forceVirtual, const Decorator& decorate, const std::string& sql)
{
    // The rowid span bounds the row count from above at the cost of two index look-ups; views and
    // tables without rowids have none and are measured by reading them.
    std::optional<int64_t> span;
    try {
        // Two subqueries: SQLite answers a lone min() or max() from the b-tree's ends, both together by a scan.
        const std::string from = " FROM " + QuoteIdentifier(table);
        auto ends = db_.Prepare("SELECT (SELECT max(rowid)" + from + ") - (SELECT min(rowid)" + from + ") + 1");
        if (ends.Step())
            span = ends.ColumnStorage(0) == sqlite::Storage::Null ? 0 : ends.Int64(0);
    } catch (const sqlite::Error&) {
    }
    LoadAs(sql.empty() ? TableQuery(table) : sql, forceVirtual || (span && *span > kVirtualThreshold), decorate);
}

void GridLoader::MakeColumns(const std::shared_ptr<Recordset>& rs, const Decorator& decorate)
{
    grid_.FillFromRS(FieldsOnly(rs));
    std::vector<ColumnInfo> columns;
    for (int i = 0; i < rs->FieldCount(); ++i)
        columns.push_back(InfoFor(rs->Field(i)));
    if (decorate)
        decorate(columns);
    StyleColumns(grid_, columns);
}

void GridLoader::LoadAs(const std::string& sql, bool large, const Decorator& decorate)
{
    // Forward-only: the rows are let go as they reach the grid.
    auto rs = Recordset::Open(db_, sql, Recordset::CursorType::ForwardOnly);
    if (!large) {
        // Read once: a result that ends within the threshold is then held whole for FillFromRS.
        rs->ReadAhead(kVirtualThreshold + 1);
        large = rs->RecordCount() < 0 || rs->RecordCount() > kVirtualThreshold;
    }

    source_.reset();
    grid_.SetRedraw(false);
    grid_.SetVirtual(false);
    grid_.Clear(true);
    MakeColumns(rs, decorate);
    if (large) {
        source_ = std::make_unique<VirtualRowSource>(grid_, rs);
        // Adding the first row now gives the visible range a real row to be measured from: a
        // virtual grid emptied by Clear can keep the previous range's bottom and then request nothing.
        if (!rs->Eof()) {
            grid_.AddRow();
            source_->RequestRowData(1);
        }
        grid_.SetVirtual(true);
    } else {
        grid_.FillFromRS(rs);
        for (int32_t row = 1; row <= grid_.RowCount(); ++row)
            ShowNullCells(grid_, row);
    }
    grid_.SetRedraw(true);
}

}  // namespace tavix::view
