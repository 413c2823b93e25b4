// A format string parsed once, for the many values shown through it.
#pragma once

#include "host/format_parts.h"

#include <tavix/variant.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavix {

class CompiledFormat {
public:
    CompiledFormat() = default;
    explicit CompiledFormat(std::string_view format);

    const std::string& Source() const { return source_; }
    // The text Format(value, Source(), ...) gives.
    std::string Apply(const GridVariant& value, int firstDayOfWeek = 1, int firstWeekOfYear = 1) const;

private:
    enum class Kind { Plain, Switch, GeneralNumber, NamedNumber, GeneralDate, NamedDate, Number, Date, Text, Literal };

    void CompileSections(std::string_view pattern);
    static Kind Classify(const fmt::Section& section);
    void ApplyTo(
        const GridVariant& value, int firstDayOfWeek, int firstWeekOfYear, const Locale& loc, std::string& out) const;
    void FormatNumberSections(const fmt::Number& n, const Locale& loc, std::string& out) const;

    std::string source_;
    Kind kind_ = Kind::Plain;
    std::vector<fmt::Section> sections_;
    const char* switchTexts_[2] = {};  // for a non-zero and a zero value
    // Set when a named format was resolved from the locale, which may have been replaced since.
    std::optional<uint64_t> localeGeneration_;
};

}  // namespace tavix
