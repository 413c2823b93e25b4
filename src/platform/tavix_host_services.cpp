// What a host container asks of the control beyond the grid itself.
#include "layout/view_layout.h"

#include <tavix/grid.h>
#include <tavix/native/message_box.h>
#include <tavix/tavix.h>

#include <string>

namespace tavix {

namespace {

constexpr int32_t kSafeOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
constexpr int32_t kOk = 0;

}  // namespace

void Tavix::ShowAboutBox()
{
    native::MessageBox(layout_->Window(), std::string("Tavix grid control\nVersion ") + Version(), "About Tavix",
        native::MB_OK | native::MB_ICONINFORMATION);
}

// The grid reads nothing it has not checked, whoever calls and whatever it is given.
int32_t Tavix::GetInterfaceSafetyOptions(
    std::string_view /*riid*/, int32_t& pdwSupportedOptions, int32_t& pdwEnabledOptions) const
{
    pdwSupportedOptions = kSafeOptions;
    pdwEnabledOptions = kSafeOptions;
    return kOk;
}

int32_t Tavix::SetInterfaceSafetyOptions(
    std::string_view /*riid*/, int32_t /*dwOptionSetMask*/, int32_t /*dwEnabledOptions*/)
{
    return kOk;
}

}  // namespace tavix
