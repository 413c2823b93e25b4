#include "cell_writer.h"

#include "grid_loader.h"

#include <tavix/sqlite/error.h>

namespace tavix::view {

namespace {

void Bind(sqlite::Statement& st, int index, const GridVariant& value)
{
    switch (value.VarType()) {
    case VtEmpty:
    case VtNull: st.BindNull(index); break;
    case VtInteger:
    case VtLong:
    case VtByte: st.Bind(index, static_cast<int64_t>(value.ToLong())); break;
    // SQLite's booleans are 1 and 0, not the grid's -1.
    case VtBoolean: st.Bind(index, int64_t { value.AsBool() ? 1 : 0 }); break;
    case VtSingle:
    case VtDouble:
    case VtCurrency:
    case VtDecimal: st.Bind(index, value.ToDouble()); break;
    default: st.Bind(index, value.ToString()); break;
    }
}

}  // namespace

std::string CellWriter::TableQuery(const std::string& table)
{
    table_ = table;
    const std::string name = GridLoader::QuoteIdentifier(table);
    try {
        db_.Prepare("SELECT rowid FROM " + name + " LIMIT 0");
        hasRowId_ = true;
        return "SELECT *, rowid AS " + GridLoader::QuoteIdentifier(kRowIdKey) + " FROM " + name;
    } catch (const sqlite::Error&) {
        hasRowId_ = false;
        return GridLoader::TableQuery(table);
    }
}

void CellWriter::Loaded(const std::string& table)
{
    rowIdCol_.reset();
    if (table.empty() || table != table_ || !hasRowId_ || grid_.ColCount() == 0)
        return;
    const int32_t last = grid_.ColCount();
    if (grid_.ColKey(last) != kRowIdKey)
        return;
    grid_.SetColVisible(last, false);
    rowIdCol_ = last;
}

std::optional<std::string> CellWriter::Write(int32_t row, int32_t col, const GridVariant& value)
{
    if (!rowIdCol_)
        return "this result has no row identity";
    const std::string sql = "UPDATE " + GridLoader::QuoteIdentifier(table_) + " SET "
        + GridLoader::QuoteIdentifier(grid_.ColKey(col)) + " = ? WHERE rowid = ?";
    try {
        db_.Exec("BEGIN IMMEDIATE");
    } catch (const sqlite::Error& e) {
        return std::string(e.what());
    }
    try {
        sqlite::Statement st = db_.Prepare(sql);
        Bind(st, 1, value);
        st.Bind(2, static_cast<int64_t>(grid_.CellValue(row, *rowIdCol_).ToDouble()));
        st.Step();
        db_.Exec("COMMIT");
        return std::nullopt;
    } catch (const sqlite::Error& e) {
        try {
            db_.Exec("ROLLBACK");
        } catch (const sqlite::Error&) {
            // SQLite may have rolled back already.
        }
        return std::string(e.what());
    }
}

}  // namespace tavix::view
