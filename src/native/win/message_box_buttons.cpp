#include "native/win/message_box_buttons.h"
#include <algorithm>

namespace tavix::native {

namespace {

constexpr MessageBoxButton kOk { IDOK, "OK" }, kCancel { IDCANCEL, "Cancel" }, kAbort { IDABORT, "&Abort" },
    kRetry { IDRETRY, "&Retry" }, kIgnore { IDIGNORE, "&Ignore" }, kYes { IDYES, "&Yes" }, kNo { IDNO, "&No" },
    kTryAgain { IDTRYAGAIN, "&Try Again" }, kContinue { IDCONTINUE, "&Continue" };
constexpr int kDefaultShift = 8;

char32_t Lower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

}  // namespace

MessageBoxButtons MessageBoxButtons::For(UINT type)
{
    MessageBoxButtons set;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: set.buttons = { kOk, kCancel }; break;
    case MB_ABORTRETRYIGNORE: set.buttons = { kAbort, kRetry, kIgnore }; break;
    case MB_YESNOCANCEL: set.buttons = { kYes, kNo, kCancel }; break;
    case MB_YESNO: set.buttons = { kYes, kNo }; break;
    case MB_RETRYCANCEL: set.buttons = { kRetry, kCancel }; break;
    case MB_CANCELTRYCONTINUE: set.buttons = { kCancel, kTryAgain, kContinue }; break;
    default: set.buttons = { kOk }; break;
    }
    set.defaultIndex = std::min<size_t>((type & MB_DEFMASK) >> kDefaultShift, set.buttons.size() - 1);
    bool cancel = std::any_of(set.buttons.begin(), set.buttons.end(), [](auto& b) { return b.id == IDCANCEL; });
    set.escapeId = cancel ? IDCANCEL : set.buttons.size() == 1 ? IDOK : 0;
    return set;
}

int MessageBoxButtons::IndexOfKey(char32_t ch) const
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto amp = buttons[i].label.find('&');
        if (amp != std::string_view::npos && amp + 1 < buttons[i].label.size()
            && Lower(static_cast<unsigned char>(buttons[i].label[amp + 1])) == Lower(ch))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace tavix::native
