#include "grid_test_util.h"

#include "core/grid_state.h"
#include "core/virtual_rows.h"

#include <gmock/gmock.h>

namespace tavix {
namespace {

using ::testing::ElementsAre;

// Counts the hook calls a request makes and sees what Draw would see.
struct ViewProbe : core::GridViewHooks {
    const core::GridState* state { nullptr };
    int32_t scrollBarUpdates { 0 };
    int32_t drawsSuppressed { 0 };
    int32_t drawsAllowed { 0 };
    void UpdateScrollBars() override { ++scrollBarUpdates; }
    void Draw() override { ++(state->geo.rowRequestActive ? drawsSuppressed : drawsAllowed); }
};

// A virtual grid with two columns whose application supplies `available` rows.
struct VirtualGrid {
    Tavix g;
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
    EXPECT_EQ(v.g.RowCount(), 2);
    EXPECT_EQ(v.g.CellValue(2, 2).ToLong(), 20);
    // Appended with the AddRow defaults.
    EXPECT_EQ(v.g.RowHeight(2), 15);
    EXPECT_EQ(v.g.State().rows.At(2).Top, 15);
    EXPECT_TRUE(v.g.RowVisible(2));
    EXPECT_TRUE(v.g.RowTag(2).IsMissing());
    EXPECT_EQ(v.g.CellValue(1, 1).ToString(), "");
    // AddRow and the handler's CellValue draw inside the request, where Draw must paint nothing.
    EXPECT_EQ(v.view.drawsSuppressed, 4);
    EXPECT_EQ(v.view.drawsAllowed, 0);
    EXPECT_FALSE(v.g.State().geo.rowRequestActive);
    EXPECT_EQ(v.view.scrollBarUpdates, 4);  // AddRow's (Redraw off) and the request's own
    EXPECT_TRUE(v.g.State().geo.moreRows);
}

TEST(VirtualRows, NoMoreRowsStopsUntilVirtualIsSetAgain)
{
    VirtualGrid v;
    v.RequestUpTo(10);
    EXPECT_EQ(v.g.RowCount(), 3);
    EXPECT_FALSE(v.g.State().geo.moreRows);
    EXPECT_EQ(v.rec.Count(EventId::RequestRow), 4u);
    EXPECT_EQ(v.rec.Count(EventId::RequestRowData), 3u);
    EXPECT_EQ(v.rec.Strings().back(), "RequestRow(4,False)");
    // The refusal still updates the scroll bars: the room for one more row goes away.
    EXPECT_EQ(v.view.scrollBarUpdates, 7);
    EXPECT_FALSE(v.g.State().geo.rowRequestActive);

    // Plain AddRow does not revive the requests.
    v.g.AddRow();
    EXPECT_FALSE(v.g.State().geo.moreRows);

    v.available = 6;
    v.rec.Clear();
    v.g.SetVirtual(true);
    EXPECT_TRUE(v.g.State().geo.moreRows);
    v.RequestUpTo(10);
    EXPECT_EQ(v.g.RowCount(), 6);
    EXPECT_EQ(v.rec.Strings().front(), "RequestRow(5,False)");
}

TEST(VirtualRows, VirtualLetTellsTheHostEachTime)
{
    StandaloneHost host;
    Tavix g(host);
    EXPECT_FALSE(g.State().geo.moreRows);
    g.SetVirtual(true);
    g.SetVirtual(true);
    EXPECT_TRUE(g.Virtual());
    g.SetVirtual(false);
    EXPECT_FALSE(g.Virtual());
    EXPECT_FALSE(g.State().geo.moreRows);
    EXPECT_THAT(host.ChangedProperties(), ElementsAre("Virtual", "Virtual", "Virtual"));
}

TEST(VirtualRows, ThrowingHandlerLeavesNoRequestActive)
{
    VirtualGrid v;
    v.rec.onRequestRowData = [](int32_t) { throw std::runtime_error("app failed"); };
    EXPECT_THROW(core::RequestNextRow(v.g.State(), 1), std::runtime_error);
    EXPECT_FALSE(v.g.State().geo.rowRequestActive);
    EXPECT_EQ(v.g.RowCount(), 1);
}

TEST(VirtualRows, ClearResetsCurrentCellBeforeDrawingAndResumesRequests)
{
    VirtualGrid v;
    v.RequestUpTo(10);
    v.g.State().SetCurrentCell(2, 1, false);
    // The first paint after Clear requests from row 1 again, so Draw must see no current cell.
    struct DrawSeesCurrent : core::GridViewHooks {
        const core::GridState* state {};
        int32_t curRowAtDraw { -1 };
        void Draw() override { curRowAtDraw = state->curRow; }
    } view;
    view.state = &v.g.State();
    v.g.SetViewHooks(&view);
    v.rec.Clear();
    v.g.Clear();
    EXPECT_EQ(view.curRowAtDraw, 0);
    EXPECT_THAT(v.rec.Strings(), ElementsAre("CurCellChange(0,0)"));
    EXPECT_TRUE(v.g.State().geo.moreRows);

    // Outside virtual mode the current cell goes only after drawing.
    v.g.SetVirtual(false);
    v.g.AddRow();
    v.g.State().SetCurrentCell(1, 1, false);
    v.g.Clear();
    EXPECT_EQ(view.curRowAtDraw, 1);
    EXPECT_FALSE(v.g.State().geo.moreRows);
    EXPECT_EQ(v.g.CurRow(), 0);
}

}  // namespace
}  // namespace tavix
