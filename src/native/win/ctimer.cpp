#include "native/win/timer_table.h"
#include <tavix/native/window.h>
#include <tavix/timer.h>

namespace tavix {

namespace native {

namespace {
std::string TimerMessage(int32_t code)
{
    switch (code) {
    case eeTooManyTimers: return "No more than 10 timers allowed per class";
    case eeCantCreateTimer: return "Can't create system timer";
    default: return {};
    }
}
}  // namespace

TimerError::TimerError(int32_t code)
    : std::runtime_error(TimerMessage(code))
    , code_(code)
    , source_(code < 1001 ? std::string() : std::string("Tavix.WindowProc"))
    , description_(TimerMessage(code))
{
}

int32_t TimerError::Number() const
{
    return code_ < 1001 ? code_ : static_cast<int32_t>(0x80040000u + static_cast<uint32_t>(code_));
}

}  // namespace native

CTimer::~CTimer() { Stop(); }

void CTimer::SetInterval(int32_t ms)
{
    if (ms < 1) {
        if (id_) {
            interval_ = 0;
            Stop();
        }
        return;
    }
    if (ms == interval_)
        return;
    Stop();
    interval_ = ms;
    Start();
}

void CTimer::PulseTimer()
{
    if (OnThatTime)
        OnThatTime();
}

void CTimer::Start()
{
    id_ = native::SetTimer(0, 0, static_cast<native::UINT>(interval_), native::TimerTable::SharedCallback);
    if (!id_) {
        interval_ = 0;
        throw native::TimerError(native::eeCantCreateTimer);
    }
    if (!native::TimerTable::Instance().Add(this)) {
        // Not in the table it could never tick, so the system timer goes too.
        native::KillTimer(0, id_);
        id_ = 0;
        interval_ = 0;
        throw native::TimerError(native::eeTooManyTimers);
    }
}

void CTimer::Stop()
{
    if (id_ && native::TimerTable::Instance().Remove(id_))
        native::KillTimer(0, id_);
    id_ = 0;
}

}  // namespace tavix
