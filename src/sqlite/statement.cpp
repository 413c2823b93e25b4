#include <tavix/sqlite/error.h>
#include <tavix/sqlite/statement.h>

#include <sqlite3.h>

namespace tavix::sqlite {

void Statement::Finalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

Statement::Statement(sqlite3_stmt* stmt)
    : stmt_(stmt)
{
}

void Statement::Check(int rc) const
{
    if (rc == SQLITE_OK)
        return;
    sqlite3* db = sqlite3_db_handle(stmt_.get());
    throw Error(rc, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

bool Statement::Step()
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

void Statement::Reset()
{
    sqlite3_reset(stmt_.get());
    rowsStepped_ = 0;
}

void Statement::Bind(int index, int64_t value) { Check(sqlite3_bind_int64(stmt_.get(), index, value)); }
void Statement::Bind(int index, double value) { Check(sqlite3_bind_double(stmt_.get(), index, value)); }
void Statement::BindNull(int index) { Check(sqlite3_bind_null(stmt_.get(), index)); }

void Statement::Bind(int index, const std::string& value)
{
    Check(sqlite3_bind_text(stmt_.get(), index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
}

int Statement::ColumnCount() const { return sqlite3_column_count(stmt_.get()); }

std::string Statement::ColumnName(int col) const
{
    const char* name = sqlite3_column_name(stmt_.get(), col);
    return name != nullptr ? name : "";
}

std::string Statement::DeclaredType(int col) const
{
    const char* type = sqlite3_column_decltype(stmt_.get(), col);
    return type != nullptr ? type : "";
}

std::string Statement::TableName(int col) const
{
    const char* name = sqlite3_column_table_name(stmt_.get(), col);
    return name != nullptr ? name : "";
}

std::string Statement::OriginName(int col) const
{
    const char* name = sqlite3_column_origin_name(stmt_.get(), col);
    return name != nullptr ? name : "";
}

Storage Statement::ColumnStorage(int col) const { return static_cast<Storage>(sqlite3_column_type(stmt_.get(), col)); }

int64_t Statement::Int64(int col) const { return sqlite3_column_int64(stmt_.get(), col); }
double Statement::Double(int col) const { return sqlite3_column_double(stmt_.get(), col); }

std::string Statement::Text(int col) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), col));
    if (text == nullptr)
        return {};
    return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), col)));
}

SqlValue Statement::Value(int col) const
{
    // One call into the statement per value; the value is read before the statement moves, on
    // the connection's one thread.
    sqlite3_value* raw = sqlite3_column_value(stmt_.get(), col);
    SqlValue value { .storage = static_cast<Storage>(sqlite3_value_type(raw)) };
    switch (value.storage) {
    case Storage::Integer: value.integer = sqlite3_value_int64(raw); break;
    case Storage::Real: value.real = sqlite3_value_double(raw); break;
    case Storage::Text: {
        // The text before its length: asking for the length first could convert the value twice.
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(raw));
        value.text = std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(raw)));
        break;
    }
    case Storage::Blob: value.integer = sqlite3_value_bytes(raw); break;
    case Storage::Null: break;
    }
    return value;
}

}  // namespace tavix::sqlite
