// LayoutCol and LayoutSort: what the user can change interactively, as strings.
#include "core/grid_table.h"
#include "persist/layout_strings.h"
#include "sort/grid_sorter.h"

#include <tavix/grid.h>

#include <algorithm>

namespace tavix {

std::string Tavix::LayoutCol() const { return persist::FormatLayoutCol(table_->Columns()); }

void Tavix::SetLayoutCol(const std::string& sLayout)
{
    if (sLayout.empty())
        return;
    table_->ReplaceColumnLayout(persist::ParseLayoutCol(sLayout, table_->Columns()));
}

std::string Tavix::LayoutSort() const { return persist::FormatLayoutSort(table_->Columns()); }

void Tavix::SetLayoutSort(const std::string& sLayout)
{
    if (sLayout.empty())
        return;
    const std::vector<persist::SortMark> marks = persist::ParseLayoutSort(sLayout);
    const int32_t n = table_->ColCount();
    for (int32_t c = 1; c <= n; ++c)
        table_->SetColSortKey(GridVariant(c), 0);
    int32_t last = 0;
    for (const persist::SortMark& m : marks) {
        // A triple for a column the grid lacks changes nothing.
        if (m.colIndex < 1 || m.colIndex > n)
            continue;
        if (m.isKey) {
            table_->SetColSortKey(GridVariant(m.colIndex), m.value);
            last = std::max(last, m.value);
        } else if (m.value == tvSortAsc || m.value == tvSortDesc) {
            table_->SetColSortOrder(GridVariant(m.colIndex), static_cast<ESortOrders>(m.value));
        }
    }
    // Without a key the columns stay unsorted and the criteria keep what they held.
    if (last > 0) {
        sorter_->RebuildSortCriteria(last);
        sorter_->ApplySort();
    }
}

}  // namespace tavix
