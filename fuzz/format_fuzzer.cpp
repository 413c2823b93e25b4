// Format with a random value, pattern, locale and week settings: it must never throw nor fail.
#include "fuzz_input.h"

#include <tavix/format.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavix::fuzz::FuzzInput in(data, size);
    tavix::Locale::SetCurrent(tavix::fuzz::PickLocale(in.Byte()));
    const int firstDayOfWeek = in.Byte() % 9;  // 1..7 are valid, the rest fall back
    const int firstWeekOfYear = in.Byte() % 5;
    const tavix::GridVariant value = tavix::fuzz::PickValue(in);
    const std::string_view pattern = in.Rest().substr(0, 256);  // longer patterns only repeat the same paths
    (void)tavix::Format(value, pattern, firstDayOfWeek, firstWeekOfYear);
    return 0;
}
