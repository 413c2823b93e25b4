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

GdiTable& GdiTable::Instance()
{
    static GdiTable table;
    return table;
}

int32_t GdiTable::Add(GdiObject obj, bool stock)
{
    int32_t h = next_++;
    objects_.emplace(h, Entry { std::move(obj), stock });
    return h;
}

bool GdiTable::Remove(int32_t handle) { return objects_.erase(handle) > 0; }

bool GdiTable::IsStock(int32_t handle) const
{
    auto it = objects_.find(handle);
    return it != objects_.end() && it->second.stock;
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
