// Moving every row to its sorted place at once.
#include "core/grid_table.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

namespace tavix::core {

namespace {

// Rows move by their bytes: a cell and a row record own nothing that points
// back into themselves, and each place a row leaves is filled by the next one
// before anything reads it, so no moved-from object is ever left to destroy.
template <typename T> void Relocate(T* to, const T* from, size_t count)
{
    static_assert(std::is_nothrow_move_constructible_v<T>);
    std::memcpy(static_cast<void*>(to), static_cast<const void*>(from), count * sizeof(T));
}

// One row of the matrix: its cells are adjacent.
class RowCells {
public:
    explicit RowCells(CellMatrix& cells)
        : cells_(cells)
        , width_(cells.Columns())
        , aside_(static_cast<size_t>(width_) * sizeof(CellData))
    {
    }

    void SetAside(int32_t row) { std::memcpy(aside_.data(), static_cast<const void*>(Begin(row)), aside_.size()); }
    void RestoreAside(int32_t row) { std::memcpy(static_cast<void*>(Begin(row)), aside_.data(), aside_.size()); }
    void Move(int32_t from, int32_t to) { Relocate(Begin(to), Begin(from), static_cast<size_t>(width_)); }
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
    std::vector<std::byte> aside_;
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
    alignas(RowData) std::byte asideRecord[sizeof(RowData)];
    // Each cycle of the permutation is walked once: its first row waits aside while
    // every other row of the cycle moves straight to its final place.
    for (int32_t start = 1; start <= count; ++start) {
        if (placed[start] || order[start - 1] == start)
            continue;
        Relocate(reinterpret_cast<RowData*>(asideRecord), &rows_.At(start), 1);
        if (hasCells)
            cells.SetAside(start);
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
            Relocate(&rows_.At(to), &rows_.At(from), 1);
            if (hasCells)
                cells.Move(from, to);
            placed[to] = true;
        }
        Relocate(&rows_.At(to), reinterpret_cast<const RowData*>(asideRecord), 1);
        if (hasCells)
            cells.RestoreAside(to);
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
