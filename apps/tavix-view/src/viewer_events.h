// The viewer's event sink: hands the grid's row requests to the current virtual source.
#pragma once

#include "virtual_row_source.h"

#include <tavix/events.h>

namespace tavix::view {

class ViewerEvents : public TavixEvents {
public:
    void SetSource(VirtualRowSource* source) { source_ = source; }

    void RequestRow(int32_t lRow, bool& bNoMoreRows) override
    {
        if (source_ != nullptr)
            source_->RequestRow(lRow, bNoMoreRows);
        else
            bNoMoreRows = true;
    }
    void RequestRowData(int32_t lRow) override
    {
        if (source_ != nullptr)
            source_->RequestRowData(lRow);
    }

private:
    VirtualRowSource* source_ { nullptr };
};

}  // namespace tavix::view
