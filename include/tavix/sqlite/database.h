// An open SQLite connection; closed when the object goes away.
#pragma once

#include "sqlite_error.h"
#include "sqlite_statement.h"

#include <memory>
#include <string>

struct sqlite3;

namespace tavix::view {

class SqliteDatabase {
public:
    enum class Mode { ReadOnly, ReadWriteCreate };

    // Throws SqliteError when the file cannot be opened in that mode.
    explicit SqliteDatabase(const std::string& path, Mode mode = Mode::ReadOnly);

    // Runs one or more statements that return no rows.
    void Exec(const std::string& sql);
    SqliteStatement Prepare(const std::string& sql);
    bool HasTable(const std::string& name);
    // The first table of the schema in name order, empty when there is none.
    std::string FirstTable();

    const std::string& Path() const { return path_; }
    sqlite3* Handle() const { return db_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };

    std::string path_;
    std::unique_ptr<sqlite3, Closer> db_;
};

}  // namespace tavix::view
