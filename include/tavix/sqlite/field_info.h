// What a record set tells about one field of its result.
#pragma once

#include <cstdint>
#include <string>

namespace tavix::sqlite {

// The record-set type codes a field's "Type" answers, and the value types its values have.
enum class FieldType : int32_t {
    Long = 3,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    Decimal = 14,
    Text = 202,
};

// How the numbers of a Date field count: SQLite's Julian day numbers or Unix seconds.
enum class DateNumbers { JulianDay, UnixSeconds };

struct FieldInfo {
    std::string name;
    std::string declaredType;  // empty for expressions
    std::string baseTable;  // empty for expressions
    std::string baseColumn;
    FieldType type { FieldType::Text };
    DateNumbers dateNumbers { DateNumbers::JulianDay };
    // A Date field whose sampled values carry a time of day.
    bool hasTimeOfDay { false };
};

}  // namespace tavix::sqlite
