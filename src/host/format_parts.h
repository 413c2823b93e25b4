// Pattern engines behind Format; each appends to `out` so a failure keeps what was produced.
#pragma once

#include <tavix/decimal.h>
#include <tavix/locale.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavix::fmt {

// Splits at ';' outside quoted text and escapes.
std::vector<std::string_view> SplitSections(std::string_view format);

// A pattern character, or a run of literal text from "quotes" or a \escape.
struct PatternToken {
    char ch = 0;  // 0 for literal text
    std::string_view literal;
};

std::vector<PatternToken> Tokenize(std::string_view section);

// A number to lay out: a double, or a currency or decimal value whose digits are shown exactly.
struct Number {
    double value = 0;  // when exact is not set
    std::optional<Decimal> exact;

    bool IsNegative() const { return exact ? exact->IsNegative() : value < 0; }
    bool IsZero() const { return exact ? exact->IsZero() : value == 0; }
    Number Magnitude() const
    {
        if (exact)
            return { 0, exact->IsNegative() ? exact->Negated() : *exact };
        return { value < 0 ? -value : value, std::nullopt };
    }
};

// `number` is the magnitude to lay out; the caller adds the sign.
void FormatNumber(const Number& number, std::string_view section, const Locale& locale, std::string& out);
void FormatDate(double serial, std::string_view section, int firstDayOfWeek, int firstWeekOfYear, const Locale& locale,
    std::string& out);
void FormatText(std::string_view text, std::string_view section, std::string& out);

}  // namespace tavix::fmt
