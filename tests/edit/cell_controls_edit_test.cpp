// Check boxes and combo cells: the value cycles or is picked from the dropped-down list.
#include "support/grid_window.h"

#include <tavix/native/combobox.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/message_filter.h>
#include <tavix/native/messages.h>
#include <tavix/native/text.h>

#include <gtest/gtest.h>

#include <functional>

namespace tavix::testing {
namespace {

TEST(CheckEdit, ValuesCycleByTheirBoxAndTheHostMayCancel)
{
    WindowScene s;
    s.grid.SetCellType(2, 1, tvCellCheck);
    s.grid.SetCellTypeFlags(2, 1, tvCheckBox3State);
    s.grid.SetCurCell(2, 1);
    s.events.Clear();
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        s.grid.RequestEdit(0);
        seen.push_back(s.grid.CellValue(2, 1).ToString());
    }
    EXPECT_EQ(seen, (std::vector<std::string> { "1", "2", "0" }));
    EXPECT_EQ(s.Take()[1], "BeforeCommitEdit(2,1,1,\"\",1,0)");

    s.grid.SetCellType(3, 1, tvCellCheck);
    s.grid.SetCellValue(3, 1, GridVariant(true));
    s.grid.SetCurCell(3, 1);
    s.Take();
    s.grid.RequestEdit(32);
    EXPECT_EQ(s.grid.CellValue(3, 1).VarType(), VtBoolean) << "a Boolean stays Boolean";
    EXPECT_FALSE(s.grid.CellValue(3, 1).ToBool());
    s.events.onBeforeCommitEdit
        = [](int32_t, int32_t, EEditResults& r, const std::string&, GridVariant&, int32_t) { r = tvEditResCancel; };
    s.Take();
    s.grid.RequestEdit(13);
    EXPECT_EQ(s.Take(),
        (Strings { "RequestEdit(3,1,13,False,\"\",0,0)", "BeforeCommitEdit(3,1,1,\"\",True,0)", "CancelEdit(3,1)" }));
    EXPECT_FALSE(s.grid.CellValue(3, 1).ToBool());
    EXPECT_FALSE(s.grid.EditActive());
    s.events.onBeforeCommitEdit
        = [&](int32_t, int32_t, EEditResults&, const std::string&, GridVariant&, int32_t) { s.grid.CancelEdit(); };
    s.grid.RequestEdit(13);
    EXPECT_EQ(s.Take().back(), "CancelEdit(3,1)") << "cancelled inside the handler: no commit after it";
    EXPECT_FALSE(s.grid.CellValue(3, 1).ToBool());
}

struct ComboScene : WindowScene {
    ComboScene()
    {
        ComboObject& list = grid.Combos().Add("status");
        list.AddItem("Open", GridVariant(int32_t { 1 }), 0);
        list.AddItem("Blocked", GridVariant(int32_t { 2 }), 1);
        list.AddItem("Closed", GridVariant(int32_t { 3 }));
        grid.SetCellType(2, 2, tvCellCombo);
        grid.SetCellCtrlKey(2, 2, "status");
        grid.SetCellValue(2, 2, GridVariant(int32_t { 2 }));
        grid.SetCurCell(2, 2);
        Focus();
        events.Clear();
    }
    edit::DropDownList& List() { return internal::GridAccess::Editor(grid).List(); }
};

// Shortcuts that would take every key.
struct GreedyShortcuts : native::MessageFilter {
    std::vector<native::WPARAM> taken;
    bool TranslateAccelerator(const native::MSG& m) override
    {
        if (m.message != native::WM_KEYDOWN)
            return false;
        taken.push_back(m.wParam);
        return true;
    }
};

TEST(ComboEdit, EnterAndTheNavigationKeysReachTheOpenListBeforeTheApplication)
{
    ComboScene s;
    GreedyShortcuts app;
    native::ScopedMessageFilter shortcuts(app, native::FilterStage::Application);
    s.grid.RequestEdit(0);
    s.Key(native::VK_DOWN);
    EXPECT_EQ(s.List().ListIndex(), 2);
    s.Key(native::VK_HOME);
    s.Key(native::VK_UP);
    EXPECT_EQ(s.List().ListIndex(), 0);
    s.Key(native::VK_RETURN);
    EXPECT_TRUE(app.taken.empty());
    EXPECT_EQ(s.grid.CellText(2, 2), "Open") << "Enter chose the item the keys moved to";

    s.Key(native::VK_DOWN);
    s.grid.RequestEdit(0);
    s.Key(native::VK_TAB);
    s.Key(native::VK_ESCAPE);
    EXPECT_EQ(app.taken, (std::vector<native::WPARAM> { native::VK_DOWN, native::VK_TAB, native::VK_ESCAPE }))
        << "a closed list leaves the keys to the application";
    EXPECT_TRUE(s.List().Dropped()) << "the application took Escape";
}

TEST(ComboEdit, TheListRejectsPositionsWithoutAnItemAndFitsItsWidthToTheItems)
{
    ComboScene s;
    s.grid.SetImageList(GridVariant(static_cast<int32_t>(native::ImageList_Create(24, 16, 0, 2, 0))));
    ComboObject& combo = s.grid.Combos().Items(GridVariant("status"));
    native::UniqueDC dc(native::CreateCompatibleDC(0));
    native::UniqueGdiObject font(paint::FontCache::Create(combo.Font()));
    native::SelectObject(dc.Get(), font.Get());
    auto textWidth = [&](std::string_view text) {
        native::Size size {};
        native::GetTextExtentPoint32(dc.Get(), text, &size);
        return size.cx;
    };
    combo.AutoAdjustWidth();
    EXPECT_EQ(combo.Width(), 24 + textWidth("Blocked") + 8 + 17 + 4) << "icon, text, margins and the scroll bar";
    combo.AddItem("A much longer item without an icon");
    combo.AutoAdjustWidth();
    EXPECT_EQ(combo.Width(), textWidth("A much longer item without an icon") + 4 + 17 + 4);

    s.grid.RequestEdit(0);
    edit::DropDownList& list = s.List();
    auto raised = [](auto call) {
        try {
            call();
        } catch (const TavixError& e) {
            return std::to_string(e.Number()) + " " + e.Source();
        }
        return std::string();
    };
    for (int32_t at : { 4, -2 })
        for (const auto& call : std::vector<std::function<void()>> { [&] { list.SetListIndex(at); },
                 [&] { list.ItemValue(at); }, [&] { list.ItemIconIndex(at); }, [&] { list.ItemText(at); } })
            EXPECT_EQ(raised(call), "381 tavix.ODCboLst") << at;
    s.events.Clear();
    list.SetListIndex(-1);
    EXPECT_EQ(s.Take(), Strings { "CancelEdit(2,2)" }) << "clearing still reports a choice, of nothing";
}

TEST(ComboEdit, TheEditorsKeepTheirFontsWhenTheGridFontChanges)
{
    ComboScene s;
    s.grid.Combos().Items(GridVariant("status")).SetFont(FontRef("DejaVu Sans", 14));
    s.grid.RequestEdit(0);
    EXPECT_GT(s.List().ItemHeight(), 20) << "the list's own font, not the grid's";
    s.grid.SetCurCell(2, 1);
    s.grid.RequestEdit(0);
    ASSERT_NE(s.grid.TextEditHwnd(), 0);
    for (double points : { 11.0, 13.0, 15.0 }) {
        s.grid.SetFont(FontRef("DejaVu Sans", points));
        native::UpdateWindow(s.grid.hwnd());
    }
    const auto font = native::SendMessage(s.grid.TextEditHwnd(), native::WM_GETFONT, 0, 0);
    native::UniqueDC dc(native::CreateCompatibleDC(0));
    EXPECT_NE(native::SelectObject(dc.Get(), static_cast<native::HGDIOBJ>(font)), 0) << "a live font";
}

TEST(ComboEdit, TheListDropsUnderTheCellOnItsValueAndKeysPickOrCancel)
{
    ComboScene s;
    s.Key(native::VK_F2);
    ASSERT_TRUE(s.List().Dropped());
    EXPECT_EQ(s.List().ListIndex(), 1) << "on the item of the cell's value";
    native::RECT list {};
    native::GetWindowRect(s.List().ListWindow(), &list);
    const native::Rect cell = s.CellRect(2, 2);
    EXPECT_EQ(list.left, cell.left + 2) << "at the cell's left edge, inside the grid's 3D border";
    EXPECT_EQ(list.top, cell.bottom + 2);
    EXPECT_EQ(list.bottom - list.top, 3 * s.List().ItemHeight() + 2);
    s.grid.CommitEdit();
    EXPECT_TRUE(s.List().Dropped()) << "CommitEdit leaves a combo edit alone";

    s.Key(native::VK_DOWN);
    s.Key(native::VK_RETURN);
    EXPECT_FALSE(s.List().Dropped());
    EXPECT_FALSE(s.grid.EditActive());
    EXPECT_EQ(s.Take({ EventId::KeyDown, EventId::KeyUp }),
        (Strings { "RequestEdit(2,2,0,False,\"Blocked\",0,0)", "BeforeCommitEdit(2,2,1,\"Closed\",3,0)",
            "AfterCommitEdit(2,2)" }));
    EXPECT_EQ(s.grid.CellText(2, 2), "Closed");
    EXPECT_EQ(s.grid.CellIcon(2, 2), -1) << "the item's icon, none here";
    EXPECT_EQ(native::GetFocus(), s.grid.hwnd());

    // A typed letter drops the list on the first item it begins; Escape cancels.
    s.desktop.Char(U'o');
    EXPECT_EQ(s.List().ListIndex(), 0);
    s.Key(native::VK_ESCAPE);
    EXPECT_EQ(s.Take({ EventId::KeyDown, EventId::KeyUp, EventId::KeyPress }),
        (Strings { "RequestEdit(2,2,111,False,\"o\",0,0)", "CancelEdit(2,2)" }));
    EXPECT_EQ(s.grid.CellText(2, 2), "Closed");
    // No item begins with q: Enter has nothing to store and cancels.
    s.desktop.Char(U'q');
    s.Key(native::VK_RETURN);
    EXPECT_EQ(s.Take().back(), "CancelEdit(2,2)");
    EXPECT_EQ(s.grid.CellText(2, 2), "Closed");
}

TEST(ComboEdit, AClickOnAnItemCommitsItAndAClickElsewhereCancels)
{
    ComboScene s;
    s.grid.RequestEdit(0);
    s.desktop.RunUntilIdle();
    native::RECT list {};
    native::GetWindowRect(s.List().ListWindow(), &list);
    s.desktop.MouseMove(list.left + 10, list.top + 1 + s.List().ItemHeight() / 2);
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_EQ(s.grid.CellValue(2, 2).ToLong(), 1);
    EXPECT_EQ(s.grid.CellIcon(2, 2), 0);

    s.grid.RequestEdit(0);
    s.desktop.MouseMove(390, 290);
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_FALSE(s.List().Dropped());
    EXPECT_EQ(s.Take().back(), "CancelEdit(2,2)");
    EXPECT_EQ(s.grid.CellValue(2, 2).ToLong(), 1);
}

TEST(SelectionText, SelectedCellsInDisplayOrderTabSeparated)
{
    WindowScene s;
    for (int32_t r = 1; r <= 5; ++r)
        for (int32_t c = 1; c <= 3; ++c)
            s.grid.SetCellValue(r, c, GridVariant(std::to_string(r) + "," + std::to_string(c)));
    s.grid.SetMultiSelect(true);
    EXPECT_EQ(s.grid.SelectionAsText(), "");
    s.grid.SetColOrder(3, 1);
    s.grid.SetCellSelected(4, 1, true);
    s.grid.SetCellSelected(2, 3, true);
    s.grid.SetCellSelected(2, 1, true);
    s.grid.SetRowVisible(3, false);
    s.grid.SetCellSelected(3, 2, true);
    EXPECT_EQ(s.grid.SelectionAsText(), "2,3\t2,1\n\t4,1\n") << "hidden rows and their columns stay out";
}

}  // namespace
}  // namespace tavix::testing
