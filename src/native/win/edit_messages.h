#pragma once
// The EM_* messages of an edit control.
#include <tavix/native/messages.h>

namespace tavix::native {

class EditControl;

LRESULT EditMessage(EditControl& edit, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tavix::native
