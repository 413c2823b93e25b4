#pragma once

#include <tavix/cell_object.h>
#include <tavix/enums.h>
#include <tavix/ole_color.h>
#include <tavix/variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace tavix::core {

struct ColumnData {
    int32_t Width { 0 };
    int32_t Left { 0 };
    int32_t Index { 0 };
    bool Visible { false };
    bool IsRowTextCol { false };
    std::string Key;
    std::string KeyLower;
    GridVariant Tag;
    std::string HeaderText;
    bool IncludeInSelect { true };
    int16_t HeaderIcon { -1 };
    ETextFormatFlags HeaderTextFlags { kDefaultTextFlags };
    ESortTypes SortType { tvSortByValue };
    // Held by pointer so that the reference AddCol hands out survives moves of the record.
    std::unique_ptr<CellObject> DefaultCell;
    int32_t MinWidth { -1 };
    int32_t MaxWidth { -1 };
    int32_t SortKey { 0 };
    ESortOrders SortOrder { tvSortAsc };
    OleColor HeaderBackColor { kColorDefault };
    OleColor HeaderForeColor { kColorDefault };
    bool AllowSizing { true };
};

}  // namespace tavix::core
