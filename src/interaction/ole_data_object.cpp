#include "interaction/ole_data_object.h"

#include <tavix/error.h>

#include <algorithm>
#include <cctype>

namespace tavix::interaction {

namespace {

bool Is(std::string_view member, std::string_view name)
{
    return std::equal(member.begin(), member.end(), name.begin(), name.end(),
        [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

bool Given(std::span<GridVariant> args, size_t i) { return i < args.size() && !args[i].IsMissing(); }

native::UINT Format(const GridVariant& v)
{
    const int16_t format = v.ToInteger();
    if (format == 0)
        throw TavixError::Runtime(rtInvalidClipboardFormat);
    // Negative numbers (the rich-text format's) are kept as the 16 bits they are.
    return static_cast<uint16_t>(format);
}

}  // namespace

GridVariant OleDataObject::Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args)
{
    if (kind == InvokeKind::PropertyPut)
        throw TavixError::Runtime(rtNoSuchMember);
    if (Is(member, "GetData"))
        return GetData(args);
    if (Is(member, "SetData"))
        return SetData(args);
    if (Is(member, "GetFormat")) {
        if (!Given(args, 0))
            throw TavixError::Runtime(rtArgumentNotOptional);
        return GridVariant(data_->GetFormat(Format(args[0])));
    }
    if (Is(member, "Clear")) {
        data_->Clear();
        return {};
    }
    throw TavixError::Runtime(rtNoSuchMember);
}

GridVariant OleDataObject::GetData(std::span<GridVariant> args)
{
    const native::UINT format = Given(args, 0) ? Format(args[0]) : native::CF_TEXT;
    auto value = data_->GetData(format);
    if (!value)
        throw TavixError::Runtime(rtFormatMismatch);
    return GridVariant(std::move(*value));
}

// SetData [value], [format]: a value alone is text; a format alone is announced,
// to be supplied when a target asks for it.
GridVariant OleDataObject::SetData(std::span<GridVariant> args)
{
    const bool hasValue = Given(args, 0);
    if (!hasValue && !Given(args, 1))
        throw TavixError::Runtime(rtArgumentNotOptional);
    const native::UINT format = Given(args, 1) ? Format(args[1]) : native::CF_TEXT;
    data_->SetData(format, hasValue ? std::optional<std::string>(args[0].ToString()) : std::nullopt);
    return {};
}

}  // namespace tavix::interaction
