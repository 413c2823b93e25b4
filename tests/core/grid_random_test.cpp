#include "grid_test_util.h"

#include "core/grid_state.h"

#include <algorithm>
#include <random>
#include <set>

namespace tavix {
namespace {

// Checks every table invariant against a recomputation from scratch.
void CheckInvariants(const Tavix& g)
{
    const core::GridState& s = g.State();
    std::set<int32_t> indices;
    int32_t rowTextCols = 0;
    int32_t left = 0;
    for (int32_t p = 1; p <= s.ColCount(); ++p) {
        const core::ColumnData& c = s.columns.At(p);
        indices.insert(c.Index);
        if (c.IsRowTextCol) {
            ++rowTextCols;
            ASSERT_EQ(s.rowTextCol, c.Index);
        }
        ASSERT_EQ(c.Left, left);
        if (c.Visible)
            left += c.Width;
    }
    ASSERT_EQ(static_cast<int32_t>(indices.size()), s.ColCount());
    if (s.ColCount() > 0) {
        ASSERT_EQ(*indices.begin(), 1);
        ASSERT_EQ(*indices.rbegin(), s.ColCount());
    }
    ASSERT_EQ(rowTextCols, s.rowTextCol == 0 ? 0 : 1);

    std::vector<std::pair<std::string, int32_t>> keyed;
    int32_t top = 0;
    int32_t groups = 0;
    for (int32_t r = 1; r <= s.rowCount; ++r) {
        const core::RowData& row = s.rows.At(r);
        ASSERT_EQ(row.Top, top) << "row " << r;
        if (row.Visible)
            top += row.Height;
        if (!row.Key.empty())
            keyed.emplace_back(row.Key, r);
        groups += row.IsGroup ? 1 : 0;
    }
    ASSERT_EQ(groups, s.groupRowCount);
    std::sort(keyed.begin(), keyed.end());
    ASSERT_EQ(static_cast<int32_t>(keyed.size()), s.rowKeys.Count());
    for (size_t i = 0; i < keyed.size(); ++i)
        ASSERT_EQ(s.rowKeys.RowAt(static_cast<int32_t>(i + 1)), keyed[i].second);
    ASSERT_GE(s.Allocated(), s.rowCount);
    ASSERT_EQ(s.cells.Columns(), s.ColCount());
}

TEST(GridRandom, StructuralOperationsKeepInvariants)
{
    Tavix g;
    std::mt19937 rng(12345);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)) + 1; };
    // Each cell holds its column's key and its row's serial, so moves can be verified.
    int32_t serial = 0;
    for (int step = 0; step < 3000; ++step) {
        const int32_t cols = g.ColCount();
        const int32_t rows = g.RowCount();
        const std::string key = "k" + std::to_string(pick(400));
        switch (rng() % 10) {
        case 0:
            if (cols < 12)
                g.AddCol(AddColArgs { .sKey = cols % 3 ? key : std::string(),
                    .lWidth = pick(90),
                    .bVisible = rng() % 4 != 0,
                    .vColBefore = cols > 0 && (g.State().rowTextCol != 0 || rng() % 2) ? GridVariant(pick(cols))
                                                                                       : GridVariant::Missing(),
                    .bRowTextCol = g.State().rowTextCol == 0 && rng() % 8 == 0 });
            break;
        case 1:
            if (cols > 1 || rng() % 20 == 0)
                if (cols > 0)
                    g.RemoveCol(pick(cols));
            break;
        case 2:
            if (cols > 0)
                g.SetColOrder(pick(cols), pick(cols));
            break;
        case 3:
            if (cols > 0)
                g.SetColVisible(pick(cols), rng() % 2);
            break;
        case 4:
        case 5:
            if (cols > 0) {
                const std::string rowKey = rng() % 2 ? key : std::string();
                if (!rowKey.empty() && g.State().rowKeys.Find(rowKey, g.State().KeyOf()).found)
                    break;
                g.AddRow(AddRowArgs { .sKey = rowKey,
                    .vRowBefore = rows > 0 && rng() % 2 ? GridVariant(pick(rows)) : GridVariant::Missing(),
                    .bVisible = rng() % 5 != 0,
                    .lHeight = pick(30) - 5,
                    .bGroupRow = rng() % 6 == 0 });
                ++serial;
            }
            break;
        case 6:
            if (rows > 0)
                g.RemoveRow(pick(rows));
            break;
        case 7:
            if (rows > 0 && !g.State().rowKeys.Find(key, g.State().KeyOf()).found)
                g.SetRowKey(pick(rows), rng() % 3 ? key : std::string());
            break;
        case 8:
            if (rows > 0) {
                g.SetRowVisible(pick(rows), rng() % 2);
                g.SetRowHeight(pick(rows), pick(40));
            }
            break;
        case 9:
            if (cols > 0)
                g.SetRowCount(std::max(0, rows + pick(7) - 4));
            break;
        }
        CheckInvariants(g);
        if (HasFatalFailure())
            FAIL() << "after step " << step;
    }
}

TEST(GridRandom, CellsFollowTheirRowsAndColumns)
{
    Tavix g;
    std::mt19937 rng(99);
    for (int32_t c = 1; c <= 5; ++c)
        g.AddCol("c" + std::to_string(c));
    // Value of each cell = 1000 * column id + row id; ids are stored in the keys.
    int32_t nextRow = 0;
    int32_t nextCol = 5;
    auto addRow = [&](const GridVariant& before) {
        ++nextRow;
        g.AddRow(AddRowArgs { .sKey = "r" + std::to_string(nextRow), .vRowBefore = before });
        const int32_t r = g.RowIndex("r" + std::to_string(nextRow));
        for (int32_t c = 1; c <= g.ColCount(); ++c)
            g.SetCellValue(r, c, GridVariant(std::stoi(g.ColKey(c).substr(1)) * 1000 + nextRow));
    };
    for (int i = 0; i < 20; ++i)
        addRow(GridVariant::Missing());
    for (int step = 0; step < 400; ++step) {
        switch (rng() % 4) {
        case 0: addRow(GridVariant(static_cast<int32_t>(rng() % g.RowCount()) + 1)); break;
        case 1:
            if (g.RowCount() > 2)
                g.RemoveRow(static_cast<int32_t>(rng() % g.RowCount()) + 1);
            break;
        case 2: {
            ++nextCol;
            const std::string key = "c" + std::to_string(nextCol);
            g.AddCol(AddColArgs { .sKey = key, .vColBefore = static_cast<int32_t>(rng() % g.ColCount()) + 1 });
            const int32_t c = g.ColIndex(key);
            for (int32_t r = 1; r <= g.RowCount(); ++r)
                g.SetCellValue(r, c, GridVariant(nextCol * 1000 + std::stoi(g.RowKey(r).substr(1))));
            break;
        }
        case 3:
            if (g.ColCount() > 2)
                g.RemoveCol(static_cast<int32_t>(rng() % g.ColCount()) + 1);
            break;
        }
        for (int32_t r = 1; r <= g.RowCount(); ++r)
            for (int32_t c = 1; c <= g.ColCount(); ++c)
                ASSERT_EQ(g.CellValue(r, c).ToLong(),
                    std::stoi(g.ColKey(c).substr(1)) * 1000 + std::stoi(g.RowKey(r).substr(1)))
                    << "step " << step;
    }
}

}  // namespace
}  // namespace tavix
