#include "host/variant_box.h"

#include <cmath>
#include <utility>

namespace tavix {

namespace {

const std::string kEmptyText;
const std::shared_ptr<Dispatch> kNoObject;

}  // namespace

GridVariant::GridVariant(int16_t v) noexcept
    : type_(VtInteger)
    , payload_ {}
{
    payload_.i = v;
}
GridVariant::GridVariant(int32_t v) noexcept
    : type_(VtLong)
    , payload_ {}
{
    payload_.l = v;
}
GridVariant::GridVariant(float v) noexcept
    : type_(VtSingle)
    , payload_ {}
{
    payload_.f = v;
}
GridVariant::GridVariant(double v) noexcept
    : type_(VtDouble)
    , payload_ {}
{
    payload_.d = v;
}
GridVariant::GridVariant(bool v) noexcept
    : type_(VtBoolean)
    , payload_ {}
{
    payload_.b = v;
}
GridVariant::GridVariant(uint8_t v) noexcept
    : type_(VtByte)
    , payload_ {}
{
    payload_.u8 = v;
}

GridVariant::GridVariant(const char* text)
    : GridVariant(std::string_view(text ? text : ""))
{
}
GridVariant::GridVariant(const std::string& text)
    : GridVariant(std::string_view(text))
{
}

GridVariant::GridVariant(std::string_view text)
    : type_(VtString)
    , payload_ {}
{
    auto box = std::make_unique<Box>();
    box->text.assign(text);
    payload_.box = box.release();  // owned through the reference count from here on
}

GridVariant::GridVariant(std::shared_ptr<Dispatch> object)
    : type_(VtObject)
    , payload_ {}
{
    auto box = std::make_unique<Box>();
    box->object = std::move(object);
    payload_.box = box.release();
}

GridVariant::GridVariant(const GridVariant& other) noexcept
    : type_(other.type_)
    , payload_(other.payload_)
{
    Retain();
}

GridVariant::GridVariant(GridVariant&& other) noexcept
    : type_(other.type_)
    , payload_(other.payload_)
{
    other.type_ = VtEmpty;
    other.payload_ = {};
}

GridVariant& GridVariant::operator=(const GridVariant& other) noexcept
{
    if (this != &other) {
        other.Retain();
        Release();
        type_ = other.type_;
        payload_ = other.payload_;
    }
    return *this;
}

GridVariant& GridVariant::operator=(GridVariant&& other) noexcept
{
    if (this != &other) {
        Release();
        type_ = other.type_;
        payload_ = other.payload_;
        other.type_ = VtEmpty;
        other.payload_ = {};
    }
    return *this;
}

GridVariant::~GridVariant() { Release(); }

void GridVariant::Retain() const noexcept
{
    if (type_ == VtString || type_ == VtObject)
        payload_.box->refs.fetch_add(1, std::memory_order_relaxed);
}

void GridVariant::Release() noexcept
{
    if (type_ != VtString && type_ != VtObject)
        return;
    if (payload_.box->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        std::unique_ptr<Box> last(payload_.box);
    payload_ = {};
    type_ = VtEmpty;
}

GridVariant GridVariant::Null() noexcept
{
    GridVariant v;
    v.type_ = VtNull;
    return v;
}

GridVariant GridVariant::Currency(int64_t scaled10000) noexcept
{
    GridVariant v;
    v.type_ = VtCurrency;
    v.payload_.cy = scaled10000;
    return v;
}

GridVariant GridVariant::CurrencyFromDouble(double value) { return Currency(GridVariant(value).ToCurrency()); }

GridVariant GridVariant::Date(double days) noexcept
{
    GridVariant v(days);
    v.type_ = VtDate;
    return v;
}

GridVariant GridVariant::Decimal(double value) noexcept
{
    GridVariant v(value);
    v.type_ = VtDecimal;
    return v;
}

GridVariant GridVariant::Error(int32_t scode) noexcept
{
    GridVariant v(scode);
    v.type_ = VtError;
    return v;
}

const std::string& GridVariant::AsString() const { return type_ == VtString ? payload_.box->text : kEmptyText; }

const std::shared_ptr<Dispatch>& GridVariant::AsObject() const
{
    return type_ == VtObject ? payload_.box->object : kNoObject;
}

}  // namespace tavix
