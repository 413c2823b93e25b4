#include "native/win/timer_table.h"
#include <gtest/gtest.h>
#include <memory>
#include <tavix/native/desktop.h>
#include <tavix/timer.h>
#include <vector>

using namespace tavix;
using namespace tavix::native;

namespace {
std::vector<std::pair<UINT_PTR, DWORD>> g_ticks;
void OnTick(HWND, UINT, UINT_PTR id, DWORD time) { g_ticks.emplace_back(id, time); }

class WinTimers : public ::testing::Test {
protected:
    void SetUp() override { g_ticks.clear(); }
    Desktop desktop;
};

}  // namespace

TEST_F(WinTimers, SystemTimersFireInTimeOrderOnTheVirtualClock)
{
    UINT_PTR a = SetTimer(0, 0, 30, OnTick);
    UINT_PTR b = SetTimer(0, 0, 20, OnTick);
    ASSERT_NE(a, b);
    desktop.Advance(59);
    EXPECT_EQ(g_ticks, (std::vector<std::pair<UINT_PTR, DWORD>> { { b, 20 }, { a, 30 }, { b, 40 } }));
    EXPECT_TRUE(KillTimer(0, b));
    desktop.Advance(1);
    EXPECT_EQ(g_ticks.back(), (std::pair<UINT_PTR, DWORD> { a, 60 }));
    EXPECT_FALSE(KillTimer(0, b));
    EXPECT_EQ(SetTimer(0, 0, 10, nullptr), 0u) << "nothing could receive the tick";
}

TEST_F(WinTimers, CTimerTicksAndStops)
{
    CTimer t;
    int ticks = 0;
    t.OnThatTime = [&] { ++ticks; };
    t.SetInterval(0);  // stopped timer: nothing happens
    EXPECT_EQ(t.TimerId(), 0u);
    t.SetInterval(10);
    desktop.Advance(35);
    EXPECT_EQ(ticks, 3);
    t.SetInterval(-5);
    EXPECT_EQ(t.Interval(), 0);
    desktop.Advance(100);
    EXPECT_EQ(ticks, 3);
}

TEST_F(WinTimers, SameIntervalDoesNotRestart)
{
    CTimer t;
    int ticks = 0;
    t.OnThatTime = [&] { ++ticks; };
    t.SetInterval(10);
    UINT_PTR id = t.TimerId();
    desktop.Advance(6);
    t.SetInterval(10);
    EXPECT_EQ(t.TimerId(), id);
    desktop.Advance(4);
    EXPECT_EQ(ticks, 1) << "a restart would have pushed the tick to 16 ms";
    t.SetInterval(20);
    EXPECT_NE(t.TimerId(), id);
}

TEST_F(WinTimers, EmptiedSlotNeverTicksAgain)
{
    CTimer t;
    int ticks = 0;
    t.OnThatTime = [&] { ++ticks; };
    t.SetInterval(5);
    UINT_PTR old = t.TimerId();
    t.SetInterval(0);
    TimerTable::SharedCallback(0, WM_TIMER, old, 0);  // a late tick for the old identifier
    EXPECT_EQ(ticks, 0);
}

TEST_F(WinTimers, TableFillsFirstEmptySlotAndHighestOnlyGrows)
{
    auto& table = TimerTable::Instance();
    std::vector<std::unique_ptr<CTimer>> timers;
    for (int i = 0; i < 3; ++i) {
        timers.push_back(std::make_unique<CTimer>());
        timers.back()->SetInterval(100);
    }
    int highest = table.HighestSlotUsed();
    CTimer* second = timers[1].get();
    int slotOfSecond = 0;
    for (int s = 1; s <= highest; ++s)
        if (table.Slot(s) == second)
            slotOfSecond = s;
    ASSERT_NE(slotOfSecond, 0);
    timers[1].reset();  // the object ending stops it
    EXPECT_EQ(table.Slot(slotOfSecond), nullptr);
    EXPECT_EQ(table.HighestSlotUsed(), highest);
    CTimer again;
    again.SetInterval(50);
    EXPECT_EQ(table.Slot(slotOfSecond), &again);
}

TEST_F(WinTimers, HundredAndFirstRunningTimerIsRefused)
{
    std::vector<std::unique_ptr<CTimer>> timers;
    for (int i = 0; i < TimerTable::kSlots; ++i) {
        timers.push_back(std::make_unique<CTimer>());
        timers.back()->SetInterval(1000);
    }
    CTimer extra;
    try {
        extra.SetInterval(1000);
        FAIL() << "expected a timer error";
    } catch (const TimerError& e) {
        EXPECT_EQ(e.Code(), eeTooManyTimers);
        EXPECT_EQ(static_cast<uint32_t>(e.Number()), 0x80040000u + 13651u);
        EXPECT_EQ(e.Description(), "No more than 10 timers allowed per class");
        EXPECT_EQ(e.Source(), "Tavix.WindowProc");
    }
    EXPECT_EQ(extra.Interval(), 0);
}

TEST(WinTimersNoDesktop, RefusedSystemTimerRaisesCantCreate)
{
    ASSERT_EQ(Desktop::Current(), nullptr);
    CTimer t;
    try {
        t.SetInterval(10);
        FAIL() << "expected a timer error";
    } catch (const TimerError& e) {
        EXPECT_EQ(e.Code(), eeCantCreateTimer);
        EXPECT_EQ(e.Description(), "Can't create system timer");
    }
    EXPECT_EQ(t.Interval(), 0);
    EXPECT_EQ(t.TimerId(), 0u);
}

namespace {
std::vector<std::pair<WPARAM, DWORD>> g_windowTicks;
LRESULT TimerWindow(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_TIMER)
        g_windowTicks.emplace_back(wp, GetTickCount());
    return DefWindowProc(h, m, wp, lp);
}
}  // namespace

TEST_F(WinTimers, WindowTimersPostWmTimerAndRestartWhenSetAgain)
{
    g_windowTicks.clear();
    RegisterClass("TimerWindow", TimerWindow);
    HWND w = CreateWindowEx(0, "TimerWindow", "", 0, 0, 0, 10, 10, 0);
    EXPECT_EQ(SetTimer(w, 7, 50, nullptr), 7u);
    desktop.Advance(120);
    SetTimer(w, 7, 50, nullptr);  // restarts from now (120)
    desktop.Advance(60);
    EXPECT_EQ(g_windowTicks, (std::vector<std::pair<WPARAM, DWORD>> { { 7, 50 }, { 7, 100 }, { 7, 170 } }));
    DestroyWindow(w);
    desktop.Advance(200);
    EXPECT_EQ(g_windowTicks.size(), 3u) << "a destroyed window's timers die with it";
}
