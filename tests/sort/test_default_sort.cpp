#include <gtest/gtest.h>

#include "../../src/sort/header_click_sort.h"
#include "grid_fixture.h"

using namespace tavix;
using namespace tavix::test;

namespace {

using Order = std::vector<int32_t>;

struct Criterion {
    int16_t col;
    int32_t order;
    bool operator==(const Criterion&) const = default;
};

std::vector<Criterion> CriteriaOf(Tavix& grid)
{
    std::vector<Criterion> out;
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
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 2, tvSortAsc } }));
    g.grid.DoDefaultSort(int32_t { 2 });
    g.grid.DoDefaultSort(int32_t { 1 });
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 1, tvSortAsc } }));
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 2 }), 0);
    EXPECT_EQ(g.grid.ColSortOrder(int32_t { 2 }), tvSortDesc) << "an unsorted column keeps its order";
    // An explicit order wins over the toggle.
    g.grid.DoDefaultSort(int32_t { 1 }, 0, tvSortAsc);
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 1, tvSortAsc } }));
}

TEST_F(DefaultSort, ModifiersAddColumnsAndToggleTheirOrder)
{
    g.grid.DoDefaultSort(int32_t { 1 });
    g.grid.DoDefaultSort(int32_t { 2 }, 1);
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 1, tvSortAsc }, { 2, tvSortAsc } }));
    EXPECT_EQ(g.Order(), (Order { 1, 3, 2, 4 }));
    // Ctrl and Alt act as Shift does.
    g.grid.DoDefaultSort(int32_t { 2 }, 2);
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 1, tvSortAsc }, { 2, tvSortDesc } }));
    EXPECT_EQ(g.Order(), (Order { 3, 1, 4, 2 }));
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 1 }), 1);
    EXPECT_EQ(g.grid.ColSortKey(int32_t { 2 }), 2);
    g.grid.DoDefaultSort(int32_t { 3 }, 4, tvSortDesc);
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 1, tvSortAsc }, { 2, tvSortDesc }, { 3, tvSortDesc } }));
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
    const std::vector<Criterion> expected { { 1, tvSortAsc }, { 2, tvSortDesc }, { 3, tvSortAsc }, { 4, tvSortAsc },
        { 1, tvSortAsc }, { 3, tvSortAsc } };
    EXPECT_EQ(CriteriaOf(g.grid), expected);
    EXPECT_EQ(g.Order(), (Order { 3, 1, 4, 2 }));
}

TEST_F(DefaultSort, AutoHeightHeaderFitsBeforeTheSort)
{
    g.grid.State().headerAutoHeightFlags = tvHAHOnContentsChange;
    g.grid.SetRedraw(true);
    g.view.calls.clear();
    g.grid.DoDefaultSort(int32_t { 1 });
    ASSERT_GE(g.view.calls.size(), 3u);
    EXPECT_EQ(g.view.calls[0], "CancelEdit");
    EXPECT_EQ(g.view.calls[1], "HeaderAutoHeight(16)");
    EXPECT_EQ(g.view.calls.back(), "HeaderRepaint");
}

TEST_F(DefaultSort, HeaderClickRaisesClickThenCurCellChangeThenContentsSorted)
{
    g.grid.State().SetCurrentCell(1, 3, false);
    HeaderClickSort(g.grid, 2, 0, 40, 5);
    EXPECT_EQ(g.events.Strings(),
        (std::vector<std::string> { "ColHeaderClick(2,True,0,40,5)", "CurCellChange(3,3)", "ContentsSorted()" }));
    EXPECT_EQ(g.grid.CurRow(), 3);
    g.events.Clear();
    g.events.onColHeaderClick = [](int32_t, bool& bDoDefault, int16_t, int32_t, int32_t) { bDoDefault = false; };
    HeaderClickSort(g.grid, 2, 1, 0, 0);
    EXPECT_EQ(g.events.Names(), std::vector<std::string> { "ColHeaderClick" });
    EXPECT_EQ(CriteriaOf(g.grid), (std::vector<Criterion> { { 2, tvSortAsc } }));
}

}  // namespace
