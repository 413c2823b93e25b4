#include "persist/picture_text.h"

#include <tavix/error.h>
#include <tavix/native/png.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavix::persist {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string ToBase64(const std::vector<uint8_t>& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = static_cast<uint32_t>(bytes[i]) << 16;
        if (n > 1)
            group |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::vector<uint8_t> FromBase64(std::string_view text)
{
    std::array<int8_t, 256> value {};
    value.fill(-1);
    for (size_t i = 0; i < kAlphabet.size(); ++i)
        value[static_cast<uint8_t>(kAlphabet[i])] = static_cast<int8_t>(i);
    while (!text.empty() && text.back() == '=')
        text.remove_suffix(1);
    std::vector<uint8_t> out;
    out.reserve(text.size() * 3 / 4);
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        const int8_t v = value[static_cast<uint8_t>(c)];
        if (v < 0)
            throw TavixError::Runtime(rtTypeMismatch);
        bits = (bits << 6) | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<uint8_t>(bits >> count));
        }
    }
    return out;
}

}  // namespace

GridVariant PictureToVariant(const native::SurfacePtr& picture)
{
    if (!picture || picture->Width() == 0 || picture->Height() == 0)
        return {};
    return GridVariant(ToBase64(native::EncodePng(*picture)));
}

native::SurfacePtr PictureFromVariant(const GridVariant& value)
{
    if (value.IsEmpty() || (value.IsObject() && !value.AsObject()))
        return nullptr;
    if (value.VarType() != VtString)
        throw TavixError::Runtime(rtTypeMismatch);
    auto picture = native::DecodePicturePng(FromBase64(value.AsString()));
    if (!picture)
        throw TavixError::Runtime(rtTypeMismatch);
    return picture->surface;
}

}  // namespace tavix::persist
