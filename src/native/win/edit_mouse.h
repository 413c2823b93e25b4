#pragma once
// The mouse on an edit control: a press places the caret (Shift extends), a
// drag selects, a double click selects a word, the middle button pastes the
// primary selection where it is released.
#include <tavix/native/messages.h>

namespace tavix::native {

class EditControl;

void EditMouse(EditControl& edit, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tavix::native
