#include "native/win/desktop_state.h"

namespace tavix::native {

bool SetClipboardText(std::string_view utf8, ClipboardSelection which)
{
    auto* s = CurrentState();
    return s && s->clipboard->SetText(which, std::string(utf8));
}

std::optional<std::string> GetClipboardText(ClipboardSelection which)
{
    auto* s = CurrentState();
    return s ? s->clipboard->Text(which) : std::nullopt;
}

}  // namespace tavix::native
