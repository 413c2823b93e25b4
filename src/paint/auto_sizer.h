#pragma once
// Text measured as it is painted, and columns and rows fitted to their
// contents: the measuring behind EvaluateTextWidth/Height, AutoWidthCol and
// AutoHeightRow. Custom-drawn cells report their size through an event.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <cstdint>

namespace tavix::paint {

// The width a column's header item needs, for fitting a column to its header too.
class HeaderItemWidth {
public:
    // 0 when the column has no header item.
    virtual int32_t NeededWidth(int32_t position) = 0;

protected:
    ~HeaderItemWidth() = default;
};

class AutoSizer {
public:
    AutoSizer(core::GridTable& table, layout::ViewLayout& layout, GridPainter& painter)
        : table_(table)
        , layout_(layout)
        , painter_(painter)
    {
    }
    AutoSizer(const AutoSizer&) = delete;
    AutoSizer& operator=(const AutoSizer&) = delete;

    void Connect(HeaderItemWidth& header) { header_ = &header; }

    // The cell's text alone, without indents, icons or margins.
    int32_t TextWidth(int32_t row, int32_t colIndex, bool forceNoModify);
    // The text laid out in the width the cell gives it; 0 for an empty text.
    int32_t TextHeight(int32_t row, int32_t colIndex);
    void AutoWidthCol(int32_t colIndex);
    void AutoHeightRow(int32_t row, int32_t minimumHeight);

    bool WithHeader() const { return withHeader_; }
    void SetWithHeader(bool withHeader) { withHeader_ = withHeader; }

private:
    // The width a cell needs; widestText is the widest text met so far, the
    // least width a wrapped text is measured in.
    int32_t CellWidth(int32_t row, int32_t colIndex, int32_t& widestText);
    int32_t CustomDrawSize(int32_t row, int32_t colIndex, bool height);

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    GridPainter& painter_;
    HeaderItemWidth* header_ { nullptr };
    bool withHeader_ { true };
};

}  // namespace tavix::paint
