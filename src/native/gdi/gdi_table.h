#pragma once
// The process-wide table behind the integer GDI handles. Drawing runs on the
// UI thread only, as on the platform, so the table is not locked.
#include <memory>
#include <optional>
#include <unordered_map>
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
    static GdiTable& Instance();

    int32_t Add(GdiObject obj, bool stock = false);
    bool Remove(int32_t handle);
    bool IsStock(int32_t handle) const;

    template <typename T> T* Get(int32_t handle)
    {
        auto it = objects_.find(handle);
        if (it == objects_.end())
            return nullptr;
        return std::get_if<T>(&it->second.obj);
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
    std::unordered_map<int32_t, Entry> objects_;
    int32_t next_ = 1;
    HBRUSH whiteBrush_ = 0;
    HPEN blackPen_ = 0;
    HBITMAP bitmap_ = 0;
};

inline DcObj* GetDc(HDC h) { return GdiTable::Instance().Get<DcObj>(h); }

}  // namespace tavix::native::detail
