// How one result column of a query is shown: its width, format, alignment and cell type.
#pragma once

#include <tavix/enums.h>
#include <tavix/sqlite/field_info.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavix {
class Tavix;
}

namespace tavix::view {

struct ColumnInfo {
    std::string name;
    sqlite::FieldType type { sqlite::FieldType::Text };
    int32_t width { 120 };
    std::string format;
    int32_t textFlags { tvTextLeft | tvTextVCenter | tvTextSingleLine | tvTextEndEllipsis };
    ECellTypes cellType { tvCellText };
    // For combo cells: the list's items, each its own value and text.
    std::vector<std::string> comboItems;
    // Item k shows the image list's icon k.
    bool comboIcons { false };
};

ColumnInfo InfoFor(const sqlite::FieldInfo& field);

// Gives column i + 1 of the grid the look of columns[i]: width, default cell, combo list.
void StyleColumns(Tavix& grid, const std::vector<ColumnInfo>& columns);

}  // namespace tavix::view
