// A fresh database file per test, removed afterwards.
#pragma once

#include <tavix/sqlite/database.h>

#include <filesystem>
#include <string>

namespace tavix::view::testing {

class TempDatabase {
public:
    explicit TempDatabase(const std::string& name)
        : path_(std::filesystem::path(TAVIX_TEST_OUTPUT_DIR) / "tavix-view" / (name + ".db"))
    {
        std::filesystem::create_directories(path_.parent_path());
        std::filesystem::remove(path_);
    }
    ~TempDatabase() { std::filesystem::remove(path_); }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    std::string Path() const { return path_.string(); }
    sqlite::Database Open() { return sqlite::Database(Path(), sqlite::Database::Mode::ReadWriteCreate); }

private:
    std::filesystem::path path_;
};

}  // namespace tavix::view::testing
