#include "native/win/timer_table.h"

namespace tavix::native {

TimerTable& TimerTable::Instance()
{
    static TimerTable table;
    return table;
}

void TimerTable::SharedCallback(HWND, UINT, UINT_PTR id, DWORD)
{
    // A late tick for an identifier whose slot was emptied finds nothing.
    if (CTimer* timer = Instance().Find(id))
        timer->PulseTimer();
}

int TimerTable::Add(CTimer* timer)
{
    for (int i = 0; i < kSlots; ++i) {
        if (!slots_[i]) {
            slots_[i] = timer;
            highest_ = std::max(highest_, i + 1);
            return i + 1;
        }
    }
    return 0;
}

bool TimerTable::Remove(UINT_PTR id)
{
    for (int i = 0; i < highest_; ++i) {
        if (slots_[i] && slots_[i]->TimerId() == id) {
            slots_[i] = nullptr;
            return true;
        }
    }
    return false;
}

CTimer* TimerTable::Find(UINT_PTR id) const
{
    for (int i = 0; i < highest_; ++i)
        if (slots_[i] && slots_[i]->TimerId() == id)
            return slots_[i];
    return nullptr;
}

}  // namespace tavix::native
