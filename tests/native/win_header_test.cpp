#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tavix/native/desktop.h>
#include <tavix/native/header.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/window_paint.h>
#include <vector>

using namespace tavix::native;

namespace {

// The header's parent: logs notifications as "CODE item detail", answers them
// from `answers`, and fills owner-drawn items with a colour per item data.
struct Host {
    std::vector<std::string> log;
    std::map<UINT, LRESULT> answers;
    std::vector<DRAWITEMSTRUCT> drawn;
    bool releaseOnBeginDrag { false };
    LRESULT activate { 0 };
};
Host* g_host = nullptr;

std::string Describe(const NMHDR& nm)
{
    static const std::map<UINT, std::string> names { { NM_RCLICK, "RCLICK" }, { NM_RELEASEDCAPTURE, "RELEASEDCAPTURE" },
        { HDN_BEGINTRACK, "BEGINTRACK" }, { HDN_TRACK, "TRACK" }, { HDN_ENDTRACK, "ENDTRACK" },
        { HDN_ITEMCHANGING, "CHANGING" }, { HDN_ITEMCHANGED, "CHANGED" }, { HDN_ITEMCLICK, "CLICK" },
        { HDN_ITEMDBLCLICK, "DBLCLICK" }, { HDN_DIVIDERDBLCLICK, "DIVDBLCLICK" }, { HDN_BEGINDRAG, "BEGINDRAG" },
        { HDN_ENDDRAG, "ENDDRAG" } };
    std::string s = names.at(nm.code);
    if (nm.code == NM_RCLICK || nm.code == NM_RELEASEDCAPTURE)
        return s;
    const auto& h = reinterpret_cast<const NMHEADER&>(nm);
    s += " " + std::to_string(h.iItem);
    if (h.pitem->mask & HDI_WIDTH)
        s += " w" + std::to_string(h.pitem->cxy);
    if (h.pitem->mask & HDI_ORDER)
        s += " o" + std::to_string(h.pitem->iOrder);
    return s;
}

COLORREF ItemColor(uintptr_t data) { return RGB(static_cast<uint8_t>(data * 40), 0x80, 0x40); }

LRESULT HostProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (!g_host)
        return DefWindowProc(h, m, wp, lp);
    Host& host = *g_host;
    if (m == WM_NOTIFY) {
        const auto& nm = *reinterpret_cast<const NMHDR*>(lp);
        host.log.push_back(Describe(nm));
        if (nm.code == HDN_BEGINDRAG && host.releaseOnBeginDrag)
            ReleaseCapture();
        auto answer = host.answers.find(nm.code);
        return answer == host.answers.end() ? 0 : answer->second;
    }
    if (m == WM_DRAWITEM) {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        host.drawn.push_back(dis);
        // Deliberately wider than the item: the clip must keep it inside.
        UniqueGdiObject brush(CreateSolidBrush(ItemColor(dis.itemData)));
        FillRect(dis.hDC, { dis.rcItem.left - 8, -8, dis.rcItem.right + 8, 100 }, brush);
        return 1;
    }
    if (m == WM_CONTEXTMENU)
        host.log.push_back("CONTEXTMENU");
    if (m == WM_MOUSEACTIVATE && host.activate)
        return host.activate;
    return DefWindowProc(h, m, wp, lp);
}

// A 400 x 20 header at (10, 10) in a host window, with items 100, 80 and 60
// wide (item data 1, 2, 3): dividers at x 110, 190 and 250 on the screen.
class WinHeader : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_host = &host;
        RegisterClass("HeaderHost", HostProc);
        parent = CreateWindowEx(0, "HeaderHost", "", WS_VISIBLE, 0, 0, 500, 200, 0);
        header = CreateWindowEx(
            0, WC_HEADER, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_DRAGDROP, 10, 10, 400, 20, parent);
        for (int i = 0; i < 3; ++i)
            Header_InsertItem(header, i,
                HDITEM { .mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM,
                    .cxy = 100 - 20 * i,
                    .fmt = HDF_OWNERDRAW,
                    .lParam = i + 1 });
        desktop.RunUntilIdle();
        host.log.clear();
        host.drawn.clear();
    }
    int Width(int index)
    {
        HDITEM item { .mask = HDI_WIDTH };
        Header_GetItem(header, index, &item);
        return item.cxy;
    }
    std::vector<int> Order()
    {
        std::vector<int> order(static_cast<size_t>(Header_GetItemCount(header)));
        Header_GetOrderArray(header, order);
        return order;
    }
    void Drag(int fromX, std::initializer_list<int> toX)
    {
        desktop.MouseMove(fromX, 20);
        desktop.MouseDown();
        for (int x : toX)
            desktop.MouseMove(x, 20);
        desktop.MouseUp();
    }
    void SetStyle(DWORD add, DWORD remove = 0)
    {
        SetWindowLong(header, GWL_STYLE, (GetWindowLong(header, GWL_STYLE) | add) & ~remove);
        desktop.RunUntilIdle();
    }
    using Log = std::vector<std::string>;
    uint32_t Pixel(int x, int y) { return desktop.Frame().Pixel(x, y); }
    static uint32_t Sys(int index) { return ToPixel(GetSysColor(index)); }

    Host host;
    // Destroyed before the host, so its windows' last messages still find it.
    Desktop desktop { 500, 200 };
    HWND parent { 0 }, header { 0 };
};

}  // namespace

TEST_F(WinHeader, ItemsKeepTheirFieldsAndDisplayOrder)
{
    HDITEM extra { .mask = HDI_WIDTH | HDI_ORDER | HDI_LPARAM | HDI_TEXT | HDI_IMAGE,
        .cxy = 50,
        .pszText = const_cast<char*>("Gr\xC3\xB6\xC3\x9F"
                                     "e"),
        .lParam = 42,
        .iImage = 3,
        .iOrder = 0 };
    EXPECT_EQ(Header_InsertItem(header, 1, extra), 1);
    EXPECT_EQ(Header_InsertItem(header, 99, HDITEM { .mask = HDI_WIDTH, .cxy = 10 }), 4) << "past the end appends";
    EXPECT_EQ(Order(), (std::vector<int> { 1, 0, 2, 3, 4 }));
    RECT r;
    ASSERT_TRUE(Header_GetItemRect(header, 0, &r));
    EXPECT_EQ(r, (RECT { 50, 0, 150, 20 }));
    EXPECT_EQ(Header_OrderToIndex(header, 0), 1);
    EXPECT_EQ(Header_OrderToIndex(header, 9), 9);

    char text[4];
    HDITEM got { .mask = HDI_WIDTH | HDI_TEXT | HDI_LPARAM | HDI_IMAGE | HDI_ORDER, .pszText = text, .cchTextMax = 4 };
    ASSERT_TRUE(Header_GetItem(header, 1, &got));
    EXPECT_STREQ(text, "Gr") << "cut before a split character";
    EXPECT_EQ(
        (std::vector<LPARAM> { got.cxy, got.lParam, got.iImage, got.iOrder }), (std::vector<LPARAM> { 50, 42, 3, 0 }));

    // Only a permutation of every index is an order.
    EXPECT_FALSE(Header_SetOrderArray(header, std::vector<int> { 0, 1, 2 }));
    EXPECT_FALSE(Header_SetOrderArray(header, std::vector<int> { 0, 0, 1, 2, 3 }));
    EXPECT_FALSE(Header_SetOrderArray(header, std::vector<int> { 0, 1, 2, 3, 5 }));
    EXPECT_TRUE(Header_SetOrderArray(header, std::vector<int> { 4, 3, 2, 1, 0 }));
    EXPECT_TRUE(Header_SetItem(header, 4, HDITEM { .mask = HDI_ORDER, .iOrder = 4 }));
    EXPECT_EQ(Order(), (std::vector<int> { 3, 2, 1, 0, 4 }));
    EXPECT_TRUE(Header_DeleteItem(header, 1));
    EXPECT_FALSE(Header_DeleteItem(header, 7));
    EXPECT_EQ(Order(), (std::vector<int> { 2, 1, 0, 3 })) << "later indexes move down, the order stays";

    RECT area { 5, 7, 305, 200 };
    WINDOWPOS pos;
    HDLAYOUT layout { &area, &pos };
    ASSERT_TRUE(Header_Layout(header, &layout));
    EXPECT_GT(pos.cy, 12) << "a line of text and the borders";
    EXPECT_EQ((RECT { pos.x, pos.y, pos.x + pos.cx, area.top }), (RECT { 5, 7, 305, 7 + pos.cy }));
}

TEST_F(WinHeader, HitTestingFindsItemsAndTheirDividers)
{
    struct Case {
        POINT pt;
        UINT flags;
        int item;
    };
    auto check = [&](std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            HDHITTESTINFO info { c.pt };
            EXPECT_EQ(Header_HitTest(header, &info), c.item) << c.pt.x << "," << c.pt.y;
            EXPECT_EQ(info.flags, c.flags) << c.pt.x << "," << c.pt.y;
        }
    };
    // Items 0 [0,100), 1 [100,180), 2 [180,240).
    check({ { { 0, 5 }, HHT_ONHEADER, 0 }, { { 94, 5 }, HHT_ONHEADER, 0 }, { { 95, 5 }, HHT_ONDIVIDER, 0 },
        { { 104, 5 }, HHT_ONDIVIDER, 0 }, { { 105, 5 }, HHT_ONHEADER, 1 }, { { 244, 5 }, HHT_ONDIVIDER, 2 },
        { { 245, 5 }, HHT_NOWHERE, -1 }, { { -1, 5 }, HHT_TOLEFT, -1 }, { { 400, 20 }, HHT_TORIGHT | HHT_BELOW, -1 },
        { { 5, -1 }, HHT_ABOVE, -1 } });
    // A zero-width item is opened from the right side of its divider.
    Header_SetItem(header, 1, HDITEM { .mask = HDI_WIDTH, .cxy = 0 });
    check({ { { 97, 5 }, HHT_ONDIVIDER, 0 }, { { 102, 5 }, HHT_ONDIVOPEN, 1 } });
    // A narrow item is all item; dividers follow the display order.
    Header_SetItem(header, 2, HDITEM { .mask = HDI_WIDTH, .cxy = 8 });
    check({ { { 106, 5 }, HHT_ONHEADER, 2 }, { { 110, 5 }, HHT_ONDIVIDER, 2 } });
    Header_SetOrderArray(header, std::vector<int> { 2, 0, 1 });
    check({ { { 4, 5 }, HHT_ONHEADER, 2 }, { { 10, 5 }, HHT_ONDIVIDER, 2 }, { { 105, 5 }, HHT_ONDIVIDER, 0 } });
}

TEST_F(WinHeader, ClicksAndDoubleClicksOnItemsAndDividers)
{
    desktop.Click(150, 20);
    EXPECT_EQ(host.log, (Log { "CLICK 1", "RELEASEDCAPTURE" }));
    host.log.clear();
    desktop.Advance(1000);
    desktop.MouseMove(150, 20);
    desktop.MouseDown();
    desktop.MouseMove(150, 45);
    desktop.MouseUp();
    EXPECT_EQ(host.log, (Log { "RELEASEDCAPTURE" })) << "released off the item: no click";

    host.log.clear();
    desktop.Advance(1000);
    desktop.Click(150, 20);
    desktop.Click(150, 20);
    desktop.Advance(1000);
    desktop.Click(109, 20);
    desktop.Click(109, 20);
    EXPECT_EQ(host.log,
        (Log { "CLICK 1", "RELEASEDCAPTURE", "DBLCLICK 1", "BEGINTRACK 0 w100", "ENDTRACK 0 w100", "CHANGING 0 w100",
            "CHANGED 0 w100", "RELEASEDCAPTURE", "DIVDBLCLICK 0" }));

    // Without push buttons items ignore the mouse.
    SetStyle(0, HDS_BUTTONS);
    host.log.clear();
    desktop.Advance(1000);
    desktop.Click(150, 20);
    desktop.Click(150, 20);
    EXPECT_TRUE(host.log.empty());

    desktop.Click(150, 20, Desktop::Button::Right);
    host.answers[NM_RCLICK] = 1;
    desktop.Click(150, 20, Desktop::Button::Right);
    EXPECT_EQ(host.log, (Log { "RCLICK", "CONTEXTMENU", "RCLICK" })) << "non-zero keeps the context menu away";
}

TEST_F(WinHeader, DividerDragShowsATrackingLineAndAppliesOnRelease)
{
    const uint32_t face = Pixel(140, 20);
    desktop.MouseMove(109, 20);
    desktop.MouseDown();
    EXPECT_EQ(GetCapture(), header);
    EXPECT_EQ(GetCursor(), IDC_SIZEWE);
    desktop.MouseMove(139, 20);
    EXPECT_EQ(Width(0), 100) << "the width waits for the release";
    EXPECT_EQ(Pixel(140, 20), ~face & 0xFFFFFF) << "an inverted line at the tracked edge";
    desktop.MouseMove(149, 20);
    EXPECT_EQ(Pixel(140, 20), face) << "moving the line erases it";
    desktop.MouseUp();
    EXPECT_EQ(Width(0), 140);
    EXPECT_EQ(host.log,
        (Log { "BEGINTRACK 0 w100", "TRACK 0 w130", "TRACK 0 w140", "ENDTRACK 0 w140", "CHANGING 0 w140",
            "CHANGED 0 w140", "RELEASEDCAPTURE" }));

    host.answers[HDN_BEGINTRACK] = 1;
    host.log.clear();
    Drag(149, { 170 });
    EXPECT_EQ(host.log, (Log { "BEGINTRACK 0 w140" })) << "refused: no capture, no tracking";
    host.answers = { { HDN_ITEMCHANGING, 1 } };
    host.log.clear();
    Drag(149, { 169 });
    EXPECT_EQ(Width(0), 140) << "a refused final change keeps the width";
    // Losing the capture ends the drag at the last width.
    host.answers.clear();
    host.log.clear();
    desktop.MouseMove(149, 20);
    desktop.MouseDown();
    desktop.MouseMove(129, 20);
    SetCapture(parent);
    desktop.MouseUp();
    EXPECT_EQ(host.log,
        (Log { "BEGINTRACK 0 w140", "TRACK 0 w120", "ENDTRACK 0 w120", "CHANGING 0 w120", "CHANGED 0 w120",
            "RELEASEDCAPTURE" }));
}

TEST_F(WinHeader, FullDragResizesWhileDragging)
{
    SetStyle(HDS_FULLDRAG);
    host.drawn.clear();
    desktop.MouseMove(189, 20);
    desktop.MouseDown();
    desktop.MouseMove(209, 20);
    EXPECT_EQ(Width(1), 100) << "applied at once";
    EXPECT_EQ(host.drawn.size(), 2u) << "the resized item and the one it pushed are redrawn";
    host.answers[HDN_ITEMCHANGING] = 1;
    desktop.MouseMove(229, 20);
    EXPECT_EQ(Width(1), 100) << "a refused step";
    host.answers.clear();
    desktop.MouseMove(0, 20);
    desktop.MouseUp();
    EXPECT_EQ(Width(1), 0) << "never below zero";
    EXPECT_EQ(host.log,
        (Log { "BEGINTRACK 1 w80", "CHANGING 1 w100", "CHANGED 1 w100", "CHANGING 1 w120", "CHANGING 1 w0",
            "CHANGED 1 w0", "ENDTRACK 1 w0", "CHANGING 1 w0", "CHANGED 1 w0", "RELEASEDCAPTURE" }));
}

TEST_F(WinHeader, DraggingAnItemReordersUnlessRefused)
{
    desktop.MouseMove(40, 20);
    desktop.MouseDown();
    desktop.MouseMove(60, 20);
    EXPECT_EQ(GetCursor(), IDC_SIZEALL);
    desktop.MouseMove(235, 20);
    EXPECT_EQ(Pixel(250, 20), Sys(COLOR_HIGHLIGHT)) << "the drop marker after the last item";
    std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
    desktop.Screenshot(std::string(TAVIX_TEST_OUTPUT_DIR) + "/win_header_drag.png");  // for eyes
    desktop.MouseUp();

    struct Case {
        int from, to, toY;
        std::map<UINT, LRESULT> answers;
        Log log;
        std::vector<int> order;
    } cases[] = {
        { 40, 235, 20, {}, { "BEGINDRAG 0", "ENDDRAG 0 o2", "RELEASEDCAPTURE" }, { 1, 2, 0 } },
        { 215, 12, 20, {}, { "BEGINDRAG 2", "ENDDRAG 2 o0", "RELEASEDCAPTURE" }, { 2, 0, 1 } },
        { 40, 70, 20, {}, { "BEGINDRAG 0", "ENDDRAG 0 o0", "RELEASEDCAPTURE" }, { 0, 1, 2 } },
        { 40, 235, 120, {}, { "BEGINDRAG 0", "ENDDRAG 0 o-1", "RELEASEDCAPTURE" }, { 0, 1, 2 } },
        { 40, 235, 20, { { HDN_ENDDRAG, 1 } }, { "BEGINDRAG 0", "ENDDRAG 0 o2", "RELEASEDCAPTURE" }, { 0, 1, 2 } },
        { 40, 235, 20, { { HDN_BEGINDRAG, 1 } }, { "BEGINDRAG 0", "RELEASEDCAPTURE" }, { 0, 1, 2 } },
    };
    for (const Case& c : cases) {
        Header_SetOrderArray(header, std::vector<int> { 0, 1, 2 });
        host.answers = c.answers;
        host.log.clear();
        desktop.Advance(1000);
        desktop.MouseMove(c.from, 20);
        desktop.MouseDown();
        desktop.MouseMove(c.from + 10, 20);
        desktop.MouseMove(c.to, c.toY);
        desktop.MouseUp();
        EXPECT_EQ(host.log, c.log) << c.from << " -> " << c.to << "," << c.toY;
        EXPECT_EQ(Order(), c.order) << c.from << " -> " << c.to << "," << c.toY;
    }
    // Refusing by releasing the capture, as the grid does, ends the press at once.
    host.releaseOnBeginDrag = true;
    host.log.clear();
    desktop.Advance(1000);
    Drag(40, { 60, 235 });
    EXPECT_EQ(host.log, (Log { "BEGINDRAG 0", "RELEASEDCAPTURE" }));
}

TEST_F(WinHeader, OwnerDrawnItemsAreDrawnByTheParentInsideTheirBorder)
{
    InvalidateRect(header, nullptr, false);
    desktop.RunUntilIdle();
    ASSERT_EQ(host.drawn.size(), 3u);
    for (UINT i = 0; i < 3; ++i) {
        const DRAWITEMSTRUCT& dis = host.drawn[i];
        EXPECT_EQ((std::vector<UINT> { dis.CtlType, dis.itemID, dis.itemAction, dis.itemState }),
            (std::vector<UINT> { ODT_HEADER, i, ODA_DRAWENTIRE, 0 }));
        EXPECT_EQ(dis.hwndItem, header);
        EXPECT_EQ(dis.itemData, i + 1);
    }
    EXPECT_EQ(host.drawn[1].rcItem, (RECT { 100, 0, 180, 20 })) << "the whole item, border included";
    EXPECT_EQ(Pixel(10 + 101, 20), Sys(COLOR_BTNHIGHLIGHT)) << "the parent's fill is clipped to the item";
    EXPECT_EQ(Pixel(10 + 102, 20), ToPixel(ItemColor(2)));

    host.drawn.clear();
    desktop.MouseMove(150, 20);
    desktop.MouseDown();
    ASSERT_EQ(host.drawn.size(), 1u);
    EXPECT_EQ(host.drawn[0].itemState, ODS_SELECTED);
    EXPECT_EQ(Pixel(10 + 101, 20), ToPixel(ItemColor(2))) << "a pressed item has a flat one-pixel frame";
    desktop.MouseUp();

    host.drawn.clear();
    Header_SetItem(header, 2, HDITEM {});
    desktop.RunUntilIdle();
    ASSERT_EQ(host.drawn.size(), 1u) << "an empty change repaints its item only";
    EXPECT_EQ(host.drawn[0].itemID, 2u);

    // Deleting the pressed item ends the press; deleting another does not.
    host.log.clear();
    desktop.Advance(1000);
    desktop.MouseDown();
    Header_DeleteItem(header, 0);
    EXPECT_EQ(GetCapture(), header);
    Header_DeleteItem(header, 0);
    desktop.MouseUp();
    EXPECT_EQ(host.log, (Log { "RELEASEDCAPTURE" }));
}

TEST_F(WinHeader, StyleChangesRepaintAndTakeEffectAtOnce)
{
    EXPECT_EQ(Pixel(10 + 99, 10 + 19), Sys(COLOR_3DDKSHADOW)) << "raised push buttons";
    SetStyle(0);
    EXPECT_EQ(host.drawn.size(), 3u) << "rewriting the style word repaints everything";
    SetStyle(0, HDS_BUTTONS);
    EXPECT_EQ(Pixel(60, 10 + 19), Sys(COLOR_BTNHIGHLIGHT)) << "flat items over an etched line";
    EXPECT_EQ(Pixel(60, 10 + 18), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(host.drawn.back().rcItem, (RECT { 180, 0, 240, 20 }));
    // An item the control draws itself: right-aligned text before its sort arrow.
    Header_SetItem(header, 2,
        HDITEM { .mask = HDI_FORMAT | HDI_TEXT, .pszText = const_cast<char*>("Size"), .fmt = HDF_RIGHT | HDF_SORTUP });
    auto dark = [&](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 12; y < 28; ++y)
                n += (Pixel(x, y) & 0xFF) < 0x60;
        return n;
    };
    EXPECT_EQ(dark(190, 208), 0);
    EXPECT_GT(dark(208, 234), 0);
    EXPECT_EQ(dark(234, 250), 0);
    UniqueGdiObject images(ImageList_Create(8, 8, ILC_COLOR32, 1, 0));
    ImageList_AddImage(images, RgbaImage { 8, 8, std::vector<uint32_t>(64, 0xFF0000FF) });
    SendMessage(header, HDM_SETIMAGELIST, HDSIL_NORMAL, images);
    Header_SetItem(header, 2, HDITEM { .mask = HDI_FORMAT | HDI_IMAGE, .fmt = HDF_IMAGE, .iImage = 0 });
    EXPECT_EQ(Pixel(10 + 186, 20), 0x0000FFu) << "the image before the text";
    host.log.clear();
    SetStyle(HDS_BUTTONS | HDS_FULLDRAG, HDS_DRAGDROP);
    Drag(40, { 60, 80 });
    Drag(189, { 199 });
    EXPECT_EQ(host.log,
        (Log { "CLICK 0", "RELEASEDCAPTURE", "BEGINTRACK 1 w80", "CHANGING 1 w90", "CHANGED 1 w90", "ENDTRACK 1 w90",
            "CHANGING 1 w90", "CHANGED 1 w90", "RELEASEDCAPTURE" }));
}

namespace {
// A subclass as the grid installs it: the native handling first, then its own.
WNDPROC g_native = nullptr;
std::vector<int> g_hovered;
LRESULT FixedColumns(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    LRESULT r = CallWindowProc(g_native, h, m, wp, lp);
    if (m == WM_SETCURSOR)
        SetCursor(LoadCursor(IDC_ARROW));
    if (m == WM_MOUSEMOVE) {
        HDHITTESTINFO info { { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) } };
        g_hovered.push_back(Header_HitTest(h, &info));
    }
    return r;
}
}  // namespace

TEST_F(WinHeader, CursorAndMouseReachASubclass)
{
    desktop.MouseMove(109, 20);
    EXPECT_EQ(GetCursor(), IDC_SIZEWE);
    desktop.MouseMove(150, 20);
    EXPECT_EQ(GetCursor(), IDC_ARROW);
    g_native = ToWndProc(SetWindowLongPtr(header, GWLP_WNDPROC, FromWndProc(FixedColumns)));
    g_hovered.clear();
    desktop.MouseMove(109, 20);
    desktop.MouseMove(300, 20);
    EXPECT_EQ(GetCursor(), IDC_ARROW);
    EXPECT_EQ(g_hovered, (std::vector<int> { 0, -1 }));

    // The parent decides whether a press activates; eating it keeps it from the header.
    host.activate = MA_NOACTIVATEANDEAT;
    desktop.Click(150, 20);
    EXPECT_TRUE(host.log.empty());
    host.activate = MA_NOACTIVATE;
    desktop.Click(150, 20);
    EXPECT_EQ(host.log, (Log { "CLICK 1", "RELEASEDCAPTURE" }));
}
