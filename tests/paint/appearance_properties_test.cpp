#include <gtest/gtest.h>

#include <tavix/dispatch.h>
#include <tavix/error.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/window.h>

#include "grid_scene.h"
#include "support/event_recorder.h"

using namespace tavix;
using namespace tavix::native;
using test::GridScene;
using test::kBlue;
using test::kRed;

namespace {

StandaloneHost& HostOf(Tavix& grid) { return static_cast<StandaloneHost&>(grid.GetHost()); }

int ErrorCode(const std::function<void()>& f)
{
    try {
        f();
    } catch (const TavixError& e) {
        return e.Code();
    }
    return 0;
}

}  // namespace

TEST(AppearanceProperties, SettersReportTheChangeToTheHost)
{
    Tavix grid;
    HostOf(grid).ClearChangedProperties();
    grid.SetBackColor(1);
    grid.SetHighlightForeColorNoFocus(2);
    grid.SetGridLinesExtend(tvGridLinesExtendBoth);
    grid.SetFocusRect(false);
    grid.SetFocusRectColor2(3);
    grid.SetDisableIcons(false);
    grid.SetEnabled(false);
    grid.SetBorderStyle(tvBorderThin);
    grid.SetUseXPStyles(false);
    EXPECT_EQ(HostOf(grid).ChangedProperties(),
        (std::vector<std::string> { "BackColor", "HighlightForeColorNoFocus", "GridLinesExtend", "FocusRect",
            "FocusRectColor2", "DisableIcons", "Enabled", "BorderStyle", "UseXPStyles" }));
    EXPECT_EQ(grid.FocusRectColor2(), 3u);
}

TEST(AppearanceProperties, ImageListTakesHandlesAndObjects)
{
    Tavix grid;
    EXPECT_EQ(ErrorCode([&] { grid.SetImageList(GridVariant("list")); }), 518);
    EXPECT_EQ(ErrorCode([&] { grid.SetImageList(GridVariant(int16_t { 5 })); }), 518) << "only a Long is a handle";

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
    EXPECT_EQ(grid.State().look.imageList, il);
    EXPECT_EQ(std::pair(grid.State().geo.iconWidth, grid.State().geo.iconHeight), std::pair(12, 9));

    // An object that fails gives handle 0, which keeps the list.
    grid.SetImageList(GridVariant(std::shared_ptr<Dispatch>(std::make_shared<DispatchObject>())));
    EXPECT_EQ(grid.State().look.imageList, il);
    ImageList_Destroy(il);
}

TEST(AppearanceProperties, SupportsAndThemeChange)
{
    GridScene g(1, 1);
    EXPECT_FALSE(g.grid.Supports(tvSupFeatXPStyles)) << "no visual-style engine";
    EXPECT_TRUE(g.grid.Supports(tvSupFeatImmedColResizing));
    EXPECT_FALSE(g.grid.Supports(tvSupFeatFlatScrollBars));
    EXPECT_EQ(ErrorCode([&] { g.grid.Supports(static_cast<ESupportFeatures>(3)); }), 514);

    tavix::testing::EventRecorder rec;
    g.grid.SetEventSink(&rec);
    g.S().headerAutoHeightFlags = tvHAHOnThemeChange;
    paint::GridPainter(g.S()).OnThemeChanged();
    EXPECT_EQ(rec.Strings(), std::vector<std::string> { "WindowsThemeChanged(False)" });
    EXPECT_EQ(g.view.headerFits, std::vector<int32_t> { tvHAHOnThemeChange });
}

TEST(AppearanceProperties, FrameStyleFollowsAppearanceAndBorderStyle)
{
    GridScene g(1, 1);
    const HWND w = g.S().geo.hwnd;
    const auto styles = [&] {
        return std::pair { GetWindowLong(w, GWL_STYLE) & WS_BORDER,
            GetWindowLong(w, GWL_EXSTYLE) & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE) };
    };
    g.grid.SetBorderStyle(tvBorder3D);
    EXPECT_EQ(styles(), (std::pair<LONG_PTR, LONG_PTR> { 0, WS_EX_CLIENTEDGE }));
    g.grid.SetBorderStyle(tvBorderThin);
    EXPECT_EQ(styles(), (std::pair<LONG_PTR, LONG_PTR> { 0, WS_EX_STATICEDGE }));
    g.grid.SetAppearance(tvAppearanceFlat);
    EXPECT_EQ(styles(), (std::pair<LONG_PTR, LONG_PTR> { WS_BORDER, 0 }));
    g.grid.SetBorderStyle(tvBorderNone);
    EXPECT_EQ(styles(), (std::pair<LONG_PTR, LONG_PTR> { 0, 0 }));
}

TEST(AppearanceProperties, DrawCellRepaintsOneRowAndChecksItsArguments)
{
    GridScene g(2, 3);
    g.FullDraw();
    g.Draw();
    g.Poke(10, 5, test::kMagenta);
    g.Poke(10, 20, test::kMagenta);
    const int64_t before = g.Composed();
    g.grid.DrawCell(2, 1);
    EXPECT_EQ(g.Composed() - before, 1);
    EXPECT_EQ(g.At(10, 5), test::kMagenta);
    EXPECT_NE(g.At(10, 20), test::kMagenta);
    EXPECT_EQ(ErrorCode([&] { g.grid.DrawCell(9, 1); }), 513);
}

TEST(AppearanceProperties, BackgroundPictureTilesFixedToTheCellArea)
{
    GridScene g(2, 2);
    g.grid.SetGridLines(tvGridLinesNone);
    auto pic = std::make_shared<Surface>(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            pic->SetPixel(x, y, static_cast<uint32_t>(0x100000 * (x + 1) + 0x10 * (y + 1)));
    g.grid.SetBackgroundPicture(pic);
    for (const Point p : { Point { 0, 0 }, Point { 5, 7 }, Point { 77, 16 }, Point { 150, 100 } })
        EXPECT_EQ(ToPixel(g.At(p.x, p.y)), pic->Pixel(p.x % 4, p.y % 3)) << p.x << "," << p.y;
    g.grid.SetBackgroundPicture(std::make_shared<Surface>());
    EXPECT_EQ(g.grid.BackgroundPicture(), nullptr);
    EXPECT_EQ(g.At(5, 7), GetSysColor(COLOR_WINDOW));
}
