#include <functional>
#include <gtest/gtest.h>
#include <tavix/native/desktop.h>
#include <tavix/native/gdi.h>
#include <tavix/native/message_box.h>

#include "native/win/message_box_icon.h"
#include "support/scripted_pump.h"

using namespace tavix::native;
using tavix::testing::ScriptedPump;

namespace {

LRESULT OwnerProc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

class WinMessageBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClass("Owner", OwnerProc);
        owner = CreateWindowEx(0, "Owner", "", WS_VISIBLE, 0, 0, 600, 400, 0);
        child = CreateWindowEx(0, "Owner", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, owner);
        SetFocus(child);
    }
    int Run(UINT type, std::vector<std::function<void()>> steps)
    {
        ScriptedPump pump(std::move(steps));
        desktop.SetEventPump(&pump);
        int answer = MessageBox(child, "Invalid value (Type mismatch).", "Input validation", type);
        desktop.SetEventPump(nullptr);
        return answer;
    }
    void Press(int vk)
    {
        desktop.KeyDown(vk);
        desktop.KeyUp(vk);
    }

    Desktop desktop { 800, 600 };
    HWND owner { 0 };
    HWND child { 0 };
};

}  // namespace

TEST_F(WinMessageBox, QueuedAnswersAreReturnedAndEveryCallIsRecorded)
{
    desktop.QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBox(child, "Save?", "Tavix", MB_YESNO | MB_ICONQUESTION), IDNO);
    // Nothing queued and no pump: the default button answers.
    EXPECT_EQ(MessageBox(child, "Again?", "Tavix", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(desktop.MessageBoxCalls(),
        (std::vector<MessageBoxCall> { { "Save?", "Tavix", MB_YESNO | MB_ICONQUESTION, IDNO },
            { "Again?", "Tavix", MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL } }));
    EXPECT_EQ(GetFocus(), child);
}

TEST_F(WinMessageBox, TheShownBoxIsModalAndAnswersKeysAndClicks)
{
    bool ownerDisabled = false;
    uint32_t iconPixel = 0;
    int answer = Run(MB_YESNOCANCEL | MB_ICONERROR,
        {
            [&] {
                ownerDisabled = !IsWindowEnabled(owner);
                HWND box = GetFocus();
                RECT r;
                GetWindowRect(box, &r);
                // The error icon: its red disc beside the white cross.
                iconPixel = desktop.Frame().Pixel(r.left + 1 + 14 + 5, r.top + 1 + 24 + 14 + 16);
            },
            [&] { Press(VK_TAB); },
            [&] { Press(VK_RETURN); },
        });
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(iconPixel, ToPixel(RGB(214, 48, 49)));
    EXPECT_EQ(answer, IDNO) << "Tab moved from Yes to No";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(desktop.MessageBoxCalls().back().answer, IDNO);

    EXPECT_EQ(Run(MB_YESNO, { [&] { Press(VK_ESCAPE); }, [&] { desktop.Char('n'); } }), IDNO)
        << "Escape does nothing without Cancel; the underlined letter answers";
    EXPECT_EQ(Run(MB_OK, { [&] { Press(VK_ESCAPE); } }), IDOK);
    EXPECT_EQ(Run(MB_OKCANCEL, { [&] { Press(VK_ESCAPE); } }), IDCANCEL);
    EXPECT_EQ(Run(MB_OKCANCEL, {}), IDCANCEL) << "a pump that stops answers as Escape would";

    // A press held on a button counts only when released over it.
    EXPECT_EQ(Run(MB_OKCANCEL,
                  { [&] {
                       RECT r;
                       GetWindowRect(GetFocus(), &r);
                       desktop.MouseMove(r.right - 20, r.bottom - 15);  // Cancel
                       desktop.MouseDown();
                       desktop.MouseMove(r.right - 120, r.bottom - 15);  // OK
                       desktop.MouseUp();
                   },
                      [&] {
                          RECT r;
                          GetWindowRect(GetFocus(), &r);
                          desktop.Click(r.right - 20, r.bottom - 15);
                      } }),
        IDCANCEL);
}

TEST(MessageBoxIcon, EachKindHasItsShapeAndColour)
{
    constexpr int kSize = 32;
    struct Case {
        UINT icon;
        POINT at;  // inside the shape, clear of its mark
        COLORREF color;
    } cases[] = {
        { MB_ICONERROR, { 5, 16 }, RGB(214, 48, 49) },
        { MB_ICONQUESTION, { 5, 16 }, RGB(32, 104, 204) },
        { MB_ICONINFORMATION, { 5, 16 }, RGB(32, 104, 204) },
        { MB_ICONWARNING, { 11, 24 }, RGB(247, 196, 33) },
    };
    for (const auto& c : cases) {
        UniqueDC dc(CreateCompatibleDC(0));
        UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, kSize, kSize));
        SelectObject(dc, bitmap);
        FillRect(dc, { 0, 0, kSize, kSize }, GetSysColorBrush(COLOR_WINDOW));
        DrawMessageBoxIcon(dc, { 0, 0, kSize, kSize }, c.icon);
        EXPECT_EQ(GetPixel(dc, c.at.x, c.at.y), c.color) << c.icon;
        EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_WINDOW)) << "corners stay clear";
    }
}
