#include "column_info.h"

#include <algorithm>
#include <cctype>

namespace tavix::view {

namespace {

bool Has(const std::string& upper, const char* word) { return upper.find(word) != std::string::npos; }

constexpr int32_t kRightAligned = tvTextRight | tvTextVCenter | tvTextSingleLine | tvTextEndEllipsis;

}  // namespace

ColumnKind KindOf(const std::string& declaredType, SqliteStatement::Storage firstValue)
{
    std::string t = declaredType;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (t.empty()) {
        switch (firstValue) {
        case SqliteStatement::Storage::Integer: return ColumnKind::Integer;
        case SqliteStatement::Storage::Real: return ColumnKind::Real;
        default: return ColumnKind::Text;
        }
    }
    // Checked before INT so that "BOOLEAN" and "DATETIME" are not read as numbers.
    if (Has(t, "BOOL"))
        return ColumnKind::Boolean;
    if (Has(t, "DATE") || Has(t, "TIME"))
        return ColumnKind::Date;
    if (Has(t, "CURRENCY") || Has(t, "MONEY") || Has(t, "DECIMAL") || Has(t, "NUMERIC"))
        return ColumnKind::Currency;
    if (Has(t, "INT"))
        return ColumnKind::Integer;
    if (Has(t, "REAL") || Has(t, "FLOA") || Has(t, "DOUB"))
        return ColumnKind::Real;
    return ColumnKind::Text;
}

ColumnInfo InfoFor(const std::string& name, ColumnKind kind)
{
    ColumnInfo column { .name = name, .kind = kind };
    switch (kind) {
    case ColumnKind::Integer:
        column.width = 64;
        column.textFlags = kRightAligned;
        break;
    case ColumnKind::Real:
        column.width = 100;
        column.textFlags = kRightAligned;
        break;
    case ColumnKind::Currency:
        column.width = 110;
        column.format = "#,##0.00";
        column.textFlags = kRightAligned;
        break;
    case ColumnKind::Date:
        column.width = 100;
        column.format = "yyyy-mm-dd";
        break;
    case ColumnKind::Boolean:
        column.width = 60;
        column.cellType = tvCellCheck;
        column.textFlags = tvTextCenter | tvTextVCenter | tvTextSingleLine;
        break;
    case ColumnKind::Text: column.width = 160; break;
    }
    // A header wider than the values would otherwise be cut off.
    column.width = std::max<int32_t>(column.width, static_cast<int32_t>(name.size()) * 8 + 16);
    return column;
}

std::vector<ColumnInfo> PlanColumns(const SqliteStatement& stmt, bool hasRow)
{
    std::vector<ColumnInfo> columns;
    for (int c = 0; c < stmt.ColumnCount(); ++c) {
        auto first = hasRow ? stmt.ColumnStorage(c) : SqliteStatement::Storage::Null;
        columns.push_back(InfoFor(stmt.ColumnName(c), KindOf(stmt.DeclaredType(c), first)));
    }
    return columns;
}

}  // namespace tavix::view
