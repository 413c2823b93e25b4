#include <tavix/cell_object.h>

#include "core/grid_table.h"

#include <tuple>

namespace tavix {

CellObject::CellObject(core::GridTable& grid)
    : grid_(&grid)
{
}

void CellObject::SetsFmtString(const std::string& fmt)
{
    fmtString_ = fmt;
    fmtIndex_ = grid_->FmtIndexOf(fmt);
}

void CellObject::SetsCtrlKey(const std::string& key)
{
    ctrlKey_ = key;
    listIndex_ = static_cast<int16_t>(grid_->FindComboListByKey(key));
}

void CellObject::SetvValue(const GridVariant& value)
{
    value_ = value;
    if (listIndex_ != 0)
        std::tie(matchedItem_, matchedIcon_) = grid_->FindComboItem(value_, listIndex_);
}

void CellObject::SeteType(int32_t type)
{
    if (type == type_)
        return;
    type_ = type;
    value_ = type == tvCellText ? GridVariant(std::string())
        : type == tvCellCheck   ? GridVariant(int32_t { 0 })
                                : GridVariant();
}

}  // namespace tavix
