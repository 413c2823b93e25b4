#pragma once
// A grid painted into a plain window on a headless desktop, with a view that
// routes Draw to the painter and answers the focus question as told.
#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window_paint.h>

#include <vector>

#include "core/grid_state.h"
#include "layout/layout.h"
#include "paint/grid_painter.h"
#include "paint/paint_resources.h"

namespace tavix::test {

class SceneView : public core::GridViewHooks {
public:
    explicit SceneView(core::GridState& s)
        : s_(s)
    {
    }
    void Draw() override { paint::GridPainter(s_).Draw(); }
    void InvalidateRange(int32_t mode) override { layout::Layout(s_).InvalidateRange(core::RangeState(mode)); }
    void MarkLayoutStale() override { InvalidateRange(1); }
    void EnsurePaintBufferHeight(int32_t height) override { paint::GridPainter(s_).EnsureBufferHeight(height); }
    bool HasFocus() const override { return focused; }
    void HeaderAutoHeight(int32_t reason) override { headerFits.push_back(reason); }
    int32_t Window() const override { return s_.geo.hwnd; }
    bool focused = false;
    std::vector<int32_t> headerFits;

private:
    core::GridState& s_;
};

inline native::LRESULT SceneProc(native::HWND h, native::UINT m, native::WPARAM w, native::LPARAM l)
{
    return native::DefWindowProc(h, m, w, l);
}

// `cols` columns of `width` pixels and `rows` rows, window w x h at (0, 0).
struct GridScene {
    native::Desktop desktop { 400, 300 };
    Tavix grid;
    SceneView view { grid.State() };

    GridScene(int cols, int rows, int width = 50, int w = 300, int h = 200)
    {
        native::RegisterClass("PaintScene", SceneProc);
        auto& s = grid.State();
        s.geo.hwnd = native::CreateWindowEx(0, "PaintScene", "", native::WS_VISIBLE, 0, 0, w, h, 0);
        desktop.RunUntilIdle();
        grid.SetViewHooks(&view);
        s.look.borderStyle = tvBorderNone;
        for (int c = 0; c < cols; ++c)
            grid.AddCol(AddColArgs { .lWidth = width });
        for (int r = 0; r < rows; ++r)
            grid.AddRow();
        s.geo.ready = true;
        grid.SetRedraw(true);
    }

    core::GridState& S() { return grid.State(); }
    void Draw() { paint::GridPainter(S()).Draw(); }
    void FullDraw()
    {
        S().geo.needFullRedraw = true;
        S().geo.needPaintBelow = true;
        Draw();
    }
    native::COLORREF At(int x, int y)
    {
        const native::HDC dc = native::GetDC(S().geo.hwnd);
        const native::COLORREF c = native::GetPixel(dc, x, y);
        native::ReleaseDC(S().geo.hwnd, dc);
        return c;
    }
    void Poke(int x, int y, native::COLORREF c)
    {
        const native::HDC dc = native::GetDC(S().geo.hwnd);
        native::SetPixel(dc, x, y, c);
        native::ReleaseDC(S().geo.hwnd, dc);
    }
    // Pixels of colour c in the rectangle.
    int Count(const native::Rect& r, native::COLORREF c)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == c;
        return n;
    }
    // Pixels differing from c in the rectangle.
    int Other(const native::Rect& r, native::COLORREF c) { return r.Width() * r.Height() - Count(r, c); }
    int64_t Composed() { return paint::PaintResources::Of(S()).rowsComposed; }
};

inline constexpr native::COLORREF kRed = native::RGB(255, 0, 0);
inline constexpr native::COLORREF kBlue = native::RGB(0, 0, 255);
inline constexpr native::COLORREF kGreen = native::RGB(0, 128, 0);
inline constexpr native::COLORREF kMagenta = native::RGB(255, 0, 255);

}  // namespace tavix::test
