#pragma once
// Where an application's exception stops when nobody up the stack can catch it.
#include <tavix/host.h>
#include <tavix/native/window.h>

#include <exception>

namespace tavix::core {

// Runs the grid's handling of a window message. An exception from the
// application's event handlers reaches the application's own call when it made
// one; when the message loop delivered the message, there is no such caller, so
// the host hears of it and the message counts as handled.
template <typename Deliver> native::LRESULT AtMessageBoundary(Host& host, Deliver&& deliver)
{
    try {
        return deliver();
    } catch (...) {
        if (!native::InMessageLoop())
            throw;
        host.UnhandledException(std::current_exception());
        return 0;
    }
}

}  // namespace tavix::core
