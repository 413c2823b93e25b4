#include <gtest/gtest.h>

#include <tavix/dispatch.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/window.h>

#include "canvas.h"
#include "paint/theme_state.h"

using namespace tavix;
using namespace tavix::native;
using tavix::testing::WindowScene;
using test::Canvas;
using test::Plain;

namespace {

}  // namespace

// With the focus rectangle off, its colours only wait for the next paint.
TEST(AppearanceProperties, SettersReportTheChangeToTheHost)
{
    Tavix grid;
    auto& host = static_cast<StandaloneHost&>(grid.GetHost());
    host.ClearChangedProperties();
    grid.SetBackColor(1);
    grid.SetHighlightForeColorNoFocus(2);
    grid.SetFocusRect(false);
    grid.SetFocusRectColor2(3);
    grid.SetUseXPStyles(false);
    EXPECT_EQ(host.ChangedProperties(),
        (std::vector<std::string> {
            "BackColor", "HighlightForeColorNoFocus", "FocusRect", "FocusRectColor2", "UseXPStyles" }));
    EXPECT_EQ(grid.FocusRectColor2(), 3u);
}

TEST(AppearanceProperties, ImageListTakesHandlesAndObjects)
{
    Tavix grid;
    const paint::Appearance& look = internal::GridAccess::Painter(grid).Look();
    const HIMAGELIST il = ImageList_Create(12, 9, ILC_COLOR32, 0, 0);
    int drawn = 0;
    auto image = std::make_shared<DispatchObject>();
    image->DefineMethod("Draw", [&](std::span<GridVariant>) { return GridVariant(++drawn); });
    auto list = std::make_shared<DispatchObject>();
    list->DefineMethod("ListImages",
        [&](std::span<GridVariant> a) { return a[0].ToLong() == 1 ? GridVariant(image) : GridVariant(); });
    list->DefineProperty("hImageList", GridVariant(static_cast<int32_t>(il)));
    grid.SetImageList(GridVariant(list));
    EXPECT_EQ(drawn, 1) << "the object makes its native list";
    EXPECT_EQ(look.imageList, static_cast<int32_t>(il));
    EXPECT_EQ(std::pair(look.iconWidth, look.iconHeight), std::pair(12, 9));

    // An object that fails gives handle 0, which keeps the list.
    grid.SetImageList(GridVariant(std::shared_ptr<Dispatch>(std::make_shared<DispatchObject>())));
    EXPECT_EQ(look.imageList, static_cast<int32_t>(il));
    ImageList_Destroy(il);
}

TEST(AppearanceProperties, ThemeChangeIsReported)
{
    WindowScene g(Plain(1, 1));
    g.Painter().OnThemeChanged();
    EXPECT_EQ(g.Take(), std::vector<std::string> { "WindowsThemeChanged(False)" });
}

// The picture is fixed to the cell area: scrolling moves the rows over it, not the picture.
TEST(AppearanceProperties, BackgroundPictureTilesFixedToTheCellArea)
{
    WindowScene g(Plain(2, 30));
    g.grid.SetGridLines(tvGridLinesNone);
    auto pic = std::make_shared<Surface>(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            pic->SetPixel(x, y, static_cast<uint32_t>(0x100000 * (x + 1) + 0x10 * (y + 1)));
    g.grid.SetBackgroundPicture(pic);
    for (const int scroll : { 0, 31 }) {
        g.grid.VScrollBar().SetValue(scroll);
        for (const Point p : { Point { 0, 0 }, Point { 5, 7 }, Point { 77, 16 }, Point { 150, 100 } })
            EXPECT_EQ(ToPixel(g.Pixel(p.x, p.y)), pic->Pixel(p.x % 4, p.y % 3)) << p.x << "," << p.y;
    }
    g.grid.SetBackgroundPicture(std::make_shared<Surface>());
    EXPECT_EQ(g.grid.BackgroundPicture(), nullptr);
    EXPECT_EQ(g.Pixel(5, 7), GetSysColor(COLOR_WINDOW));
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

    // A style change drops the cached control images.
    s.Strips().DrawCheckBox(c.dc, { 0, 0, 16, 16 }, 1, false, false);
    ASSERT_TRUE(s.Strips().HasCheckBoxStrip(16));
    s.SetUseXPStyles(false, c.dc);
    EXPECT_FALSE(s.Strips().HasCheckBoxStrip(16));
}

// Without a visual-style engine a theme part, wherever it is placed, draws nothing and says why.
TEST(UxTheme, AMissingThemeIsReportedAndDrawsNothing)
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
