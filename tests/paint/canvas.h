#pragma once
// Surfaces for drawing tests: a white memory DC, and a grid window without a frame.
#include <algorithm>
#include <vector>

#include "support/grid_window.h"
#include "tavix/native/gdi.h"

namespace tavix::test {

// Columns `width` wide and rows 15 high in a 300 x 200 window without a frame: cell (r, c)
// spans x width(c-1)..width*c-1, y 15(r-1)..15r-1 in client coordinates.
inline testing::WindowScene::Options Plain(int cols, int rows, int width = 50)
{
    return { .cols = cols, .rows = rows, .colWidth = width, .border = tvBorderNone };
}

struct Canvas {
    static constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);
    native::UniqueDC dc { native::CreateCompatibleDC(0) };
    native::UniqueGdiObject bm;
    native::HGDIOBJ old = 0;
    int32_t w, h;
    Canvas(int32_t width, int32_t height)
        : bm(native::CreateCompatibleBitmap(0, width, height))
        , w(width)
        , h(height)
    {
        old = native::SelectObject(dc, bm);
        Clear();
    }
    ~Canvas() { native::SelectObject(dc, old); }
    void Clear()
    {
        native::UniqueGdiObject b(native::CreateSolidBrush(kWhite));
        native::FillRect(dc, { 0, 0, w, h }, b);
    }
    // Bounding box of non-white pixels (empty when blank).
    native::Rect Ink() const
    {
        native::Rect r { w, h, 0, 0 };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (native::GetPixel(dc, x, y) != kWhite)
                    r = { std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                        std::max(r.bottom, y + 1) };
        return r;
    }
    std::vector<native::COLORREF> Pixels(const native::Rect& r) const
    {
        std::vector<native::COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(native::GetPixel(dc, x, y));
        return out;
    }
};

}  // namespace tavix::test
