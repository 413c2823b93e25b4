#pragma once
// The few UTF-8 steps the controls need.
#include <string>
#include <string_view>

namespace tavix::native::utf8 {

inline bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The code point at `i`, advancing `i` past it; a broken sequence yields U+FFFD.
inline char32_t Next(std::string_view s, size_t& i)
{
    auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra == 0)
        return 0xFFFD;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || !IsContinuation(s[i]))
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

inline void Append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

inline size_t Count(std::string_view s)
{
    size_t n = 0;
    for (char c : s)
        n += !IsContinuation(c);
    return n;
}

// Byte offset of character `chars` (clamped to the end).
inline size_t ByteOffset(std::string_view s, size_t chars)
{
    size_t i = 0;
    for (; i < s.size() && chars > 0; --chars)
        Next(s, i);
    return i;
}

}  // namespace tavix::native::utf8
