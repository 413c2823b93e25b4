#include "native/gdi/gdi_table.h"

namespace tavix::native::detail {

SurfacePtr DcObj::Target() const
{
    if (!memory)
        return target;
    auto* bm = GdiTable::Instance().Get<BitmapObj>(bitmap);
    return bm ? bm->surface : nullptr;
}

Rect DcObj::EffectiveClip() const
{
    SurfacePtr s = Target();
    if (!s)
        return {};
    Rect r = s->Bounds();
    if (!memory)
        r = r.Intersect(baseClip);
    if (clip)
        r = r.Intersect(clip->Offset(origin.x, origin.y));
    return r;
}

int32_t GdiTable::Add(GdiObject obj, bool stock)
{
    uint32_t slot = 0;
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
    } else {
        if (slots_.size() == kSlotMask)
            return 0;  // as the platform, out of handles
        slot = static_cast<uint32_t>(slots_.size());
        slots_.emplace_back();
    }
    Slot& s = slots_[slot];
    s.entry.emplace(Entry { std::move(obj), stock });
    return static_cast<int32_t>(s.generation << kSlotBits | (slot + 1));
}

bool GdiTable::Remove(int32_t handle)
{
    const std::optional<uint32_t> slot = SlotOf(handle);
    if (!slot)
        return false;
    // The object is destroyed with the slot already free: what its destructor does may add objects.
    std::optional<Entry> gone = std::move(slots_[*slot].entry);
    slots_[*slot].entry.reset();
    slots_[*slot].generation = (slots_[*slot].generation + 1) % kGenerations;
    free_.push_back(*slot);
    return true;
}

bool GdiTable::IsStock(int32_t handle) const
{
    const std::optional<uint32_t> slot = SlotOf(handle);
    return slot && slots_[*slot].entry->stock;
}

HBRUSH GdiTable::StockWhiteBrush()
{
    if (!whiteBrush_)
        whiteBrush_ = Add(BrushObj { RGB(255, 255, 255), -1 }, true);
    return whiteBrush_;
}

HPEN GdiTable::StockBlackPen()
{
    if (!blackPen_)
        blackPen_ = Add(PenObj { PS_SOLID, 1, 0 }, true);
    return blackPen_;
}

HBITMAP GdiTable::StockBitmap()
{
    if (!bitmap_)
        bitmap_ = Add(BitmapObj { std::make_shared<Surface>(1, 1, 0) }, true);
    return bitmap_;
}

}  // namespace tavix::native::detail
