#pragma once
// Invalidation and painting of windows. Each window draws into its own
// backing surface; the Desktop composes them in z-order into the screen frame.
#include <tavix/native/gdi.h>
#include <tavix/native/window.h>

namespace tavix::native {

struct PAINTSTRUCT {
    HDC hdc { 0 };
    bool fErase { false };
    RECT rcPaint;  // client coordinates
};

// nullptr = the whole client area.
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool ValidateRect(HWND hwnd, const RECT* rect);
bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase = false);
// Sends WM_PAINT at once when the window has something to paint.
bool UpdateWindow(HWND hwnd);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// A DC over the client area; GetDC(0) draws on the screen frame over every window.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

}  // namespace tavix::native
