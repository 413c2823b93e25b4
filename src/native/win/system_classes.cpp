// The window classes every desktop has, as the platform registers its own.
#include "native/win/combo_box_control.h"
#include "native/win/combo_list_control.h"
#include "native/win/edit_control.h"
#include "native/win/header_control.h"
#include "native/win/message_box_window.h"
#include "native/win/window_control.h"

namespace tavix::native {

void RegisterSystemClasses()
{
    RegisterClass(WC_EDIT, ControlProc<EditControl>, CS_DBLCLKS);
    RegisterClass(WC_COMBOBOX, ControlProc<ComboBoxControl>, CS_DBLCLKS);
    RegisterClass(WC_COMBOLBOX, ControlProc<ComboListControl>);
    RegisterClass(WC_HEADER, ControlProc<HeaderControl>, CS_DBLCLKS);
    RegisterClass(WC_MESSAGEBOX, ControlProc<MessageBoxWindow>);
}

}  // namespace tavix::native
