#include "platform/grid_view.h"

#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "interaction/selection.h"
#include "layout/layout.h"
#include "paint/grid_painter.h"

#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

namespace tavix::platform {

namespace {

constexpr const char* kClassName = "Tavix";
constexpr const char* kObjectProp = "ObjPtr_";

native::LRESULT GridWindowProc(native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    auto* view = reinterpret_cast<GridView*>(native::GetProp(hwnd, kObjectProp));
    if (view == nullptr)
        return native::DefWindowProc(hwnd, msg, wParam, lParam);
    return view->HandleMessage(msg, wParam, lParam);
}

int32_t ShiftState()
{
    auto down = [](int vk) { return (native::GetKeyState(vk) & 0x8000) != 0; };
    return (down(native::VK_SHIFT) ? 1 : 0) | (down(native::VK_CONTROL) ? 2 : 0) | (down(native::VK_MENU) ? 4 : 0);
}

native::DWORD FrameExStyle(int32_t appearance, int32_t borderStyle)
{
    if (appearance == 0 || borderStyle == 0)
        return 0;
    return borderStyle == 2 ? native::WS_EX_CLIENTEDGE : native::WS_EX_STATICEDGE;
}

}  // namespace

native::HWND GridView::Create(native::HWND parent, int32_t x, int32_t y, int32_t width, int32_t height)
{
    // Classes belong to the desktop, and a process may run several in turn.
    native::RegisterClass(kClassName, GridWindowProc, native::CS_DBLCLKS);
    const auto& look = s_.look;
    native::DWORD style = native::WS_VISIBLE | (parent != 0 ? native::WS_CHILD : 0);
    if (look.appearance == 0 && look.borderStyle != 0)
        style |= native::WS_BORDER;
    hwnd_ = native::CreateWindowEx(FrameExStyle(look.appearance, look.borderStyle), kClassName, "", style, x, y,
        width, height, parent);
    if (hwnd_ == 0)
        return 0;
    native::SetProp(hwnd_, kObjectProp, reinterpret_cast<intptr_t>(this));
    s_.geo.hwnd = hwnd_;

    CreateScrollBars();
    s_.geo.ready = true;
    s_.redraw = true;
    OnResize();
    native::InvalidateRect(hwnd_, nullptr, false);
    return hwnd_;
}

native::LRESULT GridView::HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    switch (msg) {
    case native::WM_PAINT:
        OnPaint();
        return 0;
    case native::WM_ERASEBKGND:
        return 1;
    case native::WM_SIZE:
        OnResize();
        return 0;
    case native::WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case native::WM_KEYDOWN:
    case native::WM_SYSKEYDOWN:
        interaction::Keyboard(s_).OnKeyDown(static_cast<int32_t>(wParam), ShiftState());
        return 0;
    case native::WM_CHAR:
        interaction::Keyboard(s_).OnChar(static_cast<int32_t>(wParam));
        return 0;
    case native::WM_KEYUP:
    case native::WM_SYSKEYUP:
        interaction::Keyboard(s_).OnKeyUp(static_cast<int32_t>(wParam), ShiftState());
        return 0;
    case native::WM_SETFOCUS:
    case native::WM_KILLFOCUS:
        interaction::Keyboard(s_).OnFocusChanged(msg == native::WM_SETFOCUS);
        return 0;
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
        native::SetFocus(hwnd_);
        if (msg == native::WM_LBUTTONDOWN)
            ClickCell(native::GET_X_LPARAM(lParam), native::GET_Y_LPARAM(lParam));
        return 0;
    case native::WM_THEMECHANGED:
        painter_->OnThemeChanged();
        return 0;
    default:
        return native::DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// A click makes the cell under the pointer the current and only selected cell.
void GridView::ClickCell(int32_t x, int32_t y)
{
    const auto [row, col] = layout::Layout(s_).CellFromPoint(x, y);
    if (row < 1 || col < 1)
        return;
    interaction::IncrementalSearch(s_).Clear();
    interaction::Selection selection(s_);
    selection.SetSelAnchor(row, col, true);
    if (row == s_.curRow && col == s_.curCol)
        return;
    CancelEdit();
    selection.SelectOnly(row, col);
    selection.MoveTail(row, col);
}

}  // namespace tavix::platform
