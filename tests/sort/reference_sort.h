// The row-moving shell sort taken literally: whole rows are copied aside and shifted, and every
// comparison starts from nothing (no cached text). Used to check the permutation engine.
#pragma once

#include <utility>
#include <vector>

#include "../../src/sort/cell_comparer.h"
#include "table_source.h"

namespace tavix::test {

class ReferenceSort {
public:
    ReferenceSort(const ShellSortObject& criteria, TableSource& source)
        : criteria_(criteria)
        , literal_(criteria, source, 0)
    {
        for (size_t i = 0; i < source.rows.size(); ++i)
            table_.push_back({ static_cast<int32_t>(i + 1), source.rows[i] });
    }

    bool failed = false;

    // Returns the original row numbers in their final order.
    std::vector<int32_t> Run(bool groupMode)
    {
        const auto count = static_cast<int32_t>(table_.size());
        if (criteria_.ColCount() > 0 && !(groupMode && count <= 2)) {
            try {
                if (!groupMode) {
                    Range(1, count);
                } else {
                    int32_t start = 1;
                    for (int32_t r = 1; r <= count + 1; ++r) {
                        if (r <= count && !table_[r - 1].second.group)
                            continue;
                        Range(start, r - 1);
                        start = r + 1;
                    }
                }
            } catch (const TavixError&) {
                failed = true;  // a failed comparison ends the sort where it stands
            }
        }
        std::vector<int32_t> ids;
        for (const auto& row : table_)
            ids.push_back(row.first);
        return ids;
    }

private:
    using Row = std::pair<int32_t, TestRow>;

    bool Compare(const Row& held, int32_t j) { return literal_.CompareRows(held.first, table_[j - 1].first); }

    void Range(int32_t lo, int32_t hi)
    {
        const int32_t n = hi - lo + 1;
        if (n < 2)
            return;
        if (n == 2) {
            Row held = table_[lo - 1];
            if (Compare(held, hi))
                std::swap(table_[lo - 1], table_[hi - 1]);
            return;
        }
        int32_t h = 1;
        while (3 * h + 1 < n)
            h = 3 * h + 1;
        for (; h >= 1; h = (h - 1) / 3) {
            for (int32_t i = lo + h; i <= hi; ++i) {
                Row held = table_[i - 1];
                int32_t j = i - h;
                try {
                    while (j >= lo && !Compare(held, j)) {
                        table_[j + h - 1] = table_[j - 1];
                        j -= h;
                    }
                } catch (...) {
                    table_[j + h - 1] = held;
                    throw;
                }
                table_[j + h - 1] = held;
            }
        }
    }

    const ShellSortObject& criteria_;
    CellComparer literal_;  // caches no text: every comparison computes it anew
    std::vector<Row> table_;
};

}  // namespace tavix::test
