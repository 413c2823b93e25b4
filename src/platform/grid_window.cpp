#include "platform/grid_window.h"

#include "core/message_boundary.h"
#include "core/shift_state.h"

#include <tavix/enums.h>
#include <tavix/events.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

namespace tavix::platform {

namespace {

constexpr const char* kClassName = "Tavix";
constexpr const char* kObjectProp = "ObjPtr_";
// The scroll bars are re-created once the colour change has settled.
constexpr int32_t kRecreateDelayMs = 1;

native::LRESULT GridWindowProc(native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    auto* window = reinterpret_cast<GridWindow*>(native::GetProp(hwnd, kObjectProp));
    if (window == nullptr)
        return native::DefWindowProc(hwnd, msg, wParam, lParam);
    return core::AtMessageBoundary(window->GridHost(), [&] { return window->HandleMessage(msg, wParam, lParam); });
}

// Button masks of the grid's mouse events: 1 left, 2 right, 4 middle.
int16_t ButtonsDown(native::WPARAM wParam)
{
    return static_cast<int16_t>(((wParam & native::MK_LBUTTON) != 0 ? 1 : 0)
        | ((wParam & native::MK_RBUTTON) != 0 ? 2 : 0) | ((wParam & native::MK_MBUTTON) != 0 ? 4 : 0));
}

int16_t ReleasedButton(native::UINT msg)
{
    return msg == native::WM_LBUTTONUP ? 1 : msg == native::WM_RBUTTONUP ? 2 : 4;
}

}  // namespace

GridWindow::GridWindow(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
    interaction::Keyboard& keyboard, interaction::Mouse& mouse, header::GridHeader& header)
    : table_(table)
    , layout_(layout)
    , painter_(painter)
    , keyboard_(keyboard)
    , mouse_(mouse)
    , header_(header)
{
}

GridWindow::~GridWindow()
{
    recreateTimer_.reset();
    header_.Detach();
    mouse_.DetachWindow();
    layout_.DetachWindow();
    if (hwnd_ != 0 && native::IsWindow(hwnd_)) {
        native::RemoveProp(hwnd_, kObjectProp);
        native::DestroyWindow(hwnd_);
    }
}

native::HWND GridWindow::Create(native::HWND parent, int32_t x, int32_t y, int32_t width, int32_t height)
{
    // Classes belong to the desktop, and a process may run several in turn.
    native::RegisterClass(kClassName, GridWindowProc, native::CS_DBLCLKS);
    const auto [border, edges] = layout_.FrameStyles();
    const native::DWORD style = native::WS_VISIBLE | (parent != 0 ? native::WS_CHILD : 0) | border;
    hwnd_ = native::CreateWindowEx(edges, kClassName, "", style, x, y, width, height, parent);
    if (hwnd_ == 0)
        return 0;
    native::SetProp(hwnd_, kObjectProp, reinterpret_cast<intptr_t>(this));
    layout_.AttachWindow(hwnd_, *this);
    mouse_.AttachWindow(hwnd_);
    header_.Attach(hwnd_, table_.GetHost().UserMode());
    table_.MarkReady();
    OnResize();
    native::InvalidateRect(hwnd_, nullptr, false);
    return hwnd_;
}

native::LRESULT GridWindow::HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    switch (msg) {
    case native::WM_PAINT: OnPaint(); return 0;
    case native::WM_ERASEBKGND: return 1;
    case native::WM_SIZE: OnResize(); return 0;
    case native::WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case native::WM_KEYDOWN:
    case native::WM_SYSKEYDOWN: keyboard_.OnKeyDown(static_cast<int32_t>(wParam), core::ShiftState()); return 0;
    case native::WM_CHAR: keyboard_.OnChar(static_cast<int32_t>(wParam)); return 0;
    case native::WM_KEYUP:
    case native::WM_SYSKEYUP: keyboard_.OnKeyUp(static_cast<int32_t>(wParam), core::ShiftState()); return 0;
    case native::WM_SETFOCUS:
    case native::WM_KILLFOCUS: keyboard_.OnFocusChanged(msg == native::WM_SETFOCUS); return 0;
    case native::WM_THEMECHANGED: painter_.OnThemeChanged(); return 0;
    default:
        if (HandleMouse(msg, wParam, lParam))
            return 0;
        return native::DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

bool GridWindow::HandleMouse(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    const int32_t x = native::GET_X_LPARAM(lParam);
    const int32_t y = native::GET_Y_LPARAM(lParam);
    switch (msg) {
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
    case native::WM_MBUTTONDOWN:
    case native::WM_RBUTTONDBLCLK:
    case native::WM_MBUTTONDBLCLK:
        if (painter_.Look().enabled)
            native::SetFocus(hwnd_);
        // Moves of a drag keep reaching the grid when the pointer leaves it.
        if (msg == native::WM_LBUTTONDOWN)
            native::SetCapture(hwnd_);
        mouse_.OnButtonDown(ButtonsDown(wParam), core::ShiftState(), x, y);
        return true;
    case native::WM_LBUTTONDBLCLK:
        // The second press of a double click arrives only as this message.
        mouse_.OnDblClick();
        return true;
    case native::WM_LBUTTONUP:
    case native::WM_RBUTTONUP:
    case native::WM_MBUTTONUP:
        if (msg == native::WM_LBUTTONUP && native::GetCapture() == hwnd_)
            native::ReleaseCapture();
        mouse_.OnButtonUp(ReleasedButton(msg), core::ShiftState(), x, y);
        return true;
    case native::WM_MOUSEMOVE: mouse_.OnMove(ButtonsDown(wParam), core::ShiftState(), x, y); return true;
    default: return false;
    }
}

void GridWindow::ScrollPositionChanged(EScrollBar bar, int32_t value)
{
    table_.Editor().CancelEdit();
    const bool vertical = bar == tvScrollBarV;
    mouse_.OnScrolled(vertical ? 0 : value - layout_.ScrollX(), vertical ? value - layout_.ScrollY() : 0);
    layout_.ScrollTo(bar, value);
    if (!vertical)
        header_.Place();
    painter_.MarkViewMoved();
    painter_.Draw();
    table_.Events().ScrollBarPosChanged(bar, value);
}

void GridWindow::ScrollThumbTracked(EScrollBar bar, int32_t value) { table_.Events().ScrollBarThumbTrack(bar, value); }

void GridWindow::ScrollEnded(EScrollBar bar) { table_.Events().ScrollBarEndScroll(bar); }

void GridWindow::OnResize()
{
    layout_.InvalidateRange(core::RangeChange::Recompute);
    if (table_.Ready() && table_.Redraw()) {
        painter_.MarkLayoutStale();
        painter_.Draw();
    }
    header_.Place();
}

void GridWindow::OnPaint()
{
    native::PAINTSTRUCT ps;
    native::BeginPaint(hwnd_, &ps);
    native::EndPaint(hwnd_, &ps);
    painter_.Paint();
}

void GridWindow::OnSysColorChange()
{
    recreateTimer_ = std::make_unique<CTimer>();
    recreateTimer_->OnThatTime = [this] {
        core::AtMessageBoundary(GridHost(), [this] {
            RecreateScrollBarsTick();
            return native::LRESULT { 0 };
        });
    };
    recreateTimer_->SetInterval(kRecreateDelayMs);
}

void GridWindow::RecreateScrollBarsTick()
{
    recreateTimer_->SetInterval(0);
    const int32_t oldH = layout_.HScrollHeight();
    const int32_t oldV = layout_.VScrollWidth();
    if (!layout_.RecreateScrollBars())
        return;
    const int32_t newH = layout_.HScrollHeight();
    const int32_t newV = layout_.VScrollWidth();
    if (newH != oldH)
        table_.Events().ScrollBarThicknessChanged(tvScrollBarH, newH);
    if (newV != oldV)
        table_.Events().ScrollBarThicknessChanged(tvScrollBarV, newV);
}

}  // namespace tavix::platform
