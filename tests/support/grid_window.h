// A grid in its own window on a headless desktop, with its events recorded: the
// scene most grid tests drive through injected input and read back by pixels.
#pragma once

#include "platform/grid_access.h"
#include "support/event_recorder.h"
#include "support/selected_cells.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavix::testing {

using Strings = std::vector<std::string>;

struct WindowScene {
    struct Options {
        int32_t cols { 3 };
        int32_t rows { 5 };
        int32_t colWidth { 80 };
        // The window, in screen coordinates.
        int32_t x { 0 };
        int32_t y { 0 };
        int32_t width { 300 };
        int32_t height { 200 };
        EBorderStyles border { tvBorder3D };
        int32_t screenWidth { 400 };
        int32_t screenHeight { 300 };
        // False: the test sets the grid up further and calls Create() itself.
        bool create { true };
        // Most scenes look at cells only, so their rows start at the top of the client area.
        bool header { false };
    };

    // `cols` columns of `colWidth` pixels and `rows` rows of 15, created in the window and painted.
    explicit WindowScene(Options o)
        : desktop(o.screenWidth, o.screenHeight)
        , options(o)
    {
        grid.SetEventSink(&events);
        grid.SetBorderStyle(o.border);
        grid.Header().SetVisible(o.header);
        for (int32_t c = 1; c <= o.cols; ++c)
            grid.AddCol(AddColArgs { .lWidth = o.colWidth });
        if (o.rows > 0)
            grid.SetRowCount(o.rows);
        if (o.create)
            Create();
    }
    WindowScene()
        : WindowScene(Options {})
    {
    }
    void Create()
    {
        grid.Create(0, options.x, options.y, options.width, options.height);
        desktop.RunUntilIdle();
        headerHeight = options.header ? grid.Header().Height() : 0;
        events.Clear();
    }
    void Focus()
    {
        native::SetFocus(grid.hwnd());
        desktop.RunUntilIdle();
    }

    // Screen point (dx, dy) pixels into a cell of the first columns, unscrolled.
    std::pair<int, int> At(int row, int col, int dx = 20, int dy = 7) const
    {
        const int border = options.border == tvBorder3D ? 2 : options.border == tvBorderThin ? 1 : 0;
        return { options.x + border + (col - 1) * options.colWidth + dx,
            options.y + border + headerHeight + (row - 1) * 15 + dy };
    }
    // Far enough apart in time never to pair into a double click.
    void ClickCell(int row, int col, int modifier = 0)
    {
        desktop.Advance(1000);
        const auto [x, y] = At(row, col);
        desktop.MouseMove(x, y);
        if (modifier != 0)
            desktop.KeyDown(modifier);
        desktop.MouseDown();
        desktop.MouseUp();
        if (modifier != 0)
            desktop.KeyUp(modifier);
    }
    void Key(int vk, int modifier = 0)
    {
        if (modifier != 0)
            desktop.KeyDown(modifier);
        desktop.KeyDown(vk);
        desktop.KeyUp(vk);
        if (modifier != 0)
            desktop.KeyUp(modifier);
    }
    // Straight to the grid's keyboard handler, with the shift mask given (1 Shift, 2 Ctrl, 4 Alt).
    void Press(int vk, int shift = 0) { Keyboard().OnKeyDown(vk, shift); }
    void Type(std::string_view text)
    {
        for (const char c : text)
            Keyboard().OnChar(static_cast<unsigned char>(c));
    }
    // The events recorded since the last call, without those `skip` names; emptied.
    // QuitCustomEdit comes with every scroll and structural change, so it is left out too.
    Strings Take(
        std::vector<EventId> skip = { EventId::KeyDown, EventId::KeyUp, EventId::MouseMove, EventId::QuitCustomEdit })
    {
        Strings out;
        for (const auto& e : events.Events())
            if (std::find(skip.begin(), skip.end(), e.id) == skip.end())
                out.push_back(e.ToString());
        events.Clear();
        return out;
    }
    Cells Selected() const { return SelectedCells(grid); }
    std::pair<int32_t, int32_t> Cur() const { return { grid.CurRow(), grid.CurCol() }; }
    std::pair<int32_t, int32_t> Hit(int32_t x, int32_t y)
    {
        int32_t row = -1;
        int32_t col = -1;
        grid.CellFromPoint(x, y, row, col);
        return { row, col };
    }

    // GetStartEndCell's answer.
    struct Range {
        int32_t startRow, startCol, startX, startY, endRow, endCol, endX, endY;
        bool operator==(const Range&) const = default;
    };
    Range StartEnd()
    {
        Range r {};
        grid.GetStartEndCell(r.startRow, r.startCol, r.startX, r.startY, r.endRow, r.endCol, r.endX, r.endY);
        return r;
    }
    // The row lies wholly inside the view.
    bool InView(int32_t row)
    {
        const auto& r = Table().Row(row);
        const int32_t top = r.Top - Layout().ScrollY();
        return top >= 0 && top + r.Height <= Layout().ViewHeight();
    }

    // Pixels in client coordinates of the grid window.
    native::COLORREF Pixel(int x, int y) { return Area({ x, y, x + 1, y + 1 }).front(); }
    // The pixels of a client rectangle, row by row.
    std::vector<native::COLORREF> Area(const native::Rect& r)
    {
        const native::HWND hwnd = grid.hwnd();
        const native::HDC dc = native::GetDC(hwnd);
        std::vector<native::COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(native::GetPixel(dc, x, y));
        native::ReleaseDC(hwnd, dc);
        return out;
    }
    int Count(const native::Rect& r, native::COLORREF c)
    {
        const auto pixels = Area(r);
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), c));
    }
    int Other(const native::Rect& r, native::COLORREF c) { return r.Width() * r.Height() - Count(r, c); }
    native::Rect Client()
    {
        native::RECT rc {};
        native::GetClientRect(grid.hwnd(), &rc);
        return { rc.left, rc.top, rc.right, rc.bottom };
    }
    // The cell's client rectangle, as CellBoundary gives it.
    native::Rect CellRect(int32_t row, int32_t col)
    {
        int32_t left = 0, top = 0, width = 0, height = 0;
        grid.CellBoundary(row, col, left, top, width, height);
        return { left, top, left + width, top + height };
    }

    // The subsystems, for what the public members do not show.
    core::GridTable& Table() { return internal::GridAccess::Table(grid); }
    layout::ViewLayout& Layout() { return internal::GridAccess::Layout(grid); }
    paint::GridPainter& Painter() { return internal::GridAccess::Painter(grid); }
    interaction::Keyboard& Keyboard() { return internal::GridAccess::Keyboard(grid); }
    interaction::Mouse& Mouse() { return internal::GridAccess::Mouse(grid); }
    int64_t Composed() { return Painter().RowsComposed(); }

    native::Desktop desktop;
    Options options;
    int32_t headerHeight { 0 };
    EventRecorder events;
    Tavix grid;
};

inline constexpr native::COLORREF kRed = native::RGB(255, 0, 0);
inline constexpr native::COLORREF kBlue = native::RGB(0, 0, 255);
inline constexpr native::COLORREF kGreen = native::RGB(0, 128, 0);
inline constexpr native::COLORREF kMagenta = native::RGB(255, 0, 255);

}  // namespace tavix::testing
