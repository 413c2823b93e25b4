#include <tavix/dispatch.h>

#include <vector>

namespace tavix {

GridVariant Dispatch::Call(std::string_view member, std::initializer_list<GridVariant> args)
{
    std::vector<GridVariant> copy(args);
    return Invoke(member, InvokeKind::Method, copy);
}

GridVariant Dispatch::Get(std::string_view property) { return Invoke(property, InvokeKind::PropertyGet, {}); }

void Dispatch::Put(std::string_view property, GridVariant value)
{
    Invoke(property, InvokeKind::PropertyPut, std::span<GridVariant>(&value, 1));
}

}  // namespace tavix
