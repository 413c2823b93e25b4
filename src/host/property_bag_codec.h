// Text form of one stored value: "Type:Value", exact for every scalar type.
#pragma once

#include <tavix/variant.h>

#include <string>
#include <string_view>

namespace tavix::bagcodec {

// Throws error 514 for objects other than Nothing, which have no text form.
std::string Encode(const GridVariant& value);
// Throws error 514 for anything Encode cannot have produced.
GridVariant Decode(std::string_view text);

}  // namespace tavix::bagcodec
