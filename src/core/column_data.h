#pragma once

#include <tavix/cell_object.h>
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
    int32_t HeaderTextFlags { 0 };
    int32_t SortType { 0 };
    // Held by pointer so that the reference AddCol hands out survives moves of the record.
    std::unique_ptr<CellObject> DefaultCell;
    int32_t MinWidth { -1 };
    int32_t MaxWidth { -1 };
    int32_t SortKey { 0 };
    int32_t SortOrder { 0 };
    uint32_t HeaderBackColor { 0xFFFFFFFFu };
    uint32_t HeaderForeColor { 0xFFFFFFFFu };
    bool AllowSizing { true };
};

}  // namespace tavix::core
