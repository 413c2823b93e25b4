#include "native/win/header_painter.h"
#include <algorithm>
#include <tavix/native/imagelist.h>
#include <tavix/native/text.h>

namespace tavix::native {

namespace {

constexpr int kButtonBorder = 2;  // raised border of a push-button item
constexpr int kPushedBorder = 1;  // flat shadow frame of a pressed item
constexpr int kEtchedBorder = 2;  // groove below and right of a flat item
constexpr int kTextMargin = 4;  // between the border, the image, the text and the sort arrow
constexpr int kSortArrowWidth = 7;
constexpr int kMarkerHead = 4;  // arrowheads of the drop marker
constexpr uint32_t kGhostAlpha = 0xA0;

enum Side { kTop = 1, kLeft = 2, kBottom = 4, kRight = 8, kAllSides = 15 };

void Fill(HDC dc, const Rect& r, int color) { FillRect(dc, r, GetSysColorBrush(color)); }

// One ring of a border: top and left in one colour, bottom and right in another.
void Ring(HDC dc, const Rect& r, int topLeft, int bottomRight, int sides = kAllSides)
{
    if (sides & kTop)
        Fill(dc, { r.left, r.top, r.right, r.top + 1 }, topLeft);
    if (sides & kLeft)
        Fill(dc, { r.left, r.top, r.left + 1, r.bottom }, topLeft);
    if (sides & kBottom)
        Fill(dc, { r.left, r.bottom - 1, r.right, r.bottom }, bottomRight);
    if (sides & kRight)
        Fill(dc, { r.right - 1, r.top, r.right, r.bottom }, bottomRight);
}

void RaisedBorder(HDC dc, const Rect& r, int sides)
{
    Ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW, sides);
    Ring(dc, r.Inflate(-1, -1), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, sides);
}

void EtchedBorder(HDC dc, const Rect& r, int sides)
{
    Ring(dc, r, 0, COLOR_BTNHIGHLIGHT, sides);
    Ring(dc, { r.left, r.top, r.right - 1, r.bottom - 1 }, 0, COLOR_BTNSHADOW, sides);
}

// A small solid triangle, centred on x, pointing up or down.
void SortArrow(HDC dc, int x, int centreY, bool up)
{
    const int rows = kSortArrowWidth / 2 + 1;
    for (int k = 0; k < rows; ++k) {
        const int half = up ? k : rows - 1 - k;
        const int y = centreY - rows / 2 + k;
        Fill(dc, { x - half, y, x + half + 1, y + 1 }, COLOR_BTNSHADOW);
    }
}

UINT TextAlignment(int format)
{
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return DT_RIGHT;
    case HDF_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

void HeaderPainter::Paint(HDC dc, const Rect& update, Size client) const
{
    // Indexes are re-read on each step: an owner may change the items while it draws.
    for (int order = 0; order < items_.Count(); ++order) {
        const int index = items_.IndexAt(order);
        const Rect rect { items_.Left(index), 0, items_.Right(index), client.cy };
        if (!rect.Intersect(update).IsEmpty())
            DrawItem(dc, index, rect, index == view_.pushed);
    }
    const Rect rest { items_.TotalWidth(), 0, client.cx, client.cy };
    if (!rest.Intersect(update).IsEmpty())
        DrawFiller(dc, rest);
    if (view_.ghost)
        ImageList_DrawEx(view_.ghost, 0, dc, view_.ghostX, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    if (view_.dropGap >= 0 && view_.dropGap <= items_.Count())
        DrawDropMarker(dc, items_.GapX(view_.dropGap), client.cy);
}

void HeaderPainter::DrawItem(HDC dc, int index, const Rect& rect, bool pushed) const
{
    const Rect inner = DrawBorder(dc, rect, pushed);
    Fill(dc, inner, COLOR_BTNFACE);
    DcStateSaver saver(dc);
    IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    SetBkMode(dc, TRANSPARENT);
    const HeaderItem& item = items_.At(index);
    if (!(item.format & HDF_OWNERDRAW)) {
        DrawContent(dc, item, pushed ? inner.Offset(1, 1) : inner);
        return;
    }
    DRAWITEMSTRUCT dis { .CtlType = ODT_HEADER,
        .itemID = static_cast<UINT>(index),
        .itemAction = ODA_DRAWENTIRE,
        .itemState = pushed ? ODS_SELECTED : 0u,
        .hwndItem = view_.hwnd,
        .hDC = dc,
        .rcItem = { rect.left, rect.top, rect.right, rect.bottom },
        .itemData = static_cast<uintptr_t>(item.data) };
    SendMessage(view_.notify, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

Rect HeaderPainter::DrawBorder(HDC dc, const Rect& r, bool pushed) const
{
    if (!(view_.style & HDS_BUTTONS)) {
        EtchedBorder(dc, r, kBottom | kRight);
        return { r.left, r.top, r.right - kEtchedBorder, r.bottom - kEtchedBorder };
    }
    if (pushed) {
        Ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        return r.Inflate(-kPushedBorder, -kPushedBorder);
    }
    RaisedBorder(dc, r, kAllSides);
    return r.Inflate(-kButtonBorder, -kButtonBorder);
}

void HeaderPainter::DrawContent(HDC dc, const HeaderItem& item, Rect content) const
{
    Rect box { content.left + kTextMargin, content.top, content.right - kTextMargin, content.bottom };
    int32_t cx = 0, cy = 0;
    if ((item.format & HDF_IMAGE) && ImageList_GetIconSize(view_.images, &cx, &cy) && box.Width() > 0) {
        ImageList_DrawEx(view_.images, item.image, dc, box.left, box.top + (box.Height() - cy) / 2,
            std::min(cx, box.Width()), 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        box.left += cx + kTextMargin;
    }
    if ((item.format & (HDF_SORTUP | HDF_SORTDOWN)) && box.Width() >= kSortArrowWidth) {
        SortArrow(dc, box.right - kSortArrowWidth / 2 - 1, (box.top + box.bottom) / 2, item.format & HDF_SORTUP);
        box.right -= kSortArrowWidth + kTextMargin;
    }
    if (item.text.empty() || box.IsEmpty())
        return;
    SetTextColor(dc, GetSysColor(IsWindowEnabled(view_.hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const UINT rtl = (item.format & HDF_RTLREADING) ? DT_RTLREADING : 0;
    DrawText(dc, item.text, box,
        DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | TextAlignment(item.format) | rtl);
}

// The empty area after the last item continues the items' border without a divider.
void HeaderPainter::DrawFiller(HDC dc, const Rect& r) const
{
    if (view_.style & HDS_BUTTONS) {
        // Drawn past the right edge so the rings run to the end; the window clips them.
        RaisedBorder(dc, { r.left, r.top, r.right + kButtonBorder, r.bottom }, kTop | kLeft | kBottom);
        Fill(dc, { r.left + kButtonBorder, r.top + kButtonBorder, r.right, r.bottom - kButtonBorder }, COLOR_BTNFACE);
        return;
    }
    EtchedBorder(dc, r, kBottom);
    Fill(dc, { r.left, r.top, r.right, r.bottom - kEtchedBorder }, COLOR_BTNFACE);
}

void HeaderPainter::DrawDropMarker(HDC dc, int x, int height) const
{
    Fill(dc, { x - 1, 0, x + 1, height }, COLOR_HIGHLIGHT);
    for (int k = 0; k < kMarkerHead; ++k) {
        const int half = kMarkerHead - k;
        Fill(dc, { x - half, k, x + half, k + 1 }, COLOR_HIGHLIGHT);
        Fill(dc, { x - half, height - 1 - k, x + half, height - k }, COLOR_HIGHLIGHT);
    }
}

UniqueGdiObject HeaderPainter::MakeGhost(int index, int height) const
{
    const int width = items_.At(index).width;
    if (width <= 0 || height <= 0)
        return {};
    UniqueDC memory(CreateCompatibleDC(0));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(memory, width, height));
    HGDIOBJ previous = SelectObject(memory, bitmap);
    DrawItem(memory, index, { 0, 0, width, height }, false);
    SelectObject(memory, previous);
    const SurfacePtr pixels = GetBitmapSurface(bitmap);
    RgbaImage image { width, height, {} };
    image.pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back((kGhostAlpha << 24) | pixels->Pixel(x, y));
    UniqueGdiObject ghost(ImageList_Create(width, height, ILC_COLOR32, 1, 0));
    ImageList_AddImage(ghost, image);
    return ghost;
}

}  // namespace tavix::native
