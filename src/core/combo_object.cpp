#include <tavix/combos.h>

#include "core/table_listeners.h"

#include <tavix/error.h>

#include <exception>

namespace tavix {

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
    for (int32_t i = 0; i < ListCount(); ++i) {
        const GridVariant& v = items_[i].value;
        if (v.IsObject() || vValue.IsObject()) {
            if (v.IsObject() && vValue.IsObject() && v.AsObject() == vValue.AsObject())
                return i;
            continue;
        }
        try {
            if (VariantEquals(v, vValue))
                return i;
        } catch (const TavixError&) {
            // Values that do not compare never match.
        }
    }
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
