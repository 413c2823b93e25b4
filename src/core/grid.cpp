#include <tavix/grid.h>

#include "grid_state.h"

#include <tavix/error.h>

namespace tavix {

Tavix::Tavix()
    : ownHost_(std::make_unique<StandaloneHost>())
    , host_(ownHost_.get())
    , state_(std::make_unique<core::GridState>(*host_))
{
}

Tavix::Tavix(Host& host)
    : host_(&host)
    , state_(std::make_unique<core::GridState>(host))
{
}

void Tavix::SetEventSink(TavixEvents* sink) { host_->SetEventSink(sink); }

Tavix::~Tavix() = default;

int32_t Tavix::ColCount() const { return state_->ColCount(); }
int32_t Tavix::RowCount() const { return state_->rowCount; }
int32_t Tavix::ColIndex(const std::string& sKey) const { return state_->ColIndexOfKey(sKey); }
int32_t Tavix::RowIndex(const std::string& sKey) const { return state_->RowIndexOfKey(sKey); }
bool Tavix::Redraw() const { return state_->redraw; }
int32_t Tavix::CurRow() const { return state_->curRow; }
int32_t Tavix::CurCol() const { return state_->curCol; }

void Tavix::SetRedraw(bool bRedraw)
{
    auto& s = *state_;
    s.redraw = bRedraw;
    if (!bRedraw)
        return;
    s.LayoutChanged();
    if (s.headerAutoHeightPending) {
        s.view->HeaderAutoHeight(tvHAHOnContentsChange);
        s.headerAutoHeightPending = false;
    }
}

void Tavix::SetViewHooks(core::GridViewHooks* hooks) { state_->view = hooks != nullptr ? hooks : state_->view; }

void Tavix::Clear(bool bRemoveCols)
{
    auto& s = *state_;
    s.view->InvalidateRange(1);
    s.view->CancelEdit();
    s.ResetRows();
    if (bRemoveCols) {
        s.ResetColumns();
        s.view->HeaderDeleteAllItems();
    }
    // A virtual grid paints (and so requests rows) from the first row again, so
    // the current cell must already be gone when Draw runs.
    const bool isVirtual = s.geo.isVirtual;
    if (isVirtual) {
        s.SetCurrentCell(0, 0, true);
        s.geo.moreRows = true;
    }
    s.view->MarkLayoutStale();
    s.view->ResetScrollPositions(bRemoveCols);
    s.view->Draw();
    s.view->HeaderRepaint();
    if (!isVirtual)
        s.SetCurrentCell(0, 0, true);
}

}  // namespace tavix
