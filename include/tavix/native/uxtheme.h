#pragma once
// The visual-style calls the control makes. This platform has no visual-style
// engine: no application is themed and no class ("Header", "Button" ...) has
// theme data, so callers take their classic drawing paths. The calls keep the
// platform's shape so that such code needs no conditionals; none draws.
#include <cstdint>
#include <string_view>
#include <tavix/native/gdi.h>
#include <tavix/native/messages.h>

namespace tavix::native {

using HTHEME = intptr_t;
using HRESULT = int32_t;

// Always false.
bool IsAppThemed();
// Accepts the class lists of a live window (nullptr: the default style, ""
// switches styles off) and, with nothing to switch, changes nothing.
// E_INVALIDARG for a window that does not exist.
HRESULT SetWindowTheme(HWND hwnd, const char* subAppName, const char* subIdList);
// Always 0: there is no theme data to open.
HTHEME OpenThemeData(HWND hwnd, std::string_view classList);
// S_OK for 0, the only handle OpenThemeData gives.
HRESULT CloseThemeData(HTHEME theme);
// Without theme data there is nothing to draw: E_INVALIDARG.
HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* rect, const RECT* clip);
// Only themed, partly transparent parts need their parent's background, and
// there are none: draws nothing and reports S_OK.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* rect);

}  // namespace tavix::native
