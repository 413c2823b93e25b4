#pragma once
// What typed, pasted or set text becomes before it enters an edit control.
#include <string>
#include <string_view>
#include <tavix/native/messages.h>

namespace tavix::native {

// Broken UTF-8 becomes U+FFFD, ES_UPPERCASE / ES_LOWERCASE map the case, and
// unless keepBreaks the text ends at its first line break (a single line
// takes what is pasted up to there).
std::string PrepareInput(std::string_view utf8, DWORD style, bool keepBreaks);

}  // namespace tavix::native
