#include <tavix/native/uxtheme.h>
#include <tavix/native/window.h>

namespace tavix::native {

bool IsAppThemed() { return false; }

HRESULT SetWindowTheme(HWND hwnd, const char*, const char*) { return IsWindow(hwnd) ? S_OK : E_INVALIDARG; }

HTHEME OpenThemeData(HWND, std::string_view) { return 0; }

HRESULT CloseThemeData(HTHEME theme) { return theme == 0 ? S_OK : E_INVALIDARG; }

HRESULT DrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) { return E_INVALIDARG; }

HRESULT DrawThemeParentBackground(HWND, HDC, const RECT*) { return S_OK; }

}  // namespace tavix::native
