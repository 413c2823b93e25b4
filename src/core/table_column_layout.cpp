// A column layout restored in one step: the records move as wholes, so keys, tags and
// sort state travel with their column while cells stay addressed by column index.
#include "core/grid_table.h"

#include "core/extent.h"

#include <tavix/error.h>

#include <vector>

namespace tavix::core {

void GridTable::ReplaceColumnLayout(std::span<const ColumnPlacement> placements)
{
    // Validated before anything changes, and again when ending the edit changed the columns.
    const auto plan = [&] {
        const int32_t n = ColCount();
        if (static_cast<int32_t>(placements.size()) != n)
            throw TavixError::Runtime(rtInvalidCall);
        // Index -> current position, filled once so that the check and the move stay linear.
        std::vector<int32_t> positionOf(static_cast<size_t>(n) + 1, 0);
        for (int32_t p = 1; p <= n; ++p)
            positionOf[static_cast<size_t>(columns_.At(p).Index)] = p;
        std::vector<int32_t> from;
        from.reserve(placements.size());
        int64_t extent = 0;
        for (const ColumnPlacement& place : placements) {
            if (place.index < 1 || place.index > n || place.width < 0)
                throw TavixError::Runtime(rtInvalidCall);
            extent += ExtentOf(place.width);
            int32_t& p = positionOf[static_cast<size_t>(place.index)];
            if (p == 0)  // named twice
                throw TavixError::Runtime(rtInvalidCall);
            from.push_back(p);
            p = 0;
        }
        CheckExtent(extent);
        return from;
    };
    std::vector<int32_t> from = plan();
    if (EndEditChangedShape())
        from = plan();
    const int32_t n = ColCount();
    columns_.Permute(from);
    for (int32_t p = 1; p <= n; ++p) {
        ColumnData& c = columns_.At(p);
        c.Width = placements[static_cast<size_t>(p - 1)].width;
        c.Visible = placements[static_cast<size_t>(p - 1)].visible;
    }
    columns_.RecalcLefts();
    Header().AllItemsRemoved();
    for (int32_t p = 1; p <= n; ++p) {
        const ColumnData& c = columns_.At(p);
        if (c.Visible && !c.IsRowTextCol)
            Header().ItemInserted(-1, p, c.Width);
    }
    Layout().InvalidateRange(RangeChange::Recompute);
    LayoutChanged();
}

}  // namespace tavix::core
