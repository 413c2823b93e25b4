// Moving every row to its sorted place at once.
#include "core/grid_table.h"

#include <algorithm>
#include <vector>

namespace tavix::core {

namespace {

// One row of the matrix: its cells are adjacent.
class RowCells {
public:
    explicit RowCells(CellMatrix& cells)
        : cells_(cells)
        , width_(cells.Columns())
    {
    }

    void SaveTo(std::vector<CellData>& aside, int32_t row)
    {
        aside.assign(std::make_move_iterator(Begin(row)), std::make_move_iterator(Begin(row) + width_));
    }
    void RestoreFrom(std::vector<CellData>& aside, int32_t row) { std::move(aside.begin(), aside.end(), Begin(row)); }
    void Move(int32_t from, int32_t to) { std::move(Begin(from), Begin(from) + width_, Begin(to)); }
    // The row is read and then overwritten a few steps later.
    void Prefetch(int32_t row)
    {
        const auto* bytes = reinterpret_cast<const char*>(Begin(row));
        const size_t size = static_cast<size_t>(width_) * sizeof(CellData);
        for (size_t offset = 0; offset < size; offset += kCacheLine)
            __builtin_prefetch(bytes + offset, 1);
    }

private:
    static constexpr size_t kCacheLine = 64;
    CellData* Begin(int32_t row) { return &cells_.At(row, 1); }

    CellMatrix& cells_;
    int32_t width_;
};

constexpr int kLookahead = 8;

}  // namespace

void GridTable::ApplyRowOrder(std::span<const int32_t> order)
{
    ++shape_;
    const bool hadCurrentRow = curRow_ >= 1 && curRow_ <= rowCount_;
    if (hadCurrentRow)
        rows_.At(curRow_).SortMark = true;
    const auto count = static_cast<int32_t>(order.size());
    RowCells cells(cells_);
    const bool hasCells = cells_.Columns() > 0;
    std::vector<bool> placed(static_cast<size_t>(count) + 1);
    std::vector<CellData> asideCells;
    // Each cycle of the permutation is walked once: its first row waits aside while
    // every other row of the cycle moves straight to its final place.
    for (int32_t start = 1; start <= count; ++start) {
        if (placed[start] || order[start - 1] == start)
            continue;
        RowData asideRecord = std::move(rows_.At(start));
        if (hasCells)
            cells.SaveTo(asideCells, start);
        int32_t to = start;
        // The rows of a cycle lie anywhere in the matrix: fetch the ones a few steps ahead
        // while this one moves, so that the walk does not wait on memory at every step.
        int32_t ahead = order[start - 1];
        for (int i = 0; i < kLookahead && ahead != start; ++i)
            ahead = order[ahead - 1];
        for (int32_t from = order[to - 1]; from != start; to = from, from = order[to - 1]) {
            if (ahead != start) {
                if (hasCells)
                    cells.Prefetch(ahead);
                __builtin_prefetch(&rows_.At(ahead), 1);
                ahead = order[ahead - 1];
            }
            rows_.At(to) = std::move(rows_.At(from));
            if (hasCells)
                cells.Move(from, to);
            placed[to] = true;
        }
        rows_.At(to) = std::move(asideRecord);
        if (hasCells)
            cells.RestoreFrom(asideCells, to);
        placed[to] = true;
    }
    int32_t newRow = curRow_;
    if (hadCurrentRow) {
        for (int32_t r = 1; r <= rowCount_; ++r) {
            if (rows_.At(r).SortMark) {
                rows_.At(r).SortMark = false;
                newRow = r;
                break;
            }
        }
    }
    if (rowCount_ > 0)
        rows_.At(1).Top = 0;
    rows_.RecalcTops(1, rowCount_);
    UpdateParity(1);
    RebuildRowKeys();
    SetCurrentCell(newRow, curCol_, false);
}

}  // namespace tavix::core
