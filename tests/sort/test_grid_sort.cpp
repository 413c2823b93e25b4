#include <gtest/gtest.h>

#include "sort_fixture.h"
#include "support/grid_window.h"

using namespace tavix;
using namespace tavix::test;

namespace {

// Random grids over every sort type and cell property, with Nulls, frequent ties, formats,
// hidden and group rows, a criterion naming a missing column and comparisons that fail: the
// grid must end in the reference sort's order, every cell moving with its row, and make the
// same CustomSort calls.
TEST(GridSort, MatchesTheReferenceSortOnRandomGrids)
{
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 200; ++round) {
        SortGrid g;
        const int rows = pick(40);
        const int profiles[3] = { pick(9), pick(9), pick(9) };
        for (int c = 0; c < 3; ++c)
            g.grid.AddCol();
        g.AddRows(rows);
        g.grid.SetMultiSelect(true);
        for (int r = 1; r <= rows; ++r) {
            g.grid.SetRowIsGroup(r, pick(9) == 0);
            g.grid.SetRowVisible(r, pick(5) != 0);
            g.grid.SetRowHeight(r, 10 + pick(10));
            for (int c = 1; c <= 3; ++c) {
                g.grid.SetCellValue(r, c, RandomValue(rng, profiles[c - 1]));
                if (pick(4) == 0)
                    g.grid.SetCellFmtString(r, c, "0.0");
                g.grid.SetCellIcon(r, c, static_cast<int16_t>(pick(3) - 1));
                g.grid.SetCellExtraIcon(r, c, static_cast<int16_t>(pick(2) ? 32767 : -1));
                g.grid.SetCellForeColor(r, c, pick(2) ? 0x80000000u + pick(3) : static_cast<uint32_t>(pick(3)));
                g.grid.SetCellBackColor(r, c, static_cast<uint32_t>(pick(3)));
                g.grid.SetCellHatch(r, c, static_cast<EHatchStyles>(pick(2) * 250));
                g.grid.SetCellSelected(r, c, pick(2));
            }
        }
        ShellSortObject& crit = g.grid.SortObject();
        crit.SetColCount(static_cast<int16_t>(1 + pick(3)));
        for (int16_t k = 1; k <= crit.ColCount(); ++k) {
            crit.SetSortCol(k, static_cast<int16_t>(1 + pick(round % 4 ? 3 : 4)));  // column 4 does not exist
            crit.SetSortOrder(k, pick(2));
            crit.SetSortType(k, pick(round % 3 ? 3 : 13));  // values and texts most often
        }
        const TableSource before = g.Mirror();
        const core::GridTable& t = internal::GridAccess::Table(g.grid);
        std::vector<std::pair<bool, int32_t>> records;  // visible, height
        for (int r = 1; r <= rows; ++r)
            records.emplace_back(t.Row(r).Visible, t.Row(r).Height);
        TableSource reference = before;
        const Order expected = ReferenceRows::Sort(crit, reference, t.GroupRowCount() != 0);
        std::vector<CustomCall> calls;
        g.events.onCustomSort
            = [&](GridVariant& v1, GridVariant& v2, bool& isGreater) { CustomOrder(v1, v2, isGreater, calls); };
        g.grid.Sort();
        ASSERT_EQ(g.Order(), expected) << "round " << round;
        ASSERT_EQ(calls, reference.customCalls) << "round " << round;
        // Row records, keys and cells move with their rows; tops follow.
        const TableSource after = g.Mirror();
        int32_t top = 0;
        for (int p = 1; p <= rows; ++p) {
            const int32_t row = expected[p - 1];
            const auto [visible, height] = records[row - 1];
            ASSERT_EQ(std::tuple(t.Row(p).Visible, t.Row(p).Height, t.Row(p).Top), std::tuple(visible, height, top));
            ASSERT_EQ(g.grid.RowIndex("k" + std::to_string(row)), p);
            top += visible ? height : 0;
            const TestRow& was = before.rows[row - 1];
            const TestRow& now = after.rows[p - 1];
            ASSERT_EQ(now.group, was.group);
            for (int c = 0; c < 3; ++c) {
                const TestCell& n = now.cells[c];
                const TestCell& w = was.cells[c];
                ASSERT_EQ(std::tie(n.text, n.selected, n.hatch, n.back), std::tie(w.text, w.selected, w.hatch, w.back));
            }
        }
    }
}

// The view shows the new order at once, with the current cell's row brought into view, and
// its column too unless the grid selects whole rows.
TEST(GridSort, TheViewFollowsTheCurrentCellAndIsRaisedOnce)
{
    tavix::testing::WindowScene scene({ .cols = 3, .rows = 40, .colWidth = 200, .border = tvBorderNone });
    Tavix& g = scene.grid;
    for (int32_t r = 1; r <= 40; ++r)
        g.SetCellValue(r, 1, GridVariant(41 - r));
    g.SetCellBackColor(2, 3, tavix::testing::kRed);  // this row ends second last
    internal::GridAccess::Table(g).SetCurrentCell(1, 3, false);
    const int64_t composed = scene.Composed();
    g.Sort();  // no criteria yet: nothing at all happens
    EXPECT_EQ(scene.Composed(), composed);
    g.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(scene.Take({ EventId::ScrollBarPosChanged }), std::vector<std::string> { "CurCellChange(40,3)" });
    EXPECT_GT(scene.Layout().ScrollX(), 0);
    const native::Rect cell = scene.CellRect(39, 3);
    EXPECT_EQ(scene.Pixel(cell.left + 5, cell.top + 5), tavix::testing::kRed);

    // Sorting again in the same order leaves the current cell where it is: no event.
    g.Sort();
    EXPECT_TRUE(scene.Take().empty());
    g.HScrollBar().SetValue(0);
    g.SetRowMode(true);
    g.DoDefaultSort(int32_t { 1 });  // descending now
    EXPECT_EQ(g.CurRow(), 1);
    EXPECT_EQ(scene.Layout().ScrollY(), 0);
    EXPECT_EQ(scene.Layout().ScrollX(), 0);
}

TEST(GridSort, SortArgumentForms)
{
    SortGrid g;
    g.Build({ { 2, 1, 2 }, { 5, 6, 4 } });
    g.grid.SetColKey(2, "second");
    g.grid.SetColSortType(2, tvSortByText);
    g.grid.Sort(std::vector<GridVariant> { GridVariant(int32_t { 1 }), GridVariant("second") });
    EXPECT_EQ(g.Order(), (Order { 2, 3, 1 }));
    const ShellSortObject& crit = g.grid.SortObject();
    ASSERT_EQ(crit.ColCount(), 2);
    EXPECT_EQ((std::pair<int32_t, int32_t>(crit.SortType(2), g.grid.ColSortType("second"))),
        (std::pair<int32_t, int32_t>(tvSortByText, tvSortByText)));
    EXPECT_EQ(std::pair(g.grid.ColSortKey(1), g.grid.ColSortKey("second")), std::pair(1, 2));

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
    EXPECT_EQ(tavix::testing::ErrorOf([&] { g.grid.Sort(GridVariant(int32_t { 2 })); }), tvErrSubscript);
    EXPECT_EQ(tavix::testing::ErrorOf([&] {
        g.grid.Sort(std::vector<GridVariant> { int32_t { 1 }, GridVariant("x") });
    }),
        tvErrSubscript);
    EXPECT_EQ(g.grid.SortObject().ColCount(), 1);
    EXPECT_EQ(g.Order(), (Order { 2, 1 }));
    // A criterion naming a missing column fails the sort quietly; every row stays.
    g.grid.SortObject().SetSortCol(1, 9);
    g.grid.Sort();
    EXPECT_EQ(g.Order(), (Order { 2, 1 }));
}

// A CustomSort handler that clears the grid leaves the sort nothing it can trust:
// it ends with no row moved, and the values the handler still holds and writes
// are its own, not freed cells.
TEST(GridSort, ACustomSortHandlerThatChangesTheRowsAbandonsTheSort)
{
    SortGrid g;
    g.Build({ { 3, 1, 2 } });
    g.grid.SetColSortType(1, tvSortByCustomer);
    int calls = 0;
    g.events.onCustomSort = [&](GridVariant& v1, GridVariant& v2, bool& isGreater) {
        if (calls++ == 0)
            g.grid.Clear();
        v1 = GridVariant(std::string(100, 'x'));
        isGreater = v2.ToLong() > 0;
    };
    g.grid.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g.grid.RowCount(), 0);
    // A handler that only writes the values changes the cells, as the arguments are by reference.
    g.AddRows(2);
    g.events.onCustomSort = [&](GridVariant& v1, GridVariant& v2, bool&) { v1 = v2 = GridVariant(int32_t { 7 }); };
    g.grid.Sort(GridVariant(int32_t { 1 }));
    EXPECT_EQ(g.grid.CellValue(1, 1).ToLong() + g.grid.CellValue(2, 1).ToLong(), 14);
}

}  // namespace
