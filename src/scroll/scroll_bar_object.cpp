#include <tavix/scroll_bar_object.h>

#include "scroll/scroll_bars.h"

namespace tavix {

int32_t ScrollBarObject::Value() const { return bars_->Position(bar_); }
void ScrollBarObject::SetValue(int32_t value) { bars_->SetPosition(bar_, value); }

int32_t ScrollBarObject::Thickness() const
{
    return native::GetSystemMetrics(bar_ == tvScrollBarH ? native::SM_CYHSCROLL : native::SM_CXVSCROLL);
}

bool ScrollBarObject::Visible() const { return bars_->Visible(bar_); }
int32_t ScrollBarObject::LargeChange() const { return bars_->Page(bar_); }
int32_t ScrollBarObject::SmallChange() const { return bars_->SmallChange(bar_); }
int32_t ScrollBarObject::Min() const { return bars_->Minimum(bar_); }
int32_t ScrollBarObject::Max() const { return bars_->Maximum(bar_); }

}  // namespace tavix
