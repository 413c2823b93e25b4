#pragma once
// Whether the grid draws with visual styles, the features it supports, and
// the theme-dependent drawing objects it owns.
#include <array>
#include <cstdint>
#include <optional>

#include "paint/control_strips.h"
#include "paint/ux_theme.h"

namespace tavix {

constexpr int kSupFeatXPStyles = 0;
constexpr int kSupFeatImmedColResizing = 1;
constexpr int kSupFeatFlatScrollBars = 2;

class ThemeState {
public:
    explicit ThemeState(native::HWND gridWindow);
    ThemeState(const ThemeState&) = delete;
    ThemeState& operator=(const ThemeState&) = delete;

    // No visual-style engine exists on this platform.
    static bool AppThemed() { return false; }

    bool UseXPStyles() const { return useXPStyles_; }
    // Stores the value and refreshes; `gridDC` measures the themed check box.
    void SetUseXPStyles(bool use, native::HDC gridDC);
    bool ThemesActive() const { return themesActive_; }
    int32_t ThemedCheckSize() const { return themedCheckSize_; }
    // The check box size for cells: the themed size when that is smaller.
    int32_t CheckBoxSize() const;

    void SetFlatScrollBarsUsable(bool usable) { features_[kSupFeatFlatScrollBars] = usable; }
    // Empty for a feature number outside 0..2 (the grid raises its invalid
    // argument error).
    std::optional<bool> Supports(int feature) const;

    // After a theme change or a UseXPStyles change: recompute and drop the
    // cached control images so they are redrawn in the new look.
    void Refresh(native::HDC gridDC);

    UxTheme& Theme() { return theme_; }
    ControlStrips& Strips() { return strips_; }

private:
    void RecomputeThemed();

    UxTheme theme_;
    ControlStrips strips_ { theme_ };
    bool useXPStyles_ = true;
    bool themesActive_ = false;
    int32_t themedCheckSize_ = 0;
    std::array<bool, 3> features_ {};
};

}  // namespace tavix
