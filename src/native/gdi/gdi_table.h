#pragma once
// The process-wide table behind the integer GDI handles. Drawing runs on the
// UI thread only, as on the platform, so the table is not locked.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include <tavix/native/gdi.h>
#include <tavix/native/png.h>

namespace tavix::native::detail {

struct BitmapObj {
    SurfacePtr surface;
    int selectedCount = 0;
};

struct BrushObj {
    COLORREF color = 0;
    int hatch = -1;  // -1 solid, else HS_*
};

struct PenObj {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct RegionObj {
    Rect rect;
};

class FontFace;
struct FontObj {
    std::shared_ptr<FontFace> face;
};

struct ImageListObj {
    int32_t cx = 0, cy = 0;
    std::vector<RgbaImage> images;
};

struct IconObj {
    RgbaImage image;
};

struct DcObj {
    SurfacePtr target;  // surface DCs; memory DCs draw on the selected bitmap
    bool memory = false;
    Point origin;  // device origin in target coordinates
    Rect baseClip;  // target coordinates
    std::optional<Rect> clip;  // device coordinates
    Point viewport;
    HBITMAP bitmap = 0;
    HBRUSH brush = 0;
    HPEN pen = 0;
    HFONT font = 0;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    Point position;

    SurfacePtr Target() const;
    // Logical to target pixel coordinates.
    Point ToTarget(Point p) const { return { p.x + viewport.x + origin.x, p.y + viewport.y + origin.y }; }
    Rect ToTarget(const Rect& r) const { return r.Offset(viewport.x + origin.x, viewport.y + origin.y); }
    // Everything a drawing call may touch, in target coordinates.
    Rect EffectiveClip() const;
};

using GdiObject = std::variant<DcObj, BitmapObj, BrushObj, PenObj, RegionObj, FontObj, ImageListObj, IconObj>;

class GdiTable {
public:
    static GdiTable& Instance()
    {
        static GdiTable table;
        return table;
    }

    int32_t Add(GdiObject obj, bool stock = false);
    bool Remove(int32_t handle);
    bool IsStock(int32_t handle) const;

    template <typename T> T* Get(int32_t handle)
    {
        Entry* e = Find(handle);
        return e ? std::get_if<T>(&e->obj) : nullptr;
    }

    // Defaults a new DC starts with.
    HBRUSH StockWhiteBrush();
    HPEN StockBlackPen();
    HBITMAP StockBitmap();

private:
    struct Entry {
        GdiObject obj;
        bool stock = false;
    };
    // A handle is its slot's number + 1 in the low bits and the slot's generation above them: a
    // freed slot is reused under the next generation, so the old handle no longer finds it (until
    // the generations wrap). A million live objects is a hundred times what a process may hold
    // on the platform.
    static constexpr int kSlotBits = 20;
    static constexpr uint32_t kGenerations = uint32_t { 1 } << (31 - kSlotBits);
    static constexpr uint32_t kSlotMask = (uint32_t { 1 } << kSlotBits) - 1;
    struct Slot {
        std::optional<Entry> entry;
        uint32_t generation = 0;
    };
    // The slot of a live handle, or none.
    std::optional<uint32_t> SlotOf(int32_t handle) const
    {
        const auto h = static_cast<uint32_t>(handle);
        const uint32_t slot = (h & kSlotMask) - 1;
        if (handle <= 0 || slot >= slots_.size() || !slots_[slot].entry || slots_[slot].generation != h >> kSlotBits)
            return std::nullopt;
        return slot;
    }
    Entry* Find(int32_t handle)
    {
        const std::optional<uint32_t> slot = SlotOf(handle);
        return slot ? &*slots_[*slot].entry : nullptr;
    }
    // A deque: objects stay where they are while others are added, as callers hold on to them.
    std::deque<Slot> slots_;
    std::vector<uint32_t> free_;
    HBRUSH whiteBrush_ = 0;
    HPEN blackPen_ = 0;
    HBITMAP bitmap_ = 0;
};

inline DcObj* GetDc(HDC h) { return GdiTable::Instance().Get<DcObj>(h); }

}  // namespace tavix::native::detail
