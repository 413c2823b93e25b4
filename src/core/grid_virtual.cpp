#include <tavix/grid.h>

#include "grid_state.h"

namespace tavix {

bool Tavix::Virtual() const { return state_->geo.isVirtual; }

void Tavix::SetVirtual(bool bVirtual)
{
    auto& s = *state_;
    s.geo.isVirtual = bVirtual;
    // Setting it again after the application ran out of rows resumes the requests.
    s.geo.moreRows = bVirtual;
    s.host->PropertyChanged("Virtual");
}

}  // namespace tavix
