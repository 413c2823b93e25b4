// Pattern engines behind Format; each appends to `out` so a failure keeps what was produced.
#pragma once

#include <tavix/decimal.h>
#include <tavix/locale.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavix::fmt {

// Splits at ';' outside quoted text and escapes.
std::vector<std::string_view> SplitSections(std::string_view format);

// A pattern character, or a run of literal text from "quotes" or a \escape.
// Owns its text so that a compiled pattern outlives the string it came from.
struct PatternToken {
    char ch = 0;  // 0 for literal text
    std::string literal;
};

std::vector<PatternToken> Tokenize(std::string_view section);

// Where a number pattern puts its digits, worked out once per section.
struct NumberLayout {
    size_t mantissaEnd = 0;
    int point = -1;
    int exponent = -1;
    int intPlaceholders = 0;
    int fracPlaceholders = 0;
    int percents = 0;
    int scaleCommas = 0;
    bool grouping = false;
    std::string fracKinds;  // '0' or '#' per fraction placeholder
    int exponentMinDigits = 0;
    size_t exponentEnd = 0;  // first token after the exponent's placeholders
    double scaleUp = 1;  // 100 per percent sign
    double scaleDown = 1;  // 1000 per scaling comma
};

NumberLayout AnalyseNumber(const std::vector<PatternToken>& tokens);

// One ';'-separated part of a pattern, tokenized once and read as whatever the value needs.
struct Section {
    bool empty = true;
    std::vector<PatternToken> tokens;
    NumberLayout number;
    bool twelveHour = false;  // holds an AM/PM marker
};

Section CompileSection(std::string_view text);

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
void FormatNumber(const Number& number, const Section& section, const Locale& locale, std::string& out);
bool HasAmPm(const std::vector<PatternToken>& tokens);
void FormatDate(double serial, const Section& section, int firstDayOfWeek, int firstWeekOfYear, const Locale& locale,
    std::string& out);
void FormatText(std::string_view text, const Section& section, std::string& out);

// Changes whenever Locale::SetCurrent runs, so that patterns resolved from the locale can tell they are stale.
uint64_t LocaleGeneration();

}  // namespace tavix::fmt
