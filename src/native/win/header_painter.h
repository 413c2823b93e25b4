#pragma once
// Draws a header control: native button borders, item contents or the
// parent's owner drawing, the empty area after the last item, and the item
// drag feedback.
#include "native/win/header_items.h"
#include <tavix/native/gdi.h>

namespace tavix::native {

struct HeaderView {
    HWND hwnd { 0 };
    HWND notify { 0 };  // receives WM_DRAWITEM
    DWORD style { 0 };
    HIMAGELIST images { 0 };
    int pushed { -1 };  // item drawn pressed
    int dropGap { -1 };  // drop marker before this display position while an item is dragged
    HIMAGELIST ghost { 0 };  // the dragged item, drawn translucent at ghostX
    int ghostX { 0 };
};

class HeaderPainter {
public:
    HeaderPainter(const HeaderItems& items, HeaderView view)
        : items_(items)
        , view_(view)
    {
    }

    void Paint(HDC dc, const Rect& update, Size client) const;
    void DrawItem(HDC dc, int index, const Rect& rect, bool pushed) const;
    // The dragged item's picture as a one-image list, drawn translucent.
    UniqueGdiObject MakeGhost(int index, int height) const;

private:
    // Draws the border the style asks for and returns what is inside it.
    Rect DrawBorder(HDC dc, const Rect& rect, bool pushed) const;
    void DrawContent(HDC dc, const HeaderItem& item, Rect content) const;
    void DrawFiller(HDC dc, const Rect& rect) const;
    void DrawDropMarker(HDC dc, int x, int height) const;

    const HeaderItems& items_;
    HeaderView view_;
};

}  // namespace tavix::native
