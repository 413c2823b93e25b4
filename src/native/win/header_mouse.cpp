// The header control's mouse handling: pressing items, tracking dividers and
// dragging items, each a press, moves and a release under mouse capture.
#include "native/win/header_control.h"
#include <algorithm>
#include <cstdlib>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {
constexpr int kDragDistance = 4;  // the platform's default drag threshold
constexpr UINT kOnDivider = HHT_ONDIVIDER | HHT_ONDIVOPEN;
}  // namespace

LRESULT HeaderControl::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(static_cast<uintptr_t>(lParam)) != HTCLIENT)
        return DefWindowProc(hwnd_, WM_SETCURSOR, wParam, lParam);
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    SetCursor(LoadCursor((Hit(pt).flags & kOnDivider) ? IDC_SIZEWE : IDC_ARROW));
    return true;
}

void HeaderControl::OnLeftDown(POINT pt)
{
    if (mode_ != Mode::Idle)
        return;
    const HeaderHit hit = Hit(pt);
    if (hit.flags & kOnDivider)
        BeginTrack(hit.item, pt);
    else if ((hit.flags & HHT_ONHEADER) && (Style() & HDS_BUTTONS))
        BeginPress(hit.item, pt);
}

void HeaderControl::OnLeftDoubleClick(POINT pt)
{
    if (mode_ != Mode::Idle)
        return;
    const HeaderHit hit = Hit(pt);
    if (hit.flags & kOnDivider)
        Notify(HDN_DIVIDERDBLCLICK, hit.item);
    else if ((hit.flags & HHT_ONHEADER) && (Style() & HDS_BUTTONS))
        Notify(HDN_ITEMDBLCLICK, hit.item);
}

void HeaderControl::OnMouseMove(POINT pt)
{
    switch (mode_) {
    case Mode::Pressed: MovePress(pt); break;
    case Mode::Tracking: MoveTrack(pt); break;
    case Mode::Dragging: MoveDrag(pt); break;
    case Mode::Idle: break;
    }
}

void HeaderControl::OnLeftUp(POINT pt)
{
    switch (mode_) {
    case Mode::Pressed: EndPress(pt); break;
    case Mode::Tracking: EndTrack(pt.x + trackOffset_ - items_.Left(active_)); break;
    case Mode::Dragging:
        MoveDrag(pt);
        EndDrag();
        break;
    case Mode::Idle: break;
    }
    EndCapture();
}

LRESULT HeaderControl::OnRightUp(WPARAM wParam, LPARAM lParam)
{
    if (NotifyPlain(NM_RCLICK) != 0 || !IsWindow(hwnd_))
        return 0;
    return DefWindowProc(hwnd_, WM_RBUTTONUP, wParam, lParam);  // asks for the context menu
}

// Another window took the capture (or released ours): the gesture ends where it stands.
void HeaderControl::OnCaptureChanged(HWND newCapture)
{
    if (!captured_ || newCapture == hwnd_)
        return;
    captured_ = false;
    switch (mode_) {
    case Mode::Pressed:
        mode_ = Mode::Idle;
        pushed_ = false;
        InvalidateItem(active_);
        break;
    case Mode::Tracking: EndTrack(trackEdge_ - items_.Left(active_)); break;
    case Mode::Dragging:
        dropGap_ = -1;
        EndDrag();
        break;
    case Mode::Idle: break;
    }
    NotifyPlain(NM_RELEASEDCAPTURE);
}

void HeaderControl::BeginPress(int item, POINT pt)
{
    mode_ = Mode::Pressed;
    active_ = item;
    pushed_ = true;
    dragVetoed_ = false;
    pressPoint_ = pt;
    Capture();
    InvalidateItem(item);
}

void HeaderControl::MovePress(POINT pt)
{
    if ((Style() & HDS_DRAGDROP) && !dragVetoed_ && std::abs(pt.x - pressPoint_.x) >= kDragDistance) {
        BeginDrag(pt);
        return;
    }
    // Like a push button: pushed only while the pointer is on it.
    const RECT r = ItemRect(active_);
    const bool over = pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
    if (over != pushed_) {
        pushed_ = over;
        InvalidateItem(active_);
    }
}

void HeaderControl::EndPress(POINT pt)
{
    const bool dragged = (Style() & HDS_DRAGDROP) && std::abs(pt.x - pressPoint_.x) >= kDragDistance;
    const bool click = pushed_ && !dragged;
    mode_ = Mode::Idle;
    pushed_ = false;
    InvalidateItem(active_);
    if (click)
        Notify(HDN_ITEMCLICK, active_);
}

void HeaderControl::BeginTrack(int item, POINT pt)
{
    if (NotifyWidth(HDN_BEGINTRACK, item, items_.At(item).width) != 0 || mode_ != Mode::Idle || !items_.Valid(item))
        return;
    mode_ = Mode::Tracking;
    active_ = item;
    fullDrag_ = Style() & HDS_FULLDRAG;
    trackEdge_ = items_.Right(item);
    trackOffset_ = trackEdge_ - pt.x;
    Capture();
    SetCursor(LoadCursor(IDC_SIZEWE));
    if (!fullDrag_)
        ShowTrackLine(trackEdge_);
}

void HeaderControl::MoveTrack(POINT pt)
{
    // The capture keeps WM_SETCURSOR away, so the cursor is set here.
    SetCursor(LoadCursor(IDC_SIZEWE));
    const int left = items_.Left(active_);
    const int edge = std::max(left, pt.x + trackOffset_);
    if (edge == trackEdge_)
        return;
    trackEdge_ = edge;
    const int width = edge - left;
    if (!fullDrag_) {
        ShowTrackLine(edge);
        NotifyWidth(HDN_TRACK, active_, width);
        return;
    }
    if (NotifyWidth(HDN_ITEMCHANGING, active_, width) != 0 || mode_ != Mode::Tracking)
        return;
    items_.SetWidth(active_, width);
    const RECT changed { left, 0, Client().cx, Client().cy };
    InvalidateRect(hwnd_, &changed, false);
    UpdateWindow(hwnd_);
    NotifyWidth(HDN_ITEMCHANGED, active_, width);
}

void HeaderControl::EndTrack(int width)
{
    const int item = active_;
    width = std::max(0, width);
    ShowTrackLine(-1);
    mode_ = Mode::Idle;
    NotifyWidth(HDN_ENDTRACK, item, width);
    if (!items_.Valid(item) || NotifyWidth(HDN_ITEMCHANGING, item, width) != 0 || !items_.Valid(item))
        return;
    items_.SetWidth(item, width);
    InvalidateAll();
    NotifyWidth(HDN_ITEMCHANGED, item, width);
}

void HeaderControl::BeginDrag(POINT pt)
{
    // Asked once per press: a parent that refuses is not asked again on every move.
    dragVetoed_ = true;
    if (Notify(HDN_BEGINDRAG, active_) != 0 || mode_ != Mode::Pressed)
        return;
    mode_ = Mode::Dragging;
    pushed_ = false;
    grabOffset_ = pressPoint_.x - items_.Left(active_);
    ghost_ = HeaderPainter(items_, View()).MakeGhost(active_, Client().cy);
    MoveDrag(pt);
}

void HeaderControl::MoveDrag(POINT pt)
{
    SetCursor(LoadCursor(IDC_SIZEALL));
    const int height = Client().cy;
    ghostX_ = pt.x - grabOffset_;
    // A drop needs the pointer within a header's height of the header.
    const bool near = pt.y >= -height && pt.y < 2 * height;
    dropGap_ = near ? items_.GapAt(pt.x) : -1;
    InvalidateAll();
}

void HeaderControl::EndDrag()
{
    const int item = active_;
    const int from = items_.OrderOf(item);
    const int order = dropGap_ < 0 ? -1 : dropGap_ > from ? dropGap_ - 1 : dropGap_;
    mode_ = Mode::Idle;
    dropGap_ = -1;
    ghost_.Reset();
    InvalidateAll();
    HDITEM detail { .mask = HDI_ORDER, .iOrder = order };
    if (Notify(HDN_ENDDRAG, item, &detail) == 0 && order >= 0 && items_.Valid(item)) {
        items_.Move(item, order);
        InvalidateAll();
    }
}

void HeaderControl::Capture()
{
    captured_ = true;
    SetCapture(hwnd_);
}

void HeaderControl::EndCapture()
{
    if (!captured_)
        return;
    captured_ = false;
    ReleaseCapture();
    NotifyPlain(NM_RELEASEDCAPTURE);
}

void HeaderControl::ShowTrackLine(int x)
{
    if (x == lineX_)
        return;
    const int height = Client().cy;
    HDC dc = GetDC(hwnd_);
    // Inverting twice restores the pixels, so the old line is erased in place.
    if (lineX_ >= 0)
        PatBlt(dc, lineX_, 0, 1, height, DSTINVERT);
    lineX_ = x;
    if (lineX_ >= 0)
        PatBlt(dc, lineX_, 0, 1, height, DSTINVERT);
    ReleaseDC(hwnd_, dc);
}

LRESULT HeaderControl::Notify(UINT code, int item, HDITEM* detail)
{
    HDITEM none;
    NMHEADER nm { { hwnd_, 0, code }, item, 0, detail ? detail : &none };
    return SendMessage(notify_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

LRESULT HeaderControl::NotifyWidth(UINT code, int item, int width)
{
    HDITEM detail { .mask = HDI_WIDTH, .cxy = width };
    return Notify(code, item, &detail);
}

LRESULT HeaderControl::NotifyPlain(UINT code)
{
    NMHDR nm { hwnd_, 0, code };
    return SendMessage(notify_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

}  // namespace tavix::native
