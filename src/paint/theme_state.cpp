#include "paint/theme_state.h"

#include "paint/cell_controls.h"

namespace tavix {

ThemeState::ThemeState(native::HWND gridWindow)
{
    theme_.SetHwnd(gridWindow);
    RecomputeThemed();
    // Until the stored UseXPStyles is applied the grid follows the system.
    themesActive_ = AppThemed();
    features_[kSupFeatImmedColResizing] = true;
    strips_.SetThemed(themesActive_);
}

void ThemeState::RecomputeThemed()
{
    features_[kSupFeatXPStyles] = AppThemed();
    themesActive_ = useXPStyles_ && AppThemed();
}

void ThemeState::SetUseXPStyles(bool use, native::HDC gridDC)
{
    useXPStyles_ = use;
    Refresh(gridDC);
}

void ThemeState::Refresh(native::HDC gridDC)
{
    RecomputeThemed();
    strips_.Discard();
    strips_.SetThemed(themesActive_);
    if (themesActive_) {
        theme_.SetClassName("Button");
        theme_.SetPart(3);
        theme_.SetState(1);
        theme_.SetHdc(gridDC);
        themedCheckSize_ = theme_.GetPartSize();
    }
}

int32_t ThemeState::CheckBoxSize() const
{
    if (themesActive_ && themedCheckSize_ > 0 && themedCheckSize_ < kControlSize)
        return themedCheckSize_;
    return kControlSize;
}

std::optional<bool> ThemeState::Supports(int feature) const
{
    if (feature < 0 || feature >= static_cast<int>(features_.size()))
        return std::nullopt;
    return features_[feature];
}

}  // namespace tavix
