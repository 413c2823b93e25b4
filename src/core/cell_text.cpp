#include "core/cell_text.h"

#include "core/format_pool.h"

#include <tavix/combos.h>
#include <tavix/dispatch.h>
#include <tavix/enums.h>

#include <tavix/error.h>

namespace tavix::core {

std::string CellTextOf(const CellData& cell, const CellLook& look, const FormatPool& formats)
{
    // Combo texts need the lists; check and custom-drawn cells show no text.
    if ((cell.Flags & CellData::kTypeMask) != tvCellText)
        return {};
    try {
        const GridVariant& v = cell.Value;
        if (v.IsObject())
            return v.AsObject() ? v.AsObject()->Call("ToString").ToString() : std::string();
        if (look.FmtIndex != 0 && !formats.At(look.FmtIndex).empty())
            return formats.Compiled(look.FmtIndex).Apply(v);
        if (v.IsNull())
            return {};
        return v.ToString();
    } catch (const TavixError&) {
        return {};
    }
}

std::string CellTextOf(
    const CellData& cell, const CellLook& look, const FormatPool& formats, const CombosObject& combos)
{
    if ((cell.Flags & CellData::kTypeMask) != tvCellCombo)
        return CellTextOf(cell, look, formats);
    const ComboObject* list = combos.AtSlot(look.CtrlKeyIndex);
    if (!list || cell.ComboItemIndex < 0 || cell.ComboItemIndex >= list->ListCount())
        return {};
    return list->ItemText(cell.ComboItemIndex);
}

int32_t CheckStateOf(const GridVariant& value, bool threeState)
{
    if (value.IsObject())
        return 0;
    if (value.VarType() == VtBoolean)
        return value.AsBool() ? 1 : 0;
    try {
        if (VariantEquals(value, GridVariant(int32_t { 1 })))
            return 1;
        if (threeState && VariantEquals(value, GridVariant(int32_t { 2 })))
            return 2;
    } catch (const TavixError&) {
        // A value that does not compare with a number is unchecked.
    }
    return 0;
}

}  // namespace tavix::core
