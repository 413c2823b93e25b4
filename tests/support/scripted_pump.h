// Stands in for a person at the screen while a modal loop (a message box, a
// drag) runs: each turn of the loop runs the next scripted step; once they are
// done the pump reports itself closed, which ends the loop.
#pragma once

#include <tavix/native/desktop.h>

#include <functional>
#include <vector>

namespace tavix::testing {

class ScriptedPump : public native::EventPump {
public:
    explicit ScriptedPump(std::vector<std::function<void()>> steps)
        : steps_(std::move(steps))
    {
    }
    bool PumpOnce(int) override
    {
        native::Desktop::Current()->RunUntilIdle();
        if (next_ == steps_.size())
            return false;
        steps_[next_++]();
        return true;
    }

private:
    std::vector<std::function<void()>> steps_;
    size_t next_ { 0 };
};

}  // namespace tavix::testing
