#include "paint/ux_theme.h"

namespace tavix {
namespace {

using HTHEME = intptr_t;
constexpr uint32_t kErrorNotFound = 1168;

// The visual-style engine's entry points. There is no engine on this
// platform: no class has theme data.
HTHEME OpenThemeData(native::HWND, const std::string&) { return 0; }
void CloseThemeData(HTHEME) { }
void DrawThemeParentBackground(native::HWND, native::HDC, const native::Rect&) { }
void DrawThemeBackground(HTHEME, native::HDC, int32_t, int32_t, const native::Rect&, const native::Rect&) { }
native::Size GetThemePartSize(HTHEME, native::HDC, int32_t, int32_t) { return {}; }

}  // namespace

void UxTheme::SetLeft(int32_t v)
{
    left_ = v;
    UpdateRect();
}
void UxTheme::SetTop(int32_t v)
{
    top_ = v;
    UpdateRect();
}
void UxTheme::SetWidth(int32_t v)
{
    width_ = v;
    UpdateRect();
}
void UxTheme::SetHeight(int32_t v)
{
    height_ = v;
    UpdateRect();
}

void UxTheme::UpdateRect() { rect_ = { left_, top_, left_ + width_, top_ + height_ }; }

void UxTheme::DrawBackground()
{
    const HTHEME theme = OpenThemeData(hwnd_, className_);
    if (!theme) {
        reporter_("No theme data for class '" + className_ + "'", kErrorNotFound);
        return;
    }
    DrawThemeParentBackground(hwnd_, hdc_, rect_);
    DrawThemeBackground(theme, hdc_, part_, state_, rect_, rect_);
    CloseThemeData(theme);
}

int32_t UxTheme::GetPartSize()
{
    const HTHEME theme = OpenThemeData(hwnd_, className_);
    if (!theme)
        return 0;
    const native::Size size = GetThemePartSize(theme, hdc_, part_, state_);
    CloseThemeData(theme);
    return size.cx;
}

}  // namespace tavix
