// Chooses the type of a field from its declared type and a sample of its values.
#pragma once

#include <tavix/sqlite/field_info.h>
#include <tavix/sqlite/statement.h>

#include <span>

namespace tavix::sqlite {

// Fills in `field.type`, `dateNumbers` and `hasTimeOfDay` from `field.declaredType` and the
// values of the first rows (Null values tell nothing and are skipped):
// - BOOL... Boolean; DATE, TIME... Date; CURRENCY, MONEY Currency; DEC..., NUMERIC Decimal;
// - INT... Long when every sampled value is a whole number within 32 bits, else Decimal;
// - CHAR, CLOB, TEXT, BLOB Text; REAL, FLOA, DOUB Double;
// - no or another declared type: as INT when all values are whole numbers, Double when all are
//   numbers, else Text.
// A Date field's numbers are Unix seconds when a sampled number lies outside the Julian day range.
void ChooseFieldType(FieldInfo& field, std::span<const SqlValue> sample);

}  // namespace tavix::sqlite
