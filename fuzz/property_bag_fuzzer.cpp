// Stored property text and font descriptions: malformed text raises error 514 only, and what
// loads saves back to the same text.
#include "fuzz_input.h"

#include <tavix/property_bag.h>

#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void LoadAndSave(std::string_view text)
{
    tavix::PropertyBag bag;
    try {
        bag.Restore(text);
    } catch (const tavix::TavixError& e) {
        Require(e.Code() == tavix::tvErrInvalidArgument && bag.Count() == 0);
        return;
    }
    const std::string saved = bag.Save();
    Require(tavix::PropertyBag::Load(saved).Save() == saved);
}

void ReadFont(std::string_view text)
{
    try {
        const tavix::FontRef font = tavix::FontFromVariant(tavix::GridVariant(text));
        const tavix::GridVariant again = tavix::FontToVariant(font);
        Require(tavix::FontsEqual(tavix::FontFromVariant(again), font));
    } catch (const tavix::TavixError& e) {
        Require(e.Code() == tavix::tvErrInvalidArgument);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavix::fuzz::FuzzInput in(data, size);
    if (in.Byte() % 2 == 0)
        LoadAndSave(in.Rest());
    else
        ReadFont(in.Rest());
    return 0;
}
