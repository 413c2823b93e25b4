#include "grid_test_util.h"

#include "core/cell_marks.h"
#include "core/grid_state.h"

#include <gmock/gmock.h>

#include <set>
#include <utility>

namespace tavix {
namespace {

using ::testing::ElementsAre;

std::set<std::pair<int32_t, int32_t>> TakeMarkedCells(core::GridState& s)
{
    std::set<std::pair<int32_t, int32_t>> marked;
    for (int32_t r = 1; r <= s.rowCount; ++r)
        for (int32_t c = 1; c <= s.ColCount(); ++c) {
            uint8_t& flags = s.cells.At(r, c).Flags;
            if (flags & core::CellData::kNeedsRepaint)
                marked.emplace(r, c);
            flags &= static_cast<uint8_t>(~core::CellData::kNeedsRepaint);
        }
    return marked;
}

TEST(VisibleCellMarks, RowAboveTheRangeAndDisplayPositionsAreMarked)
{
    Tavix g;
    test::Fill(g, 4, 8);
    g.SetColOrder(4, 1);  // positions now hold indices 4, 1, 2, 3
    auto& s = g.State();
    TakeMarkedCells(s);
    s.geo.range.StartRow = 3;
    s.geo.range.EndRow = 4;
    s.geo.range.StartCol = 1;
    s.geo.range.EndCol = 2;
    core::MarkAllVisibleCellsChanged(s);
    // Row 2 too: the row partly above the view may show through.
    EXPECT_EQ(TakeMarkedCells(s),
        (std::set<std::pair<int32_t, int32_t>> { { 2, 4 }, { 2, 1 }, { 3, 4 }, { 3, 1 }, { 4, 4 }, { 4, 1 } }));

    // At the top there is no row above; a range reaching past the last row stops there.
    s.geo.range.StartRow = 1;
    s.geo.range.EndRow = 12;
    s.geo.range.StartCol = 4;
    s.geo.range.EndCol = 4;
    core::MarkAllVisibleCellsChanged(s);
    EXPECT_EQ(TakeMarkedCells(s).size(), 8u);

    s.geo.range = core::VisibleRange {};  // nothing in view
    core::MarkAllVisibleCellsChanged(s);
    EXPECT_TRUE(TakeMarkedCells(s).empty());
}

TEST(CellControls, EditableCurrentCellAndShowInAllCells)
{
    Tavix g;
    test::Fill(g, 2, 2);
    auto& s = g.State();
    s.SetCurrentCell(1, 2, false);
    const core::EditSettings locked { .editable = false };
    EXPECT_TRUE(core::ShowsCellControl(s, {}, 1, 2));
    EXPECT_FALSE(core::ShowsCellControl(s, {}, 1, 1));
    EXPECT_FALSE(core::ShowsCellControl(s, locked, 1, 2));
    s.look.showControlsInAllCells = true;
    EXPECT_TRUE(core::ShowsCellControl(s, {}, 2, 1));
    EXPECT_FALSE(core::ShowsCellControl(s, locked, 2, 1));
}

struct LayoutProbe : core::GridViewHooks {
    int32_t staleMarks { 0 };
    int32_t bufferHeight { 0 };
    void MarkLayoutStale() override { ++staleMarks; }
    void EnsurePaintBufferHeight(int32_t height) override { bufferHeight = std::max(bufferHeight, height); }
};

TEST(DefaultRowHeight, RedrawsOnlyWhenGhostRowsOrRowTextUseIt)
{
    struct Case {
        EGridLines lines;
        EGridLinesExtendModes extend;
        bool rowTextCol;
        bool redraws;
    };
    const Case cases[] = {
        { tvGridLinesBoth, tvGridLinesExtendNone, false, false },
        { tvGridLinesVertical, tvGridLinesExtendBoth, false, false },
        { tvGridLinesHorizontal, tvGridLinesExtendRight, false, false },
        { tvGridLinesHorizontal, tvGridLinesExtendDown, false, true },
        { tvGridLinesBoth, tvGridLinesExtendBoth, false, true },
        { tvGridLinesNone, tvGridLinesExtendNone, true, true },
    };
    for (const Case& c : cases) {
        StandaloneHost host;
        Tavix g(host);
        g.AddCol();
        if (c.rowTextCol)
            g.AddCol(AddColArgs { .bRowTextCol = true });
        g.AddRow();
        auto& s = g.State();
        s.look.gridLines = c.lines;
        s.look.gridLinesExtend = c.extend;
        LayoutProbe probe;
        g.SetViewHooks(&probe);
        host.ClearChangedProperties();
        g.SetDefaultRowHeight(22);
        EXPECT_EQ(probe.staleMarks, c.redraws ? 1 : 0) << c.lines << "/" << c.extend << "/" << c.rowTextCol;
        EXPECT_EQ(probe.bufferHeight, 22);
        EXPECT_EQ(g.RowHeight(1), 15);  // existing rows keep their height
        EXPECT_THAT(host.ChangedProperties(), ElementsAre("DefaultRowHeight"));
        g.SetDefaultRowHeight(22);  // unchanged: nothing at all
        EXPECT_EQ(host.ChangedProperties().size(), 1u);
    }
}

}  // namespace
}  // namespace tavix
