// The system colour table and OleColor translation.
#include <array>

#include <tavix/native/gdi.h>

namespace tavix::native {

namespace {

// A light, flat palette: white windows, soft grey chrome, blue selection.
constexpr std::array<COLORREF, COLOR_COUNT> kDefaults = {
    RGB(0xE8, 0xE8, 0xE8),  // SCROLLBAR
    RGB(0x2D, 0x3E, 0x50),  // BACKGROUND
    RGB(0x2B, 0x6C, 0xC4),  // ACTIVECAPTION
    RGB(0xD4, 0xD8, 0xDD),  // INACTIVECAPTION
    RGB(0xF7, 0xF7, 0xF7),  // MENU
    RGB(0xFF, 0xFF, 0xFF),  // WINDOW
    RGB(0x64, 0x64, 0x64),  // WINDOWFRAME
    RGB(0x1E, 0x1E, 0x1E),  // MENUTEXT
    RGB(0x1E, 0x1E, 0x1E),  // WINDOWTEXT
    RGB(0xFF, 0xFF, 0xFF),  // CAPTIONTEXT
    RGB(0xC8, 0xC8, 0xC8),  // ACTIVEBORDER
    RGB(0xDC, 0xDC, 0xDC),  // INACTIVEBORDER
    RGB(0xAB, 0xAB, 0xAB),  // APPWORKSPACE
    RGB(0x2B, 0x6C, 0xC4),  // HIGHLIGHT
    RGB(0xFF, 0xFF, 0xFF),  // HIGHLIGHTTEXT
    RGB(0xF0, 0xF0, 0xF0),  // BTNFACE
    RGB(0xA0, 0xA0, 0xA0),  // BTNSHADOW
    RGB(0x8C, 0x8C, 0x8C),  // GRAYTEXT
    RGB(0x1E, 0x1E, 0x1E),  // BTNTEXT
    RGB(0x50, 0x50, 0x50),  // INACTIVECAPTIONTEXT
    RGB(0xFF, 0xFF, 0xFF),  // BTNHIGHLIGHT
    RGB(0x69, 0x69, 0x69),  // 3DDKSHADOW
    RGB(0xE3, 0xE3, 0xE3),  // 3DLIGHT
    RGB(0x1E, 0x1E, 0x1E),  // INFOTEXT
    RGB(0xFF, 0xFB, 0xE6),  // INFOBK
    RGB(0xB5, 0xB5, 0xB5),  // 25 (unused by the platform, kept neutral)
    RGB(0x00, 0x66, 0xCC),  // HOTLIGHT
    RGB(0x5A, 0x9B, 0xE6),  // GRADIENTACTIVECAPTION
    RGB(0xE4, 0xE8, 0xEE),  // GRADIENTINACTIVECAPTION
    RGB(0x2B, 0x6C, 0xC4),  // MENUHILIGHT
    RGB(0xF7, 0xF7, 0xF7),  // MENUBAR
};

std::array<COLORREF, COLOR_COUNT>& Table()
{
    static std::array<COLORREF, COLOR_COUNT> table = kDefaults;
    return table;
}

}  // namespace

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    return Table()[index];
}

bool SetSysColors(int count, const int* indexes, const COLORREF* colors)
{
    for (int i = 0; i < count; ++i) {
        if (indexes[i] < 0 || indexes[i] >= COLOR_COUNT)
            return false;
    }
    for (int i = 0; i < count; ++i)
        Table()[indexes[i]] = colors[i] & 0xFFFFFF;
    return true;
}

void ResetSysColors() { Table() = kDefaults; }

int32_t OleTranslateColor(OleColor color, HPALETTE, COLORREF* out)
{
    COLORREF result = CLR_INVALID;
    int32_t hr = E_INVALIDARG;
    const uint32_t kind = color >> 24;
    if (kind == 0x00) {
        result = color;
        hr = S_OK;
    } else if (kind == 0x80 && (color & 0xFFFFFF) < COLOR_COUNT) {
        result = GetSysColor(static_cast<int>(color & 0xFFFFFF));
        hr = S_OK;
    } else if (kind == 0x02 || kind == 0x01) {
        // Palette-relative forms carry the RGB in the low bytes.
        result = color & 0xFFFFFF;
        hr = S_OK;
    }
    if (out)
        *out = result;
    return hr;
}

}  // namespace tavix::native
