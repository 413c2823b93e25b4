// What the record set's late-bound objects share: member names and their errors.
#pragma once

#include <string_view>

namespace tavix::sqlite {

bool EqualNoCase(std::string_view a, std::string_view b);

// Member names are matched without regard to case, as late binding does. Asked for every
// value an import reads, so the usual exact spelling is tried first.
inline bool IsMember(std::string_view asked, std::string_view name)
{
    return asked.size() == name.size() && (asked == name || EqualNoCase(asked, name));
}

// A collection has no item of that name or number.
[[noreturn]] void RaiseNoSuchItem(std::string_view item);
// A value was asked for at EOF.
[[noreturn]] void RaiseNoCurrentRecord();

}  // namespace tavix::sqlite
