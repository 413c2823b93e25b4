// An open SQLite connection; closed when the object goes away. A connection and the
// statements and record sets made from it are used by one thread at a time.
#pragma once

#include <tavix/sqlite/error.h>
#include <tavix/sqlite/statement.h>

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace tavix::sqlite {

class Database {
public:
    enum class Mode { ReadOnly, ReadWriteCreate };

    // Throws Error when the file cannot be opened in that mode or is not a database.
    explicit Database(const std::string& path, Mode mode = Mode::ReadOnly);

    // Runs one or more statements that return no rows.
    void Exec(const std::string& sql);
    Statement Prepare(const std::string& sql);
    bool HasTable(const std::string& name);
    // The tables of the schema in name order, without SQLite's own.
    std::vector<std::string> Tables();

    const std::string& Path() const { return path_; }
    sqlite3* Handle() const { return db_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };

    std::string path_;
    std::unique_ptr<sqlite3, Closer> db_;
};

}  // namespace tavix::sqlite
