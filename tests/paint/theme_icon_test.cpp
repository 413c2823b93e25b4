#include <gtest/gtest.h>

#include <string>

#include "canvas.h"
#include "paint/cell_icon.h"
#include "paint/theme_state.h"

using namespace tavix;
using namespace tavix::native;
using test::Canvas;

TEST(UxTheme, RectangleFollowsEachFieldAndMissingThemeReportsOnly)
{
    UxTheme t;
    t.SetWidth(13);
    t.SetHeight(10);
    t.SetLeft(32);
    t.SetTop(2);
    EXPECT_EQ(t.Bounds(), (Rect { 32, 2, 45, 12 }));

    Canvas c(50, 20);
    std::string message;
    t.SetErrorReporter([&](const std::string& m, uint32_t) { message = m; });
    t.SetClassName("ComboBox");
    t.SetHdc(c.dc);
    t.DrawBackground();
    EXPECT_EQ(message, "No theme data for class 'ComboBox'");
    EXPECT_TRUE(c.Ink().IsEmpty());
    EXPECT_EQ(t.GetPartSize(), 0);
}

TEST(ThemeState, ClassicLookFeatureQueriesAndRefresh)
{
    ThemeState s(0);
    Canvas c(20, 20);
    s.SetUseXPStyles(true, c.dc);
    EXPECT_FALSE(s.ThemesActive());  // no engine: never themed
    EXPECT_EQ(s.CheckBoxSize(), 16);
    EXPECT_EQ(s.Supports(kSupFeatXPStyles), false);
    EXPECT_EQ(s.Supports(kSupFeatImmedColResizing), true);
    EXPECT_EQ(s.Supports(kSupFeatFlatScrollBars), false);
    s.SetFlatScrollBarsUsable(true);
    EXPECT_EQ(s.Supports(kSupFeatFlatScrollBars), true);
    EXPECT_FALSE(s.Supports(3).has_value());
    EXPECT_FALSE(s.Supports(-1).has_value());

    // A style change drops the cached control images.
    s.Strips().DrawCheckBox(c.dc, { 0, 0, 16, 16 }, 1, false, false);
    ASSERT_TRUE(s.Strips().HasCheckBoxStrip(16));
    s.SetUseXPStyles(false, c.dc);
    EXPECT_FALSE(s.Strips().HasCheckBoxStrip(16));
}

namespace {

struct IconList {
    HIMAGELIST il = ImageList_Create(8, 8, ILC_COLOR32, 0, 0);
    IconList()
    {
        RgbaImage img { 8, 8, std::vector<uint32_t>(64, 0xFF000000u) };  // opaque black
        for (int i = 0; i < 16; ++i)
            img.pixels[i] = 0;  // two transparent rows
        ImageList_AddImage(il, img);
    }
    ~IconList() { ImageList_Destroy(il); }
};

}  // namespace

TEST(DrawCellIcon, NormalBlendedDisabledDifferAndNegativeIndexDrawsNothing)
{
    IconList list;
    Canvas c(40, 10);
    DrawCellIcon(list.il, -1, c.dc, 0, 0, 8, 8, false, false);
    EXPECT_TRUE(c.Ink().IsEmpty());

    DrawCellIcon(list.il, 0, c.dc, 0, 0, 8, 8, false, false);
    DrawCellIcon(list.il, 0, c.dc, 10, 0, 8, 8, false, true);
    DrawCellIcon(list.il, 0, c.dc, 20, 0, 8, 8, true, false);
    const auto normal = c.Pixels({ 0, 0, 8, 8 });
    EXPECT_EQ(GetPixel(c.dc, 3, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 3, 0), Canvas::kWhite);  // transparent part keeps the background
    EXPECT_NE(c.Pixels({ 10, 0, 18, 8 }), normal);
    EXPECT_NE(c.Pixels({ 20, 0, 28, 8 }), normal);
    EXPECT_NE(c.Pixels({ 10, 0, 18, 8 }), c.Pixels({ 20, 0, 28, 8 }));
    // Blending mixes with the highlight colour rather than replacing it.
    EXPECT_NE(GetPixel(c.dc, 13, 5), GetSysColor(COLOR_HIGHLIGHT));
}
