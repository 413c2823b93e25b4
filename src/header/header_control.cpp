#include "header/header_control.h"

#include "core/message_boundary.h"
#include "header/header_item_painter.h"
#include "paint/cell_text.h"

#include <tavix/native/header.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/uxtheme.h>
#include <tavix/native/window_paint.h>

#include <algorithm>
#include <string>

namespace tavix::header {

using namespace native;

namespace {

// Hover is polled: nothing tells a window that the pointer went elsewhere.
constexpr int32_t kHoverPollMs = 20;
// Both ellipses and the modify-string flag: a measured text counts in full.
constexpr uint32_t kShorteningFlags = 0x5C000;
constexpr int32_t kDesignItemWidth = 128;

int32_t NotifiedWidth(const NMHEADER& nm, int32_t fallback)
{
    return (nm.pitem->mask & HDI_WIDTH) != 0 ? nm.pitem->cxy : fallback;
}

POINT PointerIn(HWND hwnd)
{
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd, &pt);
    return pt;
}

}  // namespace

// The header's notifications arrive at the grid's window, its parent.
class HeaderControl::ParentHook : public SubclassOwner {
public:
    explicit ParentHook(HeaderControl& control)
        : control_(control)
    {
    }
    void SubclassProc(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        result = core::AtMessageBoundary(
            control_.events_.GridHost(), [&] { return control_.OnNotify(previous, hwnd, msg, wParam, lParam); });
    }

private:
    HeaderControl& control_;
};

class HeaderControl::WindowHook : public SubclassOwner {
public:
    explicit WindowHook(HeaderControl& control)
        : control_(control)
    {
    }
    void SubclassProc(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        result = core::AtMessageBoundary(control_.events_.GridHost(), [&] {
            LRESULT handled = 0;
            Deliver(previous, hwnd, msg, wParam, lParam, handled);
            return handled;
        });
    }

private:
    void Deliver(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        switch (msg) {
        case WM_PAINT: control_.OnPaint(previous, hwnd, msg, wParam, lParam); return;
        case WM_SETCURSOR:
            result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
            if (!control_.hoverSizable_) {
                SetCursor(control_.arrowCursor_);
                result = 1;
            }
            return;
        case WM_MOUSEMOVE:
            result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
            control_.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return;
        default: result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
        }
    }

    HeaderControl& control_;
};

HeaderControl::HeaderControl(const core::GridTable& table, HeaderControlEvents& events)
    : table_(table)
    , events_(events)
    , arrowCursor_(LoadCursor(IDC_ARROW))
{
    hoverTimer_.OnThatTime = [this] {
        core::AtMessageBoundary(events_.GridHost(), [this] {
            OnHoverTick();
            return LRESULT { 0 };
        });
    };
}

HeaderControl::~HeaderControl() { DestroyWindow(); }

void HeaderControl::Attach(HWND parent, bool runMode)
{
    parent_ = parent;
    runMode_ = runMode;
    CreateNativeWindow();
}

DWORD HeaderControl::StyleBits() const
{
    DWORD style = 0;
    if (settings_.dragCols)
        style |= HDS_DRAGDROP;
    if (settings_.buttons && !buttonsSuspended_)
        style |= HDS_BUTTONS;
    if (settings_.immediateColumnResizing)
        style |= HDS_FULLDRAG;
    return style;
}

void HeaderControl::CreateNativeWindow()
{
    if (parent_ == 0 || hwnd_ != 0)
        return;
    if (!placed_) {
        RECT client {};
        GetClientRect(parent_, &client);
        position_ = { client.left, client.top, client.right, client.top + settings_.minHeight };
        placed_ = true;
    }
    hwnd_ = CreateWindowEx(0, std::string(WC_HEADER).c_str(), "", WS_CHILD | StyleBits(), position_.left, position_.top,
        position_.Width(), position_.Height(), parent_);
    if (hwnd_ == 0)
        return;
    if (runMode_) {
        parentHook_ = std::make_unique<ParentHook>(*this);
        windowHook_ = std::make_unique<WindowHook>(*this);
        Subclass(parent_, SubclassKind::HeaderParent, parentHook_.get());
        Subclass(hwnd_, SubclassKind::Header, windowHook_.get());
    } else {
        InsertItem(kDesignItemWidth, 0, -1);
    }
    ChangeTheme();
    EnableWindow(hwnd_, settings_.enabled);
    ShowWindow(hwnd_, settings_.visible ? SW_SHOW : SW_HIDE);
}

void HeaderControl::DestroyWindow()
{
    hoverTimer_.SetInterval(0);
    if (hwnd_ == 0)
        return;
    if (IsWindow(hwnd_)) {
        if (windowHook_)
            Unsubclass(hwnd_, SubclassKind::Header);
        ShowWindow(hwnd_, SW_HIDE);
        native::DestroyWindow(hwnd_);
    }
    if (parentHook_ && IsWindow(parent_))
        Unsubclass(parent_, SubclassKind::HeaderParent);
    parentHook_.reset();
    windowHook_.reset();
    hwnd_ = 0;
    hoverItem_ = kNoHover;
    tracking_ = dragging_ = false;
}

void HeaderControl::Recreate()
{
    DestroyWindow();
    CreateNativeWindow();
    events_.RecreateControl();
}

void HeaderControl::ApplyStyles()
{
    if (hwnd_ == 0)
        return;
    const auto kept
        = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)) & ~(HDS_DRAGDROP | HDS_BUTTONS | HDS_FULLDRAG);
    SetWindowLong(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(kept | StyleBits()));
}

void HeaderControl::RefreshEntireHeader()
{
    // Writing the style word back makes the native header repaint everything.
    if (hwnd_ != 0)
        SetWindowLong(hwnd_, GWL_STYLE, GetWindowLong(hwnd_, GWL_STYLE));
}

void HeaderControl::SetEnabled(bool enabled)
{
    settings_.enabled = enabled;
    if (!enabled && settings_.buttons)
        buttonsSuspended_ = true;
    else if (enabled)
        buttonsSuspended_ = false;
    if (hwnd_ == 0)
        return;
    EnableWindow(hwnd_, enabled);
    ApplyStyles();
}

void HeaderControl::SetVisible(bool visible)
{
    settings_.visible = visible;
    if (hwnd_ != 0)
        ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void HeaderControl::SetImageList(HIMAGELIST list)
{
    imageList_ = list;
    ImageList_GetIconSize(list, &iconWidth_, &iconHeight_);
    RefreshEntireHeader();
}

void HeaderControl::SetFonts(HFONT text, HFONT sortInfo)
{
    textFont_ = text;
    sortInfoFont_ = sortInfo;
    RefreshEntireHeader();
}

void HeaderControl::ChangeTheme()
{
    if (hwnd_ == 0)
        return;
    // No visual-style engine exists here, so this always takes the classic look.
    if (!StylesInUse())
        SetWindowTheme(hwnd_, "", "");
    RefreshEntireHeader();
}

int32_t HeaderControl::ItemCount() const { return hwnd_ != 0 ? Header_GetItemCount(hwnd_) : 0; }

void HeaderControl::InsertItem(int32_t width, int32_t position, int32_t place)
{
    if (hwnd_ == 0)
        return;
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
    item.cxy = width;
    item.fmt = HDF_OWNERDRAW;
    item.lParam = position;
    Header_InsertItem(hwnd_, place < 0 ? ItemCount() : place, item);
}

void HeaderControl::DeleteItem(int32_t index)
{
    if (hwnd_ != 0)
        Header_DeleteItem(hwnd_, index);
}

int32_t HeaderControl::ItemData(int32_t index) const
{
    HDITEM item;
    item.mask = HDI_LPARAM;
    if (hwnd_ == 0 || !Header_GetItem(hwnd_, index, &item))
        return 0;
    return static_cast<int32_t>(item.lParam);
}

void HeaderControl::SetItemData(int32_t index, int32_t position)
{
    HDITEM item;
    item.mask = HDI_LPARAM;
    item.lParam = position;
    if (hwnd_ != 0)
        Header_SetItem(hwnd_, index, item);
}

void HeaderControl::SetItemWidth(int32_t index, int32_t width)
{
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = width;
    if (hwnd_ != 0)
        Header_SetItem(hwnd_, index, item);
}

int32_t HeaderControl::ItemWidth(int32_t index) const
{
    HDITEM item;
    item.mask = HDI_WIDTH;
    if (hwnd_ == 0 || !Header_GetItem(hwnd_, index, &item))
        return 0;
    return item.cxy;
}

int32_t HeaderControl::FindItem(int32_t position) const
{
    const int32_t count = ItemCount();
    for (int32_t i = 0; i < count; ++i)
        if (ItemData(i) == position)
            return i;
    return -1;
}

void HeaderControl::RepaintItem(int32_t index)
{
    // An empty change makes the native header redraw the item.
    HDITEM item;
    item.mask = 0;
    if (hwnd_ != 0 && index >= 0)
        Header_SetItem(hwnd_, index, item);
}

void HeaderControl::PlaceWindow()
{
    if (hwnd_ == 0)
        return;
    MoveWindow(hwnd_, position_.left, position_.top, position_.Width(), position_.Height(), true);
    InvalidateRect(hwnd_, nullptr, true);
    UpdateWindow(hwnd_);
}

void HeaderControl::SetPosition(int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (height < settings_.minHeight)
        height = position_.Height();
    position_ = { left, top, left + width, top + height };
    placed_ = true;
    PlaceWindow();
}

void HeaderControl::SetLeft(int32_t left) { SetPosition(left, position_.top, position_.Width(), position_.Height()); }
void HeaderControl::SetWidth(int32_t width) { SetPosition(position_.left, position_.top, width, position_.Height()); }

void HeaderControl::SetHeight(int32_t height)
{
    if (height < settings_.minHeight)
        return;
    SetPosition(position_.left, position_.top, position_.Width(), height);
}

LRESULT HeaderControl::OnNotify(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE: {
        bool noActivate = false;
        events_.MouseActivate(noActivate);
        if (noActivate)
            return MA_NOACTIVATEANDEAT;
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_HEADER || item.hwndItem != hwnd_)
            break;
        CallWindowProc(previous, hwnd, msg, wParam, lParam);
        DrawItem(item);
        return 1;
    }
    case WM_NOTIFY: {
        const auto& hdr = *reinterpret_cast<const NMHDR*>(lParam);
        if (hdr.hwndFrom != hwnd_)
            break;
        const auto& nm = *reinterpret_cast<const NMHEADER*>(lParam);
        switch (hdr.code) {
        case NM_RCLICK: {
            const POINT pt = PointerIn(hwnd_);
            events_.RightClick(pt.x, pt.y);
            return 0;
        }
        case NM_RELEASEDCAPTURE:
            tracking_ = false;
            dragging_ = false;
            return 0;
        case HDN_BEGINTRACK: {
            if (!hoverSizable_)
                return 1;
            tracking_ = true;
            trackedItem_ = nm.iItem;
            trackedWidth_ = ItemWidth(nm.iItem);
            bool cancel = false;
            events_.StartColumnWidthChange(nm.iItem, trackedWidth_, cancel);
            if (!cancel)
                return 0;
            tracking_ = false;
            return 1;
        }
        case HDN_TRACK:
        case HDN_ITEMCHANGING:
            if (tracking_ && nm.iItem == trackedItem_) {
                const int32_t width = NotifiedWidth(nm, trackedWidth_);
                if (width != trackedWidth_) {
                    trackedWidth_ = width;
                    events_.ColumnWidthChanging(nm.iItem, width);
                }
            }
            break;
        case HDN_ENDTRACK: {
            tracking_ = false;
            const LRESULT result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
            events_.ColumnWidthChanged(nm.iItem, NotifiedWidth(nm, ItemWidth(nm.iItem)));
            return result;
        }
        case HDN_DIVIDERDBLCLICK:
            if (hoverSizable_)
                events_.DividerDblClick(nm.iItem);
            return 0;
        case HDN_ITEMCLICK: {
            const POINT pt = PointerIn(hwnd_);
            events_.ColumnClick(nm.iItem, pt.x, pt.y);
            return 0;
        }
        case HDN_ITEMDBLCLICK: events_.ColumnDblClick(nm.iItem); return 0;
        case HDN_BEGINDRAG: {
            if (dragging_)
                return 0;
            bool cancel = false;
            events_.ColumnBeginDrag(nm.iItem, cancel);
            if (cancel) {
                ReleaseCapture();
                RefreshEntireHeader();
                return 1;
            }
            dragging_ = true;
            return 0;
        }
        case HDN_ENDDRAG: {
            dragging_ = false;
            const int32_t order = (nm.pitem->mask & HDI_ORDER) != 0 ? nm.pitem->iOrder : -1;
            if (order == -1)
                return 0;
            bool cancel = false;
            events_.ColumnEndDrag(nm.iItem, order, cancel);
            return cancel ? 1 : 0;
        }
        default: break;
        }
        break;
    }
    default: break;
    }
    return CallWindowProc(previous, hwnd, msg, wParam, lParam);
}

void HeaderControl::OnMouseMove(int32_t x, int32_t y)
{
    if (tracking_ || dragging_)
        return;
    HDHITTESTINFO hit;
    hit.pt = { x, y };
    Header_HitTest(hwnd_, &hit);
    const int32_t item = hit.iItem >= 0 ? hit.iItem : kEmptyArea;
    if (item == hoverItem_)
        return;
    SetHoverItem(item);
    if (!hoverSizable_)
        SetCursor(arrowCursor_);
}

void HeaderControl::SetHoverItem(int32_t item)
{
    if (hoverItem_ >= kEmptyArea) {
        RepaintItem(hoverItem_);
        events_.ColumnMouseLeave(hoverItem_);
    }
    hoverItem_ = item;
    hoverSizable_ = true;
    if (item >= 0) {
        const int32_t position = ItemData(item);
        if (position >= 1 && position <= table_.ColCount())
            hoverSizable_ = table_.Column(position).AllowSizing;
    }
    if (item == kNoHover) {
        hoverTimer_.SetInterval(0);
        return;
    }
    RepaintItem(item);
    events_.ColumnMouseEnter(item);
    hoverTimer_.SetInterval(kHoverPollMs);
}

void HeaderControl::OnHoverTick()
{
    if (tracking_ || dragging_ || hwnd_ == 0)
        return;
    POINT screen;
    GetCursorPos(&screen);
    if (WindowFromPoint(screen) == hwnd_) {
        const POINT pt = PointerIn(hwnd_);
        HDHITTESTINFO hit;
        hit.pt = pt;
        Header_HitTest(hwnd_, &hit);
        if ((hit.iItem >= 0 ? hit.iItem : kEmptyArea) == hoverItem_)
            return;
    }
    RepaintItem(hoverItem_);
    events_.ColumnMouseLeave(hoverItem_);
    hoverItem_ = kNoHover;
    hoverSizable_ = true;
    hoverTimer_.SetInterval(0);
}

int32_t HeaderControl::SortedColumnCount() const
{
    int32_t sorted = 0;
    for (int32_t p = 1; p <= table_.ColCount(); ++p)
        if (table_.Column(p).SortKey > 0)
            ++sorted;
    return sorted;
}

void HeaderControl::DrawItem(const DRAWITEMSTRUCT& item)
{
    const auto position = static_cast<int32_t>(item.itemData);
    if (position < 1 || position > table_.ColCount())
        return;
    HeaderItemLook look { settings_, textFont_, sortInfoFont_, imageList_, iconWidth_, iconHeight_, SortedColumnCount(),
        StylesInUse() };
    const bool hot = static_cast<int32_t>(item.itemID) == hoverItem_ && settings_.hotTrack && !StylesInUse();
    HeaderItemPainter(look).Draw(item.hDC, table_.Column(position),
        Rect { item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom },
        (item.itemState & ODS_SELECTED) != 0, hot);
}

void HeaderControl::OnPaint(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CallWindowProc(previous, hwnd, msg, wParam, lParam);
    if (StylesInUse() || hwnd_ == 0)
        return;
    RECT client {};
    GetClientRect(hwnd_, &client);
    std::vector<std::pair<int32_t, OleColor>> items;
    for (int32_t order = 0; order < ItemCount(); ++order) {
        const int32_t index = Header_OrderToIndex(hwnd_, order);
        const int32_t position = ItemData(index);
        const OleColor back
            = position >= 1 && position <= table_.ColCount() && table_.Column(position).HeaderBackColor != kColorDefault
            ? table_.Column(position).HeaderBackColor
            : settings_.backColor;
        items.emplace_back(ItemWidth(index), back);
    }
    const HDC hdc = GetDC(hwnd_);
    HeaderBorders(settings_).Paint(hdc, client.right, client.bottom, items);
    ReleaseDC(hwnd_, hdc);
}

void HeaderControl::CalcItemAutoSize(
    int32_t item, int32_t& width, int32_t& height, int32_t available, bool useAvailable) const
{
    width = 12;
    height = 0;
    const int32_t position = ItemData(item);
    if (position < 1 || position > table_.ColCount())
        return;
    const core::ColumnData& c = table_.Column(position);
    if (c.HeaderIcon >= 0) {
        width = iconWidth_ + 14;
        height = std::max(height, iconHeight_);
    }
    const bool sortInfo = settings_.sortInfoStyle != tvSortInfoNone && c.SortKey > 0;
    const HDC hdc = CreateCompatibleDC(0);
    if (sortInfo) {
        width += HeaderItemPainter::SortInfoWidth(
            hdc, sortInfoFont_, settings_.sortInfoStyle, SortedColumnCount(), c.SortKey);
        height = std::max(height, 16);
    }
    if (!c.HeaderText.empty()) {
        SelectObject(hdc, textFont_);
        const uint32_t flags = (static_cast<uint32_t>(c.HeaderTextFlags) & ~kShorteningFlags) | DT_CALCRECT;
        const int32_t sortRoom = sortInfo ? 4 : 0;
        Rect box { 0, 0, 1, 0 };
        if (useAvailable)
            box.right = std::max(available - width - sortRoom, 1);
        Rect measured = box;
        DrawCellText(hdc, c.HeaderText, measured, flags);
        if (!useAvailable && (flags & DT_WORDBREAK) != 0) {
            // A header lower than one line, or a text with line breaks of its own,
            // stops widening once more room no longer shortens it.
            Rect line {};
            DrawCellText(hdc, "A", line, DT_CALCRECT);
            const int32_t limit = std::max(Height() - 6, line.Height());
            while (measured.Height() > limit && measured.Width() + 16 >= box.right) {
                box.right += 16;
                measured = box;
                DrawCellText(hdc, c.HeaderText, measured, flags);
            }
        }
        width += measured.Width() + sortRoom;
        height = std::max(height, measured.Height());
    }
    DeleteDC(hdc);
    height += 6;
}

void HeaderControl::AutoHeight()
{
    int32_t best = settings_.minHeight;
    for (int32_t i = 0; i < ItemCount(); ++i) {
        int32_t width = 0, height = 0;
        CalcItemAutoSize(i, width, height, ItemWidth(i), true);
        best = std::max(best, height);
    }
    SetPosition(position_.left, position_.top, position_.Width(), best);
}

}  // namespace tavix::header
