#pragma once
// Text on the clipboard, UTF-8 both ways. The edit control is the only user
// of the clipboard here, and it only moves text, so two calls replace the
// platform's open / empty / set-data / get-data / close sequence and its
// memory handles. On the headless desktop the clipboard lives in the process;
// under X11Display it is the X CLIPBOARD selection, and Primary is the X
// PRIMARY selection (what was last selected in an edit box).
#include <optional>
#include <string>
#include <string_view>

namespace tavix::native {

enum class ClipboardSelection { Clipboard, Primary };

bool SetClipboardText(std::string_view utf8, ClipboardSelection which = ClipboardSelection::Clipboard);
// Nothing when the selection is empty or its owner did not answer.
std::optional<std::string> GetClipboardText(ClipboardSelection which = ClipboardSelection::Clipboard);

}  // namespace tavix::native
