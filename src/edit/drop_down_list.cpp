#include "edit/drop_down_list.h"

#include "core/combo_match.h"
#include "core/message_boundary.h"
#include "core/shift_state.h"
#include "paint/paint_resources.h"

#include <tavix/native/combobox.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/text.h>
#include <tavix/native/uxtheme.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include <algorithm>
#include <unicode/unistr.h>

namespace tavix::edit {

namespace {

using namespace native;

constexpr const char* kClassName = "TavixDropDown";
constexpr const char* kObjectProp = "ODComboParent";
// Out of sight: only the list of the combo box is ever seen.
constexpr int32_t kHiddenAt = -100;
constexpr int32_t kHiddenSize = 20;
constexpr DWORD kComboStyle
    = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
constexpr int32_t kIconLeft = 2;
constexpr int32_t kIconGap = 4;
// The list's frame adds this to whole items.
constexpr int32_t kListFrame = 2;
// Around an item's text, and between its icon and text.
constexpr int32_t kTextMargins = 4;
constexpr int32_t kIconMargins = 8;
// Beside the scroll bar when the width is fitted to the items.
constexpr int32_t kFittedSlack = 4;

// Enter and the eight navigation keys, Page Up .. Down: the list takes them before the application.
bool IsListKey(WPARAM key) { return key == VK_RETURN || (key >= VK_PRIOR && key <= VK_DOWN); }

[[noreturn]] void RaiseBadIndex()
{
    throw TavixError(rtInvalidPropertyIndex, rtInvalidPropertyIndex, DropDownList::kErrorSource,
        RuntimeErrorText(rtInvalidPropertyIndex));
}

LRESULT DropDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* list = reinterpret_cast<DropDownList*>(GetProp(hwnd, kObjectProp));
    if (list == nullptr)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return core::AtMessageBoundary(list->GridHost(), [&] { return list->HandleMessage(msg, wParam, lParam); });
}

std::string Upper(const std::string& s)
{
    std::string out;
    icu::UnicodeString::fromUTF8(s).toUpper().toUTF8String(out);
    return out;
}

}  // namespace

DropDownList::~DropDownList()
{
    if (combo_ != 0 && IsWindow(combo_))
        Unsubclass(combo_, SubclassKind::ODCombo);
    if (window_ != 0 && IsWindow(window_)) {
        RemoveProp(window_, kObjectProp);
        DestroyWindow(window_);
    }
}

bool DropDownList::Create(HWND parent)
{
    if (window_ != 0 && IsWindow(window_))
        return true;
    RegisterClass(kClassName, DropDownProc);
    window_ = CreateWindowEx(
        0, kClassName, "", WS_CHILD | WS_VISIBLE, kHiddenAt, kHiddenAt, kHiddenSize, kHiddenSize, parent);
    if (window_ == 0)
        return false;
    SetProp(window_, kObjectProp, reinterpret_cast<intptr_t>(this));
    combo_ = CreateWindowEx(0, WC_COMBOBOX, "", kComboStyle, 0, 0, kHiddenSize, kHiddenSize, window_);
    if (combo_ == 0)
        return false;
    Subclass(combo_, SubclassKind::ODCombo, this);
    keys_.emplace(*this, FilterStage::ActiveObject);
    return true;
}

void DropDownList::Load(const ComboObject& list, int32_t imageList)
{
    items_.clear();
    SendMessage(combo_, CB_RESETCONTENT, 0, 0);
    for (int32_t i = 0; i < list.ListCount(); ++i) {
        items_.push_back({ list.ItemText(i), list.ItemValue(i), static_cast<int16_t>(list.ItemIcon(i)) });
        SendMessage(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.back().text.c_str()));
    }
    ImageList(imageList);
    SetFont(list.Font());
    SetWidth(list.Width() > 0 ? list.Width() : kDefaultWidth);
    SetHeightInItems(std::max(std::min(ListCount(), list.MaxHeightInItems()), 1));
}

DropDownList::IconSize DropDownList::IconSizeOf(int32_t imageList)
{
    IconSize size;
    if (imageList != 0)
        ImageList_GetIconSize(imageList, &size.width, &size.height);
    return size;
}

Size DropDownList::MeasureItem(HDC dc, const std::string& text, bool icon, IconSize iconSize)
{
    Size size {};
    GetTextExtentPoint32(dc, text.empty() ? std::string_view("X") : text, &size);
    const int32_t textWidth = text.empty() ? 0 : size.cx;
    if (!icon)
        return { textWidth + kTextMargins, std::max(size.cy + 2, kMinItemHeight) };
    return { iconSize.width + textWidth + kIconMargins,
        std::max(std::max(size.cy, iconSize.height) + 2, kMinItemHeight) };
}

int32_t DropDownList::FittingWidth(const ComboObject& list, int32_t imageList)
{
    const UniqueDC dc(CreateCompatibleDC(0));
    const UniqueGdiObject font = paint::FontCache::Create(list.Font());
    SelectObject(dc.Get(), font.Get());
    const IconSize iconSize = IconSizeOf(imageList);
    int32_t widest = 0;
    for (int32_t i = 0; i < list.ListCount(); ++i)
        widest = std::max(widest, MeasureItem(dc.Get(), list.ItemText(i), list.ItemIcon(i) >= 0, iconSize).cx);
    return widest + GetSystemMetrics(SM_CXVSCROLL) + kFittedSlack;
}

void DropDownList::MeasureItems()
{
    const UniqueDC dc(CreateCompatibleDC(0));
    SelectObject(dc.Get(), font_.Get());
    int32_t height = kMinItemHeight;
    for (const Item& item : items_)
        height = std::max(height, MeasureItem(dc.Get(), item.text, item.icon >= 0, icon_).cy);
    itemHeight_ = height;
    for (int32_t i = -1; i < ListCount(); ++i)
        SendMessage(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(i), height);
}

void DropDownList::SetFont(const FontRef& font)
{
    if (!fontDescription_ || !FontsEqual(*fontDescription_, font)) {
        fontDescription_ = font.Clone();
        UniqueGdiObject replaced = std::exchange(font_, paint::FontCache::Create(font));
        // The combo box lets go of the old font before it goes.
        SendMessage(combo_, WM_SETFONT, static_cast<WPARAM>(font_.Get()), 0);
    }
    MeasureItems();
}

void DropDownList::ImageList(int32_t handle)
{
    imageList_ = handle;
    icon_ = IconSizeOf(handle);
}

void DropDownList::SetWidth(int32_t width) { listWidth_ = width; }

void DropDownList::SetHeightInItems(int32_t count)
{
    listHeight_ = itemHeight_ * count + kListFrame;
    placementPending_ = true;
}

void DropDownList::AllowXPStyles(bool allow)
{
    if (const HWND list = ListWindow())
        SetWindowTheme(list, allow ? nullptr : "", allow ? nullptr : "");
}

int32_t DropDownList::ListIndex() const { return static_cast<int32_t>(SendMessage(combo_, CB_GETCURSEL, 0, 0)); }

void DropDownList::SetListIndex(int32_t index)
{
    if (SendMessage(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR && index != -1)
        RaiseBadIndex();
    listener_.ItemChosen();
}

const DropDownList::Item& DropDownList::At(int32_t index) const
{
    if (index < 0 || index >= ListCount())
        RaiseBadIndex();
    return items_[static_cast<size_t>(index)];
}

bool DropDownList::TranslateAccelerator(const MSG& msg)
{
    // The keyboard is the list's while its combo box or list window has the focus.
    if (msg.message != WM_KEYDOWN || !IsListKey(msg.wParam) || combo_ == 0)
        return false;
    const HWND list = ListWindow();
    if (msg.hwnd != combo_ && msg.hwnd != list)
        return false;
    SendMessage(list, msg.message, msg.wParam, msg.lParam);
    return true;
}

std::string DropDownList::Text() const
{
    const int32_t at = ListIndex();
    return at >= 0 && at < ListCount() ? items_[static_cast<size_t>(at)].text : std::string();
}

int32_t DropDownList::ValueIndex(const GridVariant& value) const
{
    for (int32_t i = 0; i < ListCount(); ++i)
        if (core::ComboValueMatches(items_[static_cast<size_t>(i)].value, value))
            return i;
    return -1;
}

int32_t DropDownList::InitialIndex(const std::string& prefix) const
{
    const std::string wanted = Upper(prefix);
    for (int32_t i = 0; i < ListCount(); ++i)
        if (Upper(items_[static_cast<size_t>(i)].text).starts_with(wanted))
            return i;
    return -1;
}

void DropDownList::ShowDropDownAtPosition(int32_t x, int32_t y, int32_t /*cellWidth*/, int32_t cellHeight)
{
    const int32_t screenW = GetSystemMetrics(SM_CXSCREEN);
    const int32_t screenH = GetSystemMetrics(SM_CYSCREEN);
    int32_t left = x;
    int32_t width = listWidth_;
    if (width <= screenW) {
        left = std::min(left, screenW - width);
    } else {
        left = 0;
        width = screenW;
    }
    const int32_t below = screenH - y - cellHeight;
    int32_t top = y + cellHeight;
    int32_t height = listHeight_;
    if (height < below) {
        // Fits below the cell.
    } else if (height <= y) {
        top = y - height - 1;
    } else if (below <= y) {
        height = (y / itemHeight_) * itemHeight_;
        top = (y % itemHeight_) - 1;
    } else {
        height = (below / itemHeight_) * itemHeight_;
    }
    placement_ = { left, top, left + width, top + height };
    placementPending_ = true;
    SendMessage(combo_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
    SetFocus(combo_);
    SendMessage(combo_, CB_SHOWDROPDOWN, 1, 0);
}

void DropDownList::Hide()
{
    if (Dropped())
        SendMessage(combo_, CB_SHOWDROPDOWN, 0, 0);
}

bool DropDownList::Dropped() const { return combo_ != 0 && SendMessage(combo_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

HWND DropDownList::ListWindow() const
{
    COMBOBOXINFO info;
    return GetComboBoxInfo(combo_, &info) ? info.hwndList : 0;
}

LRESULT DropDownList::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELENDOK)
            listener_.ItemChosen();
        else if (HIWORD(wParam) == CBN_CLOSEUP)
            listener_.ListClosed();
        return 0;
    case WM_CTLCOLORLISTBOX:
        if (placementPending_) {
            placementPending_ = false;
            MoveWindow(
                static_cast<HWND>(lParam), placement_.left, placement_.top, placement_.Width(), placement_.Height());
        }
        return 0;
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight_; return 1;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return 1;
    case WM_SETFOCUS: SetFocus(combo_); return 0;
    case WM_MOUSEACTIVATE:
        // A click on the out-of-sight field must not take the focus from where it is.
        return GetFocus() != combo_ ? MA_NOACTIVATEANDEAT : MA_ACTIVATE;
    default: return DefWindowProc(window_, msg, wParam, lParam);
    }
}

void DropDownList::SubclassProc(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = core::AtMessageBoundary(listener_.GridHost(), [&] {
        LRESULT delivered = 0;
        Deliver(previous, hwnd, msg, wParam, lParam, delivered);
        return delivered;
    });
}

void DropDownList::Deliver(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_KEYDOWN) {
        auto keyCode = static_cast<int16_t>(wParam & 0xFF);
        listener_.ListKeyDown(keyCode, core::ShiftState());
        // The owner may have ended the edit and hidden the list: the key is spent.
        if (keyCode == 0 || !Dropped()) {
            result = 0;
            return;
        }
        wParam = static_cast<WPARAM>(keyCode);
    }
    result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
}

void DropDownList::DrawItem(const DRAWITEMSTRUCT& dis) const
{
    if (dis.itemID == static_cast<UINT>(-1) || dis.itemID >= items_.size())
        return;
    const Item& item = items_[dis.itemID];
    const bool focused = (dis.itemState & ODS_SELECTED) != 0;
    Rect rc { dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom };
    FillRect(dis.hDC, rc, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (focused)
        DrawFocusRect(dis.hDC, rc);
    Rect text = rc;
    if (item.icon >= 0 && imageList_ != 0) {
        ImageList_DrawEx(
            imageList_, item.icon, dis.hDC, rc.left + kIconLeft, rc.top + 1, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        text.left += icon_.width + kIconGap;
    }
    text = text.Inflate(-2, -1);
    const HGDIOBJ old = SelectObject(dis.hDC, font_.Get());
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawText(dis.hDC, item.text, text, DT_VCENTER | DT_SINGLELINE);
    SelectObject(dis.hDC, old);
}

}  // namespace tavix::edit
