#pragma once

#include <tavix/variant.h>

#include <cstdint>
#include <string>

namespace tavix::core {

struct RowData {
    int32_t Height { 0 };
    int32_t NormalCellHeight { 0 };
    int32_t Top { 0 };
    bool Visible { false };
    bool IsGroup { false };
    int32_t GroupStartCol { 0 };
    GridVariant Tag;
    bool SortMark { false };
    bool OddRow { false };
    std::string Key;
};

}  // namespace tavix::core
