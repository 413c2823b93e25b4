#include "grid_test_util.h"

#include "core/grid_state.h"

namespace tavix {
namespace {

using test::ErrorOf;
using test::Fill;

// Records the header and paint requests the table operations make.
struct RecordingView : core::GridViewHooks {
    std::vector<std::string> calls;
    int32_t draws { 0 };
    void Draw() override { ++draws; }
    void HeaderInsertItem(int32_t place, int32_t position, int32_t width) override
    {
        calls.push_back(
            "insert " + std::to_string(place) + " " + std::to_string(position) + " " + std::to_string(width));
    }
    void HeaderDeleteItem(int32_t position) override { calls.push_back("delete " + std::to_string(position)); }
    void HeaderMoveItem(int32_t position, int32_t place) override
    {
        calls.push_back("move " + std::to_string(position) + " " + std::to_string(place));
    }
    void HeaderAutoHeight(int32_t reason) override { calls.push_back("autoheight " + std::to_string(reason)); }
};

TEST(GridColumns, NewColumnDefaultsAndWidthClamping)
{
    Tavix g;
    CellObject& d = g.AddCol();
    EXPECT_EQ(g.ColWidth(1), 64);
    EXPECT_TRUE(g.ColVisible(1));
    EXPECT_EQ(g.ColHeaderTextFlags(1), 32800);
    EXPECT_EQ(d.eTextFlags, 32800);
    EXPECT_EQ(d.iIndent, 2);
    EXPECT_EQ(d.eHatch, 7);
    EXPECT_EQ(d.vValue().VarType(), VtString);
    g.AddCol("", "", static_cast<ETextFormatFlags>(32800), -1, 10, true, GridVariant::Missing(), true, false,
        static_cast<ESortTypes>(0), 20);
    EXPECT_EQ(g.ColWidth(2), 20);
    g.AddCol(AddColArgs { .lWidth = 100, .lMaxWidth = 50 });
    EXPECT_EQ(g.ColWidth(3), 50);
    EXPECT_EQ(ErrorOf([&] { g.AddCol(AddColArgs { .lMinWidth = 30, .lMaxWidth = 20 }); }), 519);
    g.SetColMinWidth(1, 80);
    EXPECT_EQ(g.ColWidth(1), 80);
    EXPECT_EQ(ErrorOf([&] { g.SetColMaxWidth(1, 70); }), 519);
    EXPECT_EQ(g.ColMaxWidth(1), -1);
    g.SetColWidth(1, 10);
    EXPECT_EQ(g.ColWidth(1), 80);
    EXPECT_EQ(ErrorOf([&] { g.SetColWidth(1, -1); }), 514);
}

TEST(GridColumns, InsertBeforeShiftsIndicesAndKeepsCells)
{
    Tavix g;
    g.AddCol("A");
    g.AddCol("B");
    g.AddCol("C");
    g.SetRowCount(2);
    g.SetCellValue(1, "B", GridVariant(int32_t { 2 }));
    g.SetCellValue(2, "C", GridVariant(int32_t { 3 }));
    g.State().SetCurrentCell(1, 3, false);
    test::CurCellLog log;
    log.Attach(g);
    CellObject& x = g.AddCol(AddColArgs { .sKey = "X", .vColBefore = "b" });
    EXPECT_EQ(&x, &g.ColDefaultCell("x"));
    EXPECT_EQ(g.ColIndex("X"), 2);
    EXPECT_EQ(g.ColOrder("X"), 2);
    EXPECT_EQ(g.ColIndex("B"), 3);
    EXPECT_EQ(g.ColIndex("C"), 4);
    EXPECT_EQ(g.CellValue(1, 3).ToLong(), 2);
    EXPECT_EQ(g.CellValue(2, 4).ToLong(), 3);
    EXPECT_EQ(g.CellValue(1, 2).ToString(), "");
    EXPECT_EQ(g.CurCol(), 4);
    EXPECT_EQ(log.Events(), std::vector<std::string> { "CurCellChange(1,4)" });
}

TEST(GridColumns, PositionLookupRules)
{
    Tavix g;
    Fill(g, 3, 1);
    g.AddCol("true");
    EXPECT_EQ(ErrorOf([&] { g.ColWidth(2.5); }), 513);
    EXPECT_EQ(g.ColOrder(true), 4);  // a Boolean is looked up by its text
    g.SetColOrder(3, 1);
    EXPECT_EQ(g.ColOrder(3), 1);
    g.SetCellValue(1, 3, GridVariant(int32_t { 7 }));
    EXPECT_EQ(g.CellValue(1, "c3").ToLong(), 7);
    for (int32_t c = 1; c <= 4; ++c)
        g.ColDefaultCell(c).iIndent = static_cast<int16_t>(10 * c);
    g.AddRow();  // new cells take their own column's default, wherever it now stands
    for (int32_t c = 1; c <= 4; ++c)
        EXPECT_EQ(g.CellIndent(2, c), 10 * c);
    g.RemoveCol(3);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(ErrorOf([&] { g.ColIndex("c3"); }), 513);
    EXPECT_EQ(g.ColKey(1), "c1");
    EXPECT_EQ(ErrorOf([&] { g.SetColKey(1, "C2"); }), 515);
}

TEST(GridColumns, RowTextColumnRules)
{
    Tavix g;
    g.AddCol("a");
    g.AddCol(AddColArgs { .sKey = "t", .bRowTextCol = true });
    EXPECT_EQ(g.State().rowTextCol, 2);
    EXPECT_EQ(ErrorOf([&] { g.AddCol(); }), 521);
    EXPECT_EQ(ErrorOf([&] { g.AddCol(AddColArgs { .vColBefore = 1, .bRowTextCol = true }); }), 517);
    g.AddCol(AddColArgs { .sKey = "b", .vColBefore = "t" });
    EXPECT_EQ(g.State().rowTextCol, 3);
    g.SetColVisible("t", false);
    EXPECT_TRUE(g.ColVisible("t"));
    EXPECT_EQ(ErrorOf([&] { g.SetRowTextStartCol(0); }), 513);
    EXPECT_EQ(ErrorOf([&] { g.SetRowTextStartCol(4); }), 513);
    g.SetRowTextStartCol(2);
    g.RemoveCol("a");
    EXPECT_EQ(g.State().rowTextCol, 2);
    EXPECT_EQ(g.RowTextStartCol(), 2);
    g.RemoveCol("t");
    EXPECT_EQ(g.State().rowTextCol, 0);
    EXPECT_EQ(g.RowTextStartCol(), 0);  // removing the row-text column resets where row text starts
    g.AddCol();  // appending is allowed again
    EXPECT_EQ(g.ColCount(), 2);
}

TEST(GridColumns, RemovingColumnsMovesCurrentColumn)
{
    Tavix g;
    Fill(g, 3, 2);
    test::CurCellLog log;
    log.Attach(g);
    g.State().SetCurrentCell(1, 3, false);
    g.RemoveCol(1);
    EXPECT_EQ(g.CurCol(), 2);
    g.RemoveCol(2);
    EXPECT_EQ(g.CurCol(), 0);
    EXPECT_EQ(log.Events(), (std::vector<std::string> { "CurCellChange(1,2)", "CurCellChange(1,0)" }));
    g.RemoveCol(1);
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("r1"); }), 513);
}

TEST(GridColumns, HeaderItemsFollowVisibleColumns)
{
    Tavix g;
    RecordingView view;
    g.SetViewHooks(&view);
    g.State().headerAutoHeightFlags = tvHAHOnHideCol;
    g.AddCol("a");
    g.AddCol(AddColArgs { .sKey = "b", .bVisible = false });
    g.AddCol("c");
    g.AddCol(AddColArgs { .sKey = "d", .lWidth = 30, .vColBefore = "c" });
    g.SetColVisible("a", false);
    g.SetColVisible("a", false);
    g.SetColOrder("d", 1);
    EXPECT_EQ(view.calls,
        (std::vector<std::string> {
            "insert -1 1 64", "insert -1 3 64", "insert 1 3 30", "delete 1", "autoheight 4", "move 3 0" }));
}

TEST(GridRedraw, HeaderAutoHeightWaitsForRedraw)
{
    Tavix g;
    RecordingView view;
    g.SetViewHooks(&view);
    g.State().headerAutoHeightFlags = tvHAHOnContentsChange;
    g.AddCol();
    g.SetColHeaderText(1, "Name");
    EXPECT_TRUE(view.calls.back().starts_with("insert"));
    const int32_t draws = view.draws;
    g.SetRedraw(true);
    EXPECT_EQ(view.draws, draws + 1);
    EXPECT_EQ(view.calls.back(), "autoheight 16");
    EXPECT_EQ(g.ColHeaderText(1), "Name");
}

TEST(GridCells, PoolsShareEntries)
{
    Tavix g;
    Fill(g, 100, 100);
    FontRef font("DejaVu Sans", 10);
    for (int32_t r = 1; r <= 100; ++r)
        for (int32_t c = 1; c <= 100; ++c) {
            g.SetCellFmtString(r, c, "0.00");
            g.SetCellFont(r, c, font);
        }
    EXPECT_EQ(g.State().formats.Count(), 1);
    EXPECT_EQ(g.State().fonts.Count(), 1);
    EXPECT_EQ(g.CellFmtString(50, 50), "0.00");
    g.SetCellFont(1, 1, FontRef("dejavu sans", 10));
    EXPECT_EQ(g.State().fonts.Count(), 2);
    font.SetBold(true);  // the pool keeps its own copy
    g.SetCellFont(1, 2, FontRef("DejaVu Sans", 10));
    EXPECT_EQ(g.State().fonts.Count(), 2);
}

TEST(GridCells, NewCellsCopyTheDefaultCell)
{
    Tavix g;
    CellObject& d = g.AddCol();
    g.AddRow();
    EXPECT_EQ(g.CellIndent(1, 1), 2);
    EXPECT_EQ(g.CellIcon(1, 1), -1);
    EXPECT_EQ(g.CellBackColor(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(g.CellValue(1, 1).VarType(), VtString);
    d.SeteType(tvCellCheck);
    d.SetsFmtString("0.0");
    g.AddRow();
    EXPECT_EQ(g.CellValue(2, 1).ToLong(), 0);
    EXPECT_EQ(g.CellFmtString(2, 1), "0.0");
    EXPECT_EQ(g.CellFmtString(1, 1), "");
    EXPECT_EQ(g.InitValue(tvCellCombo).VarType(), VtEmpty);
}

}  // namespace
}  // namespace tavix

namespace tavix {
namespace {

struct ScrollCountingView : core::GridViewHooks {
    int32_t draws { 0 };
    int32_t scrollUpdates { 0 };
    void Draw() override { ++draws; }
    void UpdateScrollBars() override { ++scrollUpdates; }
};

TEST(GridRedraw, WhileOffRowChangesUpdateScrollBarsThemselves)
{
    StandaloneHost host;
    testing::EventRecorder recorder;
    host.SetEventSink(&recorder);
    Tavix g(host);
    ScrollCountingView view;
    g.SetViewHooks(&view);
    EXPECT_FALSE(g.Redraw());
    g.AddCol();
    for (int i = 0; i < 1000; ++i)
        g.AddRow();
    EXPECT_EQ(view.scrollUpdates, 1000);
    g.SetRedraw(true);
    g.AddRow();
    g.RemoveRow(1);
    EXPECT_EQ(view.scrollUpdates, 1000);
    // Events go to the sink of the host the grid was given.
    g.State().SetCurrentCell(2, 1, true);
    EXPECT_EQ(recorder.Strings(), std::vector<std::string> { "CurCellChange(2,1)" });
}

}  // namespace
}  // namespace tavix
