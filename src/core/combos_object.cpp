#include <tavix/combos.h>

#include <tavix/error.h>

#include <algorithm>
#include <cctype>

namespace tavix {
namespace {

bool SameKey(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

CombosObject::CombosObject(std::function<FontRef()> gridFont)
    : gridFont_(std::move(gridFont))
{
}

ComboObject& CombosObject::Add(const std::string& sKey)
{
    for (int32_t s : order_)
        if (SameKey(slots_[s].key, sKey))
            RaiseGridError(tvErrDuplicateKey);
    auto free = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.list; });
    if (free == slots_.end())
        free = slots_.insert(slots_.end(), Slot {});
    free->key = sKey;
    free->list = std::make_unique<ComboObject>(gridFont_().Clone(), metrics_);
    order_.push_back(static_cast<int32_t>(free - slots_.begin()));
    return *free->list;
}

int32_t CombosObject::PositionOf(const GridVariant& vKey) const
{
    if (vKey.IsString()) {
        for (size_t i = 0; i < order_.size(); ++i)
            if (SameKey(slots_[order_[i]].key, vKey.AsString()))
                return static_cast<int32_t>(i);
        RaiseGridError(tvErrInvalidArgument);
    }
    const int32_t n = RoundToLong(vKey.ToDouble());
    if (n < 1 || n > Count())
        RaiseGridError(tvErrSubscript);
    return n - 1;
}

ComboObject& CombosObject::Items(const GridVariant& vKey) { return *slots_[order_[PositionOf(vKey)]].list; }

void CombosObject::Remove(const GridVariant& vKey)
{
    const int32_t pos = PositionOf(vKey);
    Slot& slot = slots_[order_[pos]];
    slot.list.reset();
    slot.key.clear();
    order_.erase(order_.begin() + pos);
}

int32_t CombosObject::SlotOfKey(const std::string& key) const
{
    for (int32_t s : order_)
        if (slots_[s].key == key)
            return s + 1;
    return 0;
}

std::string CombosObject::KeyOfSlot(int32_t slot) const
{
    if (slot < 1 || slot > static_cast<int32_t>(slots_.size()))
        return {};
    return slots_[slot - 1].key;
}

ComboObject* CombosObject::AtSlot(int32_t slot)
{
    return const_cast<ComboObject*>(static_cast<const CombosObject*>(this)->AtSlot(slot));
}

const ComboObject* CombosObject::AtSlot(int32_t slot) const
{
    if (slot < 1 || slot > static_cast<int32_t>(slots_.size()))
        return nullptr;
    return slots_[slot - 1].list.get();
}

}  // namespace tavix
