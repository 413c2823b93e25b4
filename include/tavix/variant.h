// The grid's value type: a 16-byte tagged union in the platform's variant layout.
#pragma once

#include <tavix/decimal.h>
#include <tavix/error.h>
#include <tavix/locale.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavix {

class Dispatch;

enum VariantType : uint16_t {
    VtEmpty = 0,
    VtNull = 1,
    VtInteger = 2,
    VtLong = 3,
    VtSingle = 4,
    VtDouble = 5,
    VtCurrency = 6,
    VtDate = 7,
    VtString = 8,
    VtObject = 9,
    VtError = 10,
    VtBoolean = 11,
    VtDecimal = 14,
    VtByte = 17,
};

inline constexpr int32_t kMissingErrorCode = static_cast<int32_t>(0x80020004u);

class GridVariant {
public:
    // Strings up to this many UTF-8 bytes are held beside the type tag; longer ones in a shared box.
    static constexpr size_t kInlineTextCapacity = 13;

    GridVariant() noexcept = default;
    GridVariant(int16_t v) noexcept { Set(VtInteger).i = v; }
    GridVariant(int32_t v) noexcept { Set(VtLong).l = v; }
    GridVariant(float v) noexcept { Set(VtSingle).f = v; }
    GridVariant(double v) noexcept { Set(VtDouble).d = v; }
    GridVariant(bool v) noexcept { Set(VtBoolean).b = v; }
    GridVariant(uint8_t v) noexcept { Set(VtByte).u8 = v; }
    GridVariant(const char* text);
    GridVariant(std::string_view text);
    GridVariant(const std::string& text);
    GridVariant(std::shared_ptr<Dispatch> object);

    // Copies of empty and short strings and of every other non-object value are plain copies:
    // no allocation and no reference counting.
    GridVariant(const GridVariant& other) noexcept
        : repr_(other.repr_)
    {
        if (IsShared())
            Retain();
    }
    GridVariant(GridVariant&& other) noexcept
        : repr_(other.repr_)
    {
        other.repr_ = Repr {};
    }
    GridVariant& operator=(const GridVariant& other) noexcept
    {
        if (this != &other) {
            if (other.IsShared())
                other.Retain();
            if (IsShared())
                Release();
            repr_ = other.repr_;
        }
        return *this;
    }
    GridVariant& operator=(GridVariant&& other) noexcept
    {
        if (this != &other) {
            if (IsShared())
                Release();
            repr_ = other.repr_;
            other.repr_ = Repr {};
        }
        return *this;
    }
    ~GridVariant()
    {
        if (IsShared())
            Release();
    }

    static GridVariant Null() noexcept;
    static GridVariant Currency(int64_t scaled10000) noexcept;
    static GridVariant CurrencyFromDouble(double value);
    // Days since 30 Dec 1899; the fraction is the time of day.
    static GridVariant Date(double days) noexcept;
    static GridVariant Decimal(const tavix::Decimal& value) noexcept;
    // The double's 15 significant digits; error 6 when they do not fit.
    static GridVariant Decimal(double value);
    static GridVariant Error(int32_t scode) noexcept;
    static GridVariant Missing() noexcept { return Error(kMissingErrorCode); }

    VariantType VarType() const noexcept { return repr_.scalar.type; }
    bool IsEmpty() const noexcept { return VarType() == VtEmpty; }
    bool IsNull() const noexcept { return VarType() == VtNull; }
    bool IsObject() const noexcept { return VarType() == VtObject; }
    bool IsString() const noexcept { return VarType() == VtString; }
    bool IsError() const noexcept { return VarType() == VtError; }
    bool IsMissing() const noexcept { return IsError() && AsErrorCode() == kMissingErrorCode; }

    // Raw access; the variant must hold that type.
    int16_t AsInteger() const noexcept { return repr_.scalar.payload.i; }
    int32_t AsLong() const noexcept { return repr_.scalar.payload.l; }
    float AsSingle() const noexcept { return repr_.scalar.payload.f; }
    double AsDouble() const noexcept { return repr_.scalar.payload.d; }
    int64_t AsCurrencyScaled() const noexcept { return repr_.scalar.payload.cy; }
    double AsDate() const noexcept { return repr_.scalar.payload.d; }
    tavix::Decimal AsDecimal() const noexcept
    {
        const DecimalParts& d = repr_.decimal;
        return tavix::Decimal(d.negative != 0, d.scale, d.hi32, d.lo64);
    }
    bool AsBool() const noexcept { return repr_.scalar.payload.b; }
    uint8_t AsByte() const noexcept { return repr_.scalar.payload.u8; }
    int32_t AsErrorCode() const noexcept { return repr_.scalar.payload.l; }
    // Empty for anything but a string. The view lives as long as this variant is unchanged.
    std::string_view AsString() const noexcept;
    const std::shared_ptr<Dispatch>& AsObject() const;

    // Standard conversions; throw TavixError 13 (type mismatch) or 6 (overflow).
    int16_t ToInteger() const;
    int32_t ToLong() const;
    float ToSingle() const;
    double ToDouble() const;
    int64_t ToCurrency() const;
    tavix::Decimal ToDecimal() const;
    double ToDate() const;
    bool ToBool() const;
    uint8_t ToByte() const;
    std::string ToString() const;

private:
    struct Box;
    static constexpr uint8_t kBoxedText = 0xFF;

    union Payload {
        int16_t i;
        int32_t l;
        float f;
        double d;
        int64_t cy;
        bool b;
        uint8_t u8;
    };
    // The layouts share the tag as their common first member, so it can be read whatever the
    // value; strings also share their size byte, which tells an inline text from a boxed one.
    struct Scalar {
        VariantType type;
        Payload payload;
    };
    struct InlineText {
        VariantType type;
        uint8_t size;
        char chars[kInlineTextCapacity];
    };
    struct Shared {  // boxed strings (size kBoxedText) and objects
        VariantType type;
        uint8_t size;
        Box* box;
    };
    struct DecimalParts {  // the platform's decimal layout, its reserved word holding the tag
        VariantType type;
        uint8_t scale;
        uint8_t negative;
        uint32_t hi32;
        uint64_t lo64;
    };
    union Repr {
        Scalar scalar { VtEmpty, {} };
        InlineText text;
        Shared shared;
        DecimalParts decimal;
    };
    static_assert(sizeof(InlineText) == 16 && offsetof(Shared, size) == offsetof(InlineText, size));
    static_assert(offsetof(DecimalParts, hi32) == 4 && offsetof(DecimalParts, lo64) == 8);

    // The payload of a new scalar value; the bytes it does not use stay zero.
    Payload& Set(VariantType type) noexcept
    {
        repr_.scalar.type = type;
        return repr_.scalar.payload;
    }
    bool IsShared() const noexcept
    {
        return VarType() == VtObject || (VarType() == VtString && repr_.text.size == kBoxedText);
    }
    void Release() noexcept;
    void Retain() const noexcept;

    Repr repr_;
};

static_assert(sizeof(GridVariant) == 16, "cells embed GridVariant; keep it 16 bytes");

// Integer, Long, Single, Double, Currency, Decimal and Byte; not Date nor Boolean.
bool IsNumericVariant(const GridVariant& v) noexcept;

// Host equality used by combo matching. Null equals nothing, not even Null.
bool VariantEquals(const GridVariant& a, const GridVariant& b);

// Ordering of two non-Null values for sorting; throws TavixError 13 for objects and errors.
int CompareVariantValues(const GridVariant& a, const GridVariant& b);

// Round half to even; throws TavixError 6 outside the Long range.
int32_t RoundToLong(double value);

// Converts edited text to a value of the target type; throws TavixError 13 on failure.
GridVariant ParseVariantAs(VariantType target, std::string_view text, const Locale& locale = Locale::Current());

}  // namespace tavix
