#include <gtest/gtest.h>

#include "sort_fixture.h"

using namespace tavix;
using namespace tavix::test;

namespace {

using Criteria = std::vector<std::pair<int16_t, int32_t>>;

Criteria CriteriaOf(Tavix& grid)
{
    Criteria out;
    const ShellSortObject& s = grid.SortObject();
    for (int16_t k = 1; k <= s.ColCount(); ++k)
        out.push_back({ s.SortCol(k), s.SortOrder(k) });
    return out;
}

class DefaultSort : public ::testing::Test {
protected:
    void SetUp() override { g.Build({ { 1, 2, 1, 2 }, { 3, 1, 4, 2 }, { 0, 0, 0, 0 } }); }
    SortGrid g;
};

TEST_F(DefaultSort, RepeatedPlainClicksAlternateAndAnotherColumnStartsAscending)
{
    g.grid.DoDefaultSort(int32_t { 2 });
    EXPECT_EQ(g.Order(), (Order { 2, 4, 1, 3 }));
    g.grid.DoDefaultSort(int32_t { 2 });
    EXPECT_EQ(g.Order(), (Order { 3, 1, 4, 2 }));
    EXPECT_EQ(g.grid.ColSortOrder(int32_t { 2 }), tvSortDesc);
    g.grid.DoDefaultSort(int32_t { 2 });
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 2, tvSortAsc } }));
    g.grid.DoDefaultSort(int32_t { 2 });
    g.grid.DoDefaultSort(int32_t { 1 });
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 1, tvSortAsc } }));
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 2 }), 0);
    EXPECT_EQ(g.grid.ColSortOrder(int32_t { 2 }), tvSortDesc) << "an unsorted column keeps its order";
    // An explicit order wins over the toggle.
    g.grid.DoDefaultSort(int32_t { 1 }, 0, tvSortAsc);
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 1, tvSortAsc } }));
}

TEST_F(DefaultSort, ModifiersAddColumnsAndToggleTheirOrder)
{
    g.grid.DoDefaultSort(int32_t { 1 });
    g.grid.DoDefaultSort(int32_t { 2 }, 1);
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 1, tvSortAsc }, { 2, tvSortAsc } }));
    EXPECT_EQ(g.Order(), (Order { 1, 3, 2, 4 }));
    // Ctrl and Alt act as Shift does.
    g.grid.DoDefaultSort(int32_t { 2 }, 2);
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 1, tvSortAsc }, { 2, tvSortDesc } }));
    EXPECT_EQ(g.Order(), (Order { 3, 1, 4, 2 }));
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 1 }), 1);
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 2 }), 2);
    g.grid.DoDefaultSort(int32_t { 3 }, 4, tvSortDesc);
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 1, tvSortAsc }, { 2, tvSortDesc }, { 3, tvSortDesc } }));
    g.grid.DoDefaultSort(int32_t { 1 }, 1, tvSortAsc);
    EXPECT_EQ(g.grid.ColSortOrder(int32_t { 1 }), tvSortAsc) << "an explicit order is set, not toggled";
}

TEST_F(DefaultSort, GapsInSortKeysKeepTheGrownDefaults)
{
    g.grid.SortObject().SetColCount(2);
    g.grid.SetColSortKey(int32_t { 1 }, 5);
    g.grid.SetColSortKey(int32_t { 2 }, 2);
    g.grid.SetColSortOrder(int32_t { 2 }, tvSortDesc);
    // Column 3 becomes key 6: criteria 1..6, with 5 and 6 taken from the columns and
    // criterion 2 from column 2; the others keep the defaults of a grown list.
    g.grid.DoDefaultSort(int32_t { 3 }, 1);
    const Criteria expected { { 1, tvSortAsc }, { 2, tvSortDesc }, { 3, tvSortAsc }, { 4, tvSortAsc }, { 1, tvSortAsc },
        { 3, tvSortAsc } };
    EXPECT_EQ(CriteriaOf(g.grid), expected);
    EXPECT_EQ(g.Order(), (Order { 3, 1, 4, 2 }));
}

TEST_F(DefaultSort, HeaderClickRaisesClickThenCurCellChangeThenContentsSorted)
{
    sort::GridSorter& sorter = internal::GridAccess::Sorter(g.grid);
    internal::GridAccess::Table(g.grid).SetCurrentCell(1, 3, false);
    sorter.HeaderClick(2, 0, 40, 5);
    EXPECT_EQ(g.events.Strings(),
        (std::vector<std::string> { "ColHeaderClick(2,True,0,40,5)", "CurCellChange(3,3)", "ContentsSorted()" }));
    g.events.Clear();
    g.events.onColHeaderClick = [](int32_t, bool& bDoDefault, int16_t, int32_t, int32_t) { bDoDefault = false; };
    sorter.HeaderClick(2, 1, 0, 0);
    EXPECT_EQ(g.events.Names(), std::vector<std::string> { "ColHeaderClick" });
    EXPECT_EQ(CriteriaOf(g.grid), (Criteria { { 2, tvSortAsc } }));
}

}  // namespace
