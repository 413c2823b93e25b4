#pragma once
// The modifier keys as the grid's events report them.
#include <tavix/native/window.h>

#include <cstdint>

namespace tavix::core {

// 1 Shift, 2 Ctrl, 4 Alt, read from the keyboard now.
inline int16_t ShiftState()
{
    const auto down = [](int vk) { return (native::GetKeyState(vk) & 0x8000) != 0; };
    return static_cast<int16_t>(
        (down(native::VK_SHIFT) ? 1 : 0) | (down(native::VK_CONTROL) ? 2 : 0) | (down(native::VK_MENU) ? 4 : 0));
}

}  // namespace tavix::core
