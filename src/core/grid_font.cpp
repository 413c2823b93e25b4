#include <tavix/grid.h>

#include "grid_state.h"

namespace tavix {

FontRef Tavix::Font() const { return state_->font; }

void Tavix::SetFont(const FontRef& oFont)
{
    auto& s = *state_;
    s.font = oFont.Clone();
    core::GridState* state = &s;
    s.fontWatch = s.font.OnChanged([state] { state->LayoutChanged(); });
    s.LayoutChanged();
    host_->PropertyChanged("Font");
}

}  // namespace tavix
