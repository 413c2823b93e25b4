// Editing a text cell as a person does: keys open the editor, Enter commits
// through conversion and validation, Escape and the grid's own operations cancel.
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

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
}  // namespace
}  // namespace tavix::testing
