#include "core/key_case.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace tavix::core {

std::string KeyLower(std::string_view key)
{
    // Keys are mostly ASCII, and column lookups by key run once per cell access.
    const bool ascii = std::all_of(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string out;
    if (ascii) {
        out.assign(key);
        std::transform(out.begin(), out.end(), out.begin(),
            [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return out;
    }
    icu::UnicodeString::fromUTF8(icu::StringPiece(key.data(), static_cast<int32_t>(key.size())))
        .toLower(icu::Locale::getRoot())
        .toUTF8String(out);
    return out;
}

}  // namespace tavix::core
