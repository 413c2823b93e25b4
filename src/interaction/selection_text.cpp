#include "interaction/selection_text.h"

#include <vector>

namespace tavix::interaction {

namespace {

bool Selected(const core::CellData& cell) { return (cell.Flags & core::CellData::kSelected) != 0; }

}  // namespace

std::string SelectionAsText(const core::GridTable& table)
{
    std::vector<int32_t> rows;
    std::vector<bool> colUsed(static_cast<size_t>(table.ColCount()) + 1, false);
    for (int32_t r = 1; r <= table.RowCount(); ++r) {
        if (!table.Row(r).Visible)
            continue;
        bool any = false;
        for (int32_t c = 1; c <= table.ColCount(); ++c)
            if (Selected(table.Cell(r, c))) {
                colUsed[static_cast<size_t>(c)] = true;
                any = true;
            }
        if (any)
            rows.push_back(r);
    }
    std::vector<int32_t> cols;
    for (int32_t p = 1; p <= table.ColCount(); ++p) {
        const core::ColumnData& column = table.Column(p);
        if (column.Visible && colUsed[static_cast<size_t>(column.Index)])
            cols.push_back(column.Index);
    }
    std::string out;
    for (const int32_t r : rows) {
        for (size_t i = 0; i < cols.size(); ++i) {
            if (i > 0)
                out += '\t';
            if (Selected(table.Cell(r, cols[i])))
                out += table.CellText(r, cols[i]);
        }
        out += '\n';
    }
    return out;
}

}  // namespace tavix::interaction
