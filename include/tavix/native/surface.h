#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace tavix::native {

struct Point {
    int32_t x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t cx = 0, cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// right and bottom are exclusive, as everywhere in the drawing layer.
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Intersect(const Rect& o) const
    {
        Rect r { std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom) };
        return r.IsEmpty() ? Rect {} : r;
    }
    Rect Offset(int32_t dx, int32_t dy) const { return { left + dx, top + dy, right + dx, bottom + dy }; }
    // Grows (positive) or shrinks (negative) on every side, like InflateRect.
    Rect Inflate(int32_t dx, int32_t dy) const { return { left - dx, top - dy, right + dx, bottom + dy }; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline void InflateRect(Rect* r, int32_t dx, int32_t dy) { *r = r->Inflate(dx, dy); }
inline void OffsetRect(Rect* r, int32_t dx, int32_t dy) { *r = r->Offset(dx, dy); }

// A 32-bit pixel surface, 0x00RRGGBB per pixel (BGRA byte order in memory).
class Surface {
public:
    Surface() = default;
    Surface(int32_t width, int32_t height, uint32_t fill = 0) { Resize(width, height, fill); }

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Rect Bounds() const { return { 0, 0, width_, height_ }; }
    uint32_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t Pixel(int32_t x, int32_t y) const { return Row(y)[x]; }
    void SetPixel(int32_t x, int32_t y, uint32_t v) { Row(y)[x] = v; }
    uint32_t* Data() { return pixels_.data(); }
    const uint32_t* Data() const { return pixels_.data(); }

    // Contents are discarded.
    void Resize(int32_t width, int32_t height, uint32_t fill = 0)
    {
        width_ = std::max(0, width);
        height_ = std::max(0, height);
        pixels_.assign(static_cast<size_t>(width_) * height_, fill);
    }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

using SurfacePtr = std::shared_ptr<Surface>;

}  // namespace tavix::native
