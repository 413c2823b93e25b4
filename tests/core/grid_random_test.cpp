#include "grid_test_util.h"

#include <algorithm>
#include <random>
#include <set>

namespace tavix {
namespace {

// Each row and column carries a serial number in its tag; a cell holds the pair as
// column * kColumnStep + row, so cells can be traced through every move.
constexpr int32_t kColumnStep = 100000;

// Checks every table invariant against a recomputation from scratch.
void CheckInvariants(const core::GridTable& t)
{
    std::set<int32_t> indices;
    int32_t rowTextCols = 0;
    int32_t left = 0;
    for (int32_t p = 1; p <= t.ColCount(); ++p) {
        const core::ColumnData& c = t.Column(p);
        indices.insert(c.Index);
        if (c.IsRowTextCol) {
            ++rowTextCols;
            ASSERT_EQ(t.RowTextCol(), c.Index);
        }
        ASSERT_EQ(c.Left, left);
        if (c.Visible)
            left += c.Width;
    }
    ASSERT_EQ(static_cast<int32_t>(indices.size()), t.ColCount());
    if (t.ColCount() > 0) {
        ASSERT_EQ(*indices.begin(), 1);
        ASSERT_EQ(*indices.rbegin(), t.ColCount());
    }
    ASSERT_EQ(rowTextCols, t.RowTextCol() == 0 ? 0 : 1);

    std::vector<std::pair<std::string, int32_t>> keyed;
    int32_t top = 0;
    int32_t groups = 0;
    bool odd = true;  // band colours alternate over the visible rows
    for (int32_t r = 1; r <= t.RowCount(); ++r) {
        const core::RowData& row = t.Row(r);
        ASSERT_EQ(row.Top, top) << "row " << r;
        if (row.Visible) {
            top += row.Height;
            ASSERT_EQ(row.OddRow, odd) << "row " << r;
            odd = !odd;
        }
        if (!row.Key.empty())
            keyed.emplace_back(row.Key, r);
        groups += row.IsGroup ? 1 : 0;
        for (int32_t p = 1; p <= t.ColCount(); ++p) {
            const core::ColumnData& c = t.Column(p);
            ASSERT_EQ(t.Cell(r, c.Index).Value.ToLong(), c.Tag.ToLong() * kColumnStep + row.Tag.ToLong())
                << "row " << r << ", column " << c.Index;
        }
    }
    ASSERT_EQ(groups, t.GroupRowCount());
    std::sort(keyed.begin(), keyed.end());
    ASSERT_EQ(static_cast<int32_t>(keyed.size()), t.RowKeys().Count());
    for (size_t i = 0; i < keyed.size(); ++i)
        ASSERT_EQ(t.RowKeys().RowAt(static_cast<int32_t>(i + 1)), keyed[i].second);
    ASSERT_GE(t.Allocated(), t.RowCount());
    ASSERT_EQ(t.Cells().Columns(), t.ColCount());
}

TEST(GridRandom, StructuralOperationsKeepInvariantsAndCellsFollowTheirRowsAndColumns)
{
    Tavix g;
    g.SetBackColorOddRows(0xFF);
    std::mt19937 rng(12345);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)) + 1; };
    int32_t rowSerial = 0;
    int32_t colSerial = 0;
    const auto fillCell = [&](int32_t r, int32_t c) {
        g.SetCellValue(r, c, GridVariant(g.ColTag(c).ToLong() * kColumnStep + g.RowTag(r).ToLong()));
    };
    for (int step = 0; step < 3000; ++step) {
        const int32_t cols = g.ColCount();
        const int32_t rows = g.RowCount();
        // Capitals sort before small letters: the index orders keys by their bytes.
        const std::string key = (rng() % 2 ? "k" : "K") + std::to_string(pick(400));
        const bool keyTaken = test::ErrorOf([&] { g.RowIndex(key); }) == 0;
        switch (rng() % 10) {
        case 0:
            if (cols < 12) {
                // After a row text column, columns may only be inserted before it.
                const bool before = cols > 0 && (test::Table(g).RowTextCol() != 0 || rng() % 2);
                const int32_t at = before ? pick(cols) : cols + 1;
                const bool colKeyFree = test::ErrorOf([&] { g.ColIndex(key); }) != 0;  // keys ignore case
                g.AddCol(AddColArgs { .sKey = cols % 3 && colKeyFree ? key : std::string(),
                    .lWidth = pick(90),
                    .bVisible = rng() % 4 != 0,
                    .vColBefore = before ? GridVariant(at) : GridVariant::Missing(),
                    .bRowTextCol = test::Table(g).RowTextCol() == 0 && rng() % 8 == 0,
                    .vTag = GridVariant(++colSerial) });
                for (int32_t r = 1; r <= rows; ++r)
                    fillCell(r, at);
            }
            break;
        case 1:
            if (cols > 1 || (cols > 0 && rng() % 20 == 0))
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
                if (!rowKey.empty() && keyTaken)
                    break;
                const bool before = rows > 0 && rng() % 2;
                const int32_t at = before ? pick(rows) : rows + 1;
                g.AddRow(AddRowArgs { .sKey = rowKey,
                    .vRowBefore = before ? GridVariant(at) : GridVariant::Missing(),
                    .bVisible = rng() % 5 != 0,
                    .lHeight = pick(30) - 5,
                    .bGroupRow = rng() % 6 == 0,
                    .vTag = GridVariant(++rowSerial) });
                for (int32_t c = 1; c <= cols; ++c)
                    fillCell(at, c);
            }
            break;
        case 6:
            if (rows > 0)
                g.RemoveRow(pick(rows));
            break;
        case 7:
            if (rows > 0 && !keyTaken)
                g.SetRowKey(pick(rows), rng() % 3 ? key : std::string());
            break;
        case 8:
            if (rows > 0) {
                g.SetRowVisible(pick(rows), rng() % 2);
                g.SetRowHeight(pick(rows), pick(40));
                g.SetRowIsGroup(pick(rows), rng() % 2);
            }
            break;
        case 9:
            if (cols > 0) {
                g.SetRowCount(std::max(0, rows + pick(7) - 4));
                for (int32_t r = rows + 1; r <= g.RowCount(); ++r) {
                    g.SetRowTag(r, GridVariant(++rowSerial));
                    for (int32_t c = 1; c <= cols; ++c)
                        fillCell(r, c);
                }
            }
            break;
        }
        CheckInvariants(test::Table(g));
        if (HasFatalFailure())
            FAIL() << "after step " << step;
    }
}

}  // namespace
}  // namespace tavix
