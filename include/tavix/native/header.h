#pragma once
// The column header control, window class "SysHeader32": styles, messages,
// notifications and structures with the platform's names and values.
//
// Windows here are Unicode windows whose text is UTF-8, so the generic names
// (HDM_INSERTITEM, HDN_ITEMCLICK ...) carry the numbers of the platform's wide
// variants; the narrow message numbers are accepted as well and behave the same.
//
// What the control does with the mouse, in the order the parent hears it:
// - press on an item (HDS_BUTTONS only): the item is drawn pushed while the
//   pointer stays on it; release on it: HDN_ITEMCLICK, NM_RELEASEDCAPTURE.
// - press on a divider: HDN_BEGINTRACK (non-zero vetoes); moves: HDN_TRACK,
//   or with HDS_FULLDRAG HDN_ITEMCHANGING (non-zero vetoes that step) and
//   HDN_ITEMCHANGED; release: HDN_ENDTRACK, HDN_ITEMCHANGING (non-zero keeps
//   the old width), HDN_ITEMCHANGED, NM_RELEASEDCAPTURE. Without HDS_FULLDRAG
//   an inverted line shows the tracked edge and the width applies on release.
// - press on an item and move with HDS_DRAGDROP: HDN_BEGINDRAG (non-zero
//   vetoes; it is asked once per press); release: HDN_ENDDRAG with the new
//   order, or -1 when dropped away from the header (non-zero keeps the order),
//   NM_RELEASEDCAPTURE.
// - double click: HDN_DIVIDERDBLCLICK on a divider, HDN_ITEMDBLCLICK on an item
//   (HDS_BUTTONS only); right button release: NM_RCLICK, then WM_CONTEXTMENU
//   unless NM_RCLICK returned non-zero.
// - losing the capture to another window ends a divider drag at its last width
//   and an item drag without a drop, then sends NM_RELEASEDCAPTURE.
// HDM_SETITEM sends HDN_ITEMCHANGING / HDN_ITEMCHANGED with the caller's mask:
// a handler reads cxy only when the mask holds HDI_WIDTH.
//
// Every item gets its native border first: a raised 2-pixel border with
// HDS_BUTTONS (a flat 1-pixel frame while pressed), else a 2-pixel groove at
// its right and bottom. An HDF_OWNERDRAW item is then drawn by the parent
// (WM_DRAWITEM, ODT_HEADER, ODS_SELECTED while pressed, itemData = lParam):
// rcItem is the whole item, as the platform gives it, while the DC is clipped
// to the part inside the border (filled with the button face), so the border
// stays; the background mode is transparent. Windows here carry
// no control ids, so CtlID, idFrom and WM_NOTIFY's wParam are 0.
#include <span>
#include <string_view>
#include <tavix/native/notify.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/window.h>

namespace tavix::native {

inline constexpr std::string_view WC_HEADER = "SysHeader32";

// HDS_HOTTRACK and HDS_HIDDEN are known but only HDS_HIDDEN has an effect (HDM_LAYOUT).
inline constexpr DWORD HDS_HORZ = 0x0, HDS_BUTTONS = 0x2, HDS_HOTTRACK = 0x4, HDS_HIDDEN = 0x8, HDS_DRAGDROP = 0x40,
                       HDS_FULLDRAG = 0x80;

inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0, HDM_INSERTITEMA = HDM_FIRST + 1, HDM_DELETEITEM = HDM_FIRST + 2,
                      HDM_GETITEMA = HDM_FIRST + 3, HDM_SETITEMA = HDM_FIRST + 4, HDM_LAYOUT = HDM_FIRST + 5,
                      HDM_HITTEST = HDM_FIRST + 6, HDM_GETITEMRECT = HDM_FIRST + 7, HDM_SETIMAGELIST = HDM_FIRST + 8,
                      HDM_GETIMAGELIST = HDM_FIRST + 9, HDM_INSERTITEMW = HDM_FIRST + 10, HDM_GETITEMW = HDM_FIRST + 11,
                      HDM_SETITEMW = HDM_FIRST + 12, HDM_ORDERTOINDEX = HDM_FIRST + 15,
                      HDM_GETORDERARRAY = HDM_FIRST + 17, HDM_SETORDERARRAY = HDM_FIRST + 18;
inline constexpr UINT HDM_INSERTITEM = HDM_INSERTITEMW, HDM_GETITEM = HDM_GETITEMW, HDM_SETITEM = HDM_SETITEMW;

inline constexpr UINT HDN_FIRST = 0u - 300u;
inline constexpr UINT HDN_ITEMCHANGING = HDN_FIRST - 20u, HDN_ITEMCHANGED = HDN_FIRST - 21u,
                      HDN_ITEMCLICK = HDN_FIRST - 22u, HDN_ITEMDBLCLICK = HDN_FIRST - 23u,
                      HDN_DIVIDERDBLCLICK = HDN_FIRST - 25u, HDN_BEGINTRACK = HDN_FIRST - 26u,
                      HDN_ENDTRACK = HDN_FIRST - 27u, HDN_TRACK = HDN_FIRST - 28u, HDN_BEGINDRAG = HDN_FIRST - 10u,
                      HDN_ENDDRAG = HDN_FIRST - 11u;

// HDITEM.mask
inline constexpr UINT HDI_WIDTH = 0x1, HDI_HEIGHT = HDI_WIDTH, HDI_TEXT = 0x2, HDI_FORMAT = 0x4, HDI_LPARAM = 0x8,
                      HDI_IMAGE = 0x20, HDI_ORDER = 0x80;

// HDITEM.fmt; HDF_IMAGE draws iImage from the image list, HDF_SORTUP/DOWN an arrow.
inline constexpr int HDF_LEFT = 0x0, HDF_RIGHT = 0x1, HDF_CENTER = 0x2, HDF_JUSTIFYMASK = 0x3, HDF_RTLREADING = 0x4,
                     HDF_SORTDOWN = 0x200, HDF_SORTUP = 0x400, HDF_IMAGE = 0x800, HDF_STRING = 0x4000,
                     HDF_OWNERDRAW = 0x8000;

// HDHITTESTINFO.flags
inline constexpr UINT HHT_NOWHERE = 0x1, HHT_ONHEADER = 0x2, HHT_ONDIVIDER = 0x4, HHT_ONDIVOPEN = 0x8,
                      HHT_ABOVE = 0x100, HHT_BELOW = 0x200, HHT_TORIGHT = 0x400, HHT_TOLEFT = 0x800;

inline constexpr WPARAM HDSIL_NORMAL = 0;

struct HDITEM {
    UINT mask { 0 };
    int cxy { 0 };
    char* pszText { nullptr };  // UTF-8; HDM_GETITEM fills up to cchTextMax bytes with the terminator
    int cchTextMax { 0 };
    int fmt { 0 };
    LPARAM lParam { 0 };
    int iImage { 0 };
    int iOrder { 0 };
};

struct HDHITTESTINFO {
    POINT pt;
    UINT flags { 0 };
    int iItem { -1 };  // -1 unless the point is on an item or a divider
};

struct WINDOWPOS {
    HWND hwnd { 0 };
    HWND hwndInsertAfter { 0 };
    int x { 0 };
    int y { 0 };
    int cx { 0 };
    int cy { 0 };
    UINT flags { 0 };
};

// HDM_LAYOUT: prc is the parent's free area; the header takes its top strip.
struct HDLAYOUT {
    RECT* prc { nullptr };
    WINDOWPOS* pwpos { nullptr };
};

struct NMHEADER {
    NMHDR hdr;
    int iItem { -1 };
    int iButton { 0 };  // 0 left, 1 right, 2 middle
    HDITEM* pitem { nullptr };  // never null; its mask says which fields are meaningful
};

inline int Header_GetItemCount(HWND h) { return static_cast<int>(SendMessage(h, HDM_GETITEMCOUNT, 0, 0)); }
inline int Header_InsertItem(HWND h, int index, const HDITEM& item)
{
    return static_cast<int>(
        SendMessage(h, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
inline bool Header_DeleteItem(HWND h, int index) { return SendMessage(h, HDM_DELETEITEM, index, 0) != 0; }
inline bool Header_GetItem(HWND h, int index, HDITEM* item)
{
    return SendMessage(h, HDM_GETITEM, index, reinterpret_cast<LPARAM>(item)) != 0;
}
inline bool Header_SetItem(HWND h, int index, const HDITEM& item)
{
    return SendMessage(h, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&item)) != 0;
}
inline bool Header_GetItemRect(HWND h, int index, RECT* rect)
{
    return SendMessage(h, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
}
inline int Header_HitTest(HWND h, HDHITTESTINFO* info)
{
    return static_cast<int>(SendMessage(h, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
inline bool Header_GetOrderArray(HWND h, std::span<int> order)
{
    return SendMessage(h, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data())) != 0;
}
inline bool Header_SetOrderArray(HWND h, std::span<const int> order)
{
    return SendMessage(h, HDM_SETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data())) != 0;
}
inline int Header_OrderToIndex(HWND h, int order)
{
    return static_cast<int>(SendMessage(h, HDM_ORDERTOINDEX, static_cast<WPARAM>(order), 0));
}
inline bool Header_Layout(HWND h, HDLAYOUT* layout)
{
    return SendMessage(h, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout)) != 0;
}

}  // namespace tavix::native
