#include <gtest/gtest.h>
#include <optional>
#include <tavix/native/desktop.h>
#include <tavix/native/message_filter.h>
#include <vector>

using namespace tavix::native;

namespace {

struct Entry {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    bool operator==(const Entry&) const = default;
};
std::vector<Entry> g_log;

LRESULT Recorder(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m != WM_PAINT && m != WM_ERASEBKGND)
        g_log.push_back({ h, m, wp });
    // Re-entrancy: the first user message sends a second one from inside.
    if (m == WM_USER)
        SendMessage(h, WM_USER + 1, wp + 1, 0);
    if (m == WM_USER + 2)
        PostMessage(h, WM_USER + 3, 0, 0);
    return m == WM_USER + 1 ? static_cast<LRESULT>(wp * 10) : DefWindowProc(h, m, wp, lp);
}

class WinMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        RegisterClass("Rec", Recorder);
    }
    std::vector<UINT> MessagesOf(HWND h) const
    {
        std::vector<UINT> out;
        for (auto& e : g_log)
            if (e.hwnd == h)
                out.push_back(e.msg);
        return out;
    }
    Desktop desktop { 800, 600 };
};

}  // namespace

TEST_F(WinMessages, SendIsSynchronousAndReentrant)
{
    HWND w = CreateWindowEx(0, "Rec", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    g_log.clear();
    SendMessage(w, WM_USER, 4, 0);
    EXPECT_EQ(g_log, (std::vector<Entry> { { w, WM_USER, 4 }, { w, WM_USER + 1, 5 } }));
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 7, 0), 70);
}

TEST_F(WinMessages, PostedMessagesWaitForThePumpInOrder)
{
    HWND w = CreateWindowEx(0, "Rec", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    g_log.clear();
    PostMessage(w, WM_USER + 5, 1, 0);
    PostMessage(w, WM_USER + 2, 2, 0);
    EXPECT_TRUE(g_log.empty());
    desktop.RunUntilIdle();
    // A message posted while dispatching is dispatched in the same run.
    EXPECT_EQ(MessagesOf(w), (std::vector<UINT> { WM_USER + 5, WM_USER + 2, WM_USER + 3 }));
    EXPECT_FALSE(PostMessage(999, WM_USER, 0, 0));
}

namespace {
struct Taker : MessageFilter {
    std::vector<WPARAM> asked;
    WPARAM takes { 0 };
    bool TranslateAccelerator(const MSG& m) override
    {
        asked.push_back(m.wParam);
        return m.wParam == takes;
    }
};
}  // namespace

TEST_F(WinMessages, KeyMessagesPassTheFiltersActiveObjectFirstBeforeDispatch)
{
    HWND w = CreateWindowEx(0, "Rec", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    SetFocus(w);
    Taker app, active;
    app.takes = VK_F5;
    active.takes = VK_DOWN;
    ScopedMessageFilter appScope(app, FilterStage::Application);
    g_log.clear();
    {
        ScopedMessageFilter activeScope(active, FilterStage::ActiveObject);
        desktop.KeyDown(VK_DOWN);
        desktop.KeyDown(VK_F5);
        PostMessage(w, WM_USER + 5, 0, 0);
        desktop.RunUntilIdle();
    }
    desktop.KeyDown(VK_DOWN);
    EXPECT_EQ(active.asked, (std::vector<WPARAM> { VK_DOWN, VK_F5 })) << "keyboard messages only";
    EXPECT_EQ(app.asked, (std::vector<WPARAM> { VK_F5, VK_DOWN })) << "what an earlier filter took goes no further";
    EXPECT_EQ(MessagesOf(w), (std::vector<UINT> { WM_USER + 5, WM_KEYDOWN }));
}

TEST_F(WinMessages, CreateAndDestroyLifecycle)
{
    HWND top = CreateWindowEx(0, "Rec", "top", WS_VISIBLE, 10, 10, 200, 100, 0);
    HWND child = CreateWindowEx(0, "Rec", "c", WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, top);
    EXPECT_EQ(MessagesOf(child), (std::vector<UINT> { WM_CREATE, WM_SIZE }));
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(CreateWindowEx(0, "Rec", "", WS_CHILD, 0, 0, 1, 1, 0), 0);
    SetFocus(child);
    SetCapture(child);
    PostMessage(child, WM_USER + 9, 0, 0);
    g_log.clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(MessagesOf(top), (std::vector<UINT> { WM_DESTROY }));
    EXPECT_EQ(MessagesOf(child), (std::vector<UINT> { WM_DESTROY }));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetFocus(), 0);
    EXPECT_EQ(GetCapture(), 0);
    g_log.clear();
    desktop.RunUntilIdle();
    EXPECT_TRUE(g_log.empty()) << "a message posted to a destroyed window must be dropped";
}

TEST_F(WinMessages, WindowProcReplacementChainsThroughCallWindowProc)
{
    static WNDPROC s_previous = nullptr;
    static int s_seen = 0;
    HWND w = CreateWindowEx(0, "Rec", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    WNDPROC hook = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        ++s_seen;
        return CallWindowProc(s_previous, h, m, wp, lp) + 1;
    };
    s_seen = 0;
    s_previous = ToWndProc(SetWindowLongPtr(w, GWLP_WNDPROC, FromWndProc(hook)));
    EXPECT_EQ(s_previous, &Recorder);
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 2, 0), 21);
    EXPECT_EQ(s_seen, 1);
    SetWindowLongPtr(w, GWLP_WNDPROC, FromWndProc(s_previous));
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 2, 0), 20);
}

TEST_F(WinMessages, PropertiesStoreIntegersPerWindow)
{
    HWND a = CreateWindowEx(0, "Rec", "", 0, 0, 0, 10, 10, 0);
    HWND b = CreateWindowEx(0, "Rec", "", 0, 0, 0, 10, 10, 0);
    EXPECT_TRUE(SetProp(a, "k", -42));
    EXPECT_EQ(GetProp(a, "k"), -42);
    EXPECT_EQ(GetProp(b, "k"), 0);
    EXPECT_EQ(RemoveProp(a, "k"), -42);
    EXPECT_FALSE(HasProp(a, "k"));
    EXPECT_FALSE(SetProp(999, "k", 1));
}
