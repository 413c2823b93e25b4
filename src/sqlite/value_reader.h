// Turns SQLite's values into the grid's, by the type of their field.
#pragma once

#include <tavix/sqlite/field_info.h>
#include <tavix/sqlite/statement.h>
#include <tavix/variant.h>

#include <optional>
#include <string>
#include <string_view>

namespace tavix::sqlite {

// Null stays Null, a Blob becomes the text "[n bytes]", and a value its field's type cannot
// hold keeps its text (a word in a number column is still shown).
GridVariant ReadValue(const SqlValue& value, const FieldInfo& field);

// Every Decimal is made here, so that the form a Decimal takes is chosen in one place.
// Empty when `number` is not a decimal number.
std::optional<GridVariant> DecimalValue(std::string_view number);

// A real as SQLite writes it as text: 15 significant digits, with ".0" on whole numbers.
std::string RealText(double value);

}  // namespace tavix::sqlite
