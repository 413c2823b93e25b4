// A prepared statement stepped row by row; finalized when the object goes away.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace tavix::sqlite {

// SQLite's storage classes of a value in the current row.
enum class Storage { Integer = 1, Real = 2, Text = 3, Blob = 4, Null = 5 };

// One value of the current row as SQLite holds it. `text` stays valid until the statement moves.
struct SqlValue {
    Storage storage { Storage::Null };
    int64_t integer { 0 };  // an Integer; the size of a Blob in bytes
    double real { 0 };
    std::string_view text;
};

class Statement {
public:
    explicit Statement(sqlite3_stmt* stmt);

    // Advances to the next row; false once the result is exhausted. Throws Error.
    bool Step();
    // Back before the first row; the next Step runs the statement again.
    void Reset();
    int64_t RowsStepped() const { return rowsStepped_; }

    void Bind(int index, int64_t value);
    void Bind(int index, double value);
    void Bind(int index, const std::string& value);
    void BindNull(int index);

    int ColumnCount() const;
    std::string ColumnName(int col) const;
    // The declared type of a table column ("INTEGER", "DATE" ...); empty for expressions.
    std::string DeclaredType(int col) const;
    // The table and column a result column comes from; empty for expressions.
    std::string TableName(int col) const;
    std::string OriginName(int col) const;

    Storage ColumnStorage(int col) const;
    int64_t Int64(int col) const;
    double Double(int col) const;
    std::string Text(int col) const;
    SqlValue Value(int col) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const;
    };
    void Check(int rc) const;

    std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
    int64_t rowsStepped_ { 0 };
};

}  // namespace tavix::sqlite
