#pragma once
// Where a cell's check box and combo button sit, and which strip image
// shows a control in a given state.
#include <cstdint>

#include <tavix/native/gdi.h>

namespace tavix {

constexpr int32_t kControlSize = 16;

// The check box of a cell for a box of `boxSize` (16, or the themed size).
native::Rect CheckBoxRect(native::Rect cell, int32_t boxSize);
native::Rect ComboButtonRect(native::Rect cell);

// `state`: 0 unchecked, 1 checked, 2 indeterminate.
int CheckBoxSlot(int state, bool flat, bool hot, bool themed);
int ComboButtonSlot(bool pressed, bool flat, bool hot, bool themed);

}  // namespace tavix
