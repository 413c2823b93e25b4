#include "native/win/header_control.h"
#include <algorithm>
#include <climits>
#include <cstring>
#include <tavix/native/text.h>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

constexpr int kLayoutPadding = 6;  // borders and air around the text line of HDM_LAYOUT's height

POINT PointOf(LPARAM lp) { return { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) }; }
int ToIndex(WPARAM w) { return w <= static_cast<WPARAM>(INT_MAX) ? static_cast<int>(w) : -1; }

// Copies whole UTF-8 characters that fit with the terminator.
void CopyText(const std::string& text, char* out, int capacity)
{
    size_t n = std::min(text.size(), static_cast<size_t>(capacity) - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// The fields of `change` its mask names, except width and order.
HeaderItem Merge(HeaderItem item, const HDITEM& change)
{
    if (change.mask & HDI_TEXT)
        item.text = change.pszText ? change.pszText : "";
    if (change.mask & HDI_FORMAT)
        item.format = change.fmt;
    if (change.mask & HDI_LPARAM)
        item.data = change.lParam;
    if (change.mask & HDI_IMAGE)
        item.image = change.iImage;
    return item;
}

}  // namespace

HeaderControl::HeaderControl(HWND hwnd)
    : hwnd_(hwnd)
    , notify_(GetParent(hwnd))
{
}

LRESULT HeaderControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case HDM_GETITEMCOUNT: return items_.Count();
    case HDM_INSERTITEMA:
    case HDM_INSERTITEMW: return InsertItem(wParam, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: return DeleteItem(wParam);
    case HDM_GETITEMA:
    case HDM_GETITEMW: return GetItem(wParam, reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEMA:
    case HDM_SETITEMW: return SetItem(wParam, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_GETITEMRECT: return GetItemRect(wParam, reinterpret_cast<RECT*>(lParam));
    case HDM_HITTEST: return HitTest(reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETORDERARRAY: return GetOrderArray(wParam, reinterpret_cast<int*>(lParam));
    case HDM_SETORDERARRAY: return SetOrderArray(wParam, reinterpret_cast<const int*>(lParam));
    case HDM_ORDERTOINDEX: return OrderToIndex(wParam);
    case HDM_LAYOUT: return Layout(reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_SETIMAGELIST:
        if (wParam != HDSIL_NORMAL)
            return 0;
        InvalidateAll();
        return std::exchange(images_, static_cast<HIMAGELIST>(lParam));
    case HDM_GETIMAGELIST: return wParam == HDSIL_NORMAL ? images_ : 0;
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // painting covers the whole window
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    case WM_LBUTTONDOWN: OnLeftDown(PointOf(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnLeftDoubleClick(PointOf(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lParam)); return 0;
    case WM_LBUTTONUP: OnLeftUp(PointOf(lParam)); return 0;
    case WM_RBUTTONUP: return OnRightUp(wParam, lParam);
    case WM_CAPTURECHANGED: OnCaptureChanged(static_cast<HWND>(lParam)); return 0;
    case WM_STYLECHANGED:
    case WM_ENABLE: InvalidateAll(); return 0;
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

LRESULT HeaderControl::InsertItem(WPARAM index, const HDITEM* in)
{
    if (!in)
        return -1;
    HeaderItem item = Merge({}, *in);
    if (in->mask & HDI_WIDTH)
        item.width = in->cxy;
    const int at = static_cast<int>(std::min(index, static_cast<WPARAM>(items_.Count())));
    ItemInserted(at);
    InvalidateAll();
    return items_.Insert(at, (in->mask & HDI_ORDER) ? in->iOrder : at, std::move(item));
}

LRESULT HeaderControl::DeleteItem(WPARAM index)
{
    const int i = ToIndex(index);
    if (!items_.Valid(i))
        return false;
    ForgetItem(i);
    if (!items_.Valid(i))
        return false;
    items_.Remove(i);
    InvalidateAll();
    return true;
}

LRESULT HeaderControl::GetItem(WPARAM index, HDITEM* out) const
{
    const int i = ToIndex(index);
    if (!out || !items_.Valid(i))
        return false;
    const HeaderItem& item = items_.At(i);
    if (out->mask & HDI_WIDTH)
        out->cxy = item.width;
    if (out->mask & HDI_FORMAT)
        out->fmt = item.format;
    if (out->mask & HDI_LPARAM)
        out->lParam = item.data;
    if (out->mask & HDI_IMAGE)
        out->iImage = item.image;
    if (out->mask & HDI_ORDER)
        out->iOrder = items_.OrderOf(i);
    if ((out->mask & HDI_TEXT) && out->pszText && out->cchTextMax > 0)
        CopyText(item.text, out->pszText, out->cchTextMax);
    return true;
}

LRESULT HeaderControl::SetItem(WPARAM index, const HDITEM* in)
{
    const int i = ToIndex(index);
    if (!in || !items_.Valid(i))
        return false;
    HDITEM change = *in;
    if (Notify(HDN_ITEMCHANGING, i, &change) != 0 || !items_.Valid(i))
        return false;
    // An empty change still repaints the item: owners use it to redraw one item.
    InvalidateItem(i);
    items_.Update(i, Merge(items_.At(i), *in));
    if (in->mask & HDI_WIDTH)
        items_.SetWidth(i, in->cxy);
    if ((in->mask & HDI_ORDER) && in->iOrder >= 0 && in->iOrder < items_.Count())
        items_.Move(i, in->iOrder);
    if (in->mask & (HDI_WIDTH | HDI_ORDER))
        InvalidateAll();
    Notify(HDN_ITEMCHANGED, i, &change);
    return true;
}

LRESULT HeaderControl::GetItemRect(WPARAM index, RECT* rect) const
{
    const int i = ToIndex(index);
    if (!rect || !items_.Valid(i))
        return false;
    *rect = ItemRect(i);
    return true;
}

LRESULT HeaderControl::HitTest(HDHITTESTINFO* info) const
{
    if (!info)
        return -1;
    const HeaderHit hit = Hit(info->pt);
    info->flags = hit.flags;
    info->iItem = hit.item;
    return hit.item;
}

LRESULT HeaderControl::GetOrderArray(WPARAM count, int* order) const
{
    if (!order || count < static_cast<WPARAM>(items_.Count()))
        return false;
    std::copy(items_.Order().begin(), items_.Order().end(), order);
    return true;
}

LRESULT HeaderControl::SetOrderArray(WPARAM count, const int* order)
{
    if (!order || count != static_cast<WPARAM>(items_.Count()) || !items_.SetOrder({ order, count }))
        return false;
    InvalidateAll();
    return true;
}

// Out of range, the order itself comes back, as on the platform.
LRESULT HeaderControl::OrderToIndex(WPARAM order) const
{
    const int o = ToIndex(order);
    return o < items_.Count() && o >= 0 ? items_.IndexAt(o) : static_cast<LRESULT>(order);
}

LRESULT HeaderControl::Layout(HDLAYOUT* layout) const
{
    if (!layout || !layout->prc || !layout->pwpos)
        return false;
    int height = 0;
    if (!(Style() & HDS_HIDDEN)) {
        UniqueDC dc(CreateCompatibleDC(0));
        TEXTMETRIC tm;
        GetTextMetrics(dc, &tm);
        height = tm.tmHeight + kLayoutPadding;
    }
    RECT& free = *layout->prc;
    *layout->pwpos = { hwnd_, 0, free.left, free.top, free.right - free.left, height, SWP_NOZORDER | SWP_NOACTIVATE };
    free.top += height;
    return true;
}

void HeaderControl::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const Size client = Client();
    HeaderPainter(items_, View())
        .Paint(dc, { ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom }, client);
    if (lineX_ >= 0)
        PatBlt(dc, lineX_, 0, 1, client.cy, DSTINVERT);
    EndPaint(hwnd_, &ps);
}

HeaderView HeaderControl::View() const
{
    return { .hwnd = hwnd_,
        .notify = notify_,
        .style = Style(),
        .images = images_,
        .pushed = mode_ == Mode::Pressed && pushed_ ? active_ : -1,
        .dropGap = mode_ == Mode::Dragging ? dropGap_ : -1,
        .ghost = ghost_.Get(),
        .ghostX = ghostX_ };
}

Size HeaderControl::Client() const
{
    RECT r;
    GetClientRect(hwnd_, &r);
    return { r.right, r.bottom };
}

HeaderHit HeaderControl::Hit(POINT pt) const
{
    const Size client = Client();
    return items_.HitTest(pt, client.cx, client.cy);
}

RECT HeaderControl::ItemRect(int index) const { return { items_.Left(index), 0, items_.Right(index), Client().cy }; }

void HeaderControl::InvalidateItem(int index)
{
    if (!items_.Valid(index))
        return;
    const RECT r = ItemRect(index);
    InvalidateRect(hwnd_, &r, false);
}

void HeaderControl::InvalidateAll() { InvalidateRect(hwnd_, nullptr, false); }

DWORD HeaderControl::Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }

void HeaderControl::ItemInserted(int index)
{
    if (mode_ != Mode::Idle && active_ >= index)
        ++active_;
}

// An item going away ends whatever the mouse was doing with it.
void HeaderControl::ForgetItem(int index)
{
    if (mode_ == Mode::Idle || active_ < index)
        return;
    if (active_ > index) {
        --active_;
        return;
    }
    ShowTrackLine(-1);
    ghost_.Reset();
    mode_ = Mode::Idle;
    pushed_ = false;
    EndCapture();
}

}  // namespace tavix::native
