// How one result column of a query is shown: its kind, width, format and alignment.
#pragma once

#include "sqlite_statement.h"

#include <tavix/enums.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::view {

enum class ColumnKind { Integer, Real, Currency, Date, Boolean, Text };

struct ColumnInfo {
    std::string name;
    ColumnKind kind { ColumnKind::Text };
    int32_t width { 120 };
    std::string format;
    int32_t textFlags { tvTextLeft | tvTextVCenter | tvTextSingleLine | tvTextEndEllipsis };
    ECellTypes cellType { tvCellText };
    // For combo cells: the list's items, each the value and text of its icon's index.
    std::vector<std::string> comboItems;
};

// Kind from the declared type, following SQLite's affinity words; an expression
// without a declared type takes the storage class of its first value.
ColumnKind KindOf(const std::string& declaredType, SqliteStatement::Storage firstValue);

ColumnInfo InfoFor(const std::string& name, ColumnKind kind);

// One description per result column; `hasRow` says whether the statement stands on a first row.
std::vector<ColumnInfo> PlanColumns(const SqliteStatement& stmt, bool hasRow);

}  // namespace tavix::view
