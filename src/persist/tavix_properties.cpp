// The host's life-cycle calls for the stored settings.
#include "core/grid_table.h"
#include "persist/stored_settings.h"

#include <tavix/grid.h>

namespace tavix {

void Tavix::InitProperties()
{
    persist::InitSettings(*this);
    table_->SetRedrawFlag(true);
}

void Tavix::ReadProperties()
{
    persist::ReadSettings(*this, host_->Properties());
    table_->SetRedrawFlag(true);
}

void Tavix::WriteProperties() const { persist::WriteSettings(*this, host_->Properties()); }

}  // namespace tavix
