#include "host/format_parts.h"

#include <tavix/locale.h>

#include <utility>

namespace tavix {

namespace {

Locale& CurrentStorage()
{
    static Locale current;
    return current;
}

uint64_t& GenerationStorage()
{
    static uint64_t generation = 0;
    return generation;
}

}  // namespace

Locale::Locale()
    : monthNames { "January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
        "November", "December" }
    , monthAbbreviations { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" }
    , dayNames { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" }
    , dayAbbreviations { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" }
{
}

// The application sets the locale once at start-up, before any grid converts values.
const Locale& Locale::Current() { return CurrentStorage(); }

void Locale::SetCurrent(Locale locale)
{
    CurrentStorage() = std::move(locale);
    ++GenerationStorage();
}

uint64_t fmt::LocaleGeneration() { return GenerationStorage(); }

}  // namespace tavix
