#include <gtest/gtest.h>
#include <string>
#include <tavix/native/desktop.h>
#include <tavix/native/subclass.h>
#include <vector>

using namespace tavix::native;

namespace {

std::vector<std::string> g_trace;

LRESULT BaseProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_USER)
        g_trace.push_back("base");
    return m == WM_USER ? 7 : DefWindowProc(h, m, wp, lp);
}

class Owner : public SubclassOwner {
public:
    explicit Owner(std::string name, bool passOn = true)
        : name_(std::move(name))
        , passOn_(passOn)
    {
    }
    void SubclassProc(WNDPROC previous, HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (m == WM_USER)
            g_trace.push_back(name_);
        result = passOn_ ? CallWindowProc(previous, h, m, wp, lp) : -1;
    }

private:
    std::string name_;
    bool passOn_;
};

class WinSubclass : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_trace.clear();
        RegisterClass("Base", BaseProc);
        hwnd = CreateWindowEx(0, "Base", "", WS_VISIBLE, 0, 0, 50, 50, 0);
    }
    // Owners outlive the desktop: its teardown still sends WM_DESTROY through them.
    Owner grid { "grid" }, header { "header" }, editor { "editor" }, eater { "eater", false }, combo { "combo" };
    Desktop desktop;
    HWND hwnd { 0 };
};

}  // namespace

TEST_F(WinSubclass, LastInstalledSeesMessagesFirstAndChainUnwinds)
{
    Subclass(hwnd, SubclassKind::Tavix, &grid);
    Subclass(hwnd, SubclassKind::HeaderParent, &header);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 7);
    EXPECT_EQ(g_trace, (std::vector<std::string> { "header", "grid", "base" }));
    EXPECT_EQ(GetProp(hwnd, "procOld_Tavix"), FromWndProc(BaseProc));
    EXPECT_EQ(GetProp(hwnd, "ObjPtr_HeaderParent"), reinterpret_cast<intptr_t>(&header));

    // Removing in reverse order restores each earlier procedure; the
    // properties stay on the window.
    Unsubclass(hwnd, SubclassKind::HeaderParent);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), FromWndProc(SubclassCallback(SubclassKind::Tavix)));
    Unsubclass(hwnd, SubclassKind::Tavix);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), FromWndProc(BaseProc));
    EXPECT_TRUE(HasProp(hwnd, "ObjPtr_Tavix"));
}

TEST_F(WinSubclass, OwnerMayHandleInsteadOfPassingOn)
{
    Subclass(hwnd, SubclassKind::TavixTextBox, &eater);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), -1);
    EXPECT_EQ(g_trace, (std::vector<std::string> { "eater" }));
}

TEST_F(WinSubclass, TogglingAHookRepeatedlyDoesNotStackIt)
{
    for (int i = 0; i < 5; ++i) {
        Subclass(hwnd, SubclassKind::TavixTextBox, &editor);
        Unsubclass(hwnd, SubclassKind::TavixTextBox);
    }
    Subclass(hwnd, SubclassKind::TavixTextBox, &editor);
    SendMessage(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(g_trace, (std::vector<std::string> { "editor", "base" }));
}

TEST_F(WinSubclass, MissingOwnerIsNotDispatchedButChainContinues)
{
    Subclass(hwnd, SubclassKind::ODCombo, &combo);
    RemoveProp(hwnd, "ObjPtr_ODCombo");
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 7);
    EXPECT_EQ(g_trace, (std::vector<std::string> { "base" }));
}
