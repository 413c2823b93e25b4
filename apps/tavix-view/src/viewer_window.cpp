#include "viewer_window.h"

#include <tavix/grid.h>
#include <tavix/native/window.h>

namespace tavix::view {

namespace {

constexpr const char* kFrameClass = "TavixViewFrame";
constexpr const char* kOwnerProp = "TavixViewWindow";
constexpr native::UINT kDeferredCommand = native::WM_USER + 1;

ViewerWindow* OwnerOf(native::HWND hwnd) { return reinterpret_cast<ViewerWindow*>(native::GetProp(hwnd, kOwnerProp)); }

}  // namespace

ViewerWindow::ViewerWindow(Tavix& grid, const std::string& title, int width, int height, KeyHandlers keys)
    : grid_(grid)
    , keys_(std::move(keys))
{
    static const bool registered = native::RegisterClass(kFrameClass, FrameProc);
    (void)registered;
    frame_ = native::CreateWindowEx(0, kFrameClass, title, native::WS_VISIBLE, 0, 0, width, height, 0);
    native::SetProp(frame_, kOwnerProp, reinterpret_cast<intptr_t>(this));
    native::RECT client;
    native::GetClientRect(frame_, &client);
    gridWindow_ = grid_.Create(frame_, 0, 0, client.right, client.bottom);
    shortcuts_.emplace(static_cast<native::MessageFilter&>(*this), native::FilterStage::Application);
    // The grid's procedure is followed to see which keys it handled.
    native::SetProp(gridWindow_, kOwnerProp, reinterpret_cast<intptr_t>(this));
    gridProc_ = native::ToWndProc(
        native::SetWindowLongPtr(gridWindow_, native::GWLP_WNDPROC, native::FromWndProc(&ViewerWindow::GridKeyProc)));
    native::SetFocus(gridWindow_);
}

ViewerWindow::~ViewerWindow() { Close(); }

void ViewerWindow::Close()
{
    if (frame_ == 0)
        return;
    shortcuts_.reset();
    if (native::IsWindow(gridWindow_)) {
        native::SetWindowLongPtr(gridWindow_, native::GWLP_WNDPROC, native::FromWndProc(gridProc_));
        native::RemoveProp(gridWindow_, kOwnerProp);
    }
    const native::HWND frame = frame_;
    frame_ = 0;
    native::RemoveProp(frame, kOwnerProp);
    native::DestroyWindow(frame);
}

void ViewerWindow::Defer(int command)
{
    if (frame_ != 0)
        native::PostMessage(frame_, kDeferredCommand, static_cast<native::WPARAM>(command), 0);
}

void ViewerWindow::Resize(int width, int height)
{
    if (frame_ != 0)
        native::MoveWindow(frame_, 0, 0, width, height);
}

native::LRESULT ViewerWindow::FrameProc(
    native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    ViewerWindow* self = OwnerOf(hwnd);
    if (self != nullptr && msg == native::WM_SIZE && native::IsWindow(self->gridWindow_)) {
        native::MoveWindow(self->gridWindow_, 0, 0, native::LOWORD(static_cast<uintptr_t>(lParam)),
            native::HIWORD(static_cast<uintptr_t>(lParam)));
        return 0;
    }
    if (self != nullptr && msg == kDeferredCommand && self->keys_.deferred) {
        self->keys_.deferred(static_cast<int>(wParam));
        return 0;
    }
    if (self != nullptr && msg == native::WM_SETFOCUS && native::IsWindow(self->gridWindow_)) {
        native::SetFocus(self->gridWindow_);
        return 0;
    }
    return native::DefWindowProc(hwnd, msg, wParam, lParam);
}

bool ViewerWindow::TranslateAccelerator(const native::MSG& msg)
{
    if (msg.message != native::WM_KEYDOWN || msg.hwnd != gridWindow_ || !keys_.command)
        return false;
    const bool shift = (native::GetKeyState(native::VK_SHIFT) & 0x8000) != 0;
    // The handler may close the window: nothing of this is touched after it.
    return keys_.command(static_cast<int>(msg.wParam), shift);
}

native::LRESULT ViewerWindow::GridKeyProc(
    native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    ViewerWindow* self = OwnerOf(hwnd);
    if (self == nullptr)
        return native::DefWindowProc(hwnd, msg, wParam, lParam);
    native::LRESULT result = native::CallWindowProc(self->gridProc_, hwnd, msg, wParam, lParam);
    if ((msg == native::WM_KEYDOWN || msg == native::WM_CHAR) && self->keys_.after)
        self->keys_.after(msg == native::WM_CHAR, static_cast<int>(wParam));
    return result;
}

}  // namespace tavix::view
