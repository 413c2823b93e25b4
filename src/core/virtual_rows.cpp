#include "virtual_rows.h"

#include "grid_state.h"
#include "row_adding.h"

#include <tavix/events.h>

namespace tavix::core {
namespace {

// Draw paints nothing while a request runs, so the appended row is not shown
// before the application has filled it. Cleared even when a handler throws.
class RowRequestScope {
public:
    explicit RowRequestScope(ViewGeometry& geo)
        : geo_(geo)
    {
        geo_.rowRequestActive = true;
    }
    ~RowRequestScope() { geo_.rowRequestActive = false; }
    RowRequestScope(const RowRequestScope&) = delete;
    RowRequestScope& operator=(const RowRequestScope&) = delete;

private:
    ViewGeometry& geo_;
};

}  // namespace

void RequestNextRow(GridState& state, int32_t n)
{
    RowRequestScope scope(state.geo);
    bool noMoreRows = false;
    if (TavixEvents* sink = state.host->EventSink())
        sink->RequestRow(n, noMoreRows);
    if (noMoreRows) {
        state.geo.moreRows = false;
        state.view->UpdateScrollBars();
        return;
    }
    AddRow(state, AddRowArgs {});
    state.view->UpdateScrollBars();
    if (TavixEvents* sink = state.host->EventSink())
        sink->RequestRowData(n);
}

}  // namespace tavix::core
