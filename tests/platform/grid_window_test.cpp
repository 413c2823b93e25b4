// The grid's own window: creation, and each input path from the desktop through
// the window to the grid (pointer, keys, characters, focus, scroll bars, size
// and system colours). The rules behind them are tested in their folders.
#include "support/grid_window.h"

#include <tavix/native/message_box.h>
#include <tavix/native/messages.h>
#include <tavix/tavix.h>

#include <gtest/gtest.h>

namespace tavix::testing {
namespace {

using namespace native;
using Cur = std::pair<int32_t, int32_t>;

TEST(GridWindow, CreatesAPaintedWindowInsideItsFrame)
{
    WindowScene s({ .rows = 3, .create = false });
    EXPECT_FALSE(s.grid.Redraw()) << "nothing paints before the window exists";
    s.Create();
    EXPECT_TRUE(s.grid.Redraw());
    EXPECT_EQ(s.Client(), (native::Rect { 0, 0, 296, 196 })) << "the window less its sunken edge";
    EXPECT_EQ(s.Pixel(100, 150), RGB(255, 255, 255)) << "the window colour below the last row";
}

TEST(GridWindow, TheAboutBoxNamesTheControlAndTheHostMayScriptIt)
{
    WindowScene s;
    s.grid.ShowAboutBox();
    ASSERT_EQ(s.desktop.MessageBoxCalls().size(), 1u);
    EXPECT_EQ(s.desktop.MessageBoxCalls()[0].text, std::string("Tavix grid control\nVersion ") + Version());

    EXPECT_EQ(s.grid.SetInterfaceSafetyOptions("{00020400-0000-0000-C000-000000000046}", 3, 0), 0);
    for (const char* riid : { "{00020400-0000-0000-C000-000000000046}", "{00000117-0000-0000-C000-000000000046}" }) {
        int32_t supported = 0;
        int32_t enabled = 0;
        EXPECT_EQ(s.grid.GetInterfaceSafetyOptions(riid, supported, enabled), 0);
        EXPECT_EQ(std::make_pair(supported, enabled), std::make_pair(3, 3)) << riid << ", whatever was set";
    }
}

TEST(GridWindow, ClicksKeysAndCharactersReachTheGrid)
{
    WindowScene s({ .rows = 100 });
    for (int32_t r = 1; r <= 100; ++r)
        s.grid.SetCellValue(r, 1, std::string(r % 2 ? "apple " : "berry ") + std::to_string(r));
    s.grid.SetMultiSelect(true);
    s.ClickCell(2, 2);
    EXPECT_EQ(s.Cur(), Cur(2, 2));
    EXPECT_EQ(GetFocus(), s.grid.hwnd());

    s.events.Clear();
    s.Key(VK_DOWN, VK_SHIFT);
    EXPECT_EQ(s.Take({}),
        (Strings { "KeyDown(16,1,True)", "KeyDown(40,1,True)", "CellSelectionChange(3,2,True)", "CurCellChange(3,2)",
            "KeyUp(40,1)", "KeyUp(16,0)" }));
    // Alt turns the keys into system keys; they navigate all the same.
    s.Key(VK_DOWN, VK_MENU);
    EXPECT_EQ(s.Cur(), Cur(4, 2));
    s.Key(VK_NEXT);
    EXPECT_GT(s.grid.CurRow(), 10);
    EXPECT_GT(s.Layout().ScrollY(), 0);

    s.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    s.grid.SetCurCell(1, 1);
    s.desktop.TypeText("berry 4");
    EXPECT_EQ(s.grid.CurRow(), 4);
}

TEST(GridWindow, FocusRepaintsTheSelectionInItsColours)
{
    WindowScene s;
    s.grid.SetHighlightBackColor(kRed);
    s.grid.SetHighlightBackColorNoFocus(kBlue);
    s.ClickCell(2, 2);
    const native::Rect cell = s.CellRect(2, 2);
    const int focused = s.Count(cell, kRed);
    EXPECT_GT(focused, 0);
    SetFocus(0);
    s.desktop.RunUntilIdle();
    EXPECT_EQ(s.Count(cell, kRed), 0);
    EXPECT_GT(s.Count(cell, kBlue), 0);
    s.Focus();
    EXPECT_EQ(s.Count(cell, kRed), focused);
    const int64_t composed = s.Composed();
    s.Keyboard().OnFocusChanged(true);
    EXPECT_EQ(s.Composed(), composed) << "a second gain of the focus repaints nothing";
}

TEST(GridWindow, ScrollBarMessagesMoveTheViewAndAreReported)
{
    WindowScene s({ .rows = 40 });
    for (int request : { SB_LINEDOWN, SB_THUMBTRACK, SB_ENDSCROLL })
        SendMessage(s.grid.hwnd(), WM_VSCROLL, static_cast<WPARAM>(request), 0);
    EXPECT_EQ(s.Layout().ScrollY(), 15);
    EXPECT_EQ(
        s.Take(), (Strings { "ScrollBarPosChanged(1,15)", "ScrollBarThumbTrack(1,15)", "ScrollBarEndScroll(1)" }));
}

TEST(GridWindow, ResizingShowsAndHidesTheBars)
{
    WindowScene s({ .rows = 40 });
    s.grid.VScrollBar().SetValue(100);
    MoveWindow(s.grid.hwnd(), 0, 0, 300, 700);
    s.desktop.RunUntilIdle();
    EXPECT_EQ(s.Layout().ViewHeight(), 696);
    EXPECT_EQ(s.Layout().ScrollY(), 0);
    EXPECT_EQ(s.Take(),
        (Strings { "ScrollBarPosChanged(1,100)", "ScrollBarPosChanged(1,0)", "ScrollBarVisibilityChanged(1,False)" }));

    MoveWindow(s.grid.hwnd(), 0, 0, 200, 150);
    s.desktop.RunUntilIdle();
    EXPECT_EQ(s.Take(), (Strings { "ScrollBarVisibilityChanged(0,True)", "ScrollBarVisibilityChanged(1,True)" }));
    EXPECT_EQ(s.Layout().ViewWidth(), 196 - 17);
    EXPECT_EQ(s.Layout().ViewHeight(), 146 - 17);
}

TEST(GridWindow, SystemColourChangeWithTheSameMetricsRaisesNothing)
{
    WindowScene s({ .rows = 40 });
    SendMessage(s.grid.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    s.desktop.Advance(10);
    EXPECT_EQ(s.Take(), Strings {});
    EXPECT_EQ(s.grid.VScrollBar().Thickness(), GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace
}  // namespace tavix::testing

namespace tavix::testing {
namespace {

// An exception from a handler ends where someone can catch it: at the
// application's own call, or at the host when the message loop delivered the message.
TEST(GridWindow, HandlerExceptionsReachTheCallerOrElseTheHost)
{
    struct RecordingHost : StandaloneHost {
        void UnhandledException(std::exception_ptr error) override
        {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                errors.emplace_back(e.what());
            }
        }
        Strings errors;
    } host;
    struct Throwing : TavixEvents {
        void CurCellChange(int32_t, int32_t) override { throw std::runtime_error("handler failed"); }
    } sink;
    native::Desktop desktop(400, 300);
    Tavix grid(host);
    grid.AddCol();
    grid.SetRowCount(5);
    grid.Create(0, 0, 0, 300, 200);
    native::SetFocus(grid.hwnd());
    desktop.RunUntilIdle();
    grid.SetEventSink(&sink);

    EXPECT_THROW(grid.SetCurCell(2, 1), std::runtime_error);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_NO_THROW({
        desktop.KeyDown(native::VK_DOWN);
        desktop.KeyUp(native::VK_DOWN);
        desktop.RunUntilIdle();
    });
    EXPECT_EQ(host.errors, Strings { "handler failed" });
    // The grid goes on from where the handler left it.
    EXPECT_EQ(grid.CurRow(), 3);
    grid.SetEventSink(nullptr);
    desktop.KeyDown(native::VK_DOWN);
    desktop.RunUntilIdle();
    EXPECT_EQ(grid.CurRow(), 4);
}

}  // namespace
}  // namespace tavix::testing
