#pragma once
// The keyboard of an edit control: WM_KEYDOWN for moves and commands, WM_CHAR
// for text.
#include <tavix/native/messages.h>

namespace tavix::native {

class EditControl;

// False for keys the control leaves alone.
bool EditKeyDown(EditControl& edit, int vk);
void EditChar(EditControl& edit, char32_t ch);

}  // namespace tavix::native
