#include "paint/cell_icon.h"

namespace tavix {

using namespace native;

void DrawCellIcon(
    HIMAGELIST imageList, int index, HDC hdc, int32_t x, int32_t y, int32_t cx, int32_t cy, bool disabled, bool blended)
{
    if (index < 0)
        return;
    if (disabled) {
        const HICON icon = ImageList_GetIcon(imageList, index, ILD_NORMAL);
        if (!icon)
            return;
        DrawState(hdc, 0, nullptr, icon, 0, x, y, cx, cy, DST_ICON | DSS_DISABLED);
        DestroyIcon(icon);
        return;
    }
    const UINT style = ILD_TRANSPARENT | (blended ? ILD_BLEND50 : 0);
    ImageList_DrawEx(imageList, index, hdc, x, y, cx, cy, CLR_NONE, GetSysColor(COLOR_HIGHLIGHT), style);
}

}  // namespace tavix
