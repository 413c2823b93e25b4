// Column header members of the facade.
#include "header/grid_header.h"

#include <tavix/grid.h>

namespace tavix {

HeaderObject& Tavix::Header() { return header_->Object(); }
bool Tavix::ImmediateColumnResizing() const { return header_->ImmediateColumnResizing(); }

void Tavix::SetImmediateColumnResizing(bool bValue)
{
    header_->SetImmediateColumnResizing(bValue);
    host_->PropertyChanged("ImmediateColumnResizing");
}

}  // namespace tavix
