#pragma once
// The edit control, window class "EDIT": styles, messages and notifications
// with the platform's values. Text is UTF-8; positions and lengths in EM_*
// messages count characters (code points), line breaks included ("\r\n" is
// two). WM_GETTEXTLENGTH counts bytes, so that it sizes a WM_GETTEXT buffer.
//
// Notifications reach the parent as WM_COMMAND with the code in the high word
// of wParam and the edit window in lParam. WM_SETTEXT reports EN_CHANGE only
// when the text really changed, in single-line and multi-line controls alike.
// Colours come from the parent's answer to WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC
// when read-only or disabled): the DC's text and background colours and the
// returned brush, or the window colours when it returns 0.
#include <string_view>
#include <tavix/native/window.h>

namespace tavix::native {

inline constexpr std::string_view WC_EDIT = "EDIT";

inline constexpr DWORD ES_LEFT = 0x0, ES_CENTER = 0x1, ES_RIGHT = 0x2, ES_MULTILINE = 0x4, ES_UPPERCASE = 0x8,
                       ES_LOWERCASE = 0x10, ES_AUTOVSCROLL = 0x40, ES_AUTOHSCROLL = 0x80, ES_NOHIDESEL = 0x100,
                       ES_READONLY = 0x800, ES_WANTRETURN = 0x1000, ES_NUMBER = 0x2000;
// Right-aligned text, as ES_RIGHT.
inline constexpr DWORD WS_EX_RIGHT = 0x1000;

inline constexpr UINT EM_GETSEL = 0xB0, EM_SETSEL = 0xB1, EM_GETRECT = 0xB2, EM_LINESCROLL = 0xB6,
                      EM_SCROLLCARET = 0xB7, EM_GETMODIFY = 0xB8, EM_SETMODIFY = 0xB9, EM_GETLINECOUNT = 0xBA,
                      EM_LINEINDEX = 0xBB, EM_LINELENGTH = 0xC1, EM_REPLACESEL = 0xC2, EM_LIMITTEXT = 0xC5,
                      EM_SETLIMITTEXT = 0xC5, EM_CANUNDO = 0xC6, EM_UNDO = 0xC7, EM_LINEFROMCHAR = 0xC9,
                      EM_EMPTYUNDOBUFFER = 0xCD, EM_GETFIRSTVISIBLELINE = 0xCE, EM_SETREADONLY = 0xCF,
                      EM_SETMARGINS = 0xD3, EM_GETMARGINS = 0xD4, EM_GETLIMITTEXT = 0xD5, EM_POSFROMCHAR = 0xD6,
                      EM_CHARFROMPOS = 0xD7;

inline constexpr uint16_t EN_SETFOCUS = 0x100, EN_KILLFOCUS = 0x200, EN_CHANGE = 0x300, EN_UPDATE = 0x400,
                          EN_MAXTEXT = 0x501, EN_HSCROLL = 0x601, EN_VSCROLL = 0x602;

// EM_SETMARGINS: which margins wParam sets; the widths are LOWORD / HIWORD of
// lParam, or EC_USEFONTINFO for a width derived from the font.
inline constexpr WPARAM EC_LEFTMARGIN = 0x1, EC_RIGHTMARGIN = 0x2;
inline constexpr uint16_t EC_USEFONTINFO = 0xFFFF;

// What a user may type before EM_LIMITTEXT; EM_LIMITTEXT(0) lifts the limit.
inline constexpr UINT kEditDefaultLimit = 30000;

}  // namespace tavix::native
