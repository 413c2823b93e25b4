#include "grid_test_util.h"
#include "support/grid_window.h"
#include "support/runtime_error.h"

#include <functional>

namespace tavix {
namespace {

using test::ErrorOf;
using test::Fill;
using test::Table;
using Strings = std::vector<std::string>;

TEST(GridResolve, NumbersRoundHalfToEvenAndNonNumbersFail)
{
    Tavix g;
    Fill(g, 4, 4);
    g.SetCellValue(2, 2, GridVariant(int32_t { 22 }));
    g.SetCellValue(4, 4, GridVariant(int32_t { 44 }));
    EXPECT_EQ(g.CellValue(2.5, 2.5).ToLong(), 22);
    EXPECT_EQ(g.CellValue(3.5, 3.5).ToLong(), 44);
    EXPECT_EQ(g.CellValue("r2", "C2").ToLong(), 22);
    EXPECT_EQ(g.CellValue(int16_t { 2 }, int16_t { 2 }).ToLong(), 22);
    for (const GridVariant& bad :
        { GridVariant::Date(45000.0), GridVariant(true), GridVariant(), GridVariant::Null() }) {
        EXPECT_EQ(ErrorOf([&] { g.CellValue(bad, 1); }), tvErrSubscript);
        EXPECT_EQ(ErrorOf([&] { g.CellValue(1, bad); }), tvErrSubscript);
    }
    for (const auto& [row, col] : { std::pair { 0, 1 }, { 5, 1 }, { 1, 5 } })
        EXPECT_EQ(ErrorOf([&] { g.CellValue(row, col); }), tvErrSubscript) << row << "," << col;
}

// Which operation raises which code; the codes' numbers and texts belong to the error type.
TEST(GridErrors, EachOperationRaisesItsCode)
{
    static const AddColArgs kRowText { .bRowTextCol = true };
    const struct {
        const char* what;
        std::function<void(Tavix&)> call;
        int32_t code;
    } cases[] = {
        { "unknown row key", [](Tavix& g) { g.RowIndex("nope"); }, tvErrSubscript },
        { "row keys are case-sensitive", [](Tavix& g) { g.RowIndex("R1"); }, tvErrSubscript },
        { "unknown column key", [](Tavix& g) { g.ColIndex("nope"); }, tvErrSubscript },
        { "row past the end", [](Tavix& g) { g.RowKey(4); }, tvErrSubscript },
        { "fractional column", [](Tavix& g) { g.ColWidth(2.5); }, tvErrSubscript },
        { "remove an unknown key", [](Tavix& g) { g.RemoveRow("zz"); }, tvErrSubscript },
        { "remove by a Boolean", [](Tavix& g) { g.RemoveRow(true); }, tvErrSubscript },
        { "row text past the columns", [](Tavix& g) { g.SetRowTextStartCol(3); }, tvErrSubscript },
        { "column moved past the end", [](Tavix& g) { g.SetColOrder(1, 3); }, tvErrSubscript },
        { "repaint of a missing cell", [](Tavix& g) { g.DrawCell(9, 1); }, tvErrSubscript },
        { "duplicate row key", [](Tavix& g) { g.AddRow("r1"); }, tvErrDuplicateKey },
        { "column keys ignore case", [](Tavix& g) { g.AddCol("C1"); }, tvErrDuplicateKey },
        { "another row's key", [](Tavix& g) { g.SetRowKey(1, "r2"); }, tvErrDuplicateKey },
        { "another column's key", [](Tavix& g) { g.SetColKey(1, "C2"); }, tvErrDuplicateKey },
        { "negative row count", [](Tavix& g) { g.SetRowCount(-1); }, tvErrInvalidArgument },
        { "default row height 0", [](Tavix& g) { g.SetDefaultRowHeight(0); }, tvErrInvalidArgument },
        { "negative spare rows", [](Tavix& g) { g.SetMemMngWantFreeRows(-1); }, tvErrInvalidArgument },
        { "allocation below the rows", [](Tavix& g) { g.SetMemMngAllocatedRows(2); }, tvErrInvalidArgument },
        { "allocation above the allocated", [](Tavix& g) { g.SetMemMngAllocatedRows(104); }, tvErrInvalidArgument },
        { "unknown cell type", [](Tavix& g) { g.InitValue(static_cast<ECellTypes>(4)); }, tvErrInvalidArgument },
        { "negative column width", [](Tavix& g) { g.SetColWidth(1, -1); }, tvErrInvalidArgument },
        { "unknown feature", [](Tavix& g) { g.Supports(static_cast<ESupportFeatures>(3)); }, tvErrInvalidArgument },
        { "rows without columns", [](Tavix& g) { g.Clear(true), g.AddRow(); }, tvErrNoColumns },
        { "row count without columns", [](Tavix& g) { g.Clear(true), g.SetRowCount(0); }, tvErrNoColumns },
        { "image list from a string", [](Tavix& g) { g.SetImageList(GridVariant("list")); }, tvErrImageList },
        { "only a Long is a handle", [](Tavix& g) { g.SetImageList(GridVariant(int16_t { 5 })); }, tvErrImageList },
        { "maximum below minimum", [](Tavix& g) { g.AddCol(AddColArgs { .lMinWidth = 30, .lMaxWidth = 20 }); },
            tvErrMaxWidthBelowMin },
        { "minimum above maximum", [](Tavix& g) { g.SetColMaxWidth(1, 50), g.SetColMinWidth(1, 60); },
            tvErrMaxWidthBelowMin },
        { "a second row text column", [](Tavix& g) { g.AddCol(kRowText), g.AddCol(kRowText); },
            tvErrTwoRowTextColumns },
        { "a column after the row text column", [](Tavix& g) { g.AddCol(kRowText), g.AddCol(); },
            tvErrColumnAfterRowText },
    };
    for (const auto& c : cases) {
        Tavix g;
        Fill(g, 2, 3);
        EXPECT_EQ(ErrorOf([&] { c.call(g); }), c.code) << c.what;
    }
}

// The current cell follows its row and column as others come and go; when its own
// goes, there is none. Each move is reported at once.
TEST(GridCurrentCell, FollowsInsertedAndRemovedRowsAndColumns)
{
    // Events reach the sink of the host the grid was given.
    StandaloneHost host;
    testing::EventRecorder events;
    host.SetEventSink(&events);
    Tavix g(host);
    Fill(g, 3, 4);
    Table(g).SetCurrentCell(2, 3, false);
    g.AddRow("x", 2);
    g.AddCol(AddColArgs { .vColBefore = 1 });
    g.RemoveRow(1);
    g.RemoveCol(1);
    g.RemoveRow("r2");
    Table(g).SetCurrentCell(1, 3, false);
    g.RemoveCol(3);
    Table(g).SetCurrentCell(1, 2, false);
    while (g.RowCount() > 0)
        g.RemoveRow(1);
    EXPECT_EQ(events.Strings(),
        (Strings { "CurCellChange(3,3)", "CurCellChange(3,4)", "CurCellChange(2,4)", "CurCellChange(2,3)",
            "CurCellChange(0,3)", "CurCellChange(1,0)", "CurCellChange(0,2)", "CurCellChange(0,0)" }));
    EXPECT_EQ(g.MemMngAllocatedRows(), 0);  // removing the last row clears the rows
}

TEST(GridRows, BlockAllocationBoundaries)
{
    Tavix g;
    g.AddCol();
    const core::CellMatrix& cells = Table(g).Cells();
    std::vector<std::pair<int32_t, int32_t>> growth;  // (row count, allocation) at each reallocation
    int64_t seen = cells.Reallocations();
    for (int32_t r = 1; r <= 303; ++r) {
        g.AddRow();
        if (cells.Reallocations() != seen) {
            seen = cells.Reallocations();
            growth.emplace_back(r, g.MemMngAllocatedRows());
        }
    }
    EXPECT_EQ(growth, (std::vector<std::pair<int32_t, int32_t>> { { 1, 101 }, { 102, 202 }, { 203, 303 } }));
    for (int32_t r = 0; r < 100; ++r)
        g.RemoveRow(1);
    EXPECT_EQ(g.MemMngAllocatedRows(), 303);  // exactly MemMngWantFreeRows spare: no shrink yet
    g.RemoveRow(1);
    EXPECT_EQ(g.MemMngAllocatedRows(), 302);
    g.SetMemMngAllocatedRows(202);
    EXPECT_EQ(g.MemMngAllocatedRows(), 202);
    g.SetMemMngWantFreeRows(0);
    EXPECT_EQ(static_cast<StandaloneHost&>(g.GetHost()).ChangedProperties(), Strings { "MemMngWantFreeRows" });
    g.AddRow();
    EXPECT_EQ(g.MemMngAllocatedRows(), g.RowCount());
}

// The soak (tests/platform) checks keys, tops, groups and parity after every change; these
// are the rules it does not see.
TEST(GridRows, RowCountKeysAndHeights)
{
    Tavix g;
    testing::EventRecorder events;
    Fill(g, 1, 10);
    g.SetEventSink(&events);
    g.SetRowKey(1, "r1");  // its own key again is fine
    EXPECT_EQ(g.RowKey(1), "r1");
    g.SetRowKey(2, "");
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("r2"); }), tvErrSubscript);
    Table(g).SetCurrentCell(8, 1, false);
    g.SetRowCount(5);
    EXPECT_EQ(events.Strings(), Strings { "CurCellChange(0,1)" });
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("r7"); }), tvErrSubscript);
    g.SetRowCount(7);
    EXPECT_TRUE(g.RowVisible(7));
    EXPECT_EQ(g.RowHeight(7), 15);
    g.AddRow("x", GridVariant::Missing(), true, -5);
    EXPECT_EQ(g.RowHeight(8), 15);  // a negative height is the default
}

TEST(GridRows, ClearKeepsOrRemovesColumns)
{
    Tavix g;
    Fill(g, 2, 3);
    g.SetColWidth(1, 40);
    g.ColDefaultCell(1).iIndent = 9;
    g.Clear();
    EXPECT_EQ(std::pair(g.RowCount(), g.ColCount()), std::pair(0, 2));
    EXPECT_EQ(g.ColWidth(1), 40);
    g.AddRow("r1");
    EXPECT_EQ(g.CellIndent(1, 1), 9);
    g.Clear(true);
    EXPECT_EQ(g.ColCount(), 0);
    EXPECT_EQ(g.MemMngAllocatedRows(), 0);
    EXPECT_EQ(ErrorOf([&] { g.ColIndex("c1"); }), tvErrSubscript);
}

// While Redraw is off nothing paints, so nothing lays out either: the rows'
// changes must bring the scroll bars up to date themselves.
TEST(GridRows, WhileRedrawIsOffRowChangesStillUpdateTheScrollBars)
{
    testing::WindowScene scene({ .rows = 2 });
    Tavix& g = scene.grid;
    g.SetRedraw(false);
    ASSERT_FALSE(g.VScrollBar().Visible());
    for (int i = 0; i < 40; ++i)
        g.AddRow();
    EXPECT_TRUE(g.VScrollBar().Visible());
    for (int i = 0; i < 40; ++i)
        g.RemoveRow(1);
    EXPECT_FALSE(g.VScrollBar().Visible());
}

// Tops, lefts and edges stay in 32 bits: one huge row or column is accepted, a
// change past the limit is an overflow and changes nothing.
TEST(GridLimits, SizesPastThirtyTwoBitsOverflowAndChangeNothing)
{
    using testing::RuntimeErrorOf;
    Tavix g;
    Fill(g, 2, 3);
    g.SetRowHeight(1, 2000000000);
    EXPECT_EQ(Table(g).Row(3).Top, 2000000015);
    EXPECT_EQ(RuntimeErrorOf([&] { g.SetRowHeight(2, 2000000000); }), rtOverflow);
    EXPECT_EQ(RuntimeErrorOf([&] { g.SetRowHeight(2, -2000000000); }), rtOverflow);
    EXPECT_EQ(RuntimeErrorOf([&] { g.AddRow(AddRowArgs { .lHeight = 2000000000 }); }), rtOverflow);
    g.SetDefaultRowHeight(200000000);
    EXPECT_EQ(RuntimeErrorOf([&] { g.SetRowCount(4); }), rtOverflow);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.RowHeight(2), 15);
    g.RemoveRow(1);
    g.SetRowCount(5);  // the removed row's height is free again

    g.SetColWidth(1, 2000000000);
    EXPECT_EQ(RuntimeErrorOf([&] { g.SetColWidth(2, 2000000000); }), rtOverflow);
    EXPECT_EQ(RuntimeErrorOf([&] { g.SetColMinWidth(2, 2000000000); }), rtOverflow);
    EXPECT_EQ(RuntimeErrorOf([&] { g.AddCol(AddColArgs { .lWidth = 2000000000 }); }), rtOverflow);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.ColWidth(2), core::GridTable::kDefaultColumnWidth);
    EXPECT_EQ(g.ColMinWidth(2), -1);
}

// Removing the only column takes the rows with it, and with them the current cell.
TEST(GridCurrentCell, RemovingTheLastColumnLeavesNoCurrentCell)
{
    Tavix g;
    testing::EventRecorder events;
    g.SetEventSink(&events);
    g.SetMemMngWantFreeRows(0);
    g.AddCol("a");
    g.SetRowCount(3);
    g.SetCurCell(3, 1);
    events.Clear();
    g.RemoveCol("a");
    EXPECT_EQ(events.Strings(), Strings { "CurCellChange(0,0)" });
    g.AddCol("b");
    g.AddRow();
    g.SetCurCol(1);
    EXPECT_EQ(std::make_pair(g.CurRow(), g.CurCol()), std::make_pair(0, 1));
    EXPECT_FALSE(g.CellSelected(1, 1));
}

// Structural changes end a running edit first, and QuitCustomEdit comes with that: rows and
// columns its handler adds or removes are the ones the change then works on.
TEST(GridEvents, ChangesMadeWhileTheEditEndsAreSeenByTheOperation)
{
    Tavix g;
    testing::EventRecorder events;
    events.recordQuitCustomEdit = true;
    g.SetEventSink(&events);
    Fill(g, 5, 4);
    std::function<void()> handler;
    events.onAny = [&](const testing::RecordedEvent& e) {
        if (e.id == EventId::QuitCustomEdit && handler)
            std::exchange(handler, nullptr)();
    };
    const auto removeFirstCol = [&] { g.RemoveCol(g.ColKey(1)); };

    handler = removeFirstCol;
    g.RemoveCol("c5");
    EXPECT_EQ(g.ColKey(3), "c4");
    for (auto change : std::initializer_list<std::function<void()>> { [&] { g.SetColWidth(3, 90); },
             [&] { g.SetColVisible(3, false); }, [&] { g.SetColOrder(3, 1); },
             [&] { g.AddCol(AddColArgs { .vColBefore = GridVariant(3) }); } }) {
        handler = removeFirstCol;
        EXPECT_EQ(ErrorOf(change), 513);
    }
    handler = [&] { g.RemoveRow(4); };
    g.SetRowHeight(4, 2000000000);  // row 4 is gone: nothing to size, nor to count
    g.SetRowHeight(1, 2000000000);
    EXPECT_EQ(g.RowHeight(1), 2000000000);
    handler = [&] { g.AddRow(); };  // an appended row, as a virtual grid requests: no row moved
    g.SetRowHeight(2, 33);
    EXPECT_EQ(g.RowHeight(2), 33);
    handler = [&] { g.Clear(true); };
    EXPECT_EQ(ErrorOf([&] { g.SetRowCount(5); }), tvErrNoColumns);
    EXPECT_EQ(g.RowCount(), 0);
}

}  // namespace
}  // namespace tavix
