#include "header_click_sort.h"

#include "../core/grid_state.h"

#include <tavix/events.h>
#include <tavix/grid.h>

namespace tavix {

void HeaderClickSort(Tavix& grid, int32_t lCol, int16_t shift, int32_t x, int32_t y)
{
    core::GridState& s = grid.State();
    s.view->CancelEdit();
    bool doDefault = true;
    if (TavixEvents* sink = s.host->EventSink())
        sink->ColHeaderClick(lCol, doDefault, shift, x, y);
    if (!doDefault)
        return;
    grid.DoDefaultSort(lCol, shift, static_cast<ESortOrders>(-1));
    // The handlers may have replaced the sink.
    if (TavixEvents* sink = s.host->EventSink())
        sink->ContentsSorted();
}

}  // namespace tavix
