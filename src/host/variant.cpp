#include "host/variant_box.h"

#include <cstring>
#include <utility>

namespace tavix {

namespace {

const std::shared_ptr<Dispatch> kNoObject;

}  // namespace

GridVariant::GridVariant(const char* text)
    : GridVariant(std::string_view(text ? text : ""))
{
}
GridVariant::GridVariant(const std::string& text)
    : GridVariant(std::string_view(text))
{
}

GridVariant::GridVariant(std::string_view text)
{
    if (text.size() <= kInlineTextCapacity) {
        repr_.text = { VtString, static_cast<uint8_t>(text.size()), {} };
        if (!text.empty())
            std::memcpy(repr_.text.chars, text.data(), text.size());
        return;
    }
    auto box = std::make_unique<Box>();
    box->text.assign(text);
    repr_.shared = { VtString, kBoxedText, box.release() };  // owned through the reference count from here on
}

GridVariant::GridVariant(std::shared_ptr<Dispatch> object)
{
    auto box = std::make_unique<Box>();
    box->object = std::move(object);
    repr_.shared = { VtObject, 0, box.release() };
}

void GridVariant::Retain() const noexcept { repr_.shared.box->refs.fetch_add(1, std::memory_order_relaxed); }

void GridVariant::Release() noexcept
{
    if (repr_.shared.box->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        std::unique_ptr<Box> last(repr_.shared.box);
    repr_ = Repr {};
}

GridVariant GridVariant::Null() noexcept
{
    GridVariant v;
    v.repr_.scalar.type = VtNull;
    return v;
}

GridVariant GridVariant::Currency(int64_t scaled10000) noexcept
{
    GridVariant v;
    v.Set(VtCurrency).cy = scaled10000;
    return v;
}

GridVariant GridVariant::CurrencyFromDouble(double value) { return Currency(GridVariant(value).ToCurrency()); }

GridVariant GridVariant::Date(double days) noexcept
{
    GridVariant v;
    v.Set(VtDate).d = days;
    return v;
}

GridVariant GridVariant::Decimal(const tavix::Decimal& value) noexcept
{
    GridVariant v;
    v.repr_.decimal
        = { VtDecimal, value.Scale(), static_cast<uint8_t>(value.IsNegative() ? 1 : 0), value.Hi32(), value.Lo64() };
    return v;
}

GridVariant GridVariant::Decimal(double value) { return Decimal(tavix::Decimal::FromDouble(value)); }

GridVariant GridVariant::Error(int32_t scode) noexcept
{
    GridVariant v;
    v.Set(VtError).l = scode;
    return v;
}

std::string_view GridVariant::AsString() const noexcept
{
    if (!IsString())
        return {};
    if (repr_.text.size == kBoxedText)
        return repr_.shared.box->text;
    return { repr_.text.chars, repr_.text.size };
}

const std::shared_ptr<Dispatch>& GridVariant::AsObject() const
{
    return IsObject() ? repr_.shared.box->object : kNoObject;
}

}  // namespace tavix
