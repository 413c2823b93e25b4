#include "sqlite_statement.h"

#include "sqlite_error.h"

#include <sqlite3.h>

namespace tavix::view {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

SqliteStatement::SqliteStatement(sqlite3_stmt* stmt)
    : stmt_(stmt)
{
}

void SqliteStatement::Check(int rc) const
{
    if (rc == SQLITE_OK)
        return;
    sqlite3* db = sqlite3_db_handle(stmt_.get());
    throw SqliteError(rc, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

bool SqliteStatement::Step()
{
    int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) {
        ++rowsStepped_;
        return true;
    }
    if (rc == SQLITE_DONE)
        return false;
    Check(rc);
    return false;
}

void SqliteStatement::Reset()
{
    sqlite3_reset(stmt_.get());
    rowsStepped_ = 0;
}

void SqliteStatement::Bind(int index, int64_t value) { Check(sqlite3_bind_int64(stmt_.get(), index, value)); }
void SqliteStatement::Bind(int index, double value) { Check(sqlite3_bind_double(stmt_.get(), index, value)); }
void SqliteStatement::BindNull(int index) { Check(sqlite3_bind_null(stmt_.get(), index)); }

void SqliteStatement::Bind(int index, const std::string& value)
{
    Check(sqlite3_bind_text(stmt_.get(), index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_.get()); }

std::string SqliteStatement::ColumnName(int col) const
{
    const char* name = sqlite3_column_name(stmt_.get(), col);
    return name != nullptr ? name : "";
}

std::string SqliteStatement::DeclaredType(int col) const
{
    const char* type = sqlite3_column_decltype(stmt_.get(), col);
    return type != nullptr ? type : "";
}

SqliteStatement::Storage SqliteStatement::ColumnStorage(int col) const
{
    return static_cast<Storage>(sqlite3_column_type(stmt_.get(), col));
}

int64_t SqliteStatement::Int64(int col) const { return sqlite3_column_int64(stmt_.get(), col); }
double SqliteStatement::Double(int col) const { return sqlite3_column_double(stmt_.get(), col); }

std::string SqliteStatement::Text(int col) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), col));
    if (text == nullptr)
        return {};
    return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), col)));
}

}  // namespace tavix::view
