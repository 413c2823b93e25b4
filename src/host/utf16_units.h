// UTF-8 read as the UTF-16 code units the platform's strings would hold, without a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavix {

// Next UTF-16 code unit of a UTF-8 string; a character above U+FFFF yields its two surrogates.
class Utf16Units {
public:
    explicit Utf16Units(std::string_view s)
        : s_(s)
    {
    }
    bool Next(uint32_t& unit)
    {
        if (pendingLow_) {
            unit = pendingLow_;
            pendingLow_ = 0;
            return true;
        }
        if (pos_ >= s_.size())
            return false;
        const auto lead = static_cast<unsigned char>(s_[pos_]);
        const int len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t cp = len == 1 ? lead : lead & (0x3F >> (len - 1));
        for (int i = 1; i < len && pos_ + i < s_.size(); ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(s_[pos_ + i]) & 0x3F);
        pos_ += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unit = 0xD800 + (cp >> 10);
            pendingLow_ = 0xDC00 + (cp & 0x3FF);
        } else {
            unit = cp;
        }
        return true;
    }

private:
    std::string_view s_;
    size_t pos_ = 0;
    uint32_t pendingLow_ = 0;
};

}  // namespace tavix
