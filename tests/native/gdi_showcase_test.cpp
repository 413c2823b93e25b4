// Renders one image with every drawing feature, for eyes rather than asserts.
#include <gtest/gtest.h>

#include <filesystem>

#include "tavix/native/frame.h"
#include "tavix/native/imagelist.h"
#include "tavix/native/png.h"
#include "tavix/native/text.h"

using namespace tavix::native;

namespace {

RgbaImage Disc(uint32_t rgb)
{
    RgbaImage img { 16, 16, {} };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int d2 = (x - 8) * (x - 8) + (y - 8) * (y - 8);
            img.pixels.push_back(d2 < 49 ? (0xFF000000u | rgb) : 0);
        }
    return img;
}

}  // namespace

TEST(GdiShowcase, WritesAnOverviewImage)
{
    const int w = 640, h = 360;
    UniqueDC dc(CreateCompatibleDC(0));
    UniqueGdiObject bm(CreateCompatibleBitmap(dc, w, h));
    HGDIOBJ old = SelectObject(dc, bm);
    FillRect(dc, { 0, 0, w, h }, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);

    int y = 8;
    const FontSpec fonts[]
        = { { .name = "DejaVu Sans", .points = 8.25 }, { .name = "DejaVu Sans", .points = 12, .weight = FW_BOLD },
              { .name = "DejaVu Serif", .points = 14, .italic = true },
              { .name = "DejaVu Sans Mono", .points = 10, .underline = true },
              { .name = "MS Sans Serif", .points = 10, .strikeout = true } };
    for (const auto& fontSpec : fonts) {
        UniqueGdiObject f(CreateFontFromSpec(fontSpec));
        DcStateSaver saver(dc);
        SelectObject(dc, f);
        Rect rc { 8, y, 400, y + 40 };
        y += DrawText(dc, fontSpec.name + " " + std::to_string(fontSpec.points) + " pt  &Accelerated \xC3\xA9t\xC3\xA9",
                 rc, DT_SINGLELINE | DT_CALCRECT)
            + 4;
        DrawText(dc, fontSpec.name + " " + std::to_string(fontSpec.points) + " pt  &Accelerated \xC3\xA9t\xC3\xA9", rc,
            DT_SINGLELINE);
    }
    Rect ell { 420, 8, 620, 24 };
    DrawText(dc, "C:\\Users\\someone\\Documents\\report.txt", ell, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    Rect wrap { 420, 30, 620, 120 };
    DrawText(dc, "Word break wraps this sentence at spaces inside the box.", wrap, DT_WORDBREAK | DT_CENTER);

    SetBkColor(dc, RGB(255, 255, 255));
    for (int s = HS_HORIZONTAL; s <= HS_DIAGCROSS; ++s) {
        UniqueGdiObject hatch(CreateHatchBrush(s, RGB(40, 90, 200)));
        SetBkMode(dc, s % 2 ? OPAQUE : TRANSPARENT);
        FillRect(dc, { 8 + s * 50, 150, 50 + s * 50, 190 }, hatch);
    }
    const UINT states[]
        = { 0, DFCS_CHECKED, DFCS_BUTTON3STATE | DFCS_CHECKED, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE | DFCS_CHECKED };
    for (int i = 0; i < 6; ++i) {
        DrawFrameControl(dc, { 8 + i * 30, 210, 21 + i * 30, 223 }, DFC_BUTTON, states[i]);
        DrawFrameControl(dc, { 8 + i * 30, 240, 24 + i * 30, 258 }, DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX | (states[i] & ~(DFCS_CHECKED | DFCS_BUTTON3STATE)));
    }
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR32, 0, 0);
    ImageList_AddImage(il, Disc(0xE04020));
    ImageList_DrawEx(il, 0, dc, 8, 280, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    ImageList_DrawEx(il, 0, dc, 32, 280, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT | ILD_BLEND50);
    HICON icon = ImageList_GetIcon(il, 0, 0);
    DrawState(dc, 0, nullptr, icon, 0, 56, 280, 0, 0, DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
    ImageList_Destroy(il);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawFocusRect(dc, { 4, 276, 80, 300 });

    std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
    const std::string path = std::string(TAVIX_TEST_OUTPUT_DIR) + "/gdi_showcase.png";
    ASSERT_TRUE(SavePng(dc, path));
    SelectObject(dc, old);
    auto back = LoadPngRgba(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, w);
    EXPECT_EQ(back->height, h);
}
