// Keys, characters and focus as a person produces them: real key messages
// through the desktop, with its modifier state, judged by events, geometry
// and the pixels on screen.
#include "core/grid_state.h"
#include "support/event_recorder.h"
#include "support/selected_cells.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/messages.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavix {
namespace {

using native::Desktop;
using Strings = std::vector<std::string>;
using Cells = testing::Cells;

// Colours whose byte order does not matter, so the OLE value is also the pixel.
constexpr uint32_t kBack = 0x00F0F0F0;
constexpr uint32_t kHighlight = 0x00800080;
constexpr uint32_t kHighlightNoFocus = 0x00008000;

// `rows` rows of three 80-pixel columns (texts in column 1) in a focused 300 x 200 window.
struct KeyScene {
    explicit KeyScene(std::vector<std::string> texts)
    {
        grid.SetEventSink(&events);
        grid.SetBackColor(kBack);
        grid.SetHighlightBackColor(kHighlight);
        grid.SetHighlightBackColorNoFocus(kHighlightNoFocus);
        grid.SetFocusRect(false);
        for (int c = 1; c <= 3; ++c)
            grid.AddCol(AddColArgs { .lWidth = 80 });
        for (const auto& text : texts) {
            grid.AddRow();
            grid.SetCellValue(grid.RowCount(), 1, GridVariant(text));
        }
        grid.Create(0, 0, 0, 300, 200);
        native::SetFocus(grid.hwnd());
        desktop.RunUntilIdle();
        events.Clear();
    }
    explicit KeyScene(int32_t rows)
        : KeyScene(Numbered(rows))
    {
    }

    static std::vector<std::string> Numbered(int32_t rows)
    {
        std::vector<std::string> out;
        for (int32_t r = 1; r <= rows; ++r)
            out.push_back("row " + std::to_string(r));
        return out;
    }
    void Press(int vk)
    {
        desktop.KeyDown(vk);
        desktop.KeyUp(vk);
    }
    void Chord(int modifier, int vk)
    {
        desktop.KeyDown(modifier);
        Press(vk);
        desktop.KeyUp(modifier);
    }
    // A key that also types a character, as a keyboard sends both.
    void Type(int vk, char32_t ch)
    {
        desktop.KeyDown(vk);
        desktop.Char(ch);
        desktop.KeyUp(vk);
    }
    Strings Take()
    {
        Strings out = events.Strings();
        events.Clear();
        return out;
    }
    Cells Selected() const { return testing::SelectedCells(grid); }
    std::pair<int32_t, int32_t> Cur() { return { grid.CurRow(), grid.CurCol() }; }
    bool RowFullyInView(int32_t row)
    {
        const auto& geo = grid.State().geo;
        const auto& r = grid.State().rows.At(row);
        return r.Top >= geo.scrollY && r.Top + r.Height <= geo.scrollY + geo.viewHeight;
    }
    // Screen pixels of `colour` inside the cell's rectangle.
    int CountInCell(int32_t row, int32_t col, uint32_t colour)
    {
        int32_t left = 0, top = 0, width = 0, height = 0;
        grid.CellBoundary(row, col, left, top, width, height);
        native::POINT origin { 0, 0 };
        native::ClientToScreen(grid.hwnd(), &origin);
        const auto& frame = desktop.Frame();
        int n = 0;
        for (int32_t y = top; y < top + height; ++y)
            for (int32_t x = left; x < left + width; ++x)
                n += (frame.Pixel(origin.x + x, origin.y + y) & 0xFFFFFFu) == colour ? 1 : 0;
        return n;
    }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
};

TEST(KeyboardEdges, KeyEventsCarryTheDesktopsModifiersAndFrameTheNavigation)
{
    KeyScene scene(10);
    scene.grid.SetMultiSelect(true);
    scene.grid.SetCurCell(2, 1);
    scene.events.Clear();
    scene.Chord(native::VK_SHIFT, native::VK_DOWN);
    EXPECT_EQ(scene.Take(),
        (Strings { "KeyDown(16,1,True)", "KeyDown(40,1,True)", "CellSelectionChange(3,1,True)", "CurCellChange(3,1)",
            "KeyUp(40,1)", "KeyUp(16,0)" }));
    EXPECT_EQ(scene.Selected(), (Cells { { 2, 1 }, { 3, 1 } }));

    // Alt turns the keys into system keys; they must navigate all the same.
    // Alt+arrow keeps the selection and the anchor, Alt+Home makes the new cell the only one.
    scene.Chord(native::VK_MENU, native::VK_DOWN);
    EXPECT_EQ(scene.Cur(), std::make_pair(4, 1));
    EXPECT_EQ(scene.Selected(), (Cells { { 2, 1 }, { 3, 1 } }));
    scene.Chord(native::VK_MENU, native::VK_HOME);
    EXPECT_EQ(scene.Cur(), std::make_pair(1, 1));
    EXPECT_EQ(scene.Selected(), (Cells { { 1, 1 } }));
}

TEST(KeyboardEdges, HandlersChangeOrVetoKeysAndCharactersByReference)
{
    KeyScene scene(std::vector<std::string> { "Alpha", "beta", "Bravo", "delta" });
    scene.grid.SetCurCell(3, 1);
    scene.events.onKeyDown = [](int16_t& code, int16_t&, bool&) { code = code == native::VK_DOWN ? native::VK_UP : 0; };
    scene.Press(native::VK_DOWN);
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    scene.Press(native::VK_END);
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));

    // A Shift the handler adds extends the selection as if it were held.
    scene.grid.SetMultiSelect(true);
    scene.events.onKeyDown = [](int16_t&, int16_t& shift, bool&) { shift = 1; };
    scene.Press(native::VK_UP);
    EXPECT_EQ(scene.Selected(), (Cells { { 1, 1 }, { 2, 1 } }));

    scene.events.onKeyDown = nullptr;
    scene.grid.SetMultiSelect(false);
    scene.grid.SetCurCell(2, 1);
    scene.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    scene.events.onKeyPress = [](int16_t& ascii) { ascii = ascii == 'x' ? 'd' : 0; };
    scene.desktop.TypeText("a");
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1)) << "a zeroed character is not searched";
    scene.desktop.TypeText("x");
    EXPECT_EQ(scene.Cur(), std::make_pair(4, 1));
}

TEST(KeyboardEdges, AGridWithoutRowsOnlyReportsTheKeys)
{
    KeyScene scene(0);
    scene.events.onKeyDown = [](int16_t&, int16_t&, bool& doDefault) { doDefault = true; };
    scene.Press(native::VK_DOWN);
    scene.Press(native::VK_NEXT);
    EXPECT_EQ(scene.Take(), (Strings { "KeyDown(40,0,False)", "KeyUp(40,0)", "KeyDown(34,0,False)", "KeyUp(34,0)" }));
    EXPECT_EQ(scene.Cur(), std::make_pair(0, 0));
}

TEST(KeyboardEdges, ArrowsStartAtTheFirstNavigableCellWrapRowsAndStopAtTheEnds)
{
    KeyScene scene(6);
    scene.grid.SetRowVisible(1, false);
    scene.grid.SetRowVisible(4, false);
    scene.grid.SetColVisible(1, false);
    scene.Press(native::VK_LEFT);
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 2));
    scene.events.Clear();
    scene.Press(native::VK_LEFT);
    scene.Press(native::VK_UP);
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 2));
    EXPECT_EQ(scene.events.Count(EventId::CurCellChange), 0u);

    scene.grid.SetCurCell(3, 3);
    scene.Press(native::VK_RIGHT);
    EXPECT_EQ(scene.Cur(), std::make_pair(5, 2)) << "past the hidden row and the hidden first column";

    // A hidden current row is stepped from where it is.
    scene.grid.SetCurCell(4, 3);
    scene.Press(native::VK_DOWN);
    EXPECT_EQ(scene.Cur(), std::make_pair(5, 3));

    scene.Press(native::VK_DOWN);
    scene.events.Clear();
    scene.Press(native::VK_DOWN);
    EXPECT_EQ(scene.Cur(), std::make_pair(6, 3));
    EXPECT_EQ(scene.events.Count(EventId::CurCellChange), 0u);
}

TEST(KeyboardEdges, RowModeSidewaysKeysScrollInsteadOfMoving)
{
    KeyScene scene(5);
    for (int c = 0; c < 3; ++c)
        scene.grid.AddCol(AddColArgs { .lWidth = 80 });
    scene.grid.SetRowMode(true);
    scene.grid.SetCurCell(2, 1);
    auto& bar = scene.grid.HScrollBar();
    ASSERT_TRUE(bar.Visible());
    scene.events.Clear();
    scene.Press(native::VK_RIGHT);
    scene.Press(native::VK_RIGHT);
    EXPECT_EQ(bar.Value(), 2 * bar.SmallChange());
    EXPECT_EQ(scene.grid.State().geo.scrollX, bar.Value());
    scene.Press(native::VK_LEFT);
    EXPECT_EQ(bar.Value(), bar.SmallChange());
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    EXPECT_EQ(scene.events.Count(EventId::CurCellChange), 0u);
}

TEST(KeyboardEdges, CtrlHomeAndEndMoveAndScrollButKeepTheMultiSelection)
{
    KeyScene scene(100);
    scene.grid.SetMultiSelect(true);
    scene.grid.SetCurCell(50, 2);
    scene.Chord(native::VK_CONTROL, native::VK_END);
    EXPECT_EQ(scene.Cur(), std::make_pair(100, 2));
    EXPECT_TRUE(scene.RowFullyInView(100));
    EXPECT_EQ(scene.Selected(), (Cells { { 50, 2 } }));
    scene.Chord(native::VK_CONTROL, native::VK_HOME);
    EXPECT_EQ(scene.Cur(), std::make_pair(1, 2));
    EXPECT_EQ(scene.grid.State().geo.scrollY, 0);
    EXPECT_EQ(scene.Selected(), (Cells { { 50, 2 } }));

    scene.Press(native::VK_END);
    EXPECT_EQ(scene.Selected(), (Cells { { 100, 2 } }));
}

TEST(KeyboardEdges, PageKeysKeepTheCurrentRowInViewToBothEnds)
{
    KeyScene scene(100);
    // Without a current cell the walk starts at the first navigable cell.
    scene.grid.SetColVisible(1, false);
    scene.Press(native::VK_NEXT);
    EXPECT_EQ(scene.grid.CurCol(), 2);
    int32_t previous = 1;
    while (scene.grid.CurRow() < 100) {
        ASSERT_GT(scene.grid.CurRow(), previous);
        EXPECT_TRUE(scene.RowFullyInView(scene.grid.CurRow())) << "row " << scene.grid.CurRow();
        previous = scene.grid.CurRow();
        scene.Press(native::VK_NEXT);
    }
    EXPECT_TRUE(scene.RowFullyInView(100));
    while (scene.grid.CurRow() > 1) {
        previous = scene.grid.CurRow();
        scene.Press(native::VK_PRIOR);
        ASSERT_LT(scene.grid.CurRow(), previous);
        EXPECT_TRUE(scene.RowFullyInView(scene.grid.CurRow())) << "row " << scene.grid.CurRow();
    }
    EXPECT_EQ(scene.grid.State().geo.scrollY, 0);
}

TEST(KeyboardEdges, CtrlSpaceTogglesAndSwallowsItsSpaceWhilePlainSpaceRequestsAnEdit)
{
    KeyScene scene(5);
    scene.grid.SetMultiSelect(true);
    scene.grid.SetCurCell(2, 1);
    scene.desktop.KeyDown(native::VK_CONTROL);
    scene.Type(native::VK_SPACE, U' ');
    scene.desktop.KeyUp(native::VK_CONTROL);
    EXPECT_TRUE(scene.Selected().empty());
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 0u);
    scene.desktop.TypeText(" ");
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 1u);

    // A Space the host drops still uses up the swallowing.
    scene.events.onKeyPress = [](int16_t& ascii) { ascii = 0; };
    scene.desktop.KeyDown(native::VK_CONTROL);
    scene.Type(native::VK_SPACE, U' ');
    scene.desktop.KeyUp(native::VK_CONTROL);
    scene.events.onKeyPress = nullptr;
    scene.desktop.TypeText(" ");
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 2u);
}

TEST(KeyboardEdges, WithoutKeyPressBehaviourOnlyEnterRequestsAnEdit)
{
    KeyScene scene(5);
    scene.grid.SetKeyPressBehaviour(tvKeyPressNone);
    scene.grid.SetCurCell(2, 1);
    scene.events.Clear();
    scene.desktop.TypeText("ro w");
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 0u);
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    scene.Type(native::VK_RETURN, U'\r');
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 1u);
}

TEST(KeyboardEdges, TypedSearchShowsItsPrefixUntilEnterOrEsc)
{
    KeyScene scene(std::vector<std::string> { "Alpha", "beta", "Bravo" });
    scene.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    scene.grid.SetCurCell(1, 1);
    // The cell's edges keep the background; the rest of a selected cell is highlight.
    const int plain = scene.CountInCell(1, 1, kBack);

    scene.desktop.TypeText("b");
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    const int onePrefix = scene.CountInCell(2, 1, kBack);
    EXPECT_GT(onePrefix, plain);
    scene.desktop.TypeText("r");
    EXPECT_EQ(scene.Cur(), std::make_pair(3, 1));
    const int twoPrefix = scene.CountInCell(3, 1, kBack);
    EXPECT_GT(twoPrefix, onePrefix);
    scene.events.Clear();
    scene.desktop.TypeText("x");
    EXPECT_EQ(scene.Cur(), std::make_pair(3, 1));
    EXPECT_EQ(scene.events.Count(EventId::CurCellChange), 0u);
    EXPECT_EQ(scene.CountInCell(3, 1, kBack), twoPrefix);
    scene.Type(native::VK_BACK, U'\b');
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    EXPECT_EQ(scene.CountInCell(2, 1, kBack), onePrefix);

    scene.Press(native::VK_RETURN);
    EXPECT_EQ(scene.CountInCell(2, 1, kBack), plain);
    scene.desktop.TypeText("br");
    EXPECT_EQ(scene.Cur(), std::make_pair(3, 1));
    scene.Type(native::VK_ESCAPE, U'\x1b');
    EXPECT_EQ(scene.CountInCell(3, 1, kBack), plain);
    scene.desktop.TypeText("a");
    EXPECT_EQ(scene.Cur(), std::make_pair(1, 1)) << "after Esc the search starts afresh";
}

TEST(KeyboardEdges, ASearchHitInMultiSelectRowsSelectsItsRowAloneAndKeepsTheAnchor)
{
    KeyScene scene(std::vector<std::string> { "Alpha", "beta", "Bravo", "delta" });
    scene.grid.SetMultiSelect(true);
    scene.grid.SetRowMode(true);
    scene.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    scene.grid.SetCurCell(1, 1);
    scene.grid.SetCellSelected(4, 1, true);
    scene.desktop.TypeText("b");
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 1));
    EXPECT_EQ(scene.Selected(), (Cells { { 2, 1 }, { 2, 2 }, { 2, 3 } }));
    scene.Chord(native::VK_SHIFT, native::VK_DOWN);
    EXPECT_EQ(scene.Selected(),
        (Cells { { 1, 1 }, { 1, 2 }, { 1, 3 }, { 2, 1 }, { 2, 2 }, { 2, 3 }, { 3, 1 }, { 3, 2 }, { 3, 3 } }))
        << "the range still starts at the row set before the search";
}

// Off until a press on a cell clears the search buffer (GridView::ClickCell keeps it).
TEST(KeyboardEdges, AClickOnACellStartsTheSearchAfresh)
{
    KeyScene scene(std::vector<std::string> { "Alpha", "beta", "Bravo", "rho" });
    scene.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    scene.grid.SetCurCell(1, 1);
    scene.desktop.TypeText("b");
    ASSERT_EQ(scene.Cur(), std::make_pair(2, 1));
    int32_t left = 0, top = 0, width = 0, height = 0;
    scene.grid.CellBoundary(1, 1, left, top, width, height);
    native::POINT at { left + 5, top + 5 };
    native::ClientToScreen(scene.grid.hwnd(), &at);
    scene.desktop.Click(at.x, at.y);
    ASSERT_EQ(scene.Cur(), std::make_pair(1, 1));
    scene.desktop.TypeText("r");
    EXPECT_EQ(scene.Cur(), std::make_pair(4, 1)) << "R, not BR";
}

TEST(KeyboardEdges, FocusChangesRepaintTheSelectionInTheirColours)
{
    KeyScene scene(5);
    scene.grid.SetCurCell(2, 2);
    const int focused = scene.CountInCell(2, 2, kHighlight);
    EXPECT_GT(focused, 0);
    native::SetFocus(0);
    scene.desktop.RunUntilIdle();
    EXPECT_EQ(scene.CountInCell(2, 2, kHighlight), 0);
    EXPECT_EQ(scene.CountInCell(2, 2, kHighlightNoFocus), focused);
    native::SetFocus(scene.grid.hwnd());
    scene.desktop.RunUntilIdle();
    EXPECT_EQ(scene.CountInCell(2, 2, kHighlight), focused);
    EXPECT_EQ(scene.CountInCell(2, 2, kHighlightNoFocus), 0);
}

TEST(KeyboardEdges, DisabledGridScrollsWithoutKeyEvents)
{
    KeyScene scene(100);
    scene.grid.SetEnabled(false);
    auto& bar = scene.grid.VScrollBar();
    scene.Press(native::VK_DOWN);
    EXPECT_EQ(bar.Value(), bar.SmallChange());
    EXPECT_EQ(scene.events.Count(EventId::KeyDown), 0u);
    EXPECT_EQ(scene.Cur(), std::make_pair(0, 0));
}

}  // namespace
}  // namespace tavix
