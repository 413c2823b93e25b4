// Regional settings used by value conversion and formatting.
#pragma once

#include <array>
#include <string>

namespace tavix {

enum class DateOrder { MDY, DMY, YMD };

class Locale {
public:
    // Invariant English settings.
    Locale();

    static const Locale& Current();
    // Not synchronised: replace the locale at start-up, before grids convert values.
    static void SetCurrent(Locale locale);

    std::string decimalPoint = ".";
    std::string thousandsSeparator = ",";
    DateOrder dateOrder = DateOrder::MDY;
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::string shortDatePattern = "m/d/yyyy";
    std::string longDatePattern = "dddd, mmmm d, yyyy";
    std::string longTimePattern = "h:nn:ss AMPM";
    std::array<std::string, 12> monthNames;
    std::array<std::string, 12> monthAbbreviations;
    std::array<std::string, 7> dayNames;  // Sunday first
    std::array<std::string, 7> dayAbbreviations;  // Sunday first
    std::string currencySymbol = "$";
    int currencyDecimals = 2;
    // Year given to a date typed without one; 0 takes it from the system clock.
    // Set it to make such conversions reproducible.
    int defaultYear = 0;
};

}  // namespace tavix
