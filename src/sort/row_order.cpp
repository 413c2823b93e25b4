#include "row_order.h"

#include "../core/grid_state.h"

#include <algorithm>
#include <vector>

namespace tavix {

namespace {

// One row of the matrix: its cells are adjacent.
class RowCells {
public:
    explicit RowCells(core::CellMatrix& cells)
        : cells_(cells)
        , width_(cells.Columns())
    {
    }

    void SaveTo(std::vector<core::CellData>& aside, int32_t row)
    {
        aside.assign(std::make_move_iterator(Begin(row)), std::make_move_iterator(Begin(row) + width_));
    }
    void RestoreFrom(std::vector<core::CellData>& aside, int32_t row)
    {
        std::move(aside.begin(), aside.end(), Begin(row));
    }
    void Move(int32_t from, int32_t to) { std::move(Begin(from), Begin(from) + width_, Begin(to)); }
    // The row is read and then overwritten a few steps later.
    void Prefetch(int32_t row)
    {
        const auto* bytes = reinterpret_cast<const char*>(Begin(row));
        const size_t size = static_cast<size_t>(width_) * sizeof(core::CellData);
        for (size_t offset = 0; offset < size; offset += kCacheLine)
            __builtin_prefetch(bytes + offset, 1);
    }

private:
    static constexpr size_t kCacheLine = 64;
    core::CellData* Begin(int32_t row) { return &cells_.At(row, 1); }

    core::CellMatrix& cells_;
    int32_t width_;
};

constexpr int kLookahead = 8;

}  // namespace

void ApplyRowOrder(core::GridState& state, std::span<const int32_t> order)
{
    const auto count = static_cast<int32_t>(order.size());
    RowCells cells(state.cells);
    const bool hasCells = state.cells.Columns() > 0;
    std::vector<bool> placed(static_cast<size_t>(count) + 1);
    std::vector<core::CellData> asideCells;
    // Each cycle of the permutation is walked once: its first row waits aside while
    // every other row of the cycle moves straight to its final place.
    for (int32_t start = 1; start <= count; ++start) {
        if (placed[start] || order[start - 1] == start)
            continue;
        core::RowData asideRecord = std::move(state.rows.At(start));
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
                __builtin_prefetch(&state.rows.At(ahead), 1);
                ahead = order[ahead - 1];
            }
            state.rows.At(to) = std::move(state.rows.At(from));
            if (hasCells)
                cells.Move(from, to);
            placed[to] = true;
        }
        state.rows.At(to) = std::move(asideRecord);
        if (hasCells)
            cells.RestoreFrom(asideCells, to);
        placed[to] = true;
    }
}

}  // namespace tavix
