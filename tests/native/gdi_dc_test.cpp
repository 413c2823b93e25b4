#include <gtest/gtest.h>

#include "tavix/native/gdi.h"

using namespace tavix::native;

TEST(GdiDc, SurfaceDcMapsOriginAndClipsToBase)
{
    auto s = std::make_shared<Surface>(20, 20, 0);
    HDC dc = CreateSurfaceDC(s, { 5, 5 }, { 5, 5, 10, 10 });
    ASSERT_NE(dc, 0);
    EXPECT_EQ(GetDCSurface(dc), s);
    EXPECT_TRUE(DeleteDC(dc));
    // The handle of a deleted object does not reach the one created after it.
    HDC next = CreateSurfaceDC(s, { 0, 0 }, { 0, 0, 20, 20 });
    EXPECT_NE(next, dc);
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteDC(next));
}

TEST(GdiDc, SelectObjectReturnsPreviousAndGuardsSelectedBitmaps)
{
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateCompatibleBitmap(dc, 4, 3);
    HGDIOBJ old = SelectObject(dc, bm);
    EXPECT_NE(old, 0);
    EXPECT_EQ(GetBitmapSize(bm), (Size { 4, 3 }));
    HDC other = CreateCompatibleDC(0);
    EXPECT_EQ(SelectObject(other, bm), 0) << "a bitmap lives in one DC at a time";
    EXPECT_FALSE(DeleteObject(bm)) << "selected bitmaps cannot be deleted";
    EXPECT_EQ(SelectObject(dc, old), bm);
    EXPECT_TRUE(DeleteObject(bm));
    EXPECT_FALSE(DeleteObject(GetSysColorBrush(COLOR_WINDOW))) << "stock brushes survive";
    DeleteDC(dc);
    DeleteDC(other);
}

TEST(GdiDc, ClipRegionSaveAndRestore)
{
    HDC dc = CreateCompatibleDC(0);
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, saved), 0);
    IntersectClipRect(dc, 2, 2, 8, 8);
    EXPECT_EQ(GetClipRgn(dc, saved), 1);
    Rect box;
    GetRgnBox(saved, &box);
    EXPECT_EQ(box, (Rect { 2, 2, 8, 8 }));
    IntersectClipRect(dc, 4, 0, 20, 6);
    HRGN now = CreateRectRgn(0, 0, 0, 0);
    GetClipRgn(dc, now);
    GetRgnBox(now, &box);
    EXPECT_EQ(box, (Rect { 4, 2, 8, 6 }));
    SelectClipRgn(dc, saved);
    GetClipRgn(dc, now);
    GetRgnBox(now, &box);
    EXPECT_EQ(box, (Rect { 2, 2, 8, 8 }));
    SelectClipRgn(dc, 0);
    EXPECT_EQ(GetClipRgn(dc, now), 0);
    DeleteObject(saved);
    DeleteObject(now);
    DeleteDC(dc);
}

TEST(GdiColor, OleTranslateColor)
{
    COLORREF c = 0;
    EXPECT_EQ(OleTranslateColor(RGB(1, 2, 3), 0, &c), S_OK);
    EXPECT_EQ(c, RGB(1, 2, 3));
    EXPECT_EQ(OleTranslateColor(0x80000000u | COLOR_HIGHLIGHT, 0, &c), S_OK);
    EXPECT_EQ(c, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(OleTranslateColor(0x80000000u | 99, 0, &c), S_OK);
    EXPECT_EQ(c, CLR_INVALID);
    EXPECT_NE(OleTranslateColor(0xFFFFFFFFu, 0, &c), S_OK);
    int idx = COLOR_WINDOW;
    COLORREF red = RGB(255, 0, 0);
    SetSysColors(1, &idx, &red);
    OleTranslateColor(0x80000005u, 0, &c);
    EXPECT_EQ(c, red);
    ResetSysColors();
}
