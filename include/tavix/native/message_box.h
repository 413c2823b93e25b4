#pragma once
// Modal message boxes with the platform's button, icon and answer values.
#include <string>
#include <string_view>
#include <tavix/native/messages.h>

namespace tavix::native {

inline constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
                      MB_RETRYCANCEL = 0x5, MB_CANCELTRYCONTINUE = 0x6, MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
                      MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
                      MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0;
inline constexpr UINT MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00;

inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7,
                     IDTRYAGAIN = 10, IDCONTINUE = 11;

// One MessageBox call as the desktop recorded it.
struct MessageBoxCall {
    std::string text;
    std::string caption;
    UINT type { 0 };
    int answer { 0 };
    bool operator==(const MessageBoxCall&) const = default;
};

// Shows a modal box owned by hwnd's top-level window (disabled meanwhile) and
// returns the button chosen. Escape answers IDCANCEL when there is a Cancel
// button, IDOK for a lone OK button, and is ignored otherwise. See Desktop
// for how the headless desktop answers.
int MessageBox(HWND hwnd, std::string_view text, std::string_view caption, UINT type);

}  // namespace tavix::native
