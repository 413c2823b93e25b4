#pragma once
// A stage in front of dispatch, shaped after the platform's accelerator
// translation: the message loop offers each keyboard message it takes from
// the queue to the filters of its thread before dispatching it. A control
// that holds the keyboard (an open drop-down list) filters first, so that
// the keys it needs are not taken by the application's shortcuts, which
// filter after it.
#include <cstdint>
#include <tavix/native/messages.h>

namespace tavix::native {

enum class FilterStage : uint8_t { ActiveObject, Application };

class MessageFilter {
public:
    // True when the message was handled: it is not dispatched, and later
    // filters do not see it.
    virtual bool TranslateAccelerator(const MSG& msg) = 0;

protected:
    ~MessageFilter() = default;
};

// A filter is in the chain of the creating thread for as long as this lives;
// within a stage the filter installed last is asked first.
class ScopedMessageFilter {
public:
    ScopedMessageFilter(MessageFilter& filter, FilterStage stage);
    ~ScopedMessageFilter();
    ScopedMessageFilter(const ScopedMessageFilter&) = delete;
    ScopedMessageFilter& operator=(const ScopedMessageFilter&) = delete;

private:
    MessageFilter& filter_;
};

// What the message loop calls for each message it takes from the queue;
// true when a filter handled it. Only keyboard messages are offered.
bool TranslateMessageFilters(const MSG& msg);

}  // namespace tavix::native
