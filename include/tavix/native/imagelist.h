#pragma once
// Image lists of equally sized RGBA images, icons and disabled drawing.
#include <cstdint>
#include <string>

#include "tavix/native/gdi.h"
#include "tavix/native/png.h"

namespace tavix::native {

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr UINT ILC_COLOR32 = 0x20;
constexpr UINT ILC_MASK = 0x1;

constexpr UINT ILD_NORMAL = 0;
constexpr UINT ILD_TRANSPARENT = 1;
constexpr UINT ILD_BLEND25 = 2;
constexpr UINT ILD_BLEND50 = 4;

constexpr UINT DST_ICON = 3;
constexpr UINT DSS_NORMAL = 0;
constexpr UINT DSS_DISABLED = 0x20;

HIMAGELIST ImageList_Create(int32_t cx, int32_t cy, UINT flags, int initial, int grow);
bool ImageList_Destroy(HIMAGELIST himl);
// Adds one image; it must be cx x cy. Returns its index or -1.
int ImageList_AddImage(HIMAGELIST himl, const RgbaImage& image);
// Cuts a horizontal strip into cx-wide images; returns the first new index or -1.
int ImageList_AddStrip(HIMAGELIST himl, const RgbaImage& strip);
int ImageList_AddFromPng(HIMAGELIST himl, const std::string& path);
// A new list of cx-wide images cut from a PNG strip (cy is the strip's height).
HIMAGELIST LoadImageListFromPng(const std::string& path, int32_t cx);
int ImageList_GetImageCount(HIMAGELIST himl);
bool ImageList_GetIconSize(HIMAGELIST himl, int32_t* cx, int32_t* cy);

// dx/dy of 0 draw the whole image. rgbBk fills behind the image unless it is
// CLR_NONE or ILD_TRANSPARENT is given; ILD_BLEND50 mixes the image half with
// rgbFg (CLR_DEFAULT: the highlight colour).
bool ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int32_t x, int32_t y, int32_t dx, int32_t dy, COLORREF rgbBk,
    COLORREF rgbFg, UINT fStyle);
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
HICON CreateIconFromImage(const RgbaImage& image);
Size GetIconSize(HICON icon);
bool DestroyIcon(HICON icon);

// DST_ICON only: lData is the HICON; cx/cy of 0 use the icon's size.
// DSS_DISABLED draws it greyed and embossed.
bool DrawState(HDC hdc, HBRUSH hbr, void* outputFunc, intptr_t lData, uintptr_t wData, int32_t x, int32_t y, int32_t cx,
    int32_t cy, UINT flags);

}  // namespace tavix::native
