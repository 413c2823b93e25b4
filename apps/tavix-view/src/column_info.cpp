#include "column_info.h"

#include <tavix/grid.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tavix::view {

namespace {

using sqlite::FieldType;

constexpr int32_t kRightAligned = tvTextRight | tvTextVCenter | tvTextSingleLine | tvTextEndEllipsis;
constexpr int32_t kHeaderCharWidth = 8;
constexpr int32_t kHeaderPadding = 16;
constexpr int kMaxShownScale = 10;

std::string Upper(std::string text)
{
    std::transform(
        text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string DateFormat(const sqlite::FieldInfo& field)
{
    const std::string declared = Upper(field.declaredType);
    if (declared.find("TIME") != std::string::npos && declared.find("DATE") == std::string::npos
        && declared.find("STAMP") == std::string::npos)
        return "hh:nn:ss";
    return field.hasTimeOfDay ? "yyyy-mm-dd hh:nn:ss" : "yyyy-mm-dd";
}

// "NUMERIC(10, 2)" shows two decimals, as its scale says; without a scale the value's own digits show.
std::string DecimalFormat(const std::string& declaredType)
{
    int precision = 0, scale = 0;
    const std::string declared = Upper(declaredType);
    const size_t open = declared.find('(');
    if (open == std::string::npos || std::sscanf(declared.c_str() + open, "(%d , %d)", &precision, &scale) != 2
        || scale <= 0 || scale > kMaxShownScale)
        return {};
    return "#,##0." + std::string(static_cast<size_t>(scale), '0');
}

}  // namespace

ColumnInfo InfoFor(const sqlite::FieldInfo& field)
{
    ColumnInfo column { .name = field.name, .type = field.type };
    switch (field.type) {
    case FieldType::Long:
        column.width = 84;
        column.textFlags = kRightAligned;
        break;
    case FieldType::Double:
        column.width = 120;
        column.textFlags = kRightAligned;
        break;
    case FieldType::Decimal:
        // Wide enough for a 64-bit integer in scientific notation, sign included.
        column.width = 170;
        column.format = DecimalFormat(field.declaredType);
        column.textFlags = kRightAligned;
        break;
    case FieldType::Currency:
        column.width = 110;
        column.format = "#,##0.00";
        column.textFlags = kRightAligned;
        break;
    case FieldType::Date:
        column.format = DateFormat(field);
        column.width = field.hasTimeOfDay ? 150 : 100;
        break;
    case FieldType::Boolean:
        column.width = 60;
        column.cellType = tvCellCheck;
        column.textFlags = tvTextCenter | tvTextVCenter | tvTextSingleLine;
        break;
    case FieldType::Text: column.width = 160; break;
    }
    // A header wider than the values would otherwise be cut off.
    column.width
        = std::max<int32_t>(column.width, static_cast<int32_t>(field.name.size()) * kHeaderCharWidth + kHeaderPadding);
    return column;
}

void StyleColumns(Tavix& grid, const std::vector<ColumnInfo>& columns)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnInfo& column = columns[i];
        const auto col = static_cast<int32_t>(i + 1);
        grid.SetColWidth(col, column.width);
        CellObject& cell = grid.ColDefaultCell(col);
        cell.eTextFlags = column.textFlags;
        cell.SetsFmtString(column.format);
        if (column.cellType == tvCellCombo) {
            const std::string list = grid.ColKey(col);
            // A reload (a re-sort in virtual mode) styles the columns again; the list from the
            // previous load is replaced, not added twice.
            if (grid.Combos().SlotOfKey(list) != 0)
                grid.Combos().Remove(GridVariant(list));
            ComboObject& items = grid.Combos().Add(list);
            for (size_t k = 0; k < column.comboItems.size(); ++k)
                items.AddItem(column.comboItems[k], GridVariant(column.comboItems[k]),
                    column.comboIcons ? static_cast<int32_t>(k) : -1);
            cell.SetsCtrlKey(list);
        }
        cell.SeteType(column.cellType);
    }
}

}  // namespace tavix::view
