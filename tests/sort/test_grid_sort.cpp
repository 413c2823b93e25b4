#include <gtest/gtest.h>

#include <random>

#include "grid_fixture.h"
#include "reference_sort.h"

using namespace tavix;
using namespace tavix::test;

namespace {

using Order = std::vector<int32_t>;

std::string CallKey(const GridVariant& v)
{
    if (v.IsNull())
        return "null";
    if (v.IsString())
        return "s:" + std::string(v.AsString());
    return std::to_string(v.ToDouble());
}

// Random grids over every sort type, with Nulls, ties, formats, hidden and group rows:
// the grid must end in the literal row-moving sort's order, every cell moving with its row,
// and make the same CustomSort calls.
TEST(GridSort, MatchesRowMovingSortOnRandomGrids)
{
    std::mt19937 rng(4242);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 120; ++round) {
        SortGrid g;
        const int rows = pick(30);
        const int cols = 1 + pick(4);
        for (int c = 0; c < cols; ++c)
            g.grid.AddCol();
        g.AddRows(rows);
        for (int r = 1; r <= rows; ++r) {
            if (pick(6) == 0)
                g.grid.SetRowIsGroup(r, true);
            if (pick(5) == 0)
                g.grid.SetRowVisible(r, false);
            for (int c = 1; c <= cols; ++c) {
                const int v = pick(6);
                g.grid.SetCellValue(r, c,
                    v == 0       ? GridVariant::Null()
                        : v == 1 ? GridVariant(std::string(1, "aBbA"[pick(4)]))
                        : v == 2 ? GridVariant(pick(5) * 0.5)
                                 : GridVariant(int32_t { pick(9) }));
                if (pick(4) == 0)
                    g.grid.SetCellFmtString(r, c, "0.0");
                g.grid.SetCellIcon(r, c, static_cast<int16_t>(pick(3) - 1));
                g.grid.SetCellForeColor(r, c, pick(2) ? 0x80000005u : static_cast<uint32_t>(pick(3)));
                g.grid.SetCellHatch(r, c, static_cast<EHatchStyles>(pick(8)));
                if (pick(3) == 0)
                    g.grid.State().cells.At(r, c).Flags |= core::CellData::kSelected;
            }
        }
        ShellSortObject& crit = g.grid.SortObject();
        crit.SetColCount(static_cast<int16_t>(1 + pick(3)));
        for (int16_t k = 1; k <= crit.ColCount(); ++k) {
            crit.SetSortCol(k, static_cast<int16_t>(1 + pick(cols)));
            crit.SetSortOrder(k, pick(2));
            crit.SetSortType(k, pick(12));
        }
        TableSource before = g.Mirror();
        TableSource refSrc = before;
        const Order expected = ReferenceSort(crit, refSrc).Run(g.grid.State().groupRowCount != 0);

        std::vector<CustomCall> calls;
        g.events.onCustomSort = [&](GridVariant& v1, GridVariant& v2, bool& isGreater) {
            calls.push_back({ CallKey(v1), CallKey(v2) });
            if (!v1.IsNull() && !v2.IsNull() && !v1.IsString() && !v2.IsString())
                isGreater = static_cast<int64_t>(v1.ToDouble()) % 7 > static_cast<int64_t>(v2.ToDouble()) % 7;
        };
        g.grid.Sort();
        ASSERT_EQ(g.Order(), expected) << "round " << round;
        ASSERT_EQ(calls, refSrc.customCalls) << "round " << round;
        const TableSource after = g.Mirror();
        for (int p = 1; p <= rows; ++p) {
            const TestRow& was = before.rows[expected[p - 1] - 1];
            const TestRow& now = after.rows[p - 1];
            ASSERT_EQ(now.group, was.group);
            for (int c = 0; c < cols; ++c) {
                ASSERT_EQ(now.cells[c].text, was.cells[c].text);
                ASSERT_EQ(now.cells[c].selected, was.cells[c].selected);
                ASSERT_EQ(now.cells[c].hatch, was.cells[c].hatch);
            }
        }
    }
}

TEST(GridSort, RowRecordsFollowTheirRows)
{
    SortGrid g;
    g.grid.AddCol();
    for (int32_t v : { 30, 10, 20 }) {
        g.grid.AddRow(AddRowArgs { .sKey = "k" + std::to_string(v), .lHeight = v });
        g.grid.SetCellValue(g.grid.RowCount(), 1, GridVariant(v));
    }
    g.grid.SetRowVisible("k10", false);
    g.grid.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(g.grid.RowIndex("k10"), 1);
    EXPECT_EQ(g.grid.RowIndex("k20"), 2);
    EXPECT_EQ(g.grid.RowIndex("k30"), 3);
    EXPECT_EQ(g.grid.RowHeight(3), 30);
    // A hidden row takes no room.
    EXPECT_EQ(g.grid.State().rows.At(2).Top, 0);
    EXPECT_EQ(g.grid.State().rows.At(3).Top, 20);
}

TEST(GridSort, CurrentCellFollowsItsRowAndIsRaisedOnce)
{
    SortGrid g;
    g.Build({ { 4, 3, 2, 1 }, { 0, 0, 0, 0 } });
    g.grid.State().SetCurrentCell(1, 2, false);
    g.view.calls.clear();
    g.grid.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(g.grid.CurRow(), 4);
    EXPECT_EQ(g.grid.CurCol(), 2);
    EXPECT_EQ(g.events.Strings(), std::vector<std::string> { "CurCellChange(4,2)" });
    EXPECT_EQ(g.view.calls,
        (std::vector<std::string> { "CancelEdit", "InvalidateRange(1)", "MarkLayoutStale", "ScrollCellIntoView(4,2)",
            "Draw", "HeaderRepaint" }));
    EXPECT_FALSE(g.grid.State().rows.At(4).SortMark);
    // Sorting again in the same order leaves the current cell where it is: no event.
    g.events.Clear();
    g.grid.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(g.events.Count(EventId::CurCellChange), 0u);
    // In row mode only the row is brought into view.
    g.grid.State().selection.rowMode = true;
    g.view.calls.clear();
    g.grid.DoDefaultSort(int32_t { 1 });
    EXPECT_EQ(g.grid.CurRow(), 1);
    EXPECT_EQ(g.view.calls.at(4), "ScrollCellIntoView(1,0)");
}

TEST(GridSort, SortArgumentForms)
{
    SortGrid g;
    g.Build({ { 2, 1, 2 }, { 5, 6, 4 } });
    g.grid.SetColKey(2, "second");
    g.grid.SetColSortType(2, tvSortByText);
    // No criteria: nothing happens at all.
    g.view.calls.clear();
    g.grid.Sort();
    EXPECT_TRUE(g.view.calls.empty());

    g.grid.Sort(std::vector<GridVariant> { GridVariant(int32_t { 1 }), GridVariant("second") });
    EXPECT_EQ(g.Order(), (Order { 2, 3, 1 }));
    const ShellSortObject& crit = g.grid.SortObject();
    ASSERT_EQ(crit.ColCount(), 2);
    EXPECT_EQ(crit.SortType(2), tvSortByText);
    EXPECT_EQ(g.grid.ColSortKey(1), 1);
    EXPECT_EQ(g.grid.ColSortKey("second"), 2);

    // Criteria the application sets are used as they stand by Sort without argument.
    g.grid.SortObject().SetSortOrder(2, tvSortDesc);
    g.grid.Sort();
    EXPECT_EQ(g.Order(), (Order { 2, 1, 3 }));
    EXPECT_EQ(g.grid.ColSortOrder("second"), tvSortDesc);

    // A single column: ascending by its own sort type, and the other column's key is cleared.
    g.grid.Sort(GridVariant("second"));
    EXPECT_EQ(g.Order(), (Order { 3, 1, 2 }));
    EXPECT_EQ(g.grid.ColSortKey(1), 0);
    EXPECT_EQ(g.grid.ColSortOrder("second"), tvSortAsc);

    // An empty array clears the criteria and keeps the order.
    g.grid.Sort(std::vector<GridVariant> {});
    EXPECT_EQ(g.grid.SortObject().ColCount(), 0);
    EXPECT_EQ(g.Order(), (Order { 3, 1, 2 }));
    EXPECT_EQ(g.grid.ColSortKey("second"), 0);
    EXPECT_EQ(g.events.Count(EventId::ContentsSorted), 0u);
}

TEST(GridSort, BadColumnsRaiseAndChangeNothing)
{
    SortGrid g;
    g.Build({ { 2, 1 } });
    g.grid.Sort(GridVariant(int32_t { 1 }));
    ExpectGridError(tvErrSubscript, [&] { g.grid.Sort(GridVariant(int32_t { 2 })); });
    ExpectGridError(tvErrSubscript, [&] { g.grid.Sort(std::vector<GridVariant> { int32_t { 1 }, GridVariant("x") }); });
    ExpectGridError(tvErrSubscript, [&] { g.grid.DoDefaultSort(int32_t { 3 }); });
    ExpectGridError(tvErrSubscript, [&] { g.grid.ColSortType("nope"); });
    ExpectGridError(tvErrSubscript, [&] { g.grid.SetColSortKey(int32_t { 0 }, 1); });
    EXPECT_EQ(g.grid.SortObject().ColCount(), 1);
    EXPECT_EQ(g.Order(), (Order { 2, 1 }));
    // A criterion naming a missing column fails the sort quietly; every row stays.
    g.grid.SortObject().SetSortCol(1, 9);
    g.grid.Sort();
    EXPECT_EQ(g.Order(), (Order { 2, 1 }));
}

TEST(GridSort, ColumnSortPropertiesStoreUncheckedAndRepaintTheirItem)
{
    SortGrid g;
    g.grid.AddCol();
    g.grid.AddCol({ .bVisible = false });
    g.grid.SetRedraw(true);
    g.view.calls.clear();
    g.grid.SetColSortKey(int32_t { 1 }, 7);
    g.grid.SetColSortOrder(int32_t { 1 }, static_cast<ESortOrders>(5));
    g.grid.SetColSortKey(int32_t { 2 }, 1);
    g.grid.SetColSortType(int32_t { 1 }, static_cast<ESortTypes>(40));
    EXPECT_EQ(g.view.calls, (std::vector<std::string> { "HeaderRedrawItem(1)", "HeaderRedrawItem(1)" }));
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 1 }), 7);
    EXPECT_EQ(g.grid.ColSortOrder(int32_t { 1 }), 5);
    EXPECT_EQ(g.grid.ColSortType(int32_t { 1 }), 40);
}

}  // namespace
