#include <tavix/sqlite/database.h>

#include <sqlite3.h>

namespace tavix::sqlite {

void Database::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Database::Database(const std::string& path, Mode mode)
    : path_(path)
{
    int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    db_.reset(raw);  // a failed open still hands out a handle that must be closed
    if (rc != SQLITE_OK)
        throw Error(rc, "cannot open " + path + ": " + (raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    // Opening succeeds lazily; a first read tells whether the file is a database.
    try {
        Prepare("SELECT count(*) FROM sqlite_schema").Step();
    } catch (const Error& e) {
        throw Error(e.Code(), "cannot open " + path + ": " + e.what());
    }
}

void Database::Exec(const std::string& sql)
{
    char* error = nullptr;
    int rc = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error != nullptr ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw Error(rc, message);
    }
}

Statement Database::Prepare(const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_.get(), sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        throw Error(rc, sqlite3_errmsg(db_.get()));
    }
    if (stmt == nullptr)
        throw Error(SQLITE_MISUSE, "empty statement");
    return Statement(stmt);
}

bool Database::HasTable(const std::string& name)
{
    auto stmt = Prepare("SELECT 1 FROM sqlite_schema WHERE type IN ('table','view') AND name = ?1");
    stmt.Bind(1, name);
    return stmt.Step();
}

std::vector<std::string> Database::Tables()
{
    auto stmt
        = Prepare("SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
    std::vector<std::string> names;
    while (stmt.Step())
        names.push_back(stmt.Text(0));
    return names;
}

}  // namespace tavix::sqlite
