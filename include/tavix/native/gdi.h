#pragma once
// Device contexts, GDI objects and the drawing calls the grid uses, with the
// desktop platform's names and values so that drawing code reads the same.
#include <cstdint>
#include <memory>
#include <utility>

#include "tavix/native/surface.h"

namespace tavix::native {

// Integer handles into one process-wide table; 0 is "none".
using HDC = int32_t;
using HGDIOBJ = int32_t;
using HBITMAP = int32_t;
using HBRUSH = int32_t;
using HPEN = int32_t;
using HFONT = int32_t;
using HRGN = int32_t;
using HICON = int32_t;
using HIMAGELIST = int32_t;
using HPALETTE = int32_t;
using UINT = uint32_t;
using DWORD = uint32_t;

using COLORREF = uint32_t;  // 0x00BBGGRR
using OleColor = uint32_t;  // COLORREF, or 0x800000nn for system colour nn

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) { return c & 0xFF; }
constexpr uint8_t GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr uint8_t GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }
// Surfaces hold 0x00RRGGBB; these convert between the two layouts.
constexpr uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
constexpr COLORREF FromPixel(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Region results.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// ---- Device contexts ---------------------------------------------------------
// A DC drawing onto `target` with logical (0,0) at `origin` that never touches
// pixels outside `baseClip` (target coordinates). Windows use it for their
// backing surface.
HDC CreateSurfaceDC(SurfacePtr target, Point origin, Rect baseClip);
// A memory DC with a 1x1 default bitmap; select a bitmap to draw.
HDC CreateCompatibleDC(HDC hdc);
bool DeleteDC(HDC hdc);
// The surface a DC draws on (the selected bitmap's for a memory DC).
SurfacePtr GetDCSurface(HDC hdc);

HBITMAP CreateCompatibleBitmap(HDC hdc, int32_t cx, int32_t cy);
// Wraps an existing surface as a bitmap (pictures, image strips).
HBITMAP CreateBitmapFromSurface(SurfacePtr surface);
SurfacePtr GetBitmapSurface(HBITMAP hbm);
Size GetBitmapSize(HBITMAP hbm);

// Selecting a bitmap, brush, pen, font or region; returns the previous object
// of that kind (for a region: SIMPLEREGION/NULLREGION, like the platform).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
// Fails (false) for a stock object or an object selected into a DC.
bool DeleteObject(HGDIOBJ obj);
constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

COLORREF SetTextColor(HDC hdc, COLORREF c);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF c);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
// Moves the logical origin (for scrolling row buffers); returns the previous one.
Point SetViewportOrg(HDC hdc, Point origin);
Point GetViewportOrg(HDC hdc);

// ---- Brushes and pens --------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF c);
HBRUSH CreateHatchBrush(int style, COLORREF c);
// Shared stock brush; DeleteObject ignores it.
HBRUSH GetSysColorBrush(int index);
HPEN CreatePen(int style, int width, COLORREF c);

// ---- Drawing -------------------------------------------------------------------
int FillRect(HDC hdc, const Rect& rc, HBRUSH brush);
int FrameRect(HDC hdc, const Rect& rc, HBRUSH brush);
bool InvertRect(HDC hdc, const Rect& rc);
// XORs the dotted focus pattern; drawing twice restores the pixels.
bool DrawFocusRect(HDC hdc, const Rect& rc);
bool MoveToEx(HDC hdc, int32_t x, int32_t y, Point* previous);
bool LineTo(HDC hdc, int32_t x, int32_t y);
COLORREF SetPixel(HDC hdc, int32_t x, int32_t y, COLORREF c);
COLORREF GetPixel(HDC hdc, int32_t x, int32_t y);
bool PatBlt(HDC hdc, int32_t x, int32_t y, int32_t w, int32_t h, DWORD rop);
bool BitBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t sx, int32_t sy, DWORD rop);

// ---- Clipping ------------------------------------------------------------------
HRGN CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom);
HRGN CreateRectRgnIndirect(const Rect& rc);
// 1 and a copy into `rgn` when the DC has a clip region, 0 when it has none.
int GetClipRgn(HDC hdc, HRGN rgn);
// Region in logical coordinates at selection time; 0 removes the clip.
int SelectClipRgn(HDC hdc, HRGN rgn);
int IntersectClipRect(HDC hdc, int32_t left, int32_t top, int32_t right, int32_t bottom);
int GetRgnBox(HRGN rgn, Rect* out);

// ---- Colours -------------------------------------------------------------------
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_COUNT = 31;

COLORREF GetSysColor(int index);
// Overrides system colours (tests, themes); index/colour pairs.
bool SetSysColors(int count, const int* indexes, const COLORREF* colors);
// Restores the built-in table.
void ResetSysColors();

constexpr int32_t S_OK = 0;
constexpr int32_t E_INVALIDARG = static_cast<int32_t>(0x80070057);
// 0 (S_OK) and the colour, or an error and CLR_INVALID (-1) in *out.
int32_t OleTranslateColor(OleColor color, HPALETTE hpal, COLORREF* out);

// ---- RAII ----------------------------------------------------------------------
// Owns a DC from CreateCompatibleDC / CreateSurfaceDC.
class UniqueDC {
public:
    UniqueDC() = default;
    explicit UniqueDC(HDC h)
        : h_(h)
    {
    }
    UniqueDC(UniqueDC&& o) noexcept
        : h_(std::exchange(o.h_, 0))
    {
    }
    UniqueDC& operator=(UniqueDC&& o) noexcept
    {
        if (this != &o)
            Reset(std::exchange(o.h_, 0));
        return *this;
    }
    ~UniqueDC() { Reset(); }
    HDC Get() const { return h_; }
    operator HDC() const { return h_; }
    void Reset(HDC h = 0)
    {
        if (h_)
            DeleteDC(h_);
        h_ = h;
    }

private:
    HDC h_ = 0;
};

// Owns a bitmap, brush, pen, font or region.
class UniqueGdiObject {
public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(HGDIOBJ h)
        : h_(h)
    {
    }
    UniqueGdiObject(UniqueGdiObject&& o) noexcept
        : h_(std::exchange(o.h_, 0))
    {
    }
    UniqueGdiObject& operator=(UniqueGdiObject&& o) noexcept
    {
        if (this != &o)
            Reset(std::exchange(o.h_, 0));
        return *this;
    }
    ~UniqueGdiObject() { Reset(); }
    HGDIOBJ Get() const { return h_; }
    operator HGDIOBJ() const { return h_; }
    void Reset(HGDIOBJ h = 0)
    {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }

private:
    HGDIOBJ h_ = 0;
};

// Restores a DC's clip, colours, background mode, viewport and selected
// brush, pen and font when the scope ends, so drawing helpers can change them
// freely.
class DcStateSaver {
public:
    explicit DcStateSaver(HDC hdc);
    ~DcStateSaver();
    DcStateSaver(const DcStateSaver&) = delete;
    DcStateSaver& operator=(const DcStateSaver&) = delete;

private:
    HDC hdc_;
    UniqueGdiObject clip_;
    bool hadClip_ = false;
    COLORREF text_ = 0, bk_ = 0;
    int bkMode_ = 0;
    Point viewport_;
    HGDIOBJ brush_ = 0, pen_ = 0, font_ = 0;
};

}  // namespace tavix::native
