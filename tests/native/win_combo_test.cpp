#include <gtest/gtest.h>
#include <string>
#include <tavix/native/combobox.h>
#include <tavix/native/desktop.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/text.h>
#include <vector>

using namespace tavix::native;

namespace {

constexpr int kItemHeight = 16;
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;

std::vector<uint16_t> g_notes;
std::vector<UINT> g_measured;  // item ids asked for a height
std::vector<std::pair<UINT, UINT>> g_drawn;  // item id and state
RECT g_placement;  // where the list goes when it asks for its colours; empty: stays
HWND g_colourList = 0;
// What the parent does when a choice is confirmed, like the grid's editor.
void (*g_onSelEndOk)(HWND combo) = nullptr;

LRESULT ParentProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_COMMAND:
        g_notes.push_back(HIWORD(wp));
        if (HIWORD(wp) == CBN_SELENDOK && g_onSelEndOk)
            g_onSelEndOk(static_cast<HWND>(lp));
        return 0;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        g_measured.push_back(mis->itemID);
        mis->itemHeight = kItemHeight;
        return 1;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        g_drawn.push_back({ dis->itemID, dis->itemState });
        const bool selected = dis->itemState & ODS_SELECTED;
        Rect rc { dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom };
        FillRect(dis->hDC, rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (dis->itemID != static_cast<UINT>(-1)) {
            std::string text(static_cast<size_t>(SendMessage(dis->hwndItem, CB_GETLBTEXTLEN, dis->itemID, 0)), ' ');
            SendMessage(dis->hwndItem, CB_GETLBTEXT, dis->itemID, reinterpret_cast<LPARAM>(text.data()));
            SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            SetBkMode(dis->hDC, TRANSPARENT);
            rc = rc.Inflate(-2, 0);
            DrawText(dis->hDC, text, rc, DT_SINGLELINE | DT_VCENTER);
        }
        return 1;
    }
    case WM_CTLCOLORLISTBOX:
        g_colourList = static_cast<HWND>(lp);
        if (g_placement.right > g_placement.left)
            MoveWindow(g_colourList, g_placement.left, g_placement.top, g_placement.right - g_placement.left,
                g_placement.bottom - g_placement.top);
        g_placement = {};
        return 0;
    case WM_LBUTTONDOWN: SetProp(h, "clicked", 1); return 0;
    default: return DefWindowProc(h, m, wp, lp);
    }
}

class WinCombo : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_notes.clear();
        g_measured.clear();
        g_drawn.clear();
        g_placement = {};
        g_colourList = 0;
        g_onSelEndOk = nullptr;
        RegisterClass("ComboParent", ParentProc);
        parent = CreateWindowEx(0, "ComboParent", "", WS_VISIBLE, 0, 0, 400, 400, 0);
        combo = CreateWindowEx(0, WC_COMBOBOX, "", kStyle, 20, 20, 150, 200, parent);
        for (const char* s :
            { "Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "Black", "White", "Orange", "Pink" })
            SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        COMBOBOXINFO info;
        GetComboBoxInfo(combo, &info);
        list = info.hwndList;
        SetFocus(combo);
        g_notes.clear();
    }
    LRESULT Sel() const { return SendMessage(combo, CB_GETCURSEL, 0, 0); }
    bool Dropped() const { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    // Screen point in the middle of a shown list item.
    POINT Item(int index) const
    {
        RECT r;
        GetWindowRect(list, &r);
        auto top = static_cast<int>(SendMessage(combo, CB_GETTOPINDEX, 0, 0));
        return { r.left + 20, r.top + 1 + (index - top) * kItemHeight + kItemHeight / 2 };
    }
    void Press(int vk)
    {
        desktop.KeyDown(vk);
        desktop.KeyUp(vk);
    }

    Desktop desktop { 500, 500 };
    HWND parent { 0 };
    HWND combo { 0 };
    HWND list { 0 };
};

using Notes = std::vector<uint16_t>;

}  // namespace

TEST_F(WinCombo, MessagesKeepItemsDataHeightsAndTheSelection)
{
    EXPECT_EQ(g_measured.front(), static_cast<UINT>(-1)) << "the selection field is measured at creation";
    EXPECT_EQ(g_measured.size(), 11u) << "and every item as it is added";
    RECT r;
    GetWindowRect(combo, &r);
    EXPECT_EQ(r.bottom - r.top, kItemHeight + 6) << "the field is as tall as its item";
    EXPECT_EQ(GetWindowLong(combo, GWL_STYLE) & WS_VSCROLL, 0) << "the field shows no scroll bar";
    EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("Lime")), 1);
    EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, 99, reinterpret_cast<LPARAM>("x")), CB_ERR);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 11);
    char text[16];
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "Green");
    EXPECT_EQ(SendMessage(combo, CB_SETITEMDATA, 2, 777), CB_OKAY);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 2, 0), 777);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 11, 0), CB_ERR);
    EXPECT_EQ(SendMessage(combo, CB_SETITEMHEIGHT, 3, 30), CB_OKAY);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 3, 0), 30);
    EXPECT_EQ(SendMessage(combo, CB_SETITEMHEIGHT, 3, 0), CB_ERR);
    SendMessage(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 20);
    GetWindowRect(combo, &r);
    EXPECT_EQ(r.bottom - r.top, 20 + 6);
    EXPECT_EQ(SendMessage(combo, CB_SETDROPPEDWIDTH, 300, 0), 300);
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right - r.left, 300);
    SendMessage(combo, CB_SHOWDROPDOWN, 0, 0);
    g_notes.clear();

    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 4, 0), 4);
    EXPECT_EQ(SendMessage(combo, CB_DELETESTRING, 0, 0), 10);
    EXPECT_EQ(Sel(), 3) << "the selected item keeps its selection as items before it go";
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 10, 0), CB_ERR);
    EXPECT_EQ(Sel(), -1);
    EXPECT_TRUE(g_notes.empty()) << "setting the selection is not a choice";
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(WinCombo, TheListAsksForItsColoursBeforeDrawingAndMayBePlacedThen)
{
    SendMessage(combo, CB_SETCURSEL, 2, 0);
    g_placement = { 200, 250, 320, 250 + 4 * kItemHeight + 2 };
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN }));
    EXPECT_TRUE(Dropped());
    EXPECT_EQ(GetCapture(), list);
    g_drawn.clear();
    desktop.RunUntilIdle();
    EXPECT_EQ(g_colourList, list);
    RECT r;
    GetWindowRect(list, &r);
    EXPECT_EQ(r, (RECT { 200, 250, 320, 250 + 4 * kItemHeight + 2 }));
    // Drawn at the new place: four rows, the selection highlighted.
    std::vector<std::pair<UINT, UINT>> rows(g_drawn.end() - 4, g_drawn.end());
    EXPECT_EQ(
        rows, (std::vector<std::pair<UINT, UINT>> { { 0, 0 }, { 1, 0 }, { 2, ODS_SELECTED | ODS_FOCUS }, { 3, 0 } }));
    EXPECT_EQ(desktop.Frame().Pixel(260, 250 + 1 + 2 * kItemHeight + 3), ToPixel(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL) << "ten items do not fit in four rows";
}

TEST_F(WinCombo, KeysMoveChooseAndCancel)
{
    Press(VK_DOWN);
    EXPECT_EQ(Sel(), 0);
    Press(VK_F4);
    EXPECT_TRUE(Dropped());
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_END);
    desktop.Char('b');
    EXPECT_EQ(Sel(), 2) << "a letter finds the next item starting with it";
    Press(VK_RETURN);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(g_notes,
        (Notes { CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK,
            CBN_CLOSEUP }));
    g_notes.clear();
    desktop.KeyDown(VK_MENU);
    Press(VK_DOWN);
    desktop.KeyUp(VK_MENU);
    Press(VK_ESCAPE);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }));
    EXPECT_EQ(GetCapture(), 0);
}

TEST_F(WinCombo, HoverHighlightsAClickChoosesAndAClickOutsideCancels)
{
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    RECT field;
    GetWindowRect(combo, &field);
    desktop.Click(field.right - 5, field.top + 5);
    EXPECT_TRUE(Dropped());
    POINT p = Item(4);
    g_drawn.clear();
    desktop.MouseMove(p.x, p.y);
    auto highlighted = std::find_if(g_drawn.begin(), g_drawn.end(), [](auto& d) { return d.second & ODS_SELECTED; });
    ASSERT_NE(highlighted, g_drawn.end());
    EXPECT_EQ(highlighted->first, 4u);
    EXPECT_EQ(Sel(), 1) << "hovering is not choosing";
    desktop.Click(p.x, p.y);
    EXPECT_EQ(Sel(), 4);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }));
    EXPECT_FALSE(IsWindowVisible(list));

    g_notes.clear();
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    p = Item(7);
    desktop.MouseMove(p.x, p.y);
    desktop.Click(350, 350);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }));
    EXPECT_EQ(Sel(), 4);
    EXPECT_FALSE(HasProp(parent, "clicked")) << "the click that closes the list goes nowhere else";
    desktop.Click(350, 350);
    EXPECT_TRUE(HasProp(parent, "clicked"));
}

TEST_F(WinCombo, TheScrollBarAndTheWheelScrollAnOpenList)
{
    g_placement = { 20, 50, 170, 50 + 4 * kItemHeight + 2 };
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    desktop.RunUntilIdle();
    RECT r;
    GetWindowRect(list, &r);
    // The down arrow of the list's scroll bar.
    desktop.Click(r.right - 5, r.bottom - 5);
    EXPECT_EQ(SendMessage(combo, CB_GETTOPINDEX, 0, 0), 1);
    EXPECT_TRUE(Dropped()) << "working the scroll bar keeps the list open";
    desktop.Wheel(-WHEEL_DELTA);
    EXPECT_EQ(SendMessage(combo, CB_GETTOPINDEX, 0, 0), 2);
    Press(VK_END);
    EXPECT_EQ(SendMessage(combo, CB_GETTOPINDEX, 0, 0), 6) << "the chosen item is scrolled into view";
    Press(VK_PRIOR);
    EXPECT_EQ(Sel(), 6);
}

TEST_F(WinCombo, AParentClosingTheListWhileAChoiceIsReportedClosesItOnce)
{
    g_onSelEndOk = [](HWND c) {
        SendMessage(c, CB_SHOWDROPDOWN, 0, 0);
        SetFocus(GetParent(c));
    };
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_KILLFOCUS, CBN_CLOSEUP }));
    EXPECT_EQ(GetFocus(), parent);
}

TEST_F(WinCombo, LosingTheFocusClosesTheListAsACancel)
{
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    SetFocus(parent);
    EXPECT_EQ(g_notes, (Notes { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS }));
}
