#pragma once
// The four message box icons, drawn anti-aliased at any size.
#include <tavix/native/gdi.h>

namespace tavix::native {

// `icon` is the MB_ICON* part of a message box type; nothing for none.
void DrawMessageBoxIcon(HDC dc, const Rect& box, UINT icon);

}  // namespace tavix::native
