#pragma once
// Check boxes and combo buttons drawn at any size.
#include "tavix/native/gdi.h"

namespace tavix::native {

constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;

constexpr UINT DFCS_BUTTONCHECK = 0;
constexpr UINT DFCS_SCROLLCOMBOBOX = 5;
constexpr UINT DFCS_BUTTON3STATE = 8;
constexpr UINT DFCS_INACTIVE = 0x100;
constexpr UINT DFCS_PUSHED = 0x200;
constexpr UINT DFCS_CHECKED = 0x400;
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_FLAT = 0x4000;

// A check box (DFC_BUTTON) is drawn in the largest centred square of rc; a
// three-state checked box shows the indeterminate mark. A combo button
// (DFC_SCROLL, DFCS_SCROLLCOMBOBOX) fills rc.
bool DrawFrameControl(HDC hdc, const Rect& rc, UINT type, UINT state);

}  // namespace tavix::native
