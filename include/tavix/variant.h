// The grid's value type: a 16-byte tagged union in the platform's variant layout.
#pragma once

#include <tavix/error.h>
#include <tavix/locale.h>

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
    GridVariant() noexcept
        : type_(VtEmpty)
        , payload_ {}
    {
    }
    GridVariant(int16_t v) noexcept;
    GridVariant(int32_t v) noexcept;
    GridVariant(float v) noexcept;
    GridVariant(double v) noexcept;
    GridVariant(bool v) noexcept;
    GridVariant(uint8_t v) noexcept;
    GridVariant(const char* text);
    GridVariant(std::string_view text);
    GridVariant(const std::string& text);
    GridVariant(std::shared_ptr<Dispatch> object);

    GridVariant(const GridVariant& other) noexcept;
    GridVariant(GridVariant&& other) noexcept;
    GridVariant& operator=(const GridVariant& other) noexcept;
    GridVariant& operator=(GridVariant&& other) noexcept;
    ~GridVariant();

    static GridVariant Null() noexcept;
    static GridVariant Currency(int64_t scaled10000) noexcept;
    static GridVariant CurrencyFromDouble(double value);
    // Days since 30 Dec 1899; the fraction is the time of day.
    static GridVariant Date(double days) noexcept;
    // Decimal values are held as a double: the grid only needs their ordering and text.
    static GridVariant Decimal(double value) noexcept;
    static GridVariant Error(int32_t scode) noexcept;
    static GridVariant Missing() noexcept { return Error(kMissingErrorCode); }

    VariantType VarType() const noexcept { return type_; }
    bool IsEmpty() const noexcept { return type_ == VtEmpty; }
    bool IsNull() const noexcept { return type_ == VtNull; }
    bool IsObject() const noexcept { return type_ == VtObject; }
    bool IsString() const noexcept { return type_ == VtString; }
    bool IsError() const noexcept { return type_ == VtError; }
    bool IsMissing() const noexcept { return type_ == VtError && payload_.l == kMissingErrorCode; }

    // Raw access; the variant must hold that type.
    int16_t AsInteger() const noexcept { return payload_.i; }
    int32_t AsLong() const noexcept { return payload_.l; }
    float AsSingle() const noexcept { return payload_.f; }
    double AsDouble() const noexcept { return payload_.d; }
    int64_t AsCurrencyScaled() const noexcept { return payload_.cy; }
    double AsDate() const noexcept { return payload_.d; }
    bool AsBool() const noexcept { return payload_.b; }
    uint8_t AsByte() const noexcept { return payload_.u8; }
    int32_t AsErrorCode() const noexcept { return payload_.l; }
    const std::string& AsString() const;
    const std::shared_ptr<Dispatch>& AsObject() const;

    // Standard conversions; throw TavixError 13 (type mismatch) or 6 (overflow).
    int16_t ToInteger() const;
    int32_t ToLong() const;
    float ToSingle() const;
    double ToDouble() const;
    int64_t ToCurrency() const;
    double ToDate() const;
    bool ToBool() const;
    uint8_t ToByte() const;
    std::string ToString() const;

private:
    struct Box;
    union Payload {
        int16_t i;
        int32_t l;
        float f;
        double d;
        int64_t cy;
        bool b;
        uint8_t u8;
        Box* box;  // shared, reference-counted string or object
    };

    void Release() noexcept;
    void Retain() const noexcept;

    VariantType type_;
    Payload payload_;
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
