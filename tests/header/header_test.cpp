// The column header in a grid window, driven by the mouse as a person would.
#include "support/errors.h"
#include "support/grid_window.h"

#include <tavix/header_object.h>

#include <gtest/gtest.h>

namespace tavix::testing {
namespace {

// Three columns of 80 with values that sort differently by each column.
struct HeaderScene : WindowScene {
    HeaderScene()
        : WindowScene(Options { .create = false, .header = true })
    {
        const char* names[] = { "pear", "apple", "fig", "kiwi", "date" };
        for (int32_t r = 1; r <= 5; ++r) {
            grid.SetCellValue(r, 1, names[r - 1]);
            grid.SetCellValue(r, 2, int32_t { (r * 3) % 5 });
            grid.SetCellValue(r, 3, int32_t { r });
        }
        grid.SetColHeaderText(1, "Name");
        Create();
    }
    // Screen point on the header: `dx` pixels into column `col`'s item.
    std::pair<int, int> OnHeader(int col, int dx = 30) const
    {
        return { 2 + (col - 1) * 80 + dx, 2 + headerHeight / 2 };
    }
    void Press(std::pair<int, int> at)
    {
        desktop.Advance(1000);
        desktop.MouseMove(at.first, at.second);
        desktop.MouseDown();
    }
    void Drag(std::pair<int, int> from, std::pair<int, int> to)
    {
        Press(from);
        desktop.MouseMove((from.first + to.first) / 2, to.second);
        desktop.MouseMove(to.first, to.second);
        desktop.MouseUp();
    }
    void ClickHeader(int col, int modifier = 0)
    {
        if (modifier != 0)
            desktop.KeyDown(modifier);
        Press(OnHeader(col));
        desktop.MouseUp();
        if (modifier != 0)
            desktop.KeyUp(modifier);
    }
    std::vector<int32_t> Column(int32_t col)
    {
        std::vector<int32_t> out;
        for (int32_t r = 1; r <= grid.RowCount(); ++r)
            out.push_back(grid.CellValue(r, col).ToLong());
        return out;
    }
    // Event names only: the coordinates they carry are checked where they matter.
    Strings Names()
    {
        Strings out;
        for (const std::string& e : Take({ EventId::KeyDown, EventId::KeyUp, EventId::MouseMove, EventId::MouseEnter,
                 EventId::MouseLeave, EventId::ColHeaderMouseEnter, EventId::ColHeaderMouseLeave }))
            out.push_back(e.substr(0, e.find('(')));
        return out;
    }
    // Pixels of a header item's right end, where the sort mark goes, that differ
    // from its background, read from the screen since the header is a window of its own.
    int SortMarkPixels(int col)
    {
        const native::Surface& screen = desktop.Frame();
        const int left = 2 + (col - 1) * 80;
        const uint32_t back = screen.Pixel(left + 40, 4);
        int n = 0;
        for (int y = 4; y < headerHeight - 2; ++y)
            for (int x = left + 50; x < left + 77; ++x)
                n += screen.Pixel(x, y) != back;
        return n;
    }
};

TEST(Header, ClickSortsByTheColumnAndShowsTheMark)
{
    HeaderScene s;
    ASSERT_GT(s.headerHeight, 10);
    EXPECT_EQ(s.SortMarkPixels(3), 0);
    s.ClickHeader(3);
    EXPECT_EQ(s.Names(), (Strings { "ColHeaderClick", "ContentsSorted" }));
    EXPECT_EQ(s.Column(3), (std::vector<int32_t> { 1, 2, 3, 4, 5 }));
    EXPECT_GT(s.SortMarkPixels(3), 0);
    s.ClickHeader(3);
    EXPECT_EQ(s.Column(3), (std::vector<int32_t> { 5, 4, 3, 2, 1 }));
    EXPECT_EQ(s.grid.ColSortOrder(3), tvSortDesc);

    // Shift adds the column as a further key; the first keeps its place.
    s.ClickHeader(2, native::VK_SHIFT);
    EXPECT_EQ(s.grid.ColSortKey(3), 1);
    EXPECT_EQ(s.grid.ColSortKey(2), 2);
    EXPECT_GT(s.SortMarkPixels(2), 0);
    s.Names();

    // A handler that declines the default leaves rows and marks alone.
    s.events.onColHeaderClick = [](int32_t, bool& doDefault, int16_t, int32_t, int32_t) { doDefault = false; };
    const auto before = s.Column(3);
    s.ClickHeader(1);
    EXPECT_EQ(s.Names(), (Strings { "ColHeaderClick" }));
    EXPECT_EQ(s.Column(3), before);
    EXPECT_EQ(s.grid.ColSortKey(1), 0);
}

TEST(Header, DividerDragResizesWithATrackingLineOrLive)
{
    HeaderScene s;
    const auto divider = s.OnHeader(2, 0);
    const int lineX = 110;  // client x of column 1's new right edge
    const native::COLORREF cellBack = s.Pixel(lineX, s.headerHeight + 30);
    s.Press(divider);
    s.desktop.MouseMove(divider.first + 30, divider.second);
    // The cells wait; an inverted line shows where the edge will be.
    EXPECT_EQ(s.grid.ColWidth(1), 80);
    EXPECT_NE(s.Pixel(lineX, s.headerHeight + 30), cellBack);
    s.desktop.MouseUp();
    EXPECT_EQ(s.Take({ EventId::MouseMove, EventId::ColHeaderMouseEnter, EventId::ColHeaderMouseLeave }),
        (Strings { "StartColWidthChange(1,80)", "ColWidthChanging(1,110)", "ColWidthChanged(1,110)" }));
    EXPECT_EQ(s.grid.ColWidth(1), 110);
    EXPECT_EQ(s.Pixel(lineX + 5, s.headerHeight + 30), s.Pixel(lineX + 20, s.headerHeight + 30));

    s.grid.SetImmediateColumnResizing(true);
    const auto divider2 = s.OnHeader(3, 30);  // column 2 now ends at 190
    s.Press(divider2);
    s.desktop.MouseMove(divider2.first - 40, divider2.second);
    EXPECT_EQ(s.grid.ColWidth(2), 40);
    s.desktop.MouseUp();
    EXPECT_EQ(s.grid.ColWidth(2), 40);
}

TEST(Header, AResizeWhoseHandlerRemovesAColumnLeavesTheOthersAlone)
{
    HeaderScene s;
    EventId removeOn = EventId::StartColWidthChange;
    s.events.onAny = [&](const RecordedEvent& e) {
        if (e.id == removeOn && s.grid.ColCount() == 3)
            s.grid.RemoveCol(1);
    };
    for (bool immediate : { false, true }) {
        s.grid.SetImmediateColumnResizing(immediate);
        s.Drag(s.OnHeader(2, 0), s.OnHeader(2, 30));
        EXPECT_EQ(s.grid.ColWidth(1), 80) << "the column now first was not the one dragged";
        s.grid.AddCol(AddColArgs { .lWidth = 80 });
        removeOn = EventId::ColWidthChanging;
    }
}

TEST(Header, DividerDoubleClickFitsTheColumnUnlessDeclined)
{
    HeaderScene s;
    s.grid.SetCellValue(2, 1, "a value much wider than eighty pixels");
    const int32_t textWidth = s.grid.EvaluateTextWidth(2, 1);
    ASSERT_GT(textWidth, 80);
    bool decline = true;
    s.events.onColDividerDblClick = [&](int32_t, bool& doDefault) { doDefault = !decline; };
    const auto divider = s.OnHeader(2, 0);
    auto doubleClick = [&] {
        s.Press(divider);
        s.desktop.MouseUp();
        s.desktop.MouseDown();
        s.desktop.MouseUp();
    };
    doubleClick();
    EXPECT_EQ(s.grid.ColWidth(1), 80);
    decline = false;
    doubleClick();
    EXPECT_GE(s.grid.ColWidth(1), textWidth);
    EXPECT_LT(s.grid.ColWidth(1), textWidth + 20);
}

TEST(Header, DraggingAnItemMovesTheColumnUnlessCancelled)
{
    HeaderScene s;
    s.Drag(s.OnHeader(1), s.OnHeader(3, 60));
    EXPECT_EQ(s.Names(), (Strings { "ColHeaderBeginDrag", "ColHeaderEndDrag" }));
    EXPECT_EQ(s.grid.ColOrder(1), 3);
    EXPECT_EQ(s.grid.ColOrder(2), 1);
    // The header follows the columns: the caption moved with its column.
    s.Drag(s.OnHeader(3), s.OnHeader(1, 10));
    EXPECT_EQ(s.grid.ColOrder(1), 1);

    s.events.onColHeaderEndDrag = [](int32_t, int32_t, bool& cancel) { cancel = true; };
    s.Drag(s.OnHeader(1), s.OnHeader(3, 60));
    EXPECT_EQ(s.grid.ColOrder(1), 1);
    s.events.onColHeaderEndDrag = nullptr;
    s.grid.Header().SetDragCols(false);
    s.Names();
    s.Drag(s.OnHeader(1), s.OnHeader(3, 60));
    EXPECT_EQ(s.grid.ColOrder(1), 1);
    EXPECT_EQ(s.Names(), (Strings {}));
}

TEST(Header, RightClickAndHoverReportTheColumn)
{
    HeaderScene s;
    const auto at = s.OnHeader(2);
    s.desktop.MouseMove(at.first, at.second);
    s.desktop.MouseMove(at.first + 80, at.second);
    s.desktop.MouseDown(native::Desktop::Button::Right);
    s.desktop.MouseUp(native::Desktop::Button::Right);
    s.desktop.MouseMove(150, 250);
    s.desktop.Advance(200);
    const Strings events = s.Take({ EventId::MouseMove, EventId::MouseEnter, EventId::MouseLeave });
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], "ColHeaderMouseEnter(2)");
    EXPECT_EQ(events[1], "ColHeaderMouseLeave(2)");
    EXPECT_EQ(events[2], "ColHeaderMouseEnter(3)");
    EXPECT_EQ(events[3].substr(0, 19), "HeaderRightClick(3,");
    EXPECT_EQ(events[4], "ColHeaderMouseLeave(3)");
}

TEST(Header, HeightFollowsTheFontAndTheSettings)
{
    HeaderScene s;
    const int32_t normal = s.grid.Header().Height();
    FontRef big = s.grid.Header().Font();
    big.SetSize(20);
    s.grid.Header().AutoHeight();
    EXPECT_GT(s.grid.Header().Height(), normal + 8);
    int32_t left = 0, top = 0, width = 0, height = 0;
    s.grid.CellBoundary(1, 1, left, top, width, height);
    EXPECT_EQ(top, s.grid.Header().Height());

    EXPECT_EQ(ErrorOf([&] { s.grid.Header().SetHeight(0); }), 514);
    s.grid.Header().SetMinHeight(60);
    EXPECT_EQ(s.grid.Header().Height(), 60);
    s.grid.Header().SetVisible(false);
    s.grid.CellBoundary(1, 1, left, top, width, height);
    EXPECT_EQ(top, 0);
}

TEST(Header, AutoWidthColMeasuresEveryKindOfCell)
{
    HeaderScene s;
    s.grid.SetColHeaderText(3, "A caption wider than its numbers");
    s.grid.AutoWidthCol(3);
    const int32_t withHeader = s.grid.ColWidth(3);
    s.grid.SetAutoWidthColWithHeader(false);
    s.grid.AutoWidthCol(3);
    EXPECT_LT(s.grid.ColWidth(3), withHeader / 2);

    // Check boxes take the box's room; custom-drawn cells ask the application.
    for (int32_t r = 1; r <= 5; ++r)
        s.grid.SetCellType(r, 2, tvCellCheck);
    s.grid.AutoWidthCol(2);
    EXPECT_LT(s.grid.ColWidth(2), 30);
    struct Sizes : EventRecorder {
        void CustomDrawCellGetSize(int32_t, int32_t, int32_t& w, int32_t& h) override
        {
            w = 123;
            h = 45;
        }
    } sizes;
    s.grid.SetEventSink(&sizes);
    s.grid.SetCellType(4, 2, tvCellCustomDraw);
    s.grid.AutoWidthCol(2);
    EXPECT_EQ(s.grid.ColWidth(2), 123);
    s.grid.AutoHeightRow(4);
    EXPECT_EQ(s.grid.RowHeight(4), 45);

    // Empty cells need only the text margins and indents; a column of no visible rows keeps its width.
    s.grid.AddCol(AddColArgs { .lWidth = 77 });
    s.grid.AutoWidthCol(4);
    EXPECT_EQ(s.grid.ColWidth(4), 3 + s.grid.CellIndent(1, 4) + s.grid.CellRightIndent(1, 4));
    s.grid.SetColWidth(4, 77);
    for (int32_t r = 1; r <= 5; ++r)
        s.grid.SetRowVisible(r, false);
    s.grid.AutoWidthCol(4);
    EXPECT_EQ(s.grid.ColWidth(4), 77);
}

}  // namespace
}  // namespace tavix::testing
