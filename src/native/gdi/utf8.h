#pragma once
// UTF-8 decoding that agrees byte for byte with HarfBuzz's: every byte that does
// not start a valid sequence is one replacement character, so run boundaries
// found here are character boundaries for the shaper too.
#include <cstdint>
#include <string_view>

namespace tavix::native::detail {

constexpr char32_t kReplacementChar = 0xFFFD;

struct DecodedChar {
    char32_t cp = 0;
    uint32_t length = 1;
};

inline DecodedChar DecodeUtf8(std::string_view s, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const auto tail = [&](size_t k) { return k < s.size() && (byte(k) & 0xC0) == 0x80; };
    const uint8_t c = byte(i);
    if (c < 0x80)
        return { c, 1 };
    if (c >= 0xC2 && c <= 0xDF && tail(i + 1))
        return { static_cast<char32_t>(((c & 0x1F) << 6) | (byte(i + 1) & 0x3F)), 2 };
    if (c >= 0xE0 && c <= 0xEF && tail(i + 1) && tail(i + 2)) {
        const char32_t cp = ((c & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
        if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF))
            return { cp, 3 };
    }
    if (c >= 0xF0 && c <= 0xF4 && tail(i + 1) && tail(i + 2) && tail(i + 3)) {
        const char32_t cp
            = ((c & 0x07) << 18) | ((byte(i + 1) & 0x3F) << 12) | ((byte(i + 2) & 0x3F) << 6) | (byte(i + 3) & 0x3F);
        if (cp >= 0x10000 && cp <= 0x10FFFF)
            return { cp, 4 };
    }
    return { kReplacementChar, 1 };
}

// Whether a character starts at byte i: no valid sequence begun within the
// three bytes before it reaches over it.
inline bool IsCharBoundary(std::string_view s, size_t i)
{
    for (size_t back = 1; back <= 3 && back <= i; ++back)
        if (DecodeUtf8(s, i - back).length > back)
            return false;
    return true;
}

// C0 and C1 control characters: drawn as nothing and taking no room, as the
// platform's text drawing does.
constexpr bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

}  // namespace tavix::native::detail
