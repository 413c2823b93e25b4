// The viewer's event sink: hands the grid's row requests to the loader's virtual source.
#pragma once

#include "grid_loader.h"

#include <tavix/events.h>

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

private:
    VirtualRowSource* Source() const { return loader_ != nullptr ? loader_->Source() : nullptr; }

    GridLoader* loader_ { nullptr };
};

}  // namespace tavix::view
