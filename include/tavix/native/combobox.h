#pragma once
// The combo box, window class "COMBOBOX", as a drop-down list
// (CBS_DROPDOWNLIST) with owner-drawn items of variable height: messages,
// notifications and the records it uses, with the platform's values.
//
// The drop-down part is a top-level popup of class "ComboLBox". Before it
// draws it sends WM_CTLCOLORLISTBOX (wParam the DC, lParam the list window)
// to the combo box's parent, which may move the list then. Items are drawn by
// the parent through WM_DRAWITEM (ODT_COMBOBOX, hwndItem the combo box) and
// measured through WM_MEASUREITEM when added. Notifications reach the parent
// as WM_COMMAND with the code in the high word of wParam and the combo box in
// lParam; choosing with the mouse or Enter sends CBN_SELENDOK, CBN_CLOSEUP
// and, when the selection changed, CBN_SELCHANGE, in that order; closing
// otherwise sends CBN_SELENDCANCEL and CBN_CLOSEUP. WS_VSCROLL in the style
// asks for a scroll bar on the list when the items do not fit; the combo box
// itself never shows one.
#include <string_view>
#include <tavix/native/window.h>

namespace tavix::native {

inline constexpr std::string_view WC_COMBOBOX = "COMBOBOX";
inline constexpr std::string_view WC_COMBOLBOX = "ComboLBox";

inline constexpr DWORD CBS_DROPDOWNLIST = 0x3, CBS_OWNERDRAWVARIABLE = 0x20, CBS_HASSTRINGS = 0x200;

inline constexpr UINT CB_ADDSTRING = 0x143, CB_DELETESTRING = 0x144, CB_GETCOUNT = 0x146, CB_GETCURSEL = 0x147,
                      CB_GETLBTEXT = 0x148, CB_GETLBTEXTLEN = 0x149, CB_INSERTSTRING = 0x14A, CB_RESETCONTENT = 0x14B,
                      CB_SETCURSEL = 0x14E, CB_SHOWDROPDOWN = 0x14F, CB_GETITEMDATA = 0x150, CB_SETITEMDATA = 0x151,
                      CB_GETDROPPEDCONTROLRECT = 0x152, CB_SETITEMHEIGHT = 0x153, CB_GETITEMHEIGHT = 0x154,
                      CB_GETDROPPEDSTATE = 0x157, CB_GETTOPINDEX = 0x15B, CB_GETDROPPEDWIDTH = 0x15F,
                      CB_SETDROPPEDWIDTH = 0x160, CB_GETCOMBOBOXINFO = 0x164;
inline constexpr LRESULT CB_OKAY = 0, CB_ERR = -1;

inline constexpr uint16_t CBN_SELCHANGE = 1, CBN_SETFOCUS = 3, CBN_KILLFOCUS = 4, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8,
                          CBN_SELENDOK = 9, CBN_SELENDCANCEL = 10;

// CB_GETCOMBOBOXINFO (lParam points to it) and GetComboBoxInfo.
struct COMBOBOXINFO {
    RECT rcItem;  // the selection field, client coordinates
    RECT rcButton;
    DWORD stateButton { 0 };
    HWND hwndCombo { 0 };
    HWND hwndItem { 0 };  // the selection field's own window: none here, the combo box itself
    HWND hwndList { 0 };
};
inline constexpr DWORD STATE_SYSTEM_PRESSED = 0x8;

bool GetComboBoxInfo(HWND combo, COMBOBOXINFO* info);

}  // namespace tavix::native
