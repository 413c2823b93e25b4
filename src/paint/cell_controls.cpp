#include "paint/cell_controls.h"

namespace tavix {
namespace {

// n / 2 with halves rounded to even; n sums two edges, which 32 bits may not hold.
int32_t HalfToEven(int64_t n)
{
    const auto q = static_cast<int32_t>(n >> 1);  // floor
    if ((n & 1) == 0)
        return q;
    return (q & 1) ? q + 1 : q;
}

}  // namespace

native::Rect CheckBoxRect(native::Rect cell, int32_t boxSize)
{
    native::Rect r { cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 2 };
    if (r.Width() > boxSize) {
        r.left = HalfToEven(int64_t { r.left } + r.right - boxSize);
        r.right = r.left + boxSize;
    }
    if (r.Height() > boxSize)
        r.bottom = r.top + boxSize;
    if (r.Width() < boxSize || r.Height() < boxSize) {
        const int32_t w = r.Width(), h = r.Height();
        if (h < w) {
            r.left = HalfToEven(int64_t { r.left } + r.right - h);
            r.right = r.left + h;
        } else {
            r.bottom = r.top + w;
        }
    }
    return r;
}

native::Rect ComboButtonRect(native::Rect cell)
{
    native::Rect r { cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 2 };
    const int32_t w = r.Width(), h = r.Height();
    if (w > kControlSize && h > kControlSize)
        return { cell.right - 18, cell.top + 1, cell.right - 2, cell.top + 1 + kControlSize };
    if (w >= h) {
        r.left = std::min(cell.top + 1 + cell.right - cell.bottom, r.right);
    } else {
        r.bottom = std::max(cell.top + 1 + w, r.top);
    }
    return r;
}

int CheckBoxSlot(int state, bool flat, bool hot, bool themed)
{
    if (themed)
        return (hot ? 6 : 0) + state;
    return (flat ? 3 : 0) + state;
}

int ComboButtonSlot(bool pressed, bool flat, bool hot, bool themed)
{
    if (themed)
        return hot ? 4 : (pressed ? 1 : 0);
    return (flat ? 2 : 0) + (pressed ? 1 : 0);
}

}  // namespace tavix
