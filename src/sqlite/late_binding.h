// What the record set's late-bound objects share: member names and their errors.
#pragma once

#include <string_view>

namespace tavix::sqlite {

// Member names are matched without regard to case, as late binding does.
bool IsMember(std::string_view asked, std::string_view name);

// A collection has no item of that name or number.
[[noreturn]] void RaiseNoSuchItem(std::string_view item);
// A value was asked for at EOF.
[[noreturn]] void RaiseNoCurrentRecord();

}  // namespace tavix::sqlite
