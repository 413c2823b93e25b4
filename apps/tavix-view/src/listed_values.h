// The values a table's CHECK constraints list for its columns: `CHECK (status IN
// ('open', 'paid'))`, alone or followed by `OR status IS NULL`, as a column or a
// table constraint. Such a text column is shown as a combo of those values. Any
// other form of constraint, however equivalent, is not read: a wrong list would
// offer values the database refuses.
#pragma once

#include "column_info.h"

#include <map>
#include <string>
#include <vector>

namespace tavix::sqlite {
class Database;
}

namespace tavix::view {

// SQL identifiers compare without regard to ASCII case.
struct IdentifierLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

using ListedValues = std::map<std::string, std::vector<std::string>, IdentifierLess>;

// The lists of a CREATE TABLE statement, by column; two lists for one column keep the values both allow.
ListedValues ListedValuesOf(const std::string& createTable);
// The lists of `table` in `db`; none when it is not a table of the main schema.
ListedValues ListedValuesOf(sqlite::Database& db, const std::string& table);

// Text columns with a list become combo cells of its values.
void ShowListsAsCombos(std::vector<ColumnInfo>& columns, const ListedValues& lists);

}  // namespace tavix::view
