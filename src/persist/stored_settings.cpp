#include "persist/stored_settings.h"

#include "persist/picture_text.h"

#include <tavix/error.h>
#include <tavix/grid.h>
#include <tavix/property_bag.h>

#include <array>
#include <type_traits>

namespace tavix::persist {

namespace {

template <typename C, typename A> A ArgOf(void (C::*)(A));
template <auto Setter> using ArgType = std::remove_cvref_t<decltype(ArgOf(Setter))>;

// 32-bit settings, enums among them; `Def` is the default as the host is given it (some as
// 16-bit values).
template <auto Get, auto Set, auto Def> constexpr StoredSetting Long(std::string_view name)
{
    return { name, [](const Tavix&) { return GridVariant(Def); },
        [](const Tavix& g) { return GridVariant(static_cast<int32_t>((g.*Get)())); },
        [](Tavix& g, const GridVariant& v) { (g.*Set)(static_cast<ArgType<Set>>(v.ToLong())); } };
}

// Colours are written as the 32-bit pattern, system colours being negative numbers.
template <auto Get, auto Set, auto Def> constexpr StoredSetting Color(std::string_view name)
{
    return { name, [](const Tavix&) { return GridVariant(Def); },
        [](const Tavix& g) { return GridVariant(static_cast<int32_t>((g.*Get)())); },
        [](Tavix& g, const GridVariant& v) { (g.*Set)(static_cast<OleColor>(v.ToLong())); } };
}

template <auto Get, auto Set, bool Def> constexpr StoredSetting Boolean(std::string_view name)
{
    return { name, [](const Tavix&) { return GridVariant(Def); },
        [](const Tavix& g) { return GridVariant(static_cast<bool>((g.*Get)())); },
        [](Tavix& g, const GridVariant& v) { (g.*Set)(v.ToBool()); } };
}

template <auto Get, auto Set, int16_t Def> constexpr StoredSetting Integer(std::string_view name)
{
    return { name, [](const Tavix&) { return GridVariant(Def); },
        [](const Tavix& g) { return GridVariant(static_cast<int16_t>((g.*Get)())); },
        [](Tavix& g, const GridVariant& v) { (g.*Set)(v.ToInteger()); } };
}

constexpr int32_t Sys(uint32_t color) { return static_cast<int32_t>(color); }
constexpr int16_t kUnsetColor16 { -1 };
constexpr int16_t kDefaultRowHeight16 { 15 };
constexpr int16_t kWantFreeRows16 { 100 };

constexpr StoredSetting kBackgroundPicture { "BackgroundPicture", [](const Tavix&) { return GridVariant(); },
    [](const Tavix& g) { return PictureToVariant(g.BackgroundPicture()); },
    [](Tavix& g, const GridVariant& v) { g.SetBackgroundPicture(PictureFromVariant(v)); } };

// The ambient font is the default, and the grid's font is written only when it differs from
// it as the font pool compares fonts, which the text of the two need not show.
constexpr StoredSetting kFont { "Font", [](const Tavix& g) { return FontToVariant(g.GetHost().AmbientFont()); },
    [](const Tavix& g) {
        const FontRef ambient = g.GetHost().AmbientFont();
        return FontToVariant(FontsEqual(g.Font(), ambient) ? ambient : g.Font());
    },
    [](Tavix& g, const GridVariant& v) { g.SetFont(FontFromVariant(v)); } };

using T = Tavix;
constexpr auto kSettings = std::to_array<StoredSetting>({
    Long<&T::Appearance, &T::SetAppearance, tvAppearance3D>("Appearance"),
    Boolean<&T::AutoWidthColWithHeader, &T::SetAutoWidthColWithHeader, true>("AutoWidthColWithHeader"),
    Color<&T::BackColor, &T::SetBackColor, Sys(0x80000005)>("BackColor"),
    Color<&T::BackColorOddRows, &T::SetBackColorOddRows, kUnsetColor16>("BackColorOddRows"),
    Color<&T::BackColorEvenRows, &T::SetBackColorEvenRows, kUnsetColor16>("BackColorEvenRows"),
    kBackgroundPicture,
    Long<&T::BorderStyle, &T::SetBorderStyle, tvBorder3D>("BorderStyle"),
    Long<&T::DefaultRowHeight, &T::SetDefaultRowHeight, kDefaultRowHeight16>("DefaultRowHeight"),
    Boolean<&T::DisableIcons, &T::SetDisableIcons, true>("DisableIcons"),
    Boolean<&T::DrawRowText, &T::SetDrawRowText, true>("DrawRowText"),
    Boolean<&T::Editable, &T::SetEditable, true>("Editable"),
    Boolean<&T::Enabled, &T::SetEnabled, true>("Enabled"),
    Boolean<&T::FocusRect, &T::SetFocusRect, true>("FocusRect"),
    Color<&T::FocusRectColor1, &T::SetFocusRectColor1, Sys(0x80000005)>("FocusRectColor1"),
    Color<&T::FocusRectColor2, &T::SetFocusRectColor2, Sys(0x80000008)>("FocusRectColor2"),
    kFont,
    Color<&T::ForeColor, &T::SetForeColor, Sys(0x80000008)>("ForeColor"),
    Color<&T::GridLineColor, &T::SetGridLineColor, Sys(0x8000000F)>("GridLineColor"),
    Long<&T::GridLines, &T::SetGridLines, tvGridLinesBoth>("GridLines"),
    Long<&T::GridLinesExtend, &T::SetGridLinesExtend, tvGridLinesExtendNone>("GridLinesExtend"),
    Color<&T::HighlightBackColor, &T::SetHighlightBackColor, Sys(0x8000000D)>("HighlightBackColor"),
    Color<&T::HighlightBackColorNoFocus, &T::SetHighlightBackColorNoFocus, Sys(0x8000000F)>(
        "HighlightBackColorNoFocus"),
    Color<&T::HighlightForeColor, &T::SetHighlightForeColor, Sys(0x8000000E)>("HighlightForeColor"),
    Color<&T::HighlightForeColorNoFocus, &T::SetHighlightForeColorNoFocus, Sys(0x80000008)>(
        "HighlightForeColorNoFocus"),
    Boolean<&T::HighlightSelIcons, &T::SetHighlightSelIcons, false>("HighlightSelIcons"),
    Boolean<&T::HighlightSelCells, &T::SetHighlightSelCells, true>("HighlightSelCells"),
    Long<&T::KeyPressBehaviour, &T::SetKeyPressBehaviour, tvKeyPressEditReplace>("KeyPressBehaviour"),
    Boolean<&T::KeySearchFromCurRow, &T::SetKeySearchFromCurRow, false>("KeySearchFromCurRow"),
    Boolean<&T::KeySearchLoop, &T::SetKeySearchLoop, false>("KeySearchLoop"),
    Long<&T::MemMngWantFreeRows, &T::SetMemMngWantFreeRows, kWantFreeRows16>("MemMngWantFreeRows"),
    Boolean<&T::MultiSelect, &T::SetMultiSelect, false>("MultiSelect"),
    Integer<&T::OLEDropMode, &T::SetOLEDropMode, 0>("OLEDropMode"),
    Boolean<&T::OpaqueTextInHatchedCells, &T::SetOpaqueTextInHatchedCells, true>("OpaqueTextInHatchedCells"),
    Boolean<&T::ImmediateColumnResizing, &T::SetImmediateColumnResizing, false>("ImmediateColumnResizing"),
    Boolean<&T::RowMode, &T::SetRowMode, false>("RowMode"),
    Long<&T::ScrollBarStyle, &T::SetScrollBarStyle, tvScrollBarRegular>("ScrollBarStyle"),
    Boolean<&T::ShowControlsInAllCells, &T::SetShowControlsInAllCells, false>("ShowControlsInAllCells"),
    Boolean<&T::SilentValidation, &T::SetSilentValidation, false>("SilentValidation"),
    Boolean<&T::TextEditCustomContextMenu, &T::SetTextEditCustomContextMenu, false>("TextEditCustomContextMenu"),
    Boolean<&T::UseXPStyles, &T::SetUseXPStyles, true>("UseXPStyles"),
    Boolean<&T::Virtual, &T::SetVirtual, false>("Virtual"),
});

}  // namespace

std::span<const StoredSetting> StoredSettings() { return kSettings; }

void InitSettings(Tavix& grid)
{
    for (const StoredSetting& s : kSettings) {
        try {
            s.set(grid, s.defaultValue(grid));
        } catch (const TavixError&) {
        }
    }
}

void ReadSettings(Tavix& grid, const PropertyBag& bag)
{
    for (const StoredSetting& s : kSettings) {
        try {
            s.set(grid, bag.ReadProperty(s.name, s.defaultValue(grid)));
        } catch (const TavixError&) {
        }
    }
}

void WriteSettings(const Tavix& grid, PropertyBag& bag)
{
    for (const StoredSetting& s : kSettings) {
        try {
            bag.WriteProperty(s.name, s.get(grid), s.defaultValue(grid));
        } catch (const TavixError&) {
        }
    }
}

}  // namespace tavix::persist
