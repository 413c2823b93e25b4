#pragma once
// The process-wide table of running CTimer objects (non-owning) and the one
// system timer callback that finds a timer by its system identifier.
#include <algorithm>
#include <array>
#include <tavix/native/messages.h>
#include <tavix/timer.h>

namespace tavix::native {

class TimerTable {
public:
    static constexpr int kSlots = 100;

    static TimerTable& Instance();
    static void SharedCallback(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

    // The slot (1-based) that received the timer, or 0 when all are taken.
    int Add(CTimer* timer);
    // Empties the slot holding a timer with this identifier; false when none does.
    bool Remove(UINT_PTR id);
    CTimer* Find(UINT_PTR id) const;
    int HighestSlotUsed() const { return highest_; }
    CTimer* Slot(int slot) const { return slots_[slot - 1]; }

private:
    std::array<CTimer*, kSlots> slots_ {};
    int highest_ { 0 };  // only grows
};

}  // namespace tavix::native
