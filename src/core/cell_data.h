#pragma once

#include <tavix/ole_color.h>
#include <tavix/variant.h>

#include <cstdint>

namespace tavix::core {

// How a cell is drawn, apart from its value. A grid has few distinct looks, so
// cells share them through a CellLookPool and keep only the look's number.
struct CellLook {
    OleColor BackColor { kColorDefault };
    OleColor ForeColor { kColorDefault };
    int32_t TextFlags { 0 };
    int16_t Icon { -1 };
    int16_t ExtraIcon { -1 };
    int16_t FontIndex { 0 };
    int16_t Indent { 0 };
    int16_t RightIndent { 0 };
    int16_t FmtIndex { 0 };
    int16_t CtrlKeyIndex { 0 };
    uint8_t Hatch { 7 };

    friend bool operator==(const CellLook&, const CellLook&) = default;
};

// One cell of the matrix: what differs from cell to cell is held here, the rest
// in the shared look. The matrix holds millions of these, and every byte of a
// cell is a million bytes the kernel has to hand over when a grid fills.
struct CellData {
    static constexpr uint8_t kTypeMask { 0x07 };
    static constexpr uint8_t kTypeFlagsMask { 0x38 };
    static constexpr uint8_t kSelected { 0x40 };
    static constexpr uint8_t kNeedsRepaint { 0x80 };

    GridVariant Value;
    uint32_t Look { 0 };
    int16_t ComboItemIndex { -1 };
    uint8_t Flags { 0 };
};

static_assert(sizeof(CellData) <= 48, "a cell must stay within 48 bytes");
static_assert(sizeof(CellData) == 24, "the value and a look number; anything else belongs in the look");

}  // namespace tavix::core
