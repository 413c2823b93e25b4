#include "grid_test_util.h"

#include "core/grid_state.h"
#include "core/virtual_rows.h"

#include <gmock/gmock.h>

namespace tavix {
namespace {

using ::testing::ElementsAre;

// Counts scroll-bar updates and whether Draw would be allowed to paint; records
// the current row Draw sees.
struct ViewProbe : core::GridViewHooks {
    const core::GridState* state { nullptr };
    int32_t scrollBarUpdates { 0 };
    int32_t drawsSuppressed { 0 };
    int32_t drawsAllowed { 0 };
    int32_t curRowAtDraw { -1 };
    void UpdateScrollBars() override { ++scrollBarUpdates; }
    void Draw() override
    {
        ++(state->geo.rowRequestActive ? drawsSuppressed : drawsAllowed);
        curRowAtDraw = state->curRow;
    }
};

// A virtual grid with two columns whose application supplies `available` rows.
struct VirtualGrid {
    StandaloneHost host;
    Tavix g { host };
    tavix::testing::EventRecorder rec;
    ViewProbe view;
    int32_t available { 3 };

    VirtualGrid()
    {
        g.AddCol("a");
        g.AddCol("b");
        g.SetEventSink(&rec);
        view.state = &g.State();
        g.SetViewHooks(&view);
        rec.onRequestRow = [this](int32_t row, bool& noMore) { noMore = row > available; };
        rec.onRequestRowData = [this](int32_t row) { g.SetCellValue(row, 2, GridVariant(row * 10)); };
        g.SetVirtual(true);
    }
    // What painting and the keyboard do: request rows while the application has more.
    void RequestUpTo(int32_t last)
    {
        for (int32_t n = g.RowCount() + 1; n <= last && g.State().geo.moreRows; ++n)
            core::RequestNextRow(g.State(), n);
    }
};

TEST(VirtualRows, RequestsAppendInOrderAndDataFollowsEachRow)
{
    VirtualGrid v;
    v.available = 100;
    v.RequestUpTo(2);
    EXPECT_THAT(v.rec.Strings(),
        ElementsAre("RequestRow(1,False)", "RequestRowData(1)", "RequestRow(2,False)", "RequestRowData(2)"));
    EXPECT_EQ(v.g.CellValue(2, 2).ToLong(), 20);
    // Appended with the AddRow defaults.
    EXPECT_EQ(v.g.RowHeight(2), 15);
    EXPECT_TRUE(v.g.RowTag(2).IsMissing());
    // AddRow and the handler's CellValue draw inside the request, where Draw must paint nothing.
    EXPECT_EQ(v.view.drawsSuppressed, 4);
    EXPECT_EQ(v.view.drawsAllowed, 0);
    EXPECT_FALSE(v.g.State().geo.rowRequestActive);
    EXPECT_EQ(v.view.scrollBarUpdates, 4);  // AddRow's (Redraw off) and the request's own
}

TEST(VirtualRows, NoMoreRowsStopsUntilVirtualIsSetAgain)
{
    VirtualGrid v;
    v.RequestUpTo(10);
    EXPECT_EQ(v.g.RowCount(), 3);
    EXPECT_FALSE(v.g.State().geo.moreRows);
    EXPECT_EQ(v.rec.Count(EventId::RequestRowData), 3u);
    EXPECT_EQ(v.rec.Strings().back(), "RequestRow(4,False)");
    // The refusal still updates the scroll bars: the room for one more row goes away.
    EXPECT_EQ(v.view.scrollBarUpdates, 7);

    v.g.AddRow();  // adding rows does not revive the requests
    EXPECT_FALSE(v.g.State().geo.moreRows);
    v.available = 6;
    v.rec.Clear();
    v.g.SetVirtual(true);
    v.RequestUpTo(10);
    EXPECT_EQ(v.g.RowCount(), 6);
    EXPECT_EQ(v.rec.Strings().front(), "RequestRow(5,False)");

    v.g.SetVirtual(false);
    EXPECT_FALSE(v.g.State().geo.moreRows);
    EXPECT_THAT(v.host.ChangedProperties(), ElementsAre("Virtual", "Virtual", "Virtual"));
}

TEST(VirtualRows, ThrowingHandlerLeavesNoRequestActive)
{
    VirtualGrid v;
    v.rec.onRequestRowData = [](int32_t) { throw std::runtime_error("app failed"); };
    EXPECT_THROW(core::RequestNextRow(v.g.State(), 1), std::runtime_error);
    EXPECT_FALSE(v.g.State().geo.rowRequestActive);
}

TEST(VirtualRows, ClearResetsCurrentCellBeforeDrawingOnlyInVirtualMode)
{
    VirtualGrid v;
    v.RequestUpTo(10);
    v.g.State().SetCurrentCell(2, 1, false);
    v.rec.Clear();
    v.g.Clear();
    // The first paint after Clear requests from row 1 again, with no current cell.
    EXPECT_EQ(v.view.curRowAtDraw, 0);
    EXPECT_THAT(v.rec.Strings(), ElementsAre("CurCellChange(0,0)"));
    EXPECT_TRUE(v.g.State().geo.moreRows);

    v.g.SetVirtual(false);
    v.g.AddRow();
    v.g.State().SetCurrentCell(1, 1, false);
    v.g.Clear();
    EXPECT_EQ(v.view.curRowAtDraw, 1);
    EXPECT_EQ(v.g.CurRow(), 0);
}

}  // namespace
}  // namespace tavix
