#pragma once
// Owner drawing: the records a control hands to its parent with
// WM_MEASUREITEM and WM_DRAWITEM (lParam points to them).
#include <tavix/native/gdi.h>
#include <tavix/native/messages.h>

namespace tavix::native {

inline constexpr UINT ODT_MENU = 1, ODT_LISTBOX = 2, ODT_COMBOBOX = 3, ODT_BUTTON = 4, ODT_STATIC = 5, ODT_HEADER = 100;
inline constexpr UINT ODA_DRAWENTIRE = 0x1, ODA_SELECT = 0x2, ODA_FOCUS = 0x4;
inline constexpr UINT ODS_SELECTED = 0x1, ODS_GRAYED = 0x2, ODS_DISABLED = 0x4, ODS_CHECKED = 0x8, ODS_FOCUS = 0x10,
                      ODS_DEFAULT = 0x20, ODS_HOTLIGHT = 0x40, ODS_INACTIVE = 0x80, ODS_COMBOBOXEDIT = 0x1000;

struct MEASUREITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };  // controls have no identifiers here: always 0
    UINT itemID { 0 };  // -1 (as UINT) for a combo box's selection field
    UINT itemWidth { 0 };
    UINT itemHeight { 0 };
    uintptr_t itemData { 0 };
};

struct DRAWITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };
    UINT itemID { 0 };  // -1 (as UINT) when there is no item
    UINT itemAction { 0 };
    UINT itemState { 0 };
    HWND hwndItem { 0 };
    HDC hDC { 0 };
    RECT rcItem;
    uintptr_t itemData { 0 };
};

}  // namespace tavix::native
