#include <tavix/dispatch.h>

#include <algorithm>
#include <cctype>

namespace tavix {

bool DispatchObject::NoCaseLess::operator()(std::string_view a, std::string_view b) const
{
    // Member names are ASCII identifiers; no locale is involved.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

GridVariant DispatchObject::Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args)
{
    if (kind == InvokeKind::Method || (kind == InvokeKind::PropertyGet && !args.empty())) {
        // A get with arguments is an indexed property, which late binding treats as a call.
        if (auto it = methods_.find(member); it != methods_.end())
            return it->second(args);
    }
    if (auto it = properties_.find(member); it != properties_.end()) {
        if (kind == InvokeKind::PropertyPut) {
            if (args.empty())
                throw TavixError::Runtime(450);  // wrong number of arguments
            it->second = args.back();
            return {};
        }
        // Late-bound callers cannot tell "obj.Value" from "obj.Value()": both read it.
        if (args.empty())
            return it->second;
    }
    // A parameterless method may be read like a property.
    if (kind == InvokeKind::PropertyGet)
        if (auto it = methods_.find(member); it != methods_.end())
            return it->second(args);
    throw TavixError::Runtime(kErrNoSuchMember);
}

void DispatchObject::DefineProperty(std::string_view name, GridVariant initial)
{
    properties_.insert_or_assign(std::string(name), std::move(initial));
}

void DispatchObject::DefineMethod(std::string_view name, Method method)
{
    methods_.insert_or_assign(std::string(name), std::move(method));
}

bool DispatchObject::HasMember(std::string_view name) const
{
    return properties_.contains(name) || methods_.contains(name);
}

}  // namespace tavix
