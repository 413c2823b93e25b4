// Editing a text cell as a person does: keys open the editor, Enter commits
// through conversion and validation, Escape and the grid's own operations cancel.
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

#include <set>

namespace tavix::testing {
namespace {

using native::VK_ESCAPE;
using native::VK_RETURN;

// A grid with the current cell (2, 2) holding `value`, focused.
struct EditScene : WindowScene {
    explicit EditScene(const GridVariant& value)
    {
        grid.SetCellValue(2, 2, value);
        grid.SetCurCell(2, 2);
        Focus();
        events.Clear();
    }
    void TypeKeys(std::string_view text)
    {
        for (const char c : text)
            desktop.Char(static_cast<unsigned char>(c));
    }
    // As the keyboard sends them: the key, its character, the release.
    void Stroke(int vk, char32_t ch)
    {
        desktop.KeyDown(vk);
        desktop.Char(ch);
        desktop.KeyUp(vk);
    }
    void Enter() { Stroke(VK_RETURN, U'\r'); }
    void Escape() { Stroke(VK_ESCAPE, U'\x1b'); }
    const std::vector<StandaloneHost::ShownMessage>& Messages()
    {
        return static_cast<StandaloneHost&>(grid.GetHost()).ShownMessages();
    }
    Strings EditEvents()
    {
        return Take({ EventId::KeyDown, EventId::KeyUp, EventId::MouseMove, EventId::TextEditKeyDown,
            EventId::TextEditKeyUp, EventId::CellSelectionChange });
    }
};

TEST(TextEdit, TypingOpensTheEditorAndEnterStoresTheConvertedValue)
{
    EditScene s(GridVariant(int32_t { 5 }));
    s.TypeKeys("7");
    ASSERT_TRUE(s.grid.EditActive());
    EXPECT_EQ(s.grid.TextEditText(), "7");
    EXPECT_EQ(s.grid.TextEditSelStart(), 1) << "a typed character leaves the caret after it";
    EXPECT_EQ(native::GetFocus(), s.grid.TextEditHwnd());
    s.TypeKeys("2");
    s.Enter();
    EXPECT_EQ(s.EditEvents(),
        (Strings { "KeyPress(55)", "RequestEdit(2,2,55,False,\"7\",0,0)", "TextEditChange(2,2)",
            "TextEditKeyPress(2,2,50)", "TextEditChange(2,2)", "TextEditKeyPress(2,2,13)",
            "BeforeCommitEdit(2,2,1,\"72\",72,0)", "AfterCommitEdit(2,2)" }));
    EXPECT_FALSE(s.grid.EditActive());
    EXPECT_EQ(s.grid.CellValue(2, 2).VarType(), VtLong);
    EXPECT_EQ(s.grid.CellValue(2, 2).ToLong(), 72);
    EXPECT_EQ(native::GetFocus(), s.grid.hwnd()) << "the grid has the focus back";
    EXPECT_EQ(s.grid.TextEditHwnd(), 0);
}

TEST(TextEdit, CharactersFromU8000OnOpenTheEditorAndReachItWhole)
{
    EditScene s(GridVariant(std::string("x")));
    s.desktop.Char(U'\uD55C');  // a Hangul syllable: its KeyAscii is negative
    ASSERT_TRUE(s.grid.EditActive());
    s.desktop.Char(U'\U0001000D');  // its low 16 bits are Enter's
    s.desktop.Char(U'\U0001F642');
    s.Enter();
    EXPECT_EQ(s.grid.CellValue(2, 2).ToString(), "\xED\x95\x9C\xF0\x90\x80\x8D\xF0\x9F\x99\x82");
    EXPECT_EQ(s.EditEvents().front(), "KeyPress(-10916)");
}

TEST(TextEdit, ARowTallerThanTheWindowGetsAnEditorOverItsVisiblePart)
{
    EditScene s(GridVariant(std::string("x")));
    s.grid.SetRowHeight(2, 1000000000);
    s.TypeKeys("y");
    ASSERT_TRUE(s.grid.EditActive());
    native::RECT editor {}, client {};
    native::GetWindowRect(s.grid.TextEditHwnd(), &editor);
    native::GetClientRect(s.grid.hwnd(), &client);
    EXPECT_LE(editor.bottom - editor.top, client.bottom);
}

TEST(TextEdit, ValidationFailureKeepsTheEditorOrReportsSilently)
{
    EditScene s(GridVariant(int32_t { 5 }));
    s.TypeKeys("x");
    s.Enter();
    ASSERT_EQ(s.Messages().size(), 1u);
    EXPECT_EQ(s.Messages()[0].text, "Invalid value (Type mismatch).");
    EXPECT_EQ(s.Messages()[0].title, "Input validation");
    EXPECT_EQ(s.Messages()[0].flags, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(s.grid.EditActive());
    EXPECT_EQ(s.events.Count(EventId::BeforeCommitEdit), 0u);
    // A press on another cell commits first: the value still fails, so the press is ignored.
    s.ClickCell(4, 1);
    EXPECT_EQ(s.Messages().size(), 2u);
    EXPECT_EQ(s.Cur(), (std::pair<int32_t, int32_t>(2, 2)));
    EXPECT_EQ(s.events.Count(EventId::MouseDown), 0u);
    // Escape ends the commit the message left pending, so the next edit commits as the focus leaves it.
    s.Escape();
    s.TypeKeys("7");
    native::SetFocus(s.grid.hwnd());
    s.desktop.RunUntilIdle();
    EXPECT_FALSE(s.grid.EditActive());
    EXPECT_EQ(s.grid.CellValue(2, 2).ToLong(), 7);

    s.TypeKeys("x");
    s.grid.SetSilentValidation(true);
    s.Enter();
    EXPECT_EQ(s.Take().back(), "AfterCommitEdit(2,2)");
    EXPECT_EQ(s.grid.CellValue(2, 2).VarType(), VtEmpty) << "a failed conversion committed silently stores Empty";
    EXPECT_EQ(s.Messages().size(), 2u);
}

TEST(TextEdit, HostVetoesThroughByReferenceArguments)
{
    EditScene s(GridVariant("abcdef"));
    EEditResults answer = tvEditResProceed;
    s.events.onBeforeCommitEdit
        = [&](int32_t, int32_t, EEditResults& r, const std::string&, GridVariant&, int32_t) { r = answer; };
    s.events.onRequestEdit
        = [](int32_t, int32_t, int16_t, bool&, std::string& text, int32_t& maxLength, ETextEditFlags&) {
              text = "uvwxyz";
              maxLength = 3;
          };
    s.Key(native::VK_F2);
    EXPECT_EQ(s.grid.TextEditText(), "uvw") << "the preset is cut to the limit";
    EXPECT_EQ(s.grid.TextEditSelText(), "uvw") << "F2 selects the whole text";
    s.Stroke(native::VK_END, 0);
    s.TypeKeys("q");
    EXPECT_EQ(s.grid.TextEditText(), "uvw") << "nothing is typed past the limit";
    s.Enter();
    EXPECT_TRUE(s.grid.EditActive()) << "Proceed keeps editing";
    EXPECT_EQ(native::GetFocus(), s.grid.TextEditHwnd());
    answer = tvEditResCancel;
    s.Enter();
    EXPECT_FALSE(s.grid.EditActive());
    EXPECT_EQ(s.grid.CellValue(2, 2).ToString(), "abcdef");
    EXPECT_EQ(s.events.Count(EventId::CancelEdit), 0u) << "a cancel answer raises no CancelEdit";

    // Escape cancels, and a KeyPress handler may turn a key into another.
    s.events.onTextEditKeyPress = [](int32_t, int32_t, int16_t& key) { key = key == 'a' ? 'b' : key; };
    s.events.onRequestEdit = nullptr;
    s.TypeKeys("a");
    EXPECT_EQ(s.grid.TextEditText(), "a") << "the opening key goes to the grid, not the editor";
    s.TypeKeys("a");
    EXPECT_EQ(s.grid.TextEditText(), "ab");
    s.events.Clear();
    s.Escape();
    EXPECT_EQ(s.EditEvents(), (Strings { "TextEditKeyPress(2,2,27)", "CancelEdit(2,2)" }));
    EXPECT_EQ(s.grid.CellValue(2, 2).ToString(), "abcdef");

    // A handler that ends the edit itself has it cancelled, before the commit or during it.
    s.events.onTextEditKeyPress = [&](int32_t, int32_t, int16_t& key) {
        if (key == 13)
            s.grid.CancelEdit();
    };
    s.TypeKeys("z");
    s.Enter();
    s.events.onTextEditKeyPress = nullptr;
    s.events.onBeforeCommitEdit
        = [&](int32_t, int32_t, EEditResults&, const std::string&, GridVariant&, int32_t) { s.grid.SetCurRow(4); };
    s.TypeKeys("z");
    s.Enter();
    EXPECT_EQ(s.events.Count(EventId::CancelEdit), 2u);
    EXPECT_EQ(s.events.Count(EventId::BeforeCommitEdit), 1u);
    EXPECT_EQ(s.events.Count(EventId::AfterCommitEdit), 0u);
    EXPECT_EQ(s.grid.CellValue(2, 2).ToString(), "abcdef");
}

TEST(TextEdit, EmptyCellsStayEmptyOrBecomeStringsAndTheEditorTakesTheCellsLook)
{
    EditScene s((GridVariant()));
    s.grid.SetBackColorEvenRows(kRed);
    s.grid.SetCellSelected(2, 2, true);
    s.Key(native::VK_F2);
    const native::HDC dc = native::GetDC(s.grid.hwnd());
    native::SendMessage(s.grid.hwnd(), native::WM_CTLCOLOREDIT, static_cast<native::WPARAM>(dc),
        static_cast<native::LPARAM>(s.grid.TextEditHwnd()));
    EXPECT_EQ(native::GetBkColor(dc), kRed) << "row 2 is even";
    native::ReleaseDC(s.grid.hwnd(), dc);
    EXPECT_FALSE(s.grid.CellSelected(2, 2)) << "drawn unselected under the editor";
    s.Enter();
    EXPECT_EQ(s.grid.CellValue(2, 2).VarType(), VtEmpty);
    EXPECT_TRUE(s.grid.CellSelected(2, 2)) << "and selected again after it";
    s.TypeKeys("7");
    s.Enter();
    EXPECT_EQ(s.grid.CellValue(2, 2).VarType(), VtString);
}

// Every operation that changes what is under the editor ends the edit first.
TEST(TextEdit, OperationsCancelTheRunningEditAfterQuitCustomEdit)
{
    const std::vector<std::pair<const char*, std::function<void(EditScene&)>>> operations {
        { "SetCurCell", [](EditScene& s) { s.grid.SetCurCell(3, 3); } },
        { "CurRow", [](EditScene& s) { s.grid.SetCurRow(1); } },
        { "AddCol", [](EditScene& s) { s.grid.AddCol(); } },
        { "RemoveCol", [](EditScene& s) { s.grid.RemoveCol(3); } },
        { "RowHeight", [](EditScene& s) { s.grid.SetRowHeight(1, 30); } },
        { "RowCount", [](EditScene& s) { s.grid.SetRowCount(9); } },
        { "RemoveRow", [](EditScene& s) { s.grid.RemoveRow(2); } },
        { "ClearSelection", [](EditScene& s) { s.grid.ClearSelection(); } },
        { "Sort", [](EditScene& s) { s.grid.DoDefaultSort(1); } },
        { "Scroll", [](EditScene& s) { s.grid.VScrollBar().SetValue(1); } },
        { "EnsureVisibleCell", [](EditScene& s) { s.grid.EnsureVisibleCell(1, 1); } },
        { "Editable", [](EditScene& s) { s.grid.SetEditable(false); } },
        { "Enabled", [](EditScene& s) { s.grid.SetEnabled(false); } },
        { "CancelEdit", [](EditScene& s) { s.grid.CancelEdit(); } },
    };
    for (const auto& [name, operation] : operations) {
        EditScene s(GridVariant("v"));
        s.events.recordQuitCustomEdit = true;
        s.grid.SetRowCount(30);
        s.Key(native::VK_F2);
        s.events.Clear();
        operation(s);
        const Strings events = s.Take({});
        ASSERT_GE(events.size(), 2u) << name;
        EXPECT_EQ(events[0], "QuitCustomEdit()") << name;
        EXPECT_EQ(events[1], "CancelEdit(2,2)") << name;
        EXPECT_FALSE(s.grid.EditActive()) << name;
    }
    // Done by a BeforeCommitEdit handler, those that move rows or columns leave the commit
    // no cell to store into: the typed text must not land in the one that took its place.
    for (const auto& [name, operation] : operations) {
        if (!std::set<std::string> { "AddCol", "RemoveCol", "RowCount", "RemoveRow", "Sort" }.contains(name))
            continue;
        EditScene s(GridVariant("v"));
        s.grid.SetRowCount(30);
        s.grid.SetCellValue(3, 2, GridVariant("below"));
        s.grid.SetCellValue(2, 3, GridVariant("right"));
        s.events.onBeforeCommitEdit
            = [&](int32_t, int32_t, EEditResults&, const std::string&, GridVariant&, int32_t) { operation(s); };
        s.Key(native::VK_F2);
        s.TypeKeys("typed");
        s.Enter();
        EXPECT_FALSE(s.grid.EditActive()) << name;
        EXPECT_EQ(s.events.Count(EventId::AfterCommitEdit), 0u) << name;
        for (int32_t r = 1; r <= s.grid.RowCount(); ++r)
            for (int32_t c = 1; c <= s.grid.ColCount(); ++c)
                EXPECT_NE(s.grid.CellValue(r, c).ToString(), "typed") << name;
    }
    EditScene idle(GridVariant("v"));
    idle.events.recordQuitCustomEdit = true;
    idle.grid.CancelEdit();
    EXPECT_EQ(idle.Take({}), (Strings { "QuitCustomEdit()" }));
}

TEST(TextEdit, ClickingAnotherCellCommitsAndMovesThere)
{
    EditScene s(GridVariant("old"));
    s.TypeKeys("n");
    // A press on the edited cell beside its editor is swallowed: editing goes on.
    const auto [mx, my] = s.At(2, 2, 1);
    s.desktop.Click(mx, my);
    EXPECT_TRUE(s.grid.EditActive());
    EXPECT_EQ(s.events.Count(EventId::MouseDown), 0u);
    s.ClickCell(4, 1);
    EXPECT_EQ(s.grid.CellValue(2, 2).ToString(), "n");
    EXPECT_EQ(s.Cur(), (std::pair<int32_t, int32_t>(4, 1)));
    EXPECT_EQ(native::GetFocus(), s.grid.hwnd());
    // A double click on a cell opens the editor there with its text selected.
    s.grid.SetCellValue(4, 1, GridVariant("cell"));
    const auto [x, y] = s.At(4, 1);
    s.desktop.Advance(1000);
    s.desktop.Click(x, y);
    s.desktop.Click(x, y);
    ASSERT_TRUE(s.grid.EditActive());
    EXPECT_EQ(s.grid.TextEditSelText(), "cell");
}

}  // namespace
}  // namespace tavix::testing
