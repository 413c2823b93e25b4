#pragma once
// Chaining an object in front of a window's procedure. For a kind name N the
// window carries "procOld_"N (the procedure in place before) and "ObjPtr_"N
// (the owner); each kind has one fixed callback procedure, so several kinds on
// one window unwind in reverse order of installation.
#include <string_view>
#include <tavix/native/window.h>

namespace tavix::native {

class SubclassOwner {
public:
    virtual ~SubclassOwner() = default;
    // Decides per message whether to CallWindowProc(previous, ...) before,
    // after or instead of its own work; `result` is what the callback returns.
    virtual void SubclassProc(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

enum class SubclassKind { Tavix, TavixTextBox, cScrollBars, Header, HeaderParent, ODCombo, ODComboParent };

std::string_view KindName(SubclassKind kind);
WNDPROC SubclassCallback(SubclassKind kind);

// Installs the kind's callback; a second installation of the same kind on the
// same window is the caller's to prevent (the owner keeps a subclassed flag).
void Subclass(HWND hwnd, SubclassKind kind, SubclassOwner* owner);
// Puts back the procedure stored under "procOld_"N; the properties stay.
void Unsubclass(HWND hwnd, SubclassKind kind);

}  // namespace tavix::native
