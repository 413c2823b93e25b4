#include "native/win/combo_box_control.h"
#include "native/win/combo_list_control.h"
#include <tavix/native/frame.h>
#include <tavix/native/text.h>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

constexpr int32_t kEdge = 2;  // the sunken frame around the field
constexpr int32_t kItemInset = 1;  // between the frame and the field's item
constexpr int kMaxVisibleItems = 30;  // the list's height before the parent places it
constexpr int32_t kListBorder = 1;
constexpr UINT kNoItem = static_cast<UINT>(-1);

void Sunken(HDC dc, const Rect& r)
{
    auto line = [&](Rect l, int color) { FillRect(dc, l, GetSysColorBrush(color)); };
    line({ r.left, r.top, r.right, r.top + 1 }, COLOR_BTNSHADOW);
    line({ r.left, r.top, r.left + 1, r.bottom }, COLOR_BTNSHADOW);
    line({ r.left, r.bottom - 1, r.right, r.bottom }, COLOR_BTNHIGHLIGHT);
    line({ r.right - 1, r.top, r.right, r.bottom }, COLOR_BTNHIGHLIGHT);
    Rect in = r.Inflate(-1, -1);
    line({ in.left, in.top, in.right, in.top + 1 }, COLOR_3DDKSHADOW);
    line({ in.left, in.top, in.left + 1, in.bottom }, COLOR_3DDKSHADOW);
    line({ in.left, in.bottom - 1, in.right, in.bottom }, COLOR_3DLIGHT);
    line({ in.right - 1, in.top, in.right, in.bottom }, COLOR_3DLIGHT);
}

Rect ToRect(const RECT& r) { return { r.left, r.top, r.right, r.bottom }; }

}  // namespace

LRESULT ComboBoxControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY:
        dropped_ = false;
        DestroyWindow(list_);
        list_ = 0;
        return 0;
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
        font_ = static_cast<HFONT>(wParam);
        InvalidateRect(hwnd_, nullptr, false);
        return 0;
    case WM_GETFONT: return font_;
    case WM_SETFOCUS: OnFocus(true); return 0;
    case WM_KILLFOCUS: OnFocus(false); return 0;
    case WM_ENABLE: InvalidateRect(hwnd_, nullptr, false); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != hwnd_)
            SetFocus(hwnd_);
        if (IsWindow(hwnd_))
            dropped_ ? CloseUp(true) : DropDown();
        return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam), false); return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_UP && wParam != VK_DOWN)
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        OnKeyDown(static_cast<int>(wParam), true);
        return 0;
    case WM_CHAR: OnChar(static_cast<char32_t>(wParam)); return 0;
    case WM_MOUSEWHEEL:
        if (dropped_)
            return SendMessage(list_, msg, wParam, lParam);
        Navigate(cursel_ + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1));
        return 0;
    default:
        if (msg >= CB_ADDSTRING && msg <= CB_GETCOMBOBOXINFO)
            return ComboMessage(msg, wParam, lParam);
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void ComboBoxControl::OnCreate()
{
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
    // WS_VSCROLL is the list's; the field has no scroll bar of its own.
    listScrollBar_ = style & WS_VSCROLL;
    SetWindowLong(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style & ~WS_VSCROLL));
    TEXTMETRIC tm;
    HDC dc = GetDC(hwnd_);
    GetTextMetrics(dc, &tm);
    ReleaseDC(hwnd_, dc);
    fieldItemHeight_ = tm.tmHeight;
    fieldItemHeight_ = Measure(-1, 0);
    FitFieldHeight();
    list_ = CreateWindowEx(WS_EX_TOPMOST, WC_COMBOLBOX, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, 0);
    if (auto list = ControlOf<ComboListControl>(list_))
        list->Attach(hwnd_);
}

int ComboBoxControl::Measure(int index, uintptr_t data)
{
    MEASUREITEMSTRUCT mis { .CtlType = ODT_COMBOBOX,
        .itemID = static_cast<UINT>(index),
        .itemHeight = static_cast<UINT>(fieldItemHeight_),
        .itemData = data };
    if (HWND parent = GetParent(hwnd_))
        SendMessage(parent, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    return std::max(1, static_cast<int>(mis.itemHeight));
}

void ComboBoxControl::FitFieldHeight()
{
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, 0, 0, 0, r.right - r.left, fieldItemHeight_ + 2 * (kEdge + kItemInset),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ComboBoxControl::ButtonRect() const
{
    RECT c;
    GetClientRect(hwnd_, &c);
    return { std::max(c.left + kEdge, c.right - kEdge - GetSystemMetrics(SM_CXVSCROLL)), c.top + kEdge, c.right - kEdge,
        c.bottom - kEdge };
}

RECT ComboBoxControl::ItemRect() const
{
    RECT c;
    GetClientRect(hwnd_, &c);
    RECT b = ButtonRect();
    return { c.left + kEdge + kItemInset, c.top + kEdge + kItemInset, b.left - kItemInset,
        c.bottom - kEdge - kItemInset };
}

void ComboBoxControl::DrawItem(HDC dc, int index, const RECT& rc, UINT state) const
{
    HWND parent = GetParent(hwnd_);
    if (!parent)
        return;
    DRAWITEMSTRUCT dis { .CtlType = ODT_COMBOBOX,
        .itemID = items_.Valid(index) ? static_cast<UINT>(index) : kNoItem,
        .itemAction = ODA_DRAWENTIRE,
        .itemState = state | (IsWindowEnabled(hwnd_) ? 0 : ODS_DISABLED),
        .hwndItem = hwnd_,
        .hDC = dc,
        .rcItem = rc,
        .itemData = items_.Valid(index) ? items_[index].data : 0 };
    DcStateSaver saver(dc);
    SendMessage(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

void ComboBoxControl::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc)
        return;
    RECT c;
    GetClientRect(hwnd_, &c);
    const bool enabled = IsWindowEnabled(hwnd_);
    Sunken(dc, ToRect(c));
    FillRect(dc, ToRect(c).Inflate(-kEdge, -kEdge), GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawFrameControl(dc, ToRect(ButtonRect()), DFC_SCROLL,
        DFCS_SCROLLCOMBOBOX | (dropped_ ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    const bool focused = GetFocus() == hwnd_ && !dropped_;
    DrawItem(dc, cursel_, ItemRect(), ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0));
    EndPaint(hwnd_, &ps);
}

void ComboBoxControl::OnFocus(bool gained)
{
    if (!gained)
        CloseUp(false);
    InvalidateRect(hwnd_, nullptr, false);
    NotifyParent(hwnd_, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

void ComboBoxControl::OnKeyDown(int vk, bool alt)
{
    auto list = ControlOf<ComboListControl>(list_);
    const int at = dropped_ && list ? list->Hot() : cursel_;
    const int page = std::max(1, list ? list->PageSize() - 1 : 1);
    if (vk == VK_F4 || alt) {
        dropped_ ? CloseUp(true) : DropDown();
        return;
    }
    switch (vk) {
    case VK_UP: Navigate(at < 0 ? 0 : at - 1); break;
    case VK_DOWN: Navigate(at + 1); break;
    case VK_PRIOR: Navigate(at - page); break;
    case VK_NEXT: Navigate(at + page); break;
    case VK_HOME: Navigate(0); break;
    case VK_END: Navigate(items_.Count() - 1); break;
    case VK_RETURN: CloseUp(true); break;
    case VK_ESCAPE: CloseUp(false); break;
    default: break;
    }
}

void ComboBoxControl::OnChar(char32_t ch)
{
    auto list = ControlOf<ComboListControl>(list_);
    int found = items_.FindInitial(dropped_ && list ? list->Hot() : cursel_, ch);
    if (found >= 0)
        Navigate(found);
}

void ComboBoxControl::Navigate(int index)
{
    if (items_.Count() == 0)
        return;
    index = std::clamp(index, 0, items_.Count() - 1);
    if (auto list = ControlOf<ComboListControl>(list_); list && dropped_)
        list->SetHot(index);
    if (index == cursel_)
        return;
    cursel_ = index;
    InvalidateRect(hwnd_, nullptr, false);
    NotifyParent(hwnd_, CBN_SELCHANGE);
}

void ComboBoxControl::DropDown()
{
    auto list = ControlOf<ComboListControl>(list_);
    if (dropped_ || !list)
        return;
    NotifyParent(hwnd_, CBN_DROPDOWN);
    if (!IsWindow(hwnd_) || dropped_)
        return;
    RECT wr;
    GetWindowRect(hwnd_, &wr);
    const int32_t width = std::max<int32_t>(droppedWidth_, wr.right - wr.left);
    int32_t items = items_.Height(0, std::min(items_.Count(), kMaxVisibleItems));
    const int32_t height = std::max(items, fieldItemHeight_) + 2 * kListBorder;
    // Below the field, or above it when the screen ends first.
    int32_t top = wr.bottom;
    if (top + height > GetSystemMetrics(SM_CYSCREEN) && wr.top - height >= 0)
        top = wr.top - height;
    dropped_ = true;
    SetWindowPos(list_, HWND_TOPMOST, wr.left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    list->Open(cursel_);
    SetCapture(list_);
    InvalidateRect(hwnd_, nullptr, false);
}

void ComboBoxControl::CloseUp(bool ok)
{
    if (!dropped_)
        return;
    // First, so that a handler closing the list again finds it closed.
    dropped_ = false;
    auto list = ControlOf<ComboListControl>(list_);
    const int chosen = list ? list->Hot() : cursel_;
    const bool changed = ok && items_.Valid(chosen) && chosen != cursel_;
    if (changed)
        cursel_ = chosen;
    if (GetCapture() == list_)
        ReleaseCapture();
    NotifyParent(hwnd_, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    ShowWindow(list_, SW_HIDE);
    InvalidateRect(hwnd_, nullptr, false);
    NotifyParent(hwnd_, CBN_CLOSEUP);
    if (changed)
        NotifyParent(hwnd_, CBN_SELCHANGE);
}

void ComboBoxControl::ListChanged() const
{
    if (auto list = ControlOf<ComboListControl>(list_))
        list->Layout();
    InvalidateRect(hwnd_, nullptr, false);
}

int ComboBoxControl::AddString(int index, const char* text)
{
    int at = items_.Insert(index, ComboItem { text ? text : "", 0, fieldItemHeight_ });
    if (at < 0)
        return static_cast<int>(CB_ERR);
    if (cursel_ >= at)
        ++cursel_;
    items_[at].height = Measure(at, 0);
    ListChanged();
    return at;
}

LRESULT ComboBoxControl::SetItemHeight(int index, int height)
{
    if (height <= 0 || (index != -1 && !items_.Valid(index)))
        return CB_ERR;
    if (index == -1) {
        fieldItemHeight_ = height;
        FitFieldHeight();
    } else {
        items_[index].height = height;
    }
    ListChanged();
    return CB_OKAY;
}

LRESULT ComboBoxControl::ComboMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (msg) {
    case CB_ADDSTRING: return AddString(-1, reinterpret_cast<const char*>(lParam));
    case CB_INSERTSTRING: return AddString(index, reinterpret_cast<const char*>(lParam));
    case CB_DELETESTRING:
        if (!items_.Valid(index))
            return CB_ERR;
        items_.Erase(index);
        cursel_ = cursel_ == index ? -1 : cursel_ > index ? cursel_ - 1 : cursel_;
        ListChanged();
        return items_.Count();
    case CB_RESETCONTENT:
        items_.Clear();
        cursel_ = -1;
        ListChanged();
        return CB_OKAY;
    case CB_GETCOUNT: return items_.Count();
    case CB_GETCURSEL: return cursel_;
    case CB_SETCURSEL: {
        // No notification: only the user's choices are reported.
        cursel_ = items_.Valid(index) ? index : -1;
        if (auto list = ControlOf<ComboListControl>(list_); list && dropped_)
            list->SetHot(cursel_);
        InvalidateRect(hwnd_, nullptr, false);
        return cursel_ == index ? index : CB_ERR;
    }
    case CB_GETLBTEXT:
        if (!items_.Valid(index) || !lParam)
            return CB_ERR;
        return static_cast<LRESULT>(CopyText(items_[index].text, items_[index].text.size() + 1, lParam));
    case CB_GETLBTEXTLEN: return items_.Valid(index) ? static_cast<LRESULT>(items_[index].text.size()) : CB_ERR;
    case CB_GETITEMDATA: return items_.Valid(index) ? static_cast<LRESULT>(items_[index].data) : CB_ERR;
    case CB_SETITEMDATA:
        if (!items_.Valid(index))
            return CB_ERR;
        items_[index].data = static_cast<uintptr_t>(lParam);
        return CB_OKAY;
    case CB_SETITEMHEIGHT: return SetItemHeight(index, static_cast<int>(lParam));
    case CB_GETITEMHEIGHT: return index == -1 ? fieldItemHeight_ : items_.Valid(index) ? items_[index].height : CB_ERR;
    case CB_SHOWDROPDOWN: wParam ? DropDown() : CloseUp(false); return 1;
    case CB_GETDROPPEDSTATE: return dropped_;
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam)
            GetWindowRect(list_, reinterpret_cast<RECT*>(lParam));
        return lParam ? 1 : 0;
    case CB_GETTOPINDEX: {
        auto list = ControlOf<ComboListControl>(list_);
        return list ? list->Top() : 0;
    }
    case CB_SETDROPPEDWIDTH: droppedWidth_ = static_cast<int32_t>(wParam); [[fallthrough]];
    case CB_GETDROPPEDWIDTH: {
        RECT r;
        GetWindowRect(hwnd_, &r);
        return std::max<LRESULT>(droppedWidth_, r.right - r.left);
    }
    case CB_GETCOMBOBOXINFO: {
        auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
        if (!info)
            return 0;
        *info = COMBOBOXINFO { ItemRect(), ButtonRect(), dropped_ ? STATE_SYSTEM_PRESSED : 0, hwnd_, hwnd_, list_ };
        return 1;
    }
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

bool GetComboBoxInfo(HWND combo, COMBOBOXINFO* info)
{
    return info && SendMessage(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
}

}  // namespace tavix::native
