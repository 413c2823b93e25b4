// Virtual mode: rows are requested from the application as painting, scrolling
// and the keyboard reach them, until the application has no more.
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace tavix::testing {
namespace {

using namespace native;

// One 100-pixel column in a borderless 200 x 300 window, which 20 rows of 15
// fill. The application has `available` rows and fills each with ten times its number.
struct VirtualScene : WindowScene {
    explicit VirtualScene(int32_t rows, bool isVirtual = true)
        : WindowScene({ .cols = 1, .rows = 0, .colWidth = 100, .border = tvBorderNone, .create = false })
        , available(rows)
    {
        events.onRequestRow = [this](int32_t row, bool& noMore) { noMore = row > available; };
        events.onRequestRowData = [this](int32_t row) { grid.SetCellValue(row, 1, GridVariant(row * 10)); };
        grid.SetVirtual(isVirtual);
        grid.Create(0, 0, 0, 200, 300);
        desktop.RunUntilIdle();
    }
    // The row requests since the last call.
    Strings Requests()
    {
        Strings out;
        for (const auto& e : events.Strings())
            if (e.rfind("RequestRow", 0) == 0)
                out.push_back(e);
        events.Clear();
        return out;
    }
    static Strings Expected(int32_t first, int32_t last, bool endAfter)
    {
        Strings out;
        for (int32_t r = first; r <= last; ++r) {
            out.push_back("RequestRow(" + std::to_string(r) + ",False)");
            out.push_back("RequestRowData(" + std::to_string(r) + ")");
        }
        if (endAfter)
            out.push_back("RequestRow(" + std::to_string(last + 1) + ",False)");
        return out;
    }
    void Repaint()
    {
        InvalidateRect(grid.hwnd(), nullptr, false);
        desktop.RunUntilIdle();
    }
    // Scrolls by line, page and to the end, then repaints.
    void ScrollAround()
    {
        for (int request : { SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM })
            SendMessage(grid.hwnd(), WM_VSCROLL, static_cast<WPARAM>(request), 0);
        Repaint();
    }
    int32_t available;
};

TEST(VirtualRows, FirstPaintRequestsRowsInOrderUntilTheViewIsFull)
{
    VirtualScene s(1000);
    EXPECT_EQ(s.Requests(), VirtualScene::Expected(1, 20, false));
    EXPECT_EQ(s.grid.CellValue(20, 1).ToLong(), 200);
    // Appended with the AddRow defaults.
    EXPECT_EQ(s.grid.RowHeight(20), 15);
    EXPECT_TRUE(s.grid.RowTag(20).IsMissing());
    EXPECT_TRUE(s.Table().MoreRows());
    // While more rows may come the bar keeps one more row of room below the last.
    auto& bar = s.grid.VScrollBar();
    EXPECT_EQ(bar.Max() - bar.LargeChange(), 20 * 15 + 15 - 300 + 15);
    s.Repaint();
    EXPECT_TRUE(s.Requests().empty());
}

TEST(VirtualRows, TheEndOfTheRowsStopsScrollingPaintingAndTheKeyboard)
{
    VirtualScene s(30);
    auto& bar = s.grid.VScrollBar();
    for (int i = 0; i < 10; ++i)
        bar.SetValue(bar.Max());
    EXPECT_EQ(s.grid.RowCount(), 30);
    EXPECT_FALSE(s.Table().MoreRows());
    EXPECT_EQ(bar.Max() - bar.LargeChange(), 30 * 15 - 300 + 5) << "the room for one more row is gone";
    s.Requests();
    s.ScrollAround();
    s.grid.SetCurCell(30, 1);
    s.Press(VK_DOWN);
    EXPECT_EQ(s.grid.CurRow(), 30);
    s.grid.AddRow();  // adding rows does not revive the requests
    s.Repaint();
    EXPECT_TRUE(s.Requests().empty());
    EXPECT_FALSE(s.Table().MoreRows());
}

TEST(VirtualRows, SettingVirtualAgainResumesAtTheNextMissingRow)
{
    VirtualScene s(3);
    EXPECT_EQ(s.Requests(), VirtualScene::Expected(1, 3, true));
    s.available = 6;
    s.events.onRequestRowData = [&](int32_t row) {
        const int64_t composed = s.Composed();
        s.grid.SetCellValue(row, 1, GridVariant(row * 10));
        EXPECT_EQ(s.Composed(), composed) << "row " << row << " painted before it was filled";
    };
    s.grid.SetVirtual(true);
    EXPECT_TRUE(s.Requests().empty());  // nothing is redrawn by the setting itself
    s.Repaint();
    EXPECT_EQ(s.Requests(), VirtualScene::Expected(4, 6, true));
    EXPECT_EQ(s.grid.CellValue(6, 1).ToLong(), 60);
    s.grid.SetVirtual(false);
    EXPECT_FALSE(s.Table().MoreRows());
    const auto& changed = static_cast<StandaloneHost&>(s.grid.GetHost()).ChangedProperties();
    EXPECT_EQ(std::count(changed.begin(), changed.end(), "Virtual"), 3);
}

TEST(VirtualRows, ClearStartsOverFromTheFirstRowWithoutACurrentCell)
{
    VirtualScene s(3);
    s.grid.SetCurCell(2, 1);
    s.Requests();
    s.available = 2;
    int32_t curRowAtRequest = -1;
    s.events.onRequestRow = [&](int32_t row, bool& noMore) {
        if (row == 1)
            curRowAtRequest = s.grid.CurRow();
        noMore = row > s.available;
    };
    s.StartEnd();  // leaves a cached range behind
    s.grid.Clear();
    EXPECT_EQ(curRowAtRequest, 0);
    EXPECT_EQ(s.events.Strings().front(), "CurCellChange(0,0)");
    EXPECT_EQ(s.Requests(), VirtualScene::Expected(1, 2, true));

    // Emptied with its columns, the range ends at the top; new columns bring new requests.
    s.available = 1000;
    s.grid.Clear(true);
    EXPECT_EQ(s.StartEnd().endRow, -1);
    EXPECT_EQ(s.StartEnd().endY, 0);
    s.Requests();
    s.grid.AddCol(AddColArgs { .lWidth = 100 });
    s.grid.SetVirtual(true);
    s.grid.SetRedraw(true);
    EXPECT_EQ(s.Requests(), VirtualScene::Expected(1, 20, false));

    s.grid.SetVirtual(false);
    s.grid.SetCurCell(1, 1);
    s.grid.Clear();
    EXPECT_EQ(s.grid.CurRow(), 0);
}

TEST(VirtualRows, AThrowingHandlerLeavesNoRequestActive)
{
    VirtualScene s(3);
    s.available = 10;
    s.grid.SetVirtual(true);
    s.events.onRequestRowData = [](int32_t) { throw std::runtime_error("app failed"); };
    EXPECT_THROW(s.Table().RequestNextRow(4), std::runtime_error);
    EXPECT_FALSE(s.Table().RowRequestActive());
}

TEST(VirtualRows, KeysFetchTheRowsBelowTheLastOneThenStayOnIt)
{
    VirtualScene s(22);
    s.grid.SetRedraw(false);  // painting would fetch rows too
    s.grid.SetCurCell(20, 1);
    s.events.Clear();
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Take({ EventId::ScrollBarPosChanged }),
        (Strings { "KeyDown(40,0,True)", "RequestRow(21,False)", "RequestRowData(21)",
            "CellSelectionChange(20,1,False)", "CellSelectionChange(21,1,True)", "CurCellChange(21,1)" }));
    for (int i = 0; i < 3; ++i)
        s.Press(VK_DOWN);
    EXPECT_EQ(s.grid.CurRow(), 22);
    EXPECT_EQ(s.grid.RowCount(), 22);
    EXPECT_EQ(s.grid.CellValue(22, 1).ToLong(), 220);
    EXPECT_FALSE(s.Table().MoreRows());
    s.grid.SetRedraw(true);
    EXPECT_TRUE(s.InView(22));

    VirtualScene paged(1000);
    paged.grid.SetCurCell(1, 1);
    paged.Press(VK_END);
    const int32_t loaded = paged.grid.CurRow();
    paged.Press(VK_NEXT);  // past the rows loaded so far
    EXPECT_GT(paged.grid.CurRow(), loaded + 5);
    EXPECT_TRUE(paged.InView(paged.grid.CurRow()));
}

TEST(VirtualRows, NothingIsRequestedOutsideVirtualModeOrWithoutColumns)
{
    VirtualScene plain(1000, false);
    plain.grid.AddRow();
    plain.ScrollAround();
    EXPECT_TRUE(plain.Requests().empty());
    EXPECT_EQ(plain.grid.RowCount(), 1);

    WindowScene noColumns({ .cols = 0, .rows = 0, .create = false });
    noColumns.grid.SetVirtual(true);
    noColumns.Create();
    EXPECT_EQ(noColumns.grid.RowCount(), 0);
}

}  // namespace
}  // namespace tavix::testing
