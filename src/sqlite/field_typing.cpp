#include "sqlite/field_typing.h"

#include "sqlite/date_values.h"
#include "sqlite/value_reader.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string>

namespace tavix::sqlite {

namespace {

bool Has(const std::string& upper, const char* word) { return upper.find(word) != std::string::npos; }

// The type the declared words alone decide; empty when the values must decide.
std::optional<FieldType> DeclaredFieldType(const std::string& declared)
{
    std::string t = declared;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    // Checked before INT, so that "BOOLEAN", "DATETIME" and "TIMESTAMP" are not read as numbers.
    if (Has(t, "BOOL"))
        return FieldType::Boolean;
    if (Has(t, "DATE") || Has(t, "TIME"))
        return FieldType::Date;
    if (Has(t, "CURRENCY") || Has(t, "MONEY"))
        return FieldType::Currency;
    if (Has(t, "DEC") || Has(t, "NUMERIC"))
        return FieldType::Decimal;
    if (Has(t, "INT"))
        return FieldType::Long;
    if (Has(t, "CHAR") || Has(t, "CLOB") || Has(t, "TEXT") || Has(t, "BLOB"))
        return FieldType::Text;
    if (Has(t, "REAL") || Has(t, "FLOA") || Has(t, "DOUB"))
        return FieldType::Double;
    return std::nullopt;
}

bool IsLong(const SqlValue& v)
{
    return v.storage == Storage::Integer && v.integer >= std::numeric_limits<int32_t>::min()
        && v.integer <= std::numeric_limits<int32_t>::max();
}

bool IsNumber(const SqlValue& v) { return v.storage == Storage::Integer || v.storage == Storage::Real; }
bool IsNull(const SqlValue& v) { return v.storage == Storage::Null; }

FieldType IntegerFieldType(std::span<const SqlValue> sample)
{
    // Words in a number column are shown as they are and do not decide its type.
    return std::all_of(sample.begin(), sample.end(), [](const SqlValue& v) { return !IsNumber(v) || IsLong(v); })
        ? FieldType::Long
        : FieldType::Decimal;
}

FieldType SampledFieldType(std::span<const SqlValue> sample)
{
    const bool anyValue = std::any_of(sample.begin(), sample.end(), [](const SqlValue& v) { return !IsNull(v); });
    const bool allWhole = std::all_of(
        sample.begin(), sample.end(), [](const SqlValue& v) { return IsNull(v) || v.storage == Storage::Integer; });
    const bool allNumbers
        = std::all_of(sample.begin(), sample.end(), [](const SqlValue& v) { return IsNull(v) || IsNumber(v); });
    if (anyValue && allWhole)
        return IntegerFieldType(sample);
    return anyValue && allNumbers ? FieldType::Double : FieldType::Text;
}

void ChooseDateForm(FieldInfo& field, std::span<const SqlValue> sample)
{
    const bool unix = std::any_of(sample.begin(), sample.end(), [](const SqlValue& v) {
        return IsNumber(v)
            && !InJulianDayRange(v.storage == Storage::Integer ? static_cast<double>(v.integer) : v.real);
    });
    field.dateNumbers = unix ? DateNumbers::UnixSeconds : DateNumbers::JulianDay;
    field.hasTimeOfDay = std::any_of(sample.begin(), sample.end(), [&](const SqlValue& v) {
        const GridVariant date = ReadValue(v, field);
        return date.VarType() == VtDate && HasTimeOfDay(date.AsDate());
    });
}

}  // namespace

void ChooseFieldType(FieldInfo& field, std::span<const SqlValue> sample)
{
    const std::optional<FieldType> declared = DeclaredFieldType(field.declaredType);
    if (!declared)
        field.type = SampledFieldType(sample);
    else if (*declared == FieldType::Long)
        field.type = IntegerFieldType(sample);
    else
        field.type = *declared;
    if (field.type == FieldType::Date)
        ChooseDateForm(field, sample);
}

}  // namespace tavix::sqlite
