// What reaches the window, judged by its pixels: repaint requests, scrolling,
// rows that go away, and the window's size and frame changing. What painting
// draws is tested in tests/paint.
#include "support/grid_window.h"

#include <tavix/native/gdi.h>

#include <gtest/gtest.h>

namespace tavix::testing {
namespace {

// Six rows of three 80-pixel columns; magenta is a colour the grid never paints here.
struct PaintScene : WindowScene {
    explicit PaintScene(int32_t rows = 6)
        : WindowScene({ .rows = rows })
    {
        // Not black, so black pixels can only be surface nobody painted.
        grid.SetForeColor(0x00402010);
        for (int32_t r = 1; r <= rows; ++r)
            grid.SetCellValue(r, 1, "row " + std::to_string(r));
    }
    // Paints straight onto the window's surface without invalidating it, so
    // whatever the grid repaints afterwards shows up as scribble removed.
    void Scribble()
    {
        const native::HDC dc = native::GetDC(grid.hwnd());
        const native::UniqueGdiObject brush(native::CreateSolidBrush(kMagenta));
        native::FillRect(dc, Client(), brush);
        native::ReleaseDC(grid.hwnd(), dc);
    }
    // The client pixels of rows [top, bottom).
    std::vector<native::COLORREF> Band(int32_t top, int32_t bottom) { return Area({ 0, top, Client().right, bottom }); }
    int Scribbled() { return Count(Client(), kMagenta); }
    int Unpainted() { return Count(Client(), native::RGB(0, 0, 0)); }
};

TEST(PaintWindow, ScrollingRepaintsTheViewWithTheRowsAndColumnsShifted)
{
    PaintScene s(40);
    const auto before = s.Band(30, 120);  // rows 3 .. 8
    s.Scribble();
    s.grid.VScrollBar().SetValue(30);
    EXPECT_EQ(s.Band(0, 90), before);
    EXPECT_EQ(s.Scribbled(), 0);

    s.grid.SetColWidth(3, 300);  // 460 pixels of columns in a 279-pixel view
    const auto left = s.Area({ 40, 0, 200, 90 });
    s.grid.HScrollBar().SetValue(40);
    EXPECT_EQ(s.Area({ 0, 0, 160, 90 }), left);
}

TEST(PaintWindow, RowsThatGoAwayLeaveNothingBehind)
{
    PaintScene s;
    const auto empty = s.Band(150, 165);  // well below the rows
    const auto expectEmpty = [&](int32_t top) {
        s.desktop.RunUntilIdle();
        EXPECT_EQ(s.Band(top, top + 15), empty) << "at " << top;
    };
    s.grid.RemoveRow(6);
    expectEmpty(75);
    s.grid.SetRowVisible(5, false);
    expectEmpty(60);
    s.grid.SetRowCount(2);
    expectEmpty(45);
    s.grid.Clear();
    expectEmpty(0);
}

TEST(PaintWindow, PaintRequestsNewSizesAndFramesRepaintTheWholeClientArea)
{
    PaintScene s;
    const auto rows = s.Area({ 0, 0, 240, 90 });
    s.Scribble();
    native::InvalidateRect(s.grid.hwnd(), nullptr, false);
    s.desktop.RunUntilIdle();
    EXPECT_EQ(s.Scribbled(), 0) << "the window asked for paint";

    s.Scribble();
    native::MoveWindow(s.grid.hwnd(), 0, 0, 380, 260);
    s.desktop.RunUntilIdle();
    ASSERT_EQ(s.Client().right, 376);
    EXPECT_EQ(s.Scribbled(), 0);
    EXPECT_EQ(s.Unpainted(), 0);

    s.Scribble();
    s.grid.SetBorderStyle(tvBorderNone);
    s.desktop.RunUntilIdle();
    ASSERT_EQ(s.Client().right, 380);
    EXPECT_EQ(s.Scribbled(), 0);
    EXPECT_EQ(s.Unpainted(), 0);
    EXPECT_EQ(s.Area({ 0, 0, 240, 90 }), rows) << "the rows moved with the client area and look as they did";
}

}  // namespace
}  // namespace tavix::testing
