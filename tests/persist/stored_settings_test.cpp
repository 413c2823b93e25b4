#include <tavix/grid.h>
#include <tavix/property_bag.h>

#include "core/grid_test_util.h"
#include "persist/stored_settings.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

// Every stored setting away from its default, the font included.
void ChangeEverySetting(Tavix& g)
{
    g.SetAppearance(tvAppearanceFlat);
    g.SetBackColor(0x123456);
    g.SetBackColorOddRows(0x010203);
    g.SetBackColorEvenRows(0x040506);
    auto picture = std::make_shared<native::Surface>(3, 2, 0x00FF8000);
    picture->SetPixel(2, 1, 0x000000FF);
    g.SetBackgroundPicture(picture);
    g.SetBorderStyle(tvBorderThin);
    g.SetDefaultRowHeight(21);
    g.SetDisableIcons(false);
    g.SetDrawRowText(false);
    g.SetEnabled(false);
    g.SetFocusRect(false);
    g.SetFocusRectColor1(0x111111);
    g.SetFocusRectColor2(0x222222);
    FontRef font("DejaVu Serif", 12.5);
    font.SetItalic(true);
    font.SetWeight(FontRef::kWeightBold);
    g.SetFont(font);
    g.SetForeColor(0x333333);
    g.SetGridLineColor(0x444444);
    g.SetGridLines(tvGridLinesNone);
    g.SetGridLinesExtend(static_cast<EGridLinesExtendModes>(1));
    g.SetHighlightBackColor(0x555555);
    g.SetHighlightBackColorNoFocus(0x666666);
    g.SetHighlightForeColor(0x777777);
    g.SetHighlightForeColorNoFocus(0x888888);
    g.SetHighlightSelIcons(true);
    g.SetHighlightSelCells(false);
    g.SetKeyPressBehaviour(static_cast<EKeyPressBehaviour>(0));
    g.SetKeySearchFromCurRow(true);
    g.SetKeySearchLoop(true);
    g.SetMemMngWantFreeRows(7);
    g.SetMultiSelect(true);
    g.SetOLEDropMode(1);
    g.SetOpaqueTextInHatchedCells(false);
    g.SetRowMode(true);
    g.SetScrollBarStyle(tvScrollBarFlat);
    g.SetShowControlsInAllCells(true);
    g.SetUseXPStyles(false);
    g.SetVirtual(true);
    g.SetAutoWidthColWithHeader(false);
    g.SetEditable(false);
    g.SetImmediateColumnResizing(true);
    g.SetSilentValidation(true);
    g.SetTextEditCustomContextMenu(true);
}

std::string Saved(const Tavix& g)
{
    g.WriteProperties();
    return g.GetHost().Properties().Save();
}

TEST(StoredSettings, SavedGridRestoresEverySettingThroughTheBagText)
{
    StandaloneHost savingHost, loadingHost;
    Tavix saved(savingHost);
    ChangeEverySetting(saved);
    const std::string text = Saved(saved);
    EXPECT_EQ(savingHost.Properties().Count(), persist::StoredSettings().size());

    loadingHost.Properties().Restore(text);
    Tavix loaded(loadingHost);
    loaded.ReadProperties();
    for (const persist::StoredSetting& s : persist::StoredSettings())
        EXPECT_TRUE(VariantEquals(s.get(loaded), s.get(saved))) << s.name;
    EXPECT_TRUE(FontsEqual(loaded.Font(), saved.Font()));
    const auto picture = loaded.BackgroundPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixel(0, 0), 0x00FF8000u);
    EXPECT_EQ(picture->Pixel(2, 1), 0x000000FFu);
    EXPECT_TRUE(loaded.Redraw());
    // Loading applies through the setters, which report the change to the host.
    EXPECT_EQ(loadingHost.ChangedProperties().size(), persist::StoredSettings().size());
}

TEST(StoredSettings, DefaultsAreOmittedAndInitialisingRestoresThem)
{
    StandaloneHost host;
    Tavix g(host);
    EXPECT_EQ(Saved(g), "");

    ChangeEverySetting(g);
    g.InitProperties();
    EXPECT_EQ(Saved(g), "");
    EXPECT_EQ(g.GridLines(), tvGridLinesBoth);
    EXPECT_FALSE(g.BackgroundPicture());
    EXPECT_TRUE(g.Redraw());
}

TEST(StoredSettings, FontFollowsTheAmbientFontUnlessItWasWritten)
{
    StandaloneHost host;
    Tavix plain(host);
    EXPECT_FALSE(host.Properties().Contains("Font")) << Saved(plain);

    FontRef ambient("DejaVu Sans Mono", 11);
    host.SetAmbientFont(ambient);
    Tavix loadedPlain(host);
    loadedPlain.ReadProperties();
    EXPECT_TRUE(FontsEqual(loadedPlain.Font(), ambient));

    Tavix custom(host);
    custom.SetFont(FontRef("DejaVu Serif", 8));
    Saved(custom);
    host.SetAmbientFont(FontRef("DejaVu Sans", 20));
    Tavix loadedCustom(host);
    loadedCustom.ReadProperties();
    EXPECT_EQ(loadedCustom.Font().Name(), "DejaVu Serif");
    EXPECT_EQ(loadedCustom.Font().Size(), 8);
}

TEST(StoredSettings, BadValuesAreSkippedAndLaterSettingsStillLoad)
{
    StandaloneHost host;
    PropertyBag& bag = host.Properties();
    bag.WriteProperty("DefaultRowHeight", GridVariant(0), GridVariant());
    bag.WriteProperty("GridLines", GridVariant("lines"), GridVariant());
    bag.WriteProperty("BackgroundPicture", GridVariant("not a picture"), GridVariant());
    bag.WriteProperty("Font", GridVariant(int32_t { 5 }), GridVariant());
    bag.WriteProperty("MemMngWantFreeRows", GridVariant(-1), GridVariant());
    bag.WriteProperty("ScrollBarStyle", GridVariant("2"), GridVariant());
    bag.WriteProperty("Virtual", GridVariant(true), GridVariant());

    Tavix g(host);
    g.SetGridLines(tvGridLinesVertical);
    g.ReadProperties();
    EXPECT_EQ(g.DefaultRowHeight(), 15);
    EXPECT_EQ(g.GridLines(), tvGridLinesVertical);
    EXPECT_FALSE(g.BackgroundPicture());
    EXPECT_TRUE(FontsEqual(g.Font(), host.AmbientFont()));
    EXPECT_EQ(g.MemMngWantFreeRows(), 100);
    EXPECT_EQ(g.ScrollBarStyle(), tvScrollBarFlat);
    EXPECT_TRUE(g.Virtual());

    // An absent setting reads as its default.
    bag.Clear();
    g.ReadProperties();
    EXPECT_EQ(g.GridLines(), tvGridLinesBoth);
}

}  // namespace
}  // namespace tavix
