#include <array>
#include <string>
#include <tavix/native/subclass.h>

namespace tavix::native {

namespace {

std::string PropName(std::string_view prefix, SubclassKind kind)
{
    std::string name(prefix);
    name += KindName(kind);
    return name;
}

template <SubclassKind Kind> LRESULT KindCallback(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static const std::string objName = PropName("ObjPtr_", Kind);
    static const std::string procName = PropName("procOld_", Kind);
    auto previous = ToWndProc(GetProp(hwnd, procName));
    auto* owner = reinterpret_cast<SubclassOwner*>(GetProp(hwnd, objName));
    // Without an owner the message still travels down the chain.
    if (!owner)
        return CallWindowProc(previous, hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    owner->SubclassProc(previous, hwnd, msg, wParam, lParam, result);
    return result;
}

constexpr std::array<WNDPROC, 7> kCallbacks {
    KindCallback<SubclassKind::Tavix>,
    KindCallback<SubclassKind::TavixTextBox>,
    KindCallback<SubclassKind::cScrollBars>,
    KindCallback<SubclassKind::Header>,
    KindCallback<SubclassKind::HeaderParent>,
    KindCallback<SubclassKind::ODCombo>,
    KindCallback<SubclassKind::ODComboParent>,
};

}  // namespace

std::string_view KindName(SubclassKind kind)
{
    static constexpr std::array<std::string_view, 7> names { "Tavix", "TavixTextBox", "cScrollBars", "Header",
        "HeaderParent", "ODCombo", "ODComboParent" };
    return names[static_cast<size_t>(kind)];
}

WNDPROC SubclassCallback(SubclassKind kind) { return kCallbacks[static_cast<size_t>(kind)]; }

void Subclass(HWND hwnd, SubclassKind kind, SubclassOwner* owner)
{
    LONG_PTR old = SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(SubclassCallback(kind)));
    SetProp(hwnd, PropName("procOld_", kind), old);
    SetProp(hwnd, PropName("ObjPtr_", kind), reinterpret_cast<intptr_t>(owner));
}

void Unsubclass(HWND hwnd, SubclassKind kind)
{
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, GetProp(hwnd, PropName("procOld_", kind)));
}

}  // namespace tavix::native
