#include <algorithm>
#include <tavix/native/message_filter.h>
#include <vector>

namespace tavix::native {

namespace {

struct Entry {
    MessageFilter* filter;
    FilterStage stage;
};

// WM_KEYDOWN up to WM_SYSDEADCHAR: what a keyboard posts.
constexpr UINT kLastKeyMessage = 0x108;

// Ordered as asked: stage by stage, the newest first within a stage.
thread_local std::vector<Entry> chain;

bool Installed(const MessageFilter* filter)
{
    return std::any_of(chain.begin(), chain.end(), [&](const Entry& e) { return e.filter == filter; });
}

}  // namespace

ScopedMessageFilter::ScopedMessageFilter(MessageFilter& filter, FilterStage stage)
    : filter_(filter)
{
    auto at = std::find_if(chain.begin(), chain.end(), [&](const Entry& e) { return e.stage >= stage; });
    chain.insert(at, Entry { &filter, stage });
}

ScopedMessageFilter::~ScopedMessageFilter()
{
    std::erase_if(chain, [&](const Entry& e) { return e.filter == &filter_; });
}

bool TranslateMessageFilters(const MSG& msg)
{
    if (msg.message < WM_KEYDOWN || msg.message > kLastKeyMessage)
        return false;
    // A filter may install or remove filters, its own included, while it runs.
    const std::vector<Entry> asked = chain;
    for (const Entry& e : asked)
        if (Installed(e.filter) && e.filter->TranslateAccelerator(msg))
            return true;
    return false;
}

}  // namespace tavix::native
