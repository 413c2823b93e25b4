#pragma once
// The column header window class "SysHeader32" (see <tavix/native/header.h>
// for the behaviour its parent relies on). Messages are handled in
// header_control.cpp, the mouse in header_mouse.cpp.
#include "native/win/desktop_state.h"
#include "native/win/header_items.h"
#include "native/win/header_painter.h"
#include "native/win/window_control.h"
#include <tavix/native/header.h>

namespace tavix::native {

class HeaderControl final : public WindowControl {
public:
    explicit HeaderControl(HWND hwnd);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    enum class Mode { Idle, Pressed, Tracking, Dragging };

    // Item messages.
    LRESULT InsertItem(WPARAM index, const HDITEM* item);
    LRESULT DeleteItem(WPARAM index);
    LRESULT GetItem(WPARAM index, HDITEM* item) const;
    LRESULT SetItem(WPARAM index, const HDITEM* item);
    LRESULT GetItemRect(WPARAM index, RECT* rect) const;
    LRESULT HitTest(HDHITTESTINFO* info) const;
    LRESULT GetOrderArray(WPARAM count, int* order) const;
    LRESULT SetOrderArray(WPARAM count, const int* order);
    LRESULT OrderToIndex(WPARAM order) const;
    LRESULT Layout(HDLAYOUT* layout) const;

    // Mouse, one function per phase.
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnLeftDown(POINT pt);
    void OnLeftDoubleClick(POINT pt);
    void OnMouseMove(POINT pt);
    void OnLeftUp(POINT pt);
    LRESULT OnRightUp(WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged(HWND newCapture);
    void BeginPress(int item, POINT pt);
    void MovePress(POINT pt);
    void EndPress(POINT pt);
    void BeginTrack(int item, POINT pt);
    void MoveTrack(POINT pt);
    void EndTrack(int width);
    void BeginDrag(POINT pt);
    void MoveDrag(POINT pt);
    void EndDrag();
    void Capture();
    void EndCapture();
    void ShowTrackLine(int x);  // -1 hides it

    LRESULT Notify(UINT code, int item, HDITEM* detail = nullptr);
    LRESULT NotifyWidth(UINT code, int item, int width);
    LRESULT NotifyPlain(UINT code);

    void Paint();
    HeaderView View() const;
    Size Client() const;
    HeaderHit Hit(POINT pt) const;
    RECT ItemRect(int index) const;
    void InvalidateItem(int index);
    void InvalidateAll();
    DWORD Style() const;
    void ForgetItem(int index);
    void ItemInserted(int index);

    HWND hwnd_;
    HWND notify_;  // the parent at creation, as on the platform
    HeaderItems items_;
    HIMAGELIST images_ { 0 };
    Mode mode_ { Mode::Idle };
    int active_ { -1 };  // the item pressed, tracked or dragged
    bool captured_ { false };
    bool pushed_ { false };  // the pressed item is under the pointer
    bool fullDrag_ { false };  // the tracked item resizes live (HDS_FULLDRAG when tracking began)
    bool dragVetoed_ { false };
    POINT pressPoint_;
    int trackOffset_ { 0 };  // tracked edge minus pointer x
    int trackEdge_ { 0 };  // the tracked item's right edge as dragged
    int lineX_ { -1 };  // the inverted tracking line, -1 when not shown
    int grabOffset_ { 0 };  // pointer x minus the dragged item's left edge
    int ghostX_ { 0 };
    int dropGap_ { -1 };
    UniqueGdiObject ghost_;
};

}  // namespace tavix::native
