// The viewer's event sink: hands the grid's row requests to the loader's virtual source.
#pragma once

#include "grid_loader.h"

#include <tavix/events.h>

#include <functional>

namespace tavix::view {

class ViewerEvents : public TavixEvents {
public:
    // Asked at each request, since the loader replaces its source on every load.
    void SetLoader(GridLoader* loader) { loader_ = loader; }

    void RequestRow(int32_t lRow, bool& bNoMoreRows) override
    {
        if (VirtualRowSource* source = Source())
            source->RequestRow(lRow, bNoMoreRows);
        else
            bNoMoreRows = true;
    }
    void RequestRowData(int32_t lRow) override
    {
        if (VirtualRowSource* source = Source())
            source->RequestRowData(lRow);
    }

    // In virtual mode a header click would sort only the rows read so far; the database sorts instead.
    void SetVirtualSortHandler(std::function<void(int32_t col, bool add)> handler)
    {
        sortHandler_ = std::move(handler);
    }
    void ColHeaderClick(int32_t lCol, bool& bDoDefault, int16_t Shift, int32_t /*x*/, int32_t /*y*/) override
    {
        if (Source() == nullptr || !sortHandler_)
            return;
        bDoDefault = false;
        sortHandler_(lCol, Shift != 0);
    }

private:
    VirtualRowSource* Source() const { return loader_ != nullptr ? loader_->Source() : nullptr; }

    GridLoader* loader_ { nullptr };
    std::function<void(int32_t, bool)> sortHandler_;
};

}  // namespace tavix::view
