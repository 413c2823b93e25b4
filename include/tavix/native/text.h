#pragma once
// Fonts, text metrics and DrawText with the platform's flags.
#include <string>
#include <string_view>

#include "tavix/native/gdi.h"

namespace tavix::native {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr int DEFAULT_CHARSET = 1;

struct FontSpec {
    std::string name = "DejaVu Sans";
    double points = 8.25;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = DEFAULT_CHARSET;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Resolved through fontconfig; a name the machine lacks falls back to its
// closest match (DejaVu Sans on a bare system). Sizes are at 96 dpi.
HFONT CreateFontFromSpec(const FontSpec& fontSpec);
// The family the font actually resolved to.
std::string GetFontFamily(HFONT font);
// The font a DC uses before one is selected (DejaVu Sans 8.25 pt).
HFONT GetStockUiFont();

struct TEXTMETRIC {
    int32_t tmHeight = 0;
    int32_t tmAscent = 0;
    int32_t tmDescent = 0;
    int32_t tmInternalLeading = 0;
    int32_t tmExternalLeading = 0;
    int32_t tmAveCharWidth = 0;
    int32_t tmMaxCharWidth = 0;
    int32_t tmWeight = 0;
};

bool GetTextMetrics(HDC hdc, TEXTMETRIC* tm);
bool GetTextExtentPoint32(HDC hdc, std::string_view utf8, Size* size);

constexpr UINT DT_TOP = 0;
constexpr UINT DT_LEFT = 0;
constexpr UINT DT_CENTER = 1;
constexpr UINT DT_RIGHT = 2;
constexpr UINT DT_VCENTER = 4;
constexpr UINT DT_BOTTOM = 8;
constexpr UINT DT_WORDBREAK = 16;
constexpr UINT DT_SINGLELINE = 32;
constexpr UINT DT_EXPANDTABS = 64;
constexpr UINT DT_TABSTOP = 128;
constexpr UINT DT_NOCLIP = 256;
constexpr UINT DT_EXTERNALLEADING = 512;
constexpr UINT DT_CALCRECT = 1024;
constexpr UINT DT_NOPREFIX = 2048;
constexpr UINT DT_EDITCONTROL = 8192;
constexpr UINT DT_PATH_ELLIPSIS = 16384;
constexpr UINT DT_END_ELLIPSIS = 32768;
constexpr UINT DT_MODIFYSTRING = 65536;
constexpr UINT DT_RTLREADING = 131072;
constexpr UINT DT_WORD_ELLIPSIS = 262144;
constexpr UINT DT_HIDEPREFIX = 1048576;

// Draws (or with DT_CALCRECT measures into rc) and returns the text height.
// Characters the font lacks come from fallback fonts, emoji in colour;
// bidirectional text is reordered; controls draw nothing and bytes that are
// not UTF-8 show as U+FFFD. Drawing lays out only what the clip can show, so
// word-wrapped lines below the clip are neither drawn nor counted in the height.
int DrawText(HDC hdc, std::string_view utf8, Rect& rc, UINT flags);
// As above; with DT_MODIFYSTRING and an ellipsis the shortened text is
// written back into `text`.
int DrawText(HDC hdc, std::string& text, Rect& rc, UINT flags);

}  // namespace tavix::native
