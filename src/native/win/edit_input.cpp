#include "native/win/edit_input.h"
#include "native/win/utf8.h"
#include <tavix/native/edit.h>
#include <unicode/uchar.h>

namespace tavix::native {

std::string PrepareInput(std::string_view utf8, DWORD style, bool keepBreaks)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = utf8::Next(utf8, i);
        if (!keepBreaks && (c == '\r' || c == '\n'))
            break;
        if (style & ES_UPPERCASE)
            c = static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
        else if (style & ES_LOWERCASE)
            c = static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
        utf8::Append(out, c);
    }
    return out;
}

}  // namespace tavix::native
