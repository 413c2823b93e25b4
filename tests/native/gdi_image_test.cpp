#include <gtest/gtest.h>

#include <filesystem>

#include "tavix/native/frame.h"
#include "tavix/native/imagelist.h"
#include "tavix/native/png.h"

using namespace tavix::native;

namespace {

constexpr COLORREF kBack = RGB(10, 200, 30);  // a colour no control draws

struct Canvas {
    UniqueDC dc { CreateCompatibleDC(0) };
    UniqueGdiObject bm;
    HGDIOBJ old = 0;
    Canvas(int w, int h)
        : bm(CreateCompatibleBitmap(0, w, h))
    {
        old = SelectObject(dc, bm);
        UniqueGdiObject b(CreateSolidBrush(kBack));
        FillRect(dc, { 0, 0, w, h }, b);
    }
    ~Canvas() { SelectObject(dc, old); }
    int Changed(const Rect& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += GetPixel(dc, x, y) != kBack;
        return n;
    }
};

// A 4x4 icon: opaque red with a transparent top-left pixel.
RgbaImage RedIcon()
{
    RgbaImage img { 4, 4, std::vector<uint32_t>(16, 0xFFFF0000u) };
    img.pixels[0] = 0;
    return img;
}

std::string OutDir()
{
    std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
    return TAVIX_TEST_OUTPUT_DIR;
}

}  // namespace

TEST(GdiFrame, ControlsAtEverySizeStayInsideTheirRect)
{
    const UINT checkStates[] = { DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTON3STATE | DFCS_CHECKED,
        DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE };
    for (int size : { 1, 8, 13, 16 }) {
        for (UINT state : checkStates) {
            SCOPED_TRACE(testing::Message() << "size " << size << " state " << state);
            Canvas c(24, 24);
            const Rect rc { 4, 4, 4 + size, 4 + size };
            ASSERT_TRUE(DrawFrameControl(c.dc, rc, DFC_BUTTON, state));
            EXPECT_GT(c.Changed(rc), 0);
            EXPECT_EQ(c.Changed({ 0, 0, 24, 24 }), c.Changed(rc)) << "nothing outside the rect";
        }
        Canvas combo(24, 24);
        const Rect rc { 2, 2, 2 + size, 2 + size };
        ASSERT_TRUE(DrawFrameControl(combo.dc, rc, DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
        EXPECT_EQ(combo.Changed(rc), size * size) << "the button face fills its rect";
        EXPECT_EQ(combo.Changed({ 0, 0, 24, 24 }), size * size);
    }
}

TEST(GdiFrame, CheckedStatesDiffer)
{
    Canvas off(16, 16), on(16, 16), mixed(16, 16);
    DrawFrameControl(off.dc, { 0, 0, 13, 13 }, DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(on.dc, { 0, 0, 13, 13 }, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(mixed.dc, { 0, 0, 13, 13 }, DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED);
    EXPECT_EQ(GetPixel(off.dc, 6, 6), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(GetPixel(on.dc, 5, 8), GetSysColor(COLOR_WINDOW)) << "the check mark crosses here";
    EXPECT_EQ(GetPixel(mixed.dc, 6, 6), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(mixed.dc, 1, 1), GetSysColor(COLOR_WINDOW));
}

TEST(GdiImageList, StripsCountsAndBlending)
{
    HIMAGELIST il = ImageList_Create(4, 4, ILC_COLOR32, 0, 0);
    RgbaImage strip { 12, 4, std::vector<uint32_t>(48, 0xFF0000FFu) };
    EXPECT_EQ(ImageList_AddStrip(il, strip), 0);
    EXPECT_EQ(ImageList_AddImage(il, RedIcon()), 3);
    EXPECT_EQ(ImageList_AddImage(il, RgbaImage { 5, 4, std::vector<uint32_t>(20) }), -1);
    EXPECT_EQ(ImageList_GetImageCount(il), 4);
    int32_t cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(il, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 4);

    Canvas c(10, 10);
    ImageList_DrawEx(il, 3, c.dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), kBack) << "transparent pixels keep the background";
    EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(255, 0, 0));
    ImageList_DrawEx(il, 3, c.dc, 5, 5, 0, 0, CLR_NONE, RGB(0, 0, 255), ILD_TRANSPARENT | ILD_BLEND50);
    EXPECT_EQ(GetPixel(c.dc, 6, 6), RGB(127, 0, 127));
    ImageList_DrawEx(il, 3, c.dc, 0, 5, 2, 2, RGB(0, 0, 0), CLR_NONE, ILD_NORMAL);
    EXPECT_EQ(GetPixel(c.dc, 0, 5), RGB(0, 0, 0)) << "rgbBk fills behind";
    EXPECT_EQ(GetPixel(c.dc, 2, 5), kBack) << "dx limits the width";
    EXPECT_FALSE(ImageList_DrawEx(il, 4, c.dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, 0));
    EXPECT_TRUE(ImageList_Destroy(il));
}

TEST(GdiImageList, DisabledIconIsGreyAndEmbossed)
{
    HIMAGELIST il = ImageList_Create(4, 4, ILC_COLOR32, 0, 0);
    ImageList_AddImage(il, RedIcon());
    HICON icon = ImageList_GetIcon(il, 0, 0);
    EXPECT_EQ(GetIconSize(icon), (Size { 4, 4 }));
    Canvas c(10, 10);
    ASSERT_TRUE(DrawState(c.dc, 0, nullptr, icon, 0, 2, 2, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(GetPixel(c.dc, 3, 3), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 6, 6), GetSysColor(COLOR_3DHIGHLIGHT)) << "the highlight edge below right";
    EXPECT_EQ(c.Changed({ 0, 0, 10, 10 }), 15 + 7) << "no red anywhere";
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    ImageList_Destroy(il);
}

TEST(GdiPng, RoundTripKeepsPixels)
{
    Surface s(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            s.SetPixel(x, y, static_cast<uint32_t>(x * 50 << 16 | y * 80 << 8 | 9));
    const std::string path = OutDir() + "/gdi_roundtrip.png";
    ASSERT_TRUE(SavePng(s, path));
    auto pic = LoadPictureFromPng(path);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->size, (Size { 5, 3 }));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pic->surface->Pixel(x, y), s.Pixel(x, y));
    ASSERT_TRUE(SavePng(s, path, Rect { 1, 1, 3, 3 }));
    EXPECT_EQ(LoadPngRgba(path)->At(0, 0), s.Pixel(1, 1) | 0xFF000000u);
    EXPECT_FALSE(LoadPictureFromPng(OutDir() + "/missing.png"));
    // A transparent pixel becomes white in a picture.
    ASSERT_TRUE(SavePngRgba(RgbaImage { 1, 1, { 0x00123456u } }, path));
    EXPECT_EQ(LoadPictureFromPng(path)->surface->Pixel(0, 0), 0xFFFFFFu);
}
