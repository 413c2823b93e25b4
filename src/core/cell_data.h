#pragma once

#include <tavix/ole_color.h>
#include <tavix/variant.h>

#include <cstdint>

namespace tavix::core {

// One cell of the matrix. RightIndent sits before Value so that the record
// packs into 48 bytes; the matrix holds millions of these.
struct CellData {
    static constexpr uint8_t kTypeMask { 0x07 };
    static constexpr uint8_t kTypeFlagsMask { 0x38 };
    static constexpr uint8_t kSelected { 0x40 };
    static constexpr uint8_t kNeedsRepaint { 0x80 };

    OleColor BackColor { kColorDefault };
    OleColor ForeColor { kColorDefault };
    int32_t TextFlags { 0 };
    int16_t Icon { -1 };
    int16_t ExtraIcon { -1 };
    int16_t FontIndex { 0 };
    int16_t Indent { 0 };
    uint8_t Flags { 0 };
    uint8_t Hatch { 7 };
    int16_t CtrlKeyIndex { 0 };
    int16_t FmtIndex { 0 };
    int16_t ComboItemIndex { -1 };
    int16_t RightIndent { 0 };
    GridVariant Value;
};

static_assert(sizeof(CellData) <= 48, "a cell must stay within 48 bytes");

}  // namespace tavix::core
