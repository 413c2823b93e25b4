// Mouse members of the facade.
#include "interaction/mouse.h"

#include <tavix/grid.h>

namespace tavix {

int16_t Tavix::OLEDropMode() const { return mouse_->OleDropMode(); }

void Tavix::SetOLEDropMode(int16_t iMode)
{
    mouse_->SetOleDropMode(iMode);
    host_->PropertyChanged("OLEDropMode");
}

void Tavix::OLEDrag() { mouse_->OleDrag(); }

}  // namespace tavix
