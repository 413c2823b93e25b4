#include <tavix/combos.h>

#include "core/combo_match.h"
#include "core/table_listeners.h"

#include <tavix/error.h>

#include <exception>

namespace tavix {

bool core::ComboValueMatches(const GridVariant& item, const GridVariant& value)
{
    if (item.IsObject() || value.IsObject())
        return item.IsObject() && value.IsObject() && item.AsObject() == value.AsObject();
    try {
        return VariantEquals(item, value);
    } catch (const TavixError&) {
        return false;
    }
}

ComboObject::ComboObject(FontRef font, core::ComboListMetrics* metrics)
    : font_(std::move(font))
    , metrics_(metrics)
{
}

void ComboObject::AutoAdjustWidth()
{
    if (metrics_ != nullptr)
        width_ = metrics_->FittingWidth(*this);
}

void ComboObject::AddItem(
    const std::string& sItemText, const GridVariant& vItemValue, int32_t iIconIndex, int32_t lIndex)
{
    Item item { sItemText, vItemValue.IsMissing() ? GridVariant(sItemText) : vItemValue, iIconIndex };
    if (lIndex < 0 || lIndex >= ListCount())
        items_.push_back(std::move(item));
    else
        items_.insert(items_.begin() + lIndex, std::move(item));
}

void ComboObject::RemoveItem(int32_t lIndex)
{
    At(lIndex);
    items_.erase(items_.begin() + lIndex);
}

int32_t ComboObject::ValueIndex(const GridVariant& vValue) const
{
    for (int32_t i = 0; i < ListCount(); ++i)
        if (core::ComboValueMatches(items_[i].value, vValue))
            return i;
    return -1;
}

void ComboObject::SetMaxHeightInItems(int32_t n)
{
    if (n < 1)
        RaiseGridError(tvErrInvalidArgument);
    maxHeight_ = n;
}

ComboObject::Item& ComboObject::At(int32_t lIndex)
{
    if (lIndex < 0 || lIndex >= ListCount())
        RaiseGridError(tvErrSubscript);
    return items_[lIndex];
}

const ComboObject::Item& ComboObject::At(int32_t lIndex) const { return const_cast<ComboObject*>(this)->At(lIndex); }

}  // namespace tavix
