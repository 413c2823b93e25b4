// Pattern engines behind Format; each appends to `out` so a failure keeps what was produced.
#pragma once

#include <tavix/locale.h>

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

// `value` is the magnitude to lay out; the caller adds the sign.
void FormatNumber(double value, std::string_view section, const Locale& locale, std::string& out);
void FormatDate(double serial, std::string_view section, int firstDayOfWeek, int firstWeekOfYear, const Locale& locale,
    std::string& out);
void FormatText(std::string_view text, std::string_view section, std::string& out);

}  // namespace tavix::fmt
