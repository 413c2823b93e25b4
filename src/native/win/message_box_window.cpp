#include "native/win/message_box_window.h"
#include "native/win/message_box_icon.h"
#include <tavix/native/text.h>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

constexpr int32_t kCaptionHeight = 24, kMargin = 14, kIconSize = 32, kIconGap = 12, kButtonWidth = 82,
                  kButtonHeight = 25, kButtonGap = 8, kFooterPad = 10, kMaxTextWidth = 420, kMinWidth = 240,
                  kCaptionPad = 8;
constexpr UINT kTextFlags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
constexpr COLORREF kDefaultFrame = RGB(0, 0, 0);

void Ring(HDC dc, const Rect& r, int topLeft, int bottomRight)
{
    FillRect(dc, { r.left, r.top, r.right, r.top + 1 }, GetSysColorBrush(topLeft));
    FillRect(dc, { r.left, r.top, r.left + 1, r.bottom }, GetSysColorBrush(topLeft));
    FillRect(dc, { r.left, r.bottom - 1, r.right, r.bottom }, GetSysColorBrush(bottomRight));
    FillRect(dc, { r.right - 1, r.top, r.right, r.bottom }, GetSysColorBrush(bottomRight));
}

bool Inside(const Rect& r, POINT p) { return r.Contains(Point { p.x, p.y }); }

}  // namespace

void MessageBoxWindow::Show(std::string_view text, UINT type, HWND owner)
{
    text_ = text;
    type_ = type;
    buttons_ = MessageBoxButtons::For(type);
    focus_ = buttons_.defaultIndex;

    HDC dc = GetDC(hwnd_);
    Rect measured { 0, 0, kMaxTextWidth, 0 };
    DrawText(dc, text_.empty() ? std::string_view(" ") : std::string_view(text_), measured, kTextFlags | DT_CALCRECT);
    Size caption;
    GetTextExtentPoint32(dc, GetWindowText(hwnd_), &caption);
    ReleaseDC(hwnd_, dc);

    const bool icon = (type & MB_ICONMASK) != 0;
    const int32_t textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);
    const int32_t buttonsWidth
        = static_cast<int32_t>(buttons_.buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int32_t clientWidth = std::max(
        { kMinWidth, textLeft + measured.Width() + kMargin, buttonsWidth + 2 * kMargin, caption.cx + 2 * kCaptionPad });
    const int32_t bodyHeight = std::max(measured.Height(), icon ? kIconSize : 0);
    iconRect_ = { kMargin, kCaptionHeight + kMargin, kMargin + kIconSize, kCaptionHeight + kMargin + kIconSize };
    // A one-line text sits level with the middle of the icon.
    const int32_t textTop = kCaptionHeight + kMargin + (bodyHeight - measured.Height()) / 2;
    textRect_ = { textLeft, textTop, textLeft + measured.Width(), textTop + measured.Height() };
    footerTop_ = kCaptionHeight + kMargin + bodyHeight + kMargin;
    const int32_t width = clientWidth + 2, height = footerTop_ + kFooterPad * 2 + kButtonHeight + 2;

    RECT area { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (owner)
        GetWindowRect(owner, &area);
    int32_t x = std::max(0, (area.left + area.right - width) / 2);
    int32_t y = std::max(0, (area.top + area.bottom - height) / 2);
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
    SetFocus(hwnd_);
}

Rect MessageBoxWindow::ButtonRect(size_t index) const
{
    RECT c;
    GetClientRect(hwnd_, &c);
    const auto n = static_cast<int32_t>(buttons_.buttons.size());
    const int32_t left = c.right - kMargin - n * (kButtonWidth + kButtonGap) + kButtonGap
        + static_cast<int32_t>(index) * (kButtonWidth + kButtonGap);
    const int32_t top = footerTop_ + kFooterPad;
    return { left, top, left + kButtonWidth, top + kButtonHeight };
}

int MessageBoxWindow::ButtonAt(POINT pt) const
{
    for (size_t i = 0; i < buttons_.buttons.size(); ++i)
        if (Inside(ButtonRect(i), pt))
            return static_cast<int>(i);
    return -1;
}

LRESULT MessageBoxWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd_, nullptr, false); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam)); return 0;
    case WM_CHAR:
        if (int i = buttons_.IndexOfKey(static_cast<char32_t>(wParam)); i >= 0)
            answer_ = buttons_.buttons[static_cast<size_t>(i)].id;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: OnMouse(msg, lParam); return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        pressed_ = -1;
        InvalidateRect(hwnd_, nullptr, false);
        return 0;
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void MessageBoxWindow::Focus(size_t index)
{
    focus_ = index % buttons_.buttons.size();
    InvalidateRect(hwnd_, nullptr, false);
}

void MessageBoxWindow::OnKeyDown(int vk)
{
    const size_t n = buttons_.buttons.size();
    const bool back = vk == VK_LEFT || vk == VK_UP || (vk == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    switch (vk) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: Focus(back ? focus_ + n - 1 : focus_ + 1); break;
    case VK_RETURN:
    case VK_SPACE: answer_ = buttons_.buttons[focus_].id; break;
    case VK_ESCAPE: answer_ = buttons_.escapeId; break;
    default: break;
    }
}

void MessageBoxWindow::OnMouse(UINT msg, LPARAM lParam)
{
    POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    POINT screen = pt;
    ClientToScreen(hwnd_, &screen);
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        pressed_ = ButtonAt(pt);
        pressedInside_ = pressed_ >= 0;
        dragging_ = pressed_ < 0 && pt.y < kCaptionHeight;
        dragFrom_ = screen;
        if (pressed_ >= 0)
            Focus(static_cast<size_t>(pressed_));
        if (pressed_ >= 0 || dragging_)
            SetCapture(hwnd_);
    } else if (msg == WM_MOUSEMOVE && dragging_) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        SetWindowPos(
            hwnd_, 0, r.left + screen.x - dragFrom_.x, r.top + screen.y - dragFrom_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dragFrom_ = screen;
    } else if (msg == WM_MOUSEMOVE && pressed_ >= 0) {
        bool inside = ButtonAt(pt) == pressed_;
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            InvalidateRect(hwnd_, nullptr, false);
        }
    } else if (msg == WM_LBUTTONUP) {
        int chosen = pressed_ >= 0 && ButtonAt(pt) == pressed_ ? pressed_ : -1;
        ReleaseCapture();
        if (chosen >= 0)
            answer_ = buttons_.buttons[static_cast<size_t>(chosen)].id;
    }
}

void MessageBoxWindow::PaintButton(HDC dc, size_t index) const
{
    Rect r = ButtonRect(index);
    const bool isDefault = index == focus_;
    const bool down = static_cast<int>(index) == pressed_ && pressedInside_;
    FillRect(dc, r, GetSysColorBrush(COLOR_BTNFACE));
    if (isDefault) {
        UniqueGdiObject frame(CreateSolidBrush(kDefaultFrame));
        FrameRect(dc, r, frame);
        r = r.Inflate(-1, -1);
    }
    if (down) {
        Ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    } else {
        Ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
        Ring(dc, r.Inflate(-1, -1), COLOR_3DLIGHT, COLOR_BTNSHADOW);
    }
    Rect label = down ? r.Offset(1, 1) : r;
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, buttons_.buttons[index].label, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (index == focus_ && GetFocus() == hwnd_)
        DrawFocusRect(dc, r.Inflate(-4, -4));
}

void MessageBoxWindow::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc)
        return;
    RECT c;
    GetClientRect(hwnd_, &c);
    SetBkMode(dc, TRANSPARENT);
    FillRect(dc, { 0, 0, c.right, kCaptionHeight }, GetSysColorBrush(COLOR_ACTIVECAPTION));
    {
        UniqueGdiObject bold(CreateFontFromSpec(FontSpec { .weight = FW_BOLD }));
        DcStateSaver saver(dc);
        SelectObject(dc, bold);
        SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
        Rect title { kCaptionPad, 0, c.right - kCaptionPad, kCaptionHeight };
        DrawText(dc, GetWindowText(hwnd_), title, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    FillRect(dc, { 0, kCaptionHeight, c.right, footerTop_ }, GetSysColorBrush(COLOR_WINDOW));
    FillRect(dc, { 0, footerTop_, c.right, c.bottom }, GetSysColorBrush(COLOR_BTNFACE));
    DrawMessageBoxIcon(dc, iconRect_, type_);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    Rect text = textRect_;
    DrawText(dc, text_, text, kTextFlags);
    for (size_t i = 0; i < buttons_.buttons.size(); ++i)
        PaintButton(dc, i);
    EndPaint(hwnd_, &ps);
}

}  // namespace tavix::native
