#pragma once
// CTimer raises ThatTime at a fixed interval. All running timers share one
// process-wide table of 100 slots and one system timer callback. When all are
// taken, error 13651 is raised; its text says "No more than 10 timers", as it
// always has, though the limit is 100.
#include <any>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace tavix {

namespace native {
// Raised by CTimer; the grid's error layer translates it into its own error.
class TimerError : public std::runtime_error {
public:
    explicit TimerError(int32_t code);
    int32_t Code() const { return code_; }
    int32_t Number() const;  // 0x80040000 + code, or the plain code below 1001
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    int32_t code_;
    std::string source_;
    std::string description_;
};

inline constexpr int32_t eeBaseTimer = 13650, eeTooManyTimers = 13651, eeCantCreateTimer = 13652;
}  // namespace native

class CTimer {
public:
    CTimer() = default;
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    int32_t Interval() const { return interval_; }
    void SetInterval(int32_t ms);  // throws native::TimerError
    const std::any& Item() const { return item_; }
    void SetItem(std::any value) { item_ = std::move(value); }
    void PulseTimer();
    uintptr_t TimerId() const { return id_; }

    std::function<void()> OnThatTime;

private:
    void Start();
    void Stop();

    int32_t interval_ { 0 };
    uintptr_t id_ { 0 };
    std::any item_;
};

}  // namespace tavix
