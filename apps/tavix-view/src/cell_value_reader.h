// Turns the SQLite values of the current row into the grid's values.
#pragma once

#include "column_info.h"
#include "sqlite_statement.h"

#include <tavix/variant.h>

#include <optional>
#include <string_view>

namespace tavix::view {

// "YYYY-MM-DD" with an optional " HH:MM[:SS]" or "THH:MM[:SS]" as days since 30 Dec 1899.
std::optional<double> ParseIsoDate(std::string_view text);

// Null stays Null (an empty cell); a value that does not fit its column's kind keeps its text.
GridVariant ReadCell(const SqliteStatement& stmt, int col, ColumnKind kind);

}  // namespace tavix::view
